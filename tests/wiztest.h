#ifndef WIZTEST_H
#define WIZTEST_H

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// QTEST_MAIN with the environment every test of this project runs in: the
// offscreen platform and settings and data directories of its own that are
// removed afterwards, so a test never reads or writes the user's settings nor
// lists the user's own templates. The listing's child is the wizard of the
// build, since a test program is none.
#define WIZ_TEST_MAIN(TestObject)                                                                  \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QTemporaryDir config;                                                                      \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));                              \
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(config.path()));                              \
        qputenv("XDG_DATA_HOME", QFile::encodeName(config.path() + QStringLiteral("/data")));      \
        qputenv("XDG_CACHE_HOME", QFile::encodeName(config.path() + QStringLiteral("/cache")));    \
        qputenv("WIZ_SCANNER", WIZ_BUILD_DIR "/wiz");                                              \
        qunsetenv("WIZ_PLUGIN_PATH");                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

namespace wiztest {

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The names of the files below dir, relative to it and sorted.
inline QStringList tree(const QString &dir)
{
    QStringList names;
    QDir base(dir);
    const QFileInfoList entries = base.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir()) {
            for (const QString &inner : tree(entry.filePath()))
                names << entry.fileName() + QLatin1Char('/') + inner;
        } else {
            names << entry.fileName();
        }
    }
    names.sort();
    return names;
}

namespace detail {
    template <typename Dialog>
    void answerModalAfter(
        int milliseconds, const QObject *context, std::function<void(Dialog *)> answer)
    {
        QTimer::singleShot(milliseconds, context, [context, answer = std::move(answer)]() mutable {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                answerModalAfter<Dialog>(10, context, std::move(answer));
                return;
            }
            if (auto *dialog = qobject_cast<Dialog *>(modal)) {
                answer(dialog);
                return;
            }
            QTest::qFail(qPrintable(QStringLiteral("unexpected modal window: %1")
                                        .arg(QLatin1String(modal->metaObject()->className()))),
                __FILE__, __LINE__);
            if (auto *other = qobject_cast<QDialog *>(modal))
                other->reject();
            else
                modal->close();
        });
    }
} // namespace detail

// Answers the next modal dialog from inside its modal loop, the way a user
// would: answer is called with it once the dialog is up. Until a modal window
// is up it keeps looking; a modal window of another type fails the test and is
// closed, so that the test does not hang on it. Nothing happens any more once
// context is destroyed, so an answer to a dialog that never came cannot reach
// into a later test.
template <typename Dialog>
void answerNextModal(const QObject *context, std::function<void(Dialog *)> answer)
{
    detail::answerModalAfter<Dialog>(0, context, std::move(answer));
}

} // namespace wiztest

#endif
