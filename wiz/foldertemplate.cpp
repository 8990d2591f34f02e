#include "foldertemplate.h"

#include "filesink.h"
#include "templatefolder.h"

#include <QCoreApplication>

namespace {

} // namespace

bool folderTemplate::fixedGuids()
{
    return qEnvironmentVariable("WIZ_FIXED_GUIDS") == QLatin1String("1");
}

QString folderTemplate::unusable(const QString &folder, const QString &mistakes)
{
    return QCoreApplication::translate("templateRunner", "the template folder %1 cannot be used:\n%2").arg(folder, mistakes);
}

templateStep::failure folderTemplate::produce(const QString &location, const wizRequest &request)
{
    Q_UNUSED(location);
    templateFolder folder;
    QStringList errors;
    if (!templateFolder::load(m_folder, QStringLiteral(WIZ_VERSION), &folder, &errors))
        return failed(unusable(m_folder, errors.join(QLatin1Char('\n'))));
    // The first parameter is the program's path, which begins with "/" too.
    placeholders::Values values;
    QString problem;
    if (!templateOptions::fromParameters(
            folder.manifest(), request.params.mid(1), &values, &problem))
        return failed(problem);

    int guids = 0;
    const auto numbered = [&guids] {
        return QStringLiteral("00000000-0000-4000-8000-%1").arg(++guids, 12, 10, QLatin1Char('0'));
    };
    const renderResult result = fixedGuids()
        ? folder.render(request.project, values, templateFolder::today(), numbered)
        : folder.render(request.project, values, templateFolder::today());
    if (!result.errors.isEmpty())
        return failed(result.errors.join(QLatin1Char('\n')));

    fileSink *sink = fileSink::active();
    for (const QString &note : result.notes)
        sink->note(note);
    for (const renderedFile &file : result.files) {
        QString reason;
        sink->offer(
            request.project + QLatin1Char('/') + file.path, file.bytes, file.executable, &reason);
    }
    m_message = folder.manifest().message;
    return {};
}
