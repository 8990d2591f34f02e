// A template plug-in for the ZELK application wizard: it writes a program
// that greets whoever runs it, named after the project.
#include "embeded.h"

#include <plugin_icon.xpm>
#include <wiz_util.h>
#include <zelk_wizard_plugin.h>

class greeting : public zelk_wizard_plugin
{
public:
    QPixmap icon() override { return QPixmap(plugin_pixmap); }
    QString description() override { return QStringLiteral("Create Greeting"); }
    void go(const QString &path, const QString &name, const QStringList &) override
    {
        const QString folder = path + QLatin1Char('/') + name + QLatin1Char('/');
        // Pairs are applied in this order, each to the whole text.
        const QStringList tags { QStringLiteral("%%NAME%%"), name, QStringLiteral("%%UPPER%%"),
            name.toUpper() };
        wiz::savefile(qembed_findData("main.cpp"), folder + name + QStringLiteral(".cpp"), tags);
        wiz::savefile(qembed_findData("README.txt"), folder + QStringLiteral("README.txt"), tags);
    }
};

ZELK_WIZARD_PLUGIN(greeting)

// What the wizard shows beside the title, and how it checks the project name:
// any folder name will do, as no C++ symbol is named after it.
ZELK_WIZARD_PLUGIN_DESCRIPTION([] {
    return QJsonObject { { "description", "A program that greets whoever runs it." },
        { "version", ZELK_WIZARD_PLUGIN_VERSION },
        { "name", QJsonObject { { "rule", "directory" } } } };
})
