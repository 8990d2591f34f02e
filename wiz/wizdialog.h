#ifndef WIZDIALOG_H
#define WIZDIALOG_H

#include "commandline.h"
#include "plugincatalog.h"
#include "wizdialogbase.h"

#include <QIcon>
#include <QJsonObject>
#include <QMap>
#include <QStringList>

#include <memory>
#include <optional>

class QListWidgetItem;
class templateRunner;

// The wizard's window: lists the templates, checks the input, creates the
// project directory and hands it to the chosen template. Given a request
// from the command line, it does the same unattended and closes.
class wizDialog : public wizDialogBase
{
    Q_OBJECT

public:
    explicit wizDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
        Qt::WindowFlags fl = Qt::WindowFlags());
    ~wizDialog() override;

    // The command line's request, run unattended once the window is up.
    void setRequest(const wizRequest &request) { m_request = request; }
    // Lists the template folder at folder alone ("wiz --template DIR"), chosen.
    void setTemplateFolder(const QString &folder) { m_templateFolder = folder; }

    void loadPlugins();
    // Loads the library or template folder that gave the title key and runs
    // its template into path/name. True when it ran and wrote every file.
    bool runPlugin(
        const QString &key, const QString &path, const QString &name, const QStringList &params);
    void accept() override;

    // The wizard's own picture, for its window and every other one it opens.
    static QIcon wizardIcon();

    // 0, or the unattended run's exit status: 1 when it could not run its
    // template, 3 when some files could not be written.
    int exitStatus() const { return m_exitStatus; }

public slots:
    void checkValid();
    void browsedir();

protected:
    void timerEvent(QTimerEvent *e) override;

private:
    void runUnattended();
    // Why OK must stay disabled, in the order of the fields, or an empty text
    // when it may be enabled. field is set to the input that has to change.
    QString blockingReason(QWidget **field) const;
    void templateDoubleClicked(QListWidgetItem *item);
    // Gives field the hint as its accessible description, or its own
    // description when the hint is about something else.
    void describe(QWidget *field, const QString &hint);
    // What the highlighted template tells about itself; empty when none is.
    QJsonObject chosenAbout() const;

    // The template that runs for each title.
    QMap<QString, pluginEntry> m_entries;
    QString m_templateFolder;
    // Why the folder of --template cannot be listed.
    QString m_folderError;
    // The folders in which templates were looked for, named when none was found.
    QStringList m_folders;
    int m_exitStatus = 0;
    std::optional<wizRequest> m_request;
    // Made by accept() with the project directory, so that the run knows the
    // folders it made and can take them away again when it writes nothing.
    std::unique_ptr<templateRunner> m_runner;
};

#endif
