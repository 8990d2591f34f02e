// wiz_util.h: file output for a template plug-in of the wizard.
//
// Each call writes one whole file, truncating what was there. The project
// directory must exist already: the host makes it before it calls go().
//
//////////////////////////////////////////////////////////////////////

#include <qdialog.h>
#include <qstringlist.h>

#if !defined(AFX_WIZ_UTIL_H__16556BF0_092E_433B_AB9F_683CCAFDFB86__INCLUDED_)
#define AFX_WIZ_UTIL_H__16556BF0_092E_433B_AB9F_683CCAFDFB86__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

class wiz
{
public:
    // writes in to path, with every name tag replaced by replace unless it is empty
    static void savefile( QString in, QString path, QString replace = "" );
    // writes in to path after applying the TAG VALUE TAG VALUE ... list in order
    static void savefile( QString in, QString path, QStringList replacepairs );
    // writes the bytes of in to path unchanged
    static void savefilebinary( QByteArray in, QString path );
};

#endif // !defined(AFX_WIZ_UTIL_H__16556BF0_092E_433B_AB9F_683CCAFDFB86__INCLUDED_)
