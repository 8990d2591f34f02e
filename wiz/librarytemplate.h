#ifndef LIBRARYTEMPLATE_H
#define LIBRARYTEMPLATE_H

#include "templatestep.h"

// The template step of a plug-in library: loads it, lets its object's go()
// write the project, releases the object and unloads the library.
class libraryTemplate : public templateStep
{
public:
    explicit libraryTemplate(const QString &libraryPath)
        : m_libraryPath(libraryPath)
    {
    }
    failure produce(const QString &location, const wizRequest &request) override;

private:
    QString m_libraryPath;
};

#endif
