#include "modalanswer.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace {

void answerAfter(int milliseconds, const QObject *context, const QMetaObject &type,
    std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(milliseconds, context, [context, &type, answer = std::move(answer)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            answerAfter(10, context, type, answer);
            return;
        }
        if (type.cast(modal)) {
            answer(modal);
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

} // namespace

void wiztest::detail::answerModal(
    const QObject *context, const QMetaObject &type, std::function<void(QWidget *)> answer)
{
    answerAfter(0, context, type, std::move(answer));
}
