#ifndef FOLDERTEMPLATE_H
#define FOLDERTEMPLATE_H

#include "templatestep.h"

#include <QString>

// The template step of a template folder: reads and checks the folder, takes
// the option values from the request's "/OPTION=VALUE" parameters, renders
// and hands every file to the run's sink.
class folderTemplate : public templateStep
{
public:
    explicit folderTemplate(const QString &folder)
        : m_folder(folder)
    {
    }
    failure produce(const QString &location, const wizRequest &request) override;
    QString message() const override { return m_message; }

    // With WIZ_FIXED_GUIDS=1 in the environment, %{guid.N} numbers GUIDs
    // 00000000-0000-4000-8000-000000000001 and up in the order they are
    // first used, so that a template's expected tree stays the same from run
    // to run. For template tests only.
    static bool fixedGuids();
    // The message for a folder that cannot be used, naming it and each mistake.
    static QString unusable(const QString &folder, const QString &mistakes);

private:
    QString m_folder;
    QString m_message;
};

#endif
