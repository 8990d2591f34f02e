// main.cpp : the entry point of the library. It owns the one MyCfg object
// of the process: made when the library is first attached, deleted when the
// last attachment goes.
//
//////////////////////////////////////////////////////////////////////

#include <windows.h>
#include "MyCfg.h"

BOOL APIENTRY DllMain( HANDLE hModule, DWORD  ul_reason_for_call, LPVOID lpReserved )
{
    switch ( ul_reason_for_call )
    {
    case DLL_PROCESS_ATTACH:
        //OutputDebugString( "DLL_PROCESS_ATTACH\n" );
        if ( MyCfg::g_MyCfgObj == 0 )
        {
            //OutputDebugString( "MyCfg: DLL_PROCESS_ATTACH - creating object\n" );
            MyCfg::g_MyCfgObj = new MyCfg;
        }
        MyCfg::g_refCount++;
        break;

    case DLL_PROCESS_DETACH:
        //OutputDebugString( "DLL_PROCESS_DETACH\n" );
        if ( MyCfg::g_refCount )
            MyCfg::g_refCount--;
        if ( MyCfg::g_MyCfgObj && MyCfg::g_refCount == 0 )
        {
            //OutputDebugString( "MyCfg: DLL_PROCESS_DETACH - deleting object\n" );
            delete MyCfg::g_MyCfgObj;
            MyCfg::g_MyCfgObj = 0;
        }
        break;

    default:
        break;
    }
    return TRUE;
}
