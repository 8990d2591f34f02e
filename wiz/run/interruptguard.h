#ifndef INTERRUPTGUARD_H
#define INTERRUPTGUARD_H

#include <QByteArray>

// While one lives, SIGINT, SIGTERM and SIGHUP end the process the way a run
// must end: the writer's temporary files and the scratch folder removed, exit
// status 128 + the signal. The previous handlers come back with its end.
class interruptGuard
{
public:
    interruptGuard();
    ~interruptGuard();
    interruptGuard(const interruptGuard &) = delete;
    interruptGuard &operator=(const interruptGuard &) = delete;

    // The folder removed with everything in it on a signal; empty for none.
    static void setScratchFolder(const QByteArray &path);
    // Removes folder and everything below it without following a link, with
    // calls that a signal handler may make.
    static void removeTree(const char *folder);
};

#endif
