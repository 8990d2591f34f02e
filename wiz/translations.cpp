#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Loads the first catalog of prefix that fits locale from one of folders and
// hands it to the application, which then owns it.
bool installCatalog(const QLocale &locale, const QString &prefix, const QStringList &folders)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : folders) {
        if (translator->load(locale, prefix, QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator))
            return true;
    }
    delete translator;
    return false;
}

} // namespace

QStringList translations::folders()
{
    const QString beside = QCoreApplication::applicationDirPath();
    return { beside + QStringLiteral("/translations"),
        QDir::cleanPath(beside + QStringLiteral("/../share/wiz/translations")) };
}

bool translations::install(const QLocale &locale, const QStringList &searched)
{
    // Qt's own first: the texts of its buttons and file chooser.
    installCatalog(
        locale, QStringLiteral("qtbase"), { QLibraryInfo::path(QLibraryInfo::TranslationsPath) });
    return installCatalog(locale, QStringLiteral("wiz"), searched);
}
