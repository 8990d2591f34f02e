// Renders a template folder into a new project folder, for the example's
// build test and the benchmark, until the wizard runs template folders itself:
//
//   render_template TEMPLATE_FOLDER LOCATION NAME [/OPTION=VALUE ...]
//
// writes LOCATION/NAME with plain QFile writes (LOCATION/NAME must not exist),
// prints each note on standard output and each error on standard error; exit
// status 1 on any error. GUIDs are random and dates follow SOURCE_DATE_EPOCH.
#include "templatefolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        std::fputs(
            "usage: render_template TEMPLATE_FOLDER LOCATION NAME [/OPTION=VALUE ...]\n", stderr);
        return 2;
    }
    const auto fail = [](const QStringList &errors) {
        for (const QString &error : errors)
            std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    };
    templateFolder folder;
    QStringList errors;
    if (!templateFolder::load(arguments.at(1), QString(), &folder, &errors))
        return fail(errors);
    const QString name = arguments.at(3);
    if (const QString problem = templateOptions::nameError(folder.manifest(), name);
        !problem.isEmpty())
        return fail({ problem });
    placeholders::Values values;
    QString problem;
    if (!templateOptions::fromParameters(folder.manifest(), arguments.mid(4), &values, &problem))
        return fail({ problem });
    const renderResult result = folder.render(name, values, templateFolder::today());
    if (!result.errors.isEmpty())
        return fail(result.errors);

    const QString project = arguments.at(2) + u'/' + name;
    if (!QDir().mkdir(project))
        return fail({ QStringLiteral("cannot make the folder %1").arg(project) });
    for (const renderedFile &file : result.files) {
        const QString path = project + u'/' + file.path;
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)
            || out.write(file.bytes) != file.bytes.size())
            return fail({ QStringLiteral("cannot write %1: %2").arg(path, out.errorString()) });
        if (file.executable)
            out.setPermissions(out.permissions() | QFileDevice::ExeOwner);
    }
    for (const QString &note : result.notes)
        std::printf("note %s\n", qPrintable(note));
    return 0;
}
