// MyCfg.h: interface for the MyCfg class, the one configuration
// object of the process. Include this header, link against the library and
// reach the object through MyCfg::getObject().
//
//////////////////////////////////////////////////////////////////////

#if !defined(AFX_MYCFG1_H__D0DE1248_4051_4F19_BEF8_FE4E0593E4EB__INCLUDED_)
#define AFX_MYCFG1_H__D0DE1248_4051_4F19_BEF8_FE4E0593E4EB__INCLUDED_

#if _MSC_VER > 1000
#pragma once
#endif // _MSC_VER > 1000

// the library's own project defines DO_MYCFG_EXPORT; its users do not
#ifdef DO_MYCFG_EXPORT
#define MYCFG_EXPORT __declspec(dllexport)
#else
#define MYCFG_EXPORT __declspec(dllimport)
#endif

#pragma warning( disable: 4786 )

#include <windows.h>
#include <zelk_string.h>
#include <zelk_stringlist.h>
#include <map>

using namespace std;

class MYCFG_EXPORT MyCfg
{
public:
    static MyCfg * getObject( void );
    int getValue( int );

private:
    // having this private means you can't instantiate an instance of this class by accident
    MyCfg();
    virtual ~MyCfg();

    // the object and the count of attachments, kept by the library's entry function
    static MyCfg *g_MyCfgObj;
    static unsigned int g_refCount;
    friend BOOL APIENTRY DllMain( HANDLE , DWORD  , LPVOID );

    void load( void );

    // these are samples - replace with your own
#pragma warning( disable: 4251 )
    map< int, int > m_values;
#pragma warning( default: 4251 )
};

#endif // !defined(AFX_MYCFG1_H__D0DE1248_4051_4F19_BEF8_FE4E0593E4EB__INCLUDED_)
