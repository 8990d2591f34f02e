#ifndef TEMPLATESTEPS_H
#define TEMPLATESTEPS_H

#include "templatestep.h"

#include <memory>

struct pluginEntry;

namespace templateSteps {

// The step that runs the listed template: its library, or its folder.
std::unique_ptr<templateStep> forEntry(const pluginEntry &entry);

} // namespace templateSteps

#endif
