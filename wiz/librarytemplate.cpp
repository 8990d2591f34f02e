#include "librarytemplate.h"

#include "pluginlibrary.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>

#include <exception>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateRunner", text);
}

} // namespace

templateStep::failure libraryTemplate::produce(const QString &location, const wizRequest &request)
{
    pluginLibrary library(m_libraryPath);
    if (!library.load())
        return { tr("Could not load library specified: ") + request.key, tr("Oh Dear"),
            QMessageBox::Information };
    zelk_wizard_plugin *plugin = library.create();
    if (!plugin)
        return failed(tr("the library of \"%1\" gave no template").arg(request.key));

    QString error;
    try {
        plugin->go(location, request.project, request.params);
    } catch (const std::exception &thrown) {
        error = QString::fromLocal8Bit(thrown.what());
    } catch (...) {
        error = tr("unknown exception");
    }
    // A destructor may still write; the run looks at the folder after it.
    library.release(plugin);
    if (!error.isEmpty())
        return failed(tr("the template \"%1\" failed: %2").arg(request.key, error));
    return {};
}
