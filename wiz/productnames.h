#ifndef PRODUCTNAMES_H
#define PRODUCTNAMES_H

#include <QtGlobal>

// The names the wizard shows of itself. They differ on purpose and stay as
// they are: users, documentation and stored settings know them by these
// texts. The two shown ones are translated in the context of the class that
// shows them, so translate them with that context.
namespace productNames {

// The title of the wizard's window (wizDialogBase::languageChange).
inline constexpr char windowTitle[]
    = QT_TRANSLATE_NOOP("wizDialogBase", "Varnet Control Application Wizard");

// The caption of every message box a run opens: refusals, the question before
// replacing, failures (templateRunner). The desktop entry
// (packaging/wiz.desktop) names the program so too.
inline constexpr char messageCaption[]
    = QT_TRANSLATE_NOOP("templateRunner", "ZELK Application Wizard");

// The wizard's own settings store, "/lastpath" in it: organisation and
// application as QSettings takes them. Never translated; a changed name
// would lose every user's stored location.
inline constexpr char settingsOrganization[] = "Tessaly Technology";
inline constexpr char settingsApplication[] = "ZELK Wizard";

} // namespace productNames

#endif
