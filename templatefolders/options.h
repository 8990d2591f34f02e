#ifndef OPTIONS_H
#define OPTIONS_H

#include "manifest.h"
#include "placeholders.h"

#include <QString>
#include <QStringList>

// A template folder's option values for one run, and its rule for the name.
namespace templateOptions {

// Every option at its default.
placeholders::Values defaults(const templateManifest &manifest);

// Sets one option from the text the user gave: yes-no takes true/false,
// yes/no, 1/0 (any case); choice one of its values; text anything its
// pattern matches, on one line. Otherwise false with *error naming the
// allowed values, such as: "maybe" is not a value of "licence": true, false,
// yes, no, 1, 0
bool set(const templateManifest &manifest, const QString &name, const QString &text,
    placeholders::Values *values, QString *error);

// Options whose "when" is false take their default, in manifest order, so a
// condition sees the options above it as the run will use them. Call after
// the last set().
void settle(const templateManifest &manifest, placeholders::Values *values);

// The values from the run's "/OPTION=VALUE" parameters (names without case;
// "/path", "/project" and "/key" and arguments without "/" are passed over):
// the defaults, each given value set, then settled. False with *error, such as
// /colour=red: unknown option "colour"; the options are licence, style
bool fromParameters(const templateManifest &manifest, const QStringList &parameters,
    placeholders::Values *values, QString *error);

// Whether option is shown and used for these values (its "when").
bool applies(const templateOption &option, const templateManifest &manifest,
    const placeholders::Values &values);

// Why name breaks the template's name rule, or an empty text.
QString nameError(const templateManifest &manifest, const QString &name);

} // namespace templateOptions

#endif
