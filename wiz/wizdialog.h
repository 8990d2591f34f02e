#ifndef WIZDIALOG_H
#define WIZDIALOG_H

#include "templaterunner.h"
#include "wizdialogbase.h"

#include <QMap>
#include <QStringList>

// The wizard's window: lists the templates, checks the input, creates the
// project directory and hands it to the chosen template. Started with
// command-line arguments it does the same unattended and closes.
class wizDialog : public wizDialogBase
{
    Q_OBJECT

public:
    explicit wizDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
        Qt::WindowFlags fl = Qt::WindowFlags());
    ~wizDialog() override;

    void loadPlugins();
    // Loads the library that gave the title key and runs its template. False
    // when the template could not be run.
    bool runPlugin(
        const QString &key, const QString &path, const QString &name, const QStringList &params);
    void accept() override;

    // Replaces every %NAME% with the value of that environment variable.
    static QString expandEnvironment(const QString &text);
    // The "/path=", "/project=" and "/key=" options of a command line (program
    // path first); every other argument goes to the template's parameters.
    static wizRequest scanArguments(const QStringList &arguments);
    // A project name must name exactly one new directory.
    static bool isProjectName(const QString &name);

    // 0, or 1 when an unattended run could not run its template.
    int exitStatus() const { return m_exitStatus; }

public slots:
    void checkValid();
    void browsedir();

protected:
    void timerEvent(QTimerEvent *e) override;

private:
    void runUnattended();

    QMap<QString, QString> libraryPaths;
    int m_exitStatus = 0;
    bool m_unattended = false;
};

#endif
