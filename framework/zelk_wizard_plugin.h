#ifndef ZELK_WIZARD_PLUGIN_H
#define ZELK_WIZARD_PLUGIN_H

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The contract between the wizard host and a template plug-in.
//
// A plug-in is a shared library that exports two C functions: a factory,
// load_zelk_wizard_plugin(), and a release function, free_zelk_wizard_plugin().
// The host calls the four operations below by their position in the table of
// virtual functions, so their order is binding: add nothing in front of them.
class zelk_wizard_plugin
{
public:
    // Picture shown beside the template's title in the host's list.
    virtual QPixmap icon() = 0;
    // One-line title; the host uses it as the template's identity, so it must
    // be the same text on every call.
    virtual QString description() = 0;
    // Writes the new project into path + "/" + name, which the host has made.
    // params holds one empty string when started from the dialog, or the
    // command line (program path first) when the host runs unattended.
    virtual void go(const QString &path, const QString &name, const QStringList &params) = 0;
    // Names of the files this object keeps a record of; none by default.
    virtual QStringList files() { return QStringList(); }

    // Declared after the four operations so that it takes the table's later
    // slots. free_zelk_wizard_plugin() reaches the concrete destructor through it.
    virtual ~zelk_wizard_plugin() = default;
};

// The version of this contract. It changes whenever a plug-in built against
// one version of this header can no longer be used by a host of another.
#define ZELK_WIZARD_PLUGIN_CONTRACT_VERSION 1

extern "C" {
// Destroys an object that the same library's factory made; the host never
// deletes a plug-in object itself.
Q_DECL_EXPORT void free_zelk_wizard_plugin(zelk_wizard_plugin *plugin);
}

using zelk_wizard_plugin_factory = zelk_wizard_plugin *(*)();
using zelk_wizard_plugin_release = void (*)(zelk_wizard_plugin *);
// Tells the contract version and the Qt version (QT_VERSION) the library was
// built with, so that a host refuses a library it cannot safely call.
using zelk_wizard_plugin_stamp = void (*)(int *contractVersion, int *qtVersion);
// Optional, exported as describe_zelk_wizard_plugin: fills json with the UTF-8
// text of one compact JSON object that says what the template is. The host
// copies the bytes at once and parses them itself.
using zelk_wizard_plugin_describe = void (*)(QByteArray *json);

// Written once at the end of a plug-in's main source file, with the concrete
// class's name. It defines the exported functions of the library: the factory,
// the release function and the stamp.
#define ZELK_WIZARD_PLUGIN(name)                                                                   \
    extern "C" Q_DECL_EXPORT zelk_wizard_plugin *load_zelk_wizard_plugin()                         \
    {                                                                                              \
        return new name;                                                                           \
    }                                                                                              \
    extern "C" Q_DECL_EXPORT void free_zelk_wizard_plugin(zelk_wizard_plugin *plugin)              \
    {                                                                                              \
        delete plugin;                                                                             \
    }                                                                                              \
    extern "C" Q_DECL_EXPORT void stamp_zelk_wizard_plugin(int *contractVersion, int *qtVersion)   \
    {                                                                                              \
        *contractVersion = ZELK_WIZARD_PLUGIN_CONTRACT_VERSION;                                    \
        *qtVersion = QT_VERSION;                                                                   \
    }

#endif
