#ifndef ZELK_WIZARD_PLUGIN_H
#define ZELK_WIZARD_PLUGIN_H

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
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
// Optional: fills json with the UTF-8 text of one compact JSON object that
// tells what the template is beyond its title:
//   {"description": "...", "version": "...",
//    "name": {"rule": "identifier" | "directory" | "pattern", "pattern": "...", "message": "..."},
//    "options": [{"name", "label", "kind": "text" | "yes-no" | "choice",
//                 "default", "choices", "help"}]}
// The host shows the description, checks the project name by the rule and
// lists the options, which reach go() as "/name=value" parameters.
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

// Written once in a plug-in's main source file, beside ZELK_WIZARD_PLUGIN, with
// a function or a lambda that returns the template's description as a
// QJsonObject (see zelk_wizard_plugin_describe). It defines the exported
// function describe_zelk_wizard_plugin(). Example:
//   ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
//       return QJsonObject { { "description", "Writes a greeting program." },
//           { "version", "1.0" }, { "name", QJsonObject { { "rule", "identifier" } } } };
//   })
#define ZELK_WIZARD_PLUGIN_DESCRIPTION(...)                                                        \
    extern "C" Q_DECL_EXPORT void describe_zelk_wizard_plugin(QByteArray *json)                    \
    {                                                                                              \
        const QJsonObject description = (__VA_ARGS__)();                                           \
        *json = QJsonDocument(description).toJson(QJsonDocument::Compact);                         \
    }

#endif
