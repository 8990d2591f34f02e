// wiz_util.cpp: file output for a template plug-in of the wizard.
//
//////////////////////////////////////////////////////////////////////

#include "windows.h"
#include "qfile.h"
#include "qtextstream.h"
#include "qdatastream.h"
#include "qmessagebox.h"
#include "qtextedit.h"
#include "qprocess.h"
#include "wiz_util.h"

// every %%NAME%% in the text is replaced, but only when there is something to
// put in its place: an empty replace writes the text exactly as it stands
void wiz::savefile( QString in, QString path, QString replace )
{
    if ( !replace.isEmpty() )
        in.replace( "%%NAME%%", replace );

    QFile f( path );
    f.open( IO_WriteOnly | IO_Truncate );
    QTextStream ts( &f );
    ts << in;
    f.close();
}

void wiz::savefilebinary( QByteArray in, QString path )
{
    QFile f( path );
    f.open( IO_WriteOnly | IO_Truncate );
    QDataStream ds( &f );
    // don't stream the array with ds << in: that puts additional information
    // (its length) in front of the data and the file comes out corrupted
    ds.writeRawBytes ( in, in.count());
    f.close();
}

void wiz::savefile( QString in, QString path, QStringList replacelist )
{
    if ( replacelist.count() %2 )
    {
        QMessageBox::warning( 0, path, QString( "Replace lists must exist in pairs of TAG VALUE TAG VALUE\nCan't do replace function on %1").arg( path ));
        return;
    }

    // the pairs are applied in order, each to the whole text as the pairs
    // before it left it; a pair with an empty tag is skipped
    QStringList::Iterator it = replacelist.begin();
    while ( it != replacelist.end() )
    {
        QString tag = *it;
        ++it;
        QString value = *it;
        ++it;
        if ( !tag.isEmpty() )
            in.replace( tag, value );
    }

    QFile f( path );
    f.open( IO_WriteOnly | IO_Truncate );
    QTextStream ts( &f );
    ts << in;
    f.close();
}
