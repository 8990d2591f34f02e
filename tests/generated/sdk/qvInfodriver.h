// Test stand-in for the platform's information driver: only what the templates use.
#ifndef QVINFODRIVER_H
#define QVINFODRIVER_H

#include <string>
using std::string;

namespace qv {
enum redundancyState { tx, rx };
}

class IqvInfodriverCallback
{
public:
    virtual ~IqvInfodriverCallback() { }

protected:
    virtual void qviSlotRequest(int device, int index, const string &slot) = 0;
    virtual void qviClientMessage(int workstation, int device, const string &message,
        const string &clientHandle, const string &reference)
        = 0;
    virtual void qviRedundancyState(enum qv::redundancyState state) = 0;
    virtual void qviConnected(int device) = 0;
    virtual void qviDisconnected(int device) = 0;
};

class qvInfodriver
{
public:
    explicit qvInfodriver(IqvInfodriverCallback *callback);
    bool connect(int device);
    void setSlot(int index, const char *text);
};

#endif
