#include "templaterunner.h"

#include "cppname.h"
#include "outcomelog.h"
#include "pluginlibrary.h"
#include "wiz_util.h"
#include "zelk_wizard_plugin.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("templateRunner", text);
}

QString caption()
{
    return tr("ZELK Application Wizard");
}

// Why location/name cannot be the project directory, or nothing.
QString refusal(const QString &dir)
{
    const QFileInfo info(dir);
    if (!info.exists())
        return QString();
    if (!info.isDir())
        return tr("%1 exists and is not a folder.").arg(dir);
#ifdef Q_OS_UNIX
    // Another user could have prepared it with links to files of ours.
    if (info.ownerId() != ::geteuid())
        return tr("%1 belongs to another user; the wizard does not write into it.").arg(dir);
#endif
    return QString();
}

// Makes the directory, or says why not in the system's words.
QString makeDirectory(const QString &dir)
{
#ifdef Q_OS_UNIX
    if (::mkdir(QFile::encodeName(dir).constData(), 0777) == 0)
        return QString();
    return qt_error_string(errno);
#else
    return QDir().mkdir(dir) ? QString() : tr("it could not be created");
#endif
}

static_assert(int(fileOutcome::Create) == wiz::Create && int(fileOutcome::Replace) == wiz::Replace
        && int(fileOutcome::Unchanged) == wiz::Unchanged
        && int(fileOutcome::Failed) == wiz::Refused,
    "a planned write reads as the outcome of the same name");

// A dry run's outcomes are those of files written into scratch; each becomes
// what writing it would do to the file of the same name under location.
void compareWithReal(QList<fileOutcome> *outcomes, const QString &scratch, const QString &location)
{
    const QString scratchBase = QFileInfo(scratch).absoluteFilePath() + QLatin1Char('/');
    const QString realBase = QFileInfo(location).absoluteFilePath() + QLatin1Char('/');
    for (fileOutcome &outcome : *outcomes) {
        if (!outcome.path.startsWith(scratchBase))
            continue;
        outcome.path = realBase + outcome.path.mid(scratchBase.size());
        if (outcome.kind == fileOutcome::Failed)
            continue;
        QFile written(scratchBase + outcome.path.mid(realBase.size()));
        const QByteArray bytes
            = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
        outcome.kind = fileOutcome::Kind(wiz::plan(outcome.path, bytes, &outcome.reason));
    }
}

} // namespace

templateRunner::templateRunner(Attendance attendance, QWidget *parent)
    : m_attendance(attendance)
    , m_parent(parent)
{
}

bool templateRunner::headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void templateRunner::report(const QString &caption, const QString &message, QMessageBox::Icon icon)
{
    if (m_attendance != Attended)
        std::fprintf(stderr, "wiz: %s\n", qPrintable(message));
    if (m_attendance != Headless)
        QMessageBox(icon, caption, message, QMessageBox::Ok, m_parent).exec();
}

bool templateRunner::prepare(const QString &location, const QString &name, projectFolder *folder)
{
    folder->path = location + QLatin1Char('/') + name;
    folder->created = false;
    const QString why = refusal(folder->path);
    if (!why.isEmpty()) {
        report(caption(), why);
        return false;
    }
    if (QFileInfo(folder->path).isDir()) {
        if (m_attendance != Attended)
            return true;
        QMessageBox question(QMessageBox::Information, caption(),
            tr("The path already exists. OK to overwrite?"), QMessageBox::Yes | QMessageBox::No);
        question.setDefaultButton(QMessageBox::No);
        question.setEscapeButton(QMessageBox::No);
        return question.exec() == QMessageBox::Yes;
    }
    const QString error = makeDirectory(folder->path);
    // Another run may have made it in the meantime; then it is theirs, not ours.
    if (!error.isEmpty() && refusal(folder->path).isEmpty() && QFileInfo(folder->path).isDir())
        return true;
    if (!error.isEmpty()) {
        report(caption(), tr("cannot create %1: %2").arg(folder->path, error));
        return false;
    }
    folder->created = true;
    return true;
}

int templateRunner::runRequest(const wizRequest &request, const QString &libraryPath)
{
    if (!commandLine::isProjectName(request.project)) {
        report(caption(),
            tr("\"%1\" is no project name: give one directory name with /project=NAME")
                .arg(request.project));
        return 1;
    }
    if (request.location.isEmpty()) {
        report(caption(), tr("no location given: use /path=DIRECTORY"));
        return 1;
    }
    const QString warning = cppName::warning(request.project);
    if (!warning.isEmpty())
        std::fprintf(stderr, "wiz: %s\n", qPrintable(warning));
    projectFolder folder { request.location + QLatin1Char('/') + request.project, false };
    if (request.dryRun) {
        // Nothing is made in the location; only the refusals count.
        const QString why = refusal(folder.path);
        if (!why.isEmpty()) {
            report(caption(), why);
            return 1;
        }
    } else if (!prepare(request.location, request.project, &folder)) {
        return 1;
    }
    return run(libraryPath, request, folder);
}

int templateRunner::run(
    const QString &libraryPath, const wizRequest &request, const projectFolder &folder)
{
    // A dry run lets the template write into a private scratch folder instead,
    // and compares what it wrote with the real project directory.
    std::unique_ptr<QTemporaryDir> scratch;
    QString location = request.location;
    if (request.dryRun) {
        scratch = std::make_unique<QTemporaryDir>();
        location = scratch->path();
        if (!scratch->isValid() || !QDir(location).mkdir(request.project)) {
            report(caption(), tr("cannot make a scratch folder: %1").arg(scratch->errorString()));
            return 1;
        }
    }

    const auto cleanUp = [&folder] {
        if (folder.created)
            QDir().rmdir(folder.path); // only while it is still empty
    };
    pluginLibrary library(libraryPath);
    if (!library.load()) {
        report(tr("Oh Dear"), tr("Could not load library specified: ") + request.key,
            QMessageBox::Information);
        cleanUp();
        return 1;
    }
    zelk_wizard_plugin *plugin = library.create();
    if (!plugin) {
        report(caption(), tr("the library of \"%1\" gave no template").arg(request.key));
        cleanUp();
        return 1;
    }

    QString failure;
    QList<fileOutcome> outcomes;
    {
        outcomeLog log;
        try {
            plugin->go(location, request.project, request.params);
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        } catch (...) {
            failure = tr("unknown exception");
        }
        if (!library.release(plugin) && failure.isEmpty())
            failure = library.refusal();
        outcomes = log.outcomes();
    }
    cleanUp();

    if (request.dryRun)
        compareWithReal(&outcomes, location, request.location);

    if (!failure.isEmpty()) {
        report(caption(), tr("the template \"%1\" failed: %2").arg(request.key, failure));
        return 1;
    }
    if (outcomes.isEmpty()) {
        report(caption(), tr("the template \"%1\" wrote no files").arg(request.key));
        return 1;
    }

    if (request.dryRun || request.verbose) {
        for (const QString &line : outcomeLog::report(outcomes, request.location))
            std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    }
    QStringList failed;
    for (const fileOutcome &outcome : outcomes) {
        if (outcome.kind == fileOutcome::Failed)
            failed << QStringLiteral("%1: %2").arg(
                QDir::toNativeSeparators(outcome.path), outcome.reason);
    }
    // Standard error has had a line for each of them already.
    if (!failed.isEmpty() && m_attendance == Attended)
        QMessageBox::warning(m_parent, caption(),
            tr("These files could not be written:\n\n%1").arg(failed.join(QLatin1Char('\n'))));

    if (!request.dryRun && m_attendance != Headless && QFileInfo(folder.path).isDir())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder.path));
    return failed.isEmpty() ? 0 : 3;
}
