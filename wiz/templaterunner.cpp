#include "templaterunner.h"

#include "modaldialogcloser.h"
#include "plugincatalog.h"
#include "pluginlibrary.h"
#include "wizdialog.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMap>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>
#include <exception>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateRunner", text);
}

} // namespace

void templateRunner::printError(const QString &message)
{
    std::fprintf(stderr, "wiz: %s\n", qPrintable(message));
}

bool templateRunner::run(QWidget *parent, const QString &libraryPath, const QString &key,
    const QString &path, const QString &name, const QStringList &params, bool unattended)
{
    pluginLibrary library(libraryPath);
    if (!library.load()) {
        const QString message = tr("Could not load library specified: ") + key;
        if (unattended)
            printError(message);
        QMessageBox::information(parent, tr("Oh Dear"), message);
        return false;
    }
    zelk_wizard_plugin *plugin = library.create();
    if (!plugin) {
        if (unattended)
            printError(tr("the library of \"%1\" gave no template").arg(key));
        return false;
    }

    bool ran = true;
    try {
        plugin->go(path, name, params);
    } catch (const std::exception &error) {
        printError(
            tr("the template \"%1\" failed: %2").arg(key, QString::fromLocal8Bit(error.what())));
        ran = false;
    } catch (...) {
        printError(tr("the template \"%1\" failed").arg(key));
        ran = false;
    }
    library.release(plugin);
    if (ran)
        QDesktopServices::openUrl(QUrl::fromLocalFile(path + QLatin1Char('/') + name));
    return ran;
}

bool templateRunner::prepare(const wizRequest &request)
{
    if (!wizDialog::isProjectName(request.project)) {
        printError(tr("\"%1\" is no project name: give one directory name with /project=NAME")
                       .arg(request.project));
        return false;
    }
    if (request.location.isEmpty()) {
        printError(tr("no location given: use /path=DIRECTORY"));
        return false;
    }
    QDir().mkdir(request.location + QLatin1Char('/') + request.project);
    return true;
}

bool templateRunner::headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int templateRunner::runHeadless(const QStringList &arguments)
{
    modalDialogCloser closer;
    closer.install();
    // As the window's list: a later library with the same title wins.
    QMap<QString, QString> libraryPaths;
    for (const pluginEntry &entry : pluginCatalog::scan())
        libraryPaths[entry.title] = entry.path;

    const wizRequest request = wizDialog::scanArguments(arguments);
    if (!prepare(request))
        return 1;
    return run(nullptr, libraryPaths.value(request.key), request.key, request.location,
               request.project, request.params, true)
        ? 0
        : 1;
}
