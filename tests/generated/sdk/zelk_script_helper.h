// Test stand-in for the platform's script helper base class and the notices
// its callbacks receive: only what the templates use.
#ifndef ZELK_SCRIPT_HELPER_H
#define ZELK_SCRIPT_HELPER_H

#include "zelk_stringlist.h"

class zelk_client_callback;

class buttonNotify
{
public:
    int panel() const;
    int id() const;
};

class revertiveNotify
{
public:
    int device() const;
    const char *sInfo() const;
};

class parentNotify
{
public:
    zelk_string command() const;
    zelk_string value() const;
};

class zelk_script_helper
{
public:
    zelk_script_helper(zelk_client_callback *parent, const char *path);
    virtual ~zelk_script_helper();

    virtual void buttonCallback(buttonNotify *b) = 0;
    virtual int revertiveCallback(revertiveNotify *r) = 0;
    virtual void databaseCallback(revertiveNotify *r) = 0;
    virtual zelk_string parentCallback(parentNotify *p) = 0;
    virtual void timerCallback(int id) = 0;

protected:
    void panelShow(int panel, const char *file);
    void setSize(int width, int height);
    void setSize(int panel);
    void textPut(const char *property, const char *value, int panel, int control);
    void timerStop(int id);
    void infoWrite(int device, const char *text, int index);
};

// The two exported functions through which the framework makes and frees a component.
#define EXPORT_ZELK_SCRIPT(cls)                                                                    \
    extern "C" __declspec(dllexport) zelk_script_helper *zelk_script_create(                       \
        zelk_client_callback *parent, const char *path)                                            \
    {                                                                                              \
        return new cls(parent, path);                                                              \
    }                                                                                              \
    extern "C" __declspec(dllexport) void zelk_script_free(zelk_script_helper *script)             \
    {                                                                                              \
        delete script;                                                                             \
    }

#endif
