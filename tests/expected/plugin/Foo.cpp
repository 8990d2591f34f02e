#include "Foo.h"
#include "icon.xpm"
#include "wiz_util.h"
#include "embeded.h"
#include <qstringlist.h>

QPixmap Foo::icon( void )
{
    return QPixmap( plugin_pixmap );
}

QString Foo::description( void )
{
    // the host uses this text to tell the templates apart, so keep it unique
    return "Create New Foo Wizard";
}

void Foo::go(const class QString & path,const class QString & name,const class QStringList &params)
{
    QString fullpath = path + "\\" + name+ "\\";

    // IF YOU'RE GOING TO STICK A "SELECT WIZARD OPTIONS" DIALOG IN
    //  - STICK IT HERE!!!

    /* THESE ARE SOME TYPICAL CALLS TO EXTRACT FILES AND SAVE THEM, SOME WITH
       REPLACEMENTS AND SOME WITHOUT. EVERY FILE YOU LOOK UP MUST BE LISTED IN
       THE EMBEDDING STEP OF embeded.h IN THE PROJECT FILE.

    // this text file is extracted as-is
    wiz::savefile( qembed_findData( "wiz_util.h" ), fullpath + "wiz_util.h" );

    // this binary file is extracted entirely as-is - you can't do replacements in binary files
    wiz::savefilebinary( qembed_findData( "picture.png" ), fullpath + "picture.png" );

    // every name tag in this file is replaced by the name of the new project
    wiz::savefile( qembed_findData( "main.cpp" ), fullpath + "main.cpp", name );

    // a list of TAG VALUE pairs, applied in order to the whole text
    QStringList replacelist;
    replacelist << "%%PLACEHOLDER1%%" << "printf( \"hello world\" );";
    replacelist << "%%PLACEHOLDER2%%" << QString( qembed_findData( "test.cpp" ) );
    wiz::savefile( qembed_findData( "test.cpp" ), fullpath +"test.cpp", replacelist );

    // go off and build the makefile and dsp from the "<name>.pro" file
    wiz_buildproject d( fullpath, name );
    d.exec();
    */
}

// this nasty little macro to ease exporting this class to make it available to the outside world
ZELK_WIZARD_PLUGIN( Foo )
