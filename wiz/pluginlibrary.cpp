#include "pluginlibrary.h"

#include "pluginstamp.h"
#include "plugintrust.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonDocument>

#include <dlfcn.h>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a function that threw said, for a line that names the library.
QString failure(const char *what, std::exception_ptr thrown)
{
    try {
        std::rethrow_exception(thrown);
    } catch (const std::exception &error) {
        return QCoreApplication::translate("pluginLibrary", "%1 failed: %2")
            .arg(QCoreApplication::translate("pluginLibrary", what),
                QString::fromLocal8Bit(error.what()));
    } catch (...) {
    }
    return QCoreApplication::translate("pluginLibrary", "%1 failed")
        .arg(QCoreApplication::translate("pluginLibrary", what));
}

// The dynamic loader knows a library by the name it was opened with before it
// looks at the file: a library of this process still loaded under the same
// descriptor's name would be handed back instead of the new file. So the
// descriptor moves up until its name is free.
int freeDescriptorName(int fd)
{
    for (int tries = 0; tries < 64; ++tries) {
        const QByteArray name = "/proc/self/fd/" + QByteArray::number(fd);
        void *loaded = ::dlopen(name.constData(), RTLD_LAZY | RTLD_NOLOAD);
        if (!loaded)
            return fd;
        ::dlclose(loaded);
        const int higher = ::fcntl(fd, F_DUPFD_CLOEXEC, fd + 1);
        ::close(fd);
        if (higher < 0)
            return -1;
        fd = higher;
    }
    ::close(fd);
    return -1;
}

} // namespace

pluginLibrary::fileKey pluginLibrary::keyOf(int fd)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return fileKey();
    return { qint64(info.st_dev), qint64(info.st_ino), qint64(info.st_size),
        qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec };
}

pluginLibrary::pluginLibrary(const QString &path)
    : m_path(path)
{
}

pluginLibrary::~pluginLibrary()
{
    if (m_handle)
        ::dlclose(m_handle);
}

bool pluginLibrary::load()
{
    m_refusal.clear();
    if (m_handle)
        return true;
    if (m_path.isEmpty())
        return false;
    int fd = pluginTrust::openLibrary(m_path, &m_refusal);
    if (fd < 0)
        return false;
    m_key = keyOf(fd);
    fd = freeDescriptorName(fd);
    if (fd < 0) {
        m_loaderError = qt_error_string(errno);
        return false;
    }
    const QByteArray name = "/proc/self/fd/" + QByteArray::number(fd);
    m_handle = ::dlopen(name.constData(), RTLD_LAZY | RTLD_LOCAL);
    if (!m_handle)
        m_loaderError = QString::fromLocal8Bit(::dlerror());
    // The mapping keeps the file; the descriptor is no longer needed.
    ::close(fd);
    return m_handle != nullptr;
}

void *pluginLibrary::resolve(const char *symbol)
{
    return load() ? ::dlsym(m_handle, symbol) : nullptr;
}

bool pluginLibrary::hasFactory()
{
    return resolve("load_zelk_wizard_plugin") != nullptr;
}

QString pluginLibrary::stampRefusal()
{
    auto stamp = reinterpret_cast<zelk_wizard_plugin_stamp>(resolve("stamp_zelk_wizard_plugin"));
    if (!stamp)
        return QString();
    int contractVersion = 0;
    int qtVersion = 0;
    try {
        stamp(&contractVersion, &qtVersion);
    } catch (...) {
        return failure(QT_TRANSLATE_NOOP("pluginLibrary", "its stamp"), std::current_exception());
    }
    return pluginStamp::refusal(contractVersion, qtVersion);
}

zelk_wizard_plugin *pluginLibrary::create()
{
    if (!load())
        return nullptr;
    const QString stamp = stampRefusal();
    if (!stamp.isEmpty()) {
        m_refusal = stamp;
        qDebug().noquote() << QStringLiteral("Library %1 is not loaded: %2").arg(m_path, stamp);
        return nullptr;
    }
    auto factory = reinterpret_cast<zelk_wizard_plugin_factory>(resolve("load_zelk_wizard_plugin"));
    if (!factory)
        return nullptr;
    try {
        return factory();
    } catch (...) {
        m_refusal
            = failure(QT_TRANSLATE_NOOP("pluginLibrary", "its factory"), std::current_exception());
    }
    return nullptr;
}

bool pluginLibrary::release(zelk_wizard_plugin *plugin)
{
    if (!m_handle)
        return true;
    auto release = reinterpret_cast<zelk_wizard_plugin_release>(resolve("free_zelk_wizard_plugin"));
    if (!release)
        return true;
    try {
        release(plugin);
    } catch (...) {
        m_refusal = failure(
            QT_TRANSLATE_NOOP("pluginLibrary", "its release function"), std::current_exception());
        return false;
    }
    return true;
}

QJsonObject pluginLibrary::about()
{
    auto describe
        = reinterpret_cast<zelk_wizard_plugin_describe>(resolve("describe_zelk_wizard_plugin"));
    if (!describe)
        return QJsonObject();
    QByteArray text;
    try {
        describe(&text);
    } catch (...) {
        qDebug().noquote() << QStringLiteral("Library %1 cannot describe itself: %2")
                                  .arg(m_path,
                                      failure(QT_TRANSLATE_NOOP("pluginLibrary", "its description"),
                                          std::current_exception()));
        return QJsonObject();
    }
    // A copy of our own: the bytes may still refer to the library's memory.
    const QByteArray copy(text.constData(), text.size());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(copy, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qDebug().noquote() << QStringLiteral("Library %1 cannot describe itself: %2")
                                  .arg(m_path,
                                      error.error != QJsonParseError::NoError
                                          ? error.errorString()
                                          : QStringLiteral("its description is no JSON object"));
        return QJsonObject();
    }
    return document.object();
}
