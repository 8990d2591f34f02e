#ifndef RUNREPORT_H
#define RUNREPORT_H

#include "filesink.h"

#include <QStringList>

// The report of a dry run and of -v: what became of each file, then the notes.
namespace runReport {

// "create meter/main.cpp", "kept meter/m.h", "failed meter/x.h: REASON", in
// the order given, then "note TEXT" for each note.
QStringList lines(const QList<fileOutcome> &outcomes, const QStringList &notes);
// Prints lines on standard output. False, after a message on standard error,
// when they could not be written (a full disk, a closed pipe).
bool print(const QStringList &lines);

} // namespace runReport

#endif
