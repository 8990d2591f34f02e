#include "librarytemplate.h"

#include "pluginlibrary.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>

#include <exception>

templateStep::failure libraryTemplate::produce(const QString &location, const wizRequest &request)
{
    pluginLibrary library(m_libraryPath);
    if (!library.load())
        return { QCoreApplication::translate("templateRunner", "Could not load library specified: ")
                + request.key,
            QCoreApplication::translate("templateRunner", "Oh Dear"), QMessageBox::Information };
    zelk_wizard_plugin *plugin = library.create();
    if (!plugin)
        return failed(
            QCoreApplication::translate("templateRunner", "the library of \"%1\" gave no template")
                .arg(request.key));

    QString error;
    try {
        plugin->go(location, request.project, request.params);
    } catch (const std::exception &thrown) {
        error = QString::fromLocal8Bit(thrown.what());
    } catch (...) {
        error = QCoreApplication::translate("templateRunner", "unknown exception");
    }
    // A destructor may still write; the run looks at the folder after it.
    // A release function that throws leaves the template's state unknown.
    if (!library.release(plugin) && error.isEmpty())
        error = library.refusal();
    if (!error.isEmpty())
        return failed(
            QCoreApplication::translate("templateRunner", "the template \"%1\" failed: %2")
                .arg(request.key, error));
    return {};
}
