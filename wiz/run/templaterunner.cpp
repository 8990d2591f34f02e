#include "templaterunner.h"

#include "namerule.h"
#include "filesink.h"
#include "foldersnapshot.h"
#include "interruptguard.h"
#include "preparation.h"
#include "productnames.h"
#include "projectwriter.h"
#include "reviewdialog.h"
#include "runreport.h"
#include "scratchspace.h"
#include "teller.h"
#include "templatestep.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>

namespace {

QString caption()
{
    return QCoreApplication::translate("templateRunner", productNames::messageCaption);
}

fileSink::Mode sinkMode(templateRunner::Attendance attendance, wizRequest::Existing existing)
{
    if (attendance == templateRunner::Attended)
        return fileSink::HoldReplacements;
    switch (existing) {
    case wizRequest::Keep:
        return fileSink::KeepReplacements;
    case wizRequest::Fail:
        return fileSink::HoldAll;
    default:
        return fileSink::WriteAll;
    }
}

QStringList failures(const QList<fileOutcome> &outcomes, const QString &location)
{
    QStringList lines;
    for (const fileOutcome &file : outcomes) {
        if (file.outcome == projectWriter::Refused)
            lines << QStringLiteral("%1: %2").arg(
                QDir::toNativeSeparators(location + QLatin1Char('/') + file.path), file.reason);
    }
    return lines;
}

} // namespace

templateRunner::templateRunner(Attendance attendance, QWidget *parent)
    : m_attendance(attendance)
    , m_parent(parent)
{
}

templateRunner::~templateRunner() = default;

int templateRunner::failRun(const QString &message)
{
    teller(m_attendance == Attended, m_parent).tell(message, caption());
    if (m_writer)
        m_writer->removeEmptyFolders();
    return 1;
}

bool templateRunner::prepare(const QString &location, const QString &name)
{
    m_writer = std::make_unique<projectWriter>(location);
    const teller voice(m_attendance == Attended, m_parent);
    const QString why = preparation::refusal(location, name);
    if (!why.isEmpty()) {
        voice.tell(why, caption());
        return false;
    }
    if (m_attendance == Attended && QFileInfo(commandLine::projectFolder(location, name)).isDir()) {
        QMessageBox question(QMessageBox::Information, caption(),
            QCoreApplication::translate(
                "templateRunner", "The path already exists. OK to overwrite?"),
            QMessageBox::Yes | QMessageBox::No);
        question.setDefaultButton(QMessageBox::No);
        question.setEscapeButton(QMessageBox::No);
        if (question.exec() != QMessageBox::Yes)
            return false;
    }
    bool created = false;
    const QString error = preparation::make(*m_writer, location, name, &created);
    if (!error.isEmpty())
        voice.tell(error, caption());
    return error.isEmpty();
}

int templateRunner::runRequest(const wizRequest &request, templateStep &step,
    const QStringList *titles, const QJsonObject &about)
{
    if (request.existing == wizRequest::Unknown)
        return failRun(QCoreApplication::translate(
            "templateRunner", "--existing takes replace, keep or fail"));
    const QString missing = commandLine::requestError(request);
    if (!missing.isEmpty())
        return failRun(missing);
    // Told before anything is made; the run never picks a title by itself.
    if (titles && !titles->contains(request.key)) {
        teller(m_attendance == Attended, m_parent)
            .tell(
                QCoreApplication::translate("templateRunner", "Could not load library specified: ")
                    + request.key + QLatin1Char('\n')
                    + commandLine::titleSuggestion(request.key, *titles),
                QCoreApplication::translate("templateRunner", "Oh Dear"), QMessageBox::Information);
        return 1;
    }
    const QString refusal = nameRule::refusal(about, request.project);
    if (!refusal.isEmpty())
        return failRun(refusal);
    const QString warning = nameRule::warning(about, request.project);
    if (!warning.isEmpty())
        std::fprintf(stderr, "wiz: %s\n", qPrintable(warning));
    if (request.dryRun) {
        // Nothing is made in the location; what a real run would meet counts.
        m_writer = std::make_unique<projectWriter>(request.location);
        const QString why = preparation::predict(*m_writer, request.location, request.project);
        if (!why.isEmpty())
            return failRun(why);
    } else if (!prepare(request.location, request.project)) {
        return 1;
    }
    return run(step, request);
}

int templateRunner::run(templateStep &step, const wizRequest &request)
{
    const interruptGuard interrupts;
    scratchSpace::removeStale();
    if (!m_writer)
        m_writer = std::make_unique<projectWriter>(request.location);

    // A dry run lets the template write into a private scratch location and
    // plans each of its files against the real one.
    std::unique_ptr<scratchSpace> scratch;
    std::unique_ptr<projectWriter> scratchWriter;
    QString location = request.location;
    if (request.dryRun) {
        scratch = std::make_unique<scratchSpace>();
        if (!scratch->isValid())
            return failRun(
                QCoreApplication::translate("templateRunner", "cannot make a scratch folder: %1")
                    .arg(scratch->errorString()));
        location = scratch->location();
        scratchWriter = std::make_unique<projectWriter>(location);
        scratchWriter->makeFolder(request.project);
    }

    fileSink sink(
        location, m_writer.get(), sinkMode(m_attendance, request.existing), scratchWriter.get());
    const folderSnapshot::tree before = folderSnapshot::take(location, request.project);
    templateStep::failure failure;
    {
        const fileSink::activation active(&sink);
        failure = step.produce(location, request);
    }
    QStringList created, changed;
    folderSnapshot::compare(
        before, folderSnapshot::take(location, request.project), &created, &changed);
    sink.addUnseen(created, changed);

    const teller voice(m_attendance == Attended, m_parent);
    if (!failure.message.isEmpty()) {
        voice.tell(
            failure.message, failure.caption.isEmpty() ? caption() : failure.caption, failure.icon);
        m_writer->removeEmptyFolders();
        return 1;
    }
    if (sink.outcomes().isEmpty())
        return failRun(
            QCoreApplication::translate("templateRunner", "the template \"%1\" wrote no files")
                .arg(request.key));

    const QStringList replacements = sink.heldReplacements();
    if (request.existing == wizRequest::Fail && m_attendance != Attended && !replacements.isEmpty())
        return failRun(QCoreApplication::translate("templateRunner",
            "nothing was written: these files exist and would change "
            "(--existing=fail): %1")
                           .arg(replacements.join(QStringLiteral(", "))));
    QStringList keep;
    if (m_attendance == Attended && !replacements.isEmpty())
        keep = reviewDialog::ask(replacements, m_parent);
    sink.commit(keep);
    m_writer->removeEmptyFolders();

    const QList<fileOutcome> outcomes = sink.outcomes();
    int status = 0;
    const QStringList failed = failures(outcomes, request.location);
    if (!failed.isEmpty()) {
        status = 3;
        if (m_attendance == Attended)
            QMessageBox::warning(m_parent, caption(),
                QCoreApplication::translate(
                    "templateRunner", "These files could not be written:\n\n%1")
                    .arg(failed.join(QLatin1Char('\n'))));
        else if (!request.dryRun)
            for (const QString &line : failed)
                std::fprintf(stderr, "wiz: %s\n",
                    qPrintable(QCoreApplication::translate("templateRunner", "cannot write %1")
                                   .arg(line)));
    }
    if ((request.dryRun || request.verbose)
        && !runReport::print(runReport::lines(outcomes, sink.notes())))
        status = 1;

    const QString message = step.message();
    if (status == 0 && !request.dryRun && !message.isEmpty()) {
        if (m_attendance == Attended)
            QMessageBox(QMessageBox::Information, caption(), message, QMessageBox::Ok, m_parent)
                .exec();
        else
            std::printf("%s\n", qPrintable(message));
    }
    // After a box of failures the user has something to put right first.
    const QString folder = commandLine::projectFolder(request.location, request.project);
    if (status == 0 && !request.dryRun && m_attendance != Headless && QFileInfo(folder).isDir())
        showProject(folder);
    return status;
}

void templateRunner::showProject(const QString &folder)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return;
    // The window has gone by now, and no file browser shows where the project went.
    const QString where = QCoreApplication::translate("templateRunner", "The new project is in %1.")
                              .arg(QDir::toNativeSeparators(folder));
    if (m_attendance == Attended)
        QMessageBox(QMessageBox::Information, caption(), where, QMessageBox::Ok, m_parent).exec();
    else
        std::fprintf(stderr, "wiz: %s\n", qPrintable(where));
}
