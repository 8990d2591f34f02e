#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QLocale>
#include <QStringList>

// The texts of the wizard, its templates' dialogs and Qt's own widgets in the
// user's language. English is the source, so a language without a
// translation simply stays English.
namespace translations {

// Where the wizard's own catalogs are looked for: beside the program (the
// build tree), then ../share/wiz/translations beside it (an installed tree).
QStringList folders();
// Installs Qt's catalog and the wizard's for the languages of locale, which
// holds the user's choice (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) by default.
// True when the wizard's own catalog was found.
bool install(const QLocale &locale = QLocale(), const QStringList &searched = folders());

} // namespace translations

#endif
