#include "templatesteps.h"

#include "foldertemplate.h"
#include "librarytemplate.h"
#include "plugincatalog.h"

std::unique_ptr<templateStep> templateSteps::forEntry(const pluginEntry &entry)
{
    if (!entry.folder.isEmpty())
        return std::make_unique<folderTemplate>(entry.folder);
    return std::make_unique<libraryTemplate>(entry.path);
}
