// main.cpp : the entry point of the library. It owns the one qvmConfig object
// of the process: made when the library is first attached, deleted when the
// last attachment goes.
//
//////////////////////////////////////////////////////////////////////

#include <windows.h>
#include "qvmConfig.h"

BOOL APIENTRY DllMain( HANDLE hModule, DWORD  ul_reason_for_call, LPVOID lpReserved )
{
    switch ( ul_reason_for_call )
    {
    case DLL_PROCESS_ATTACH:
        //OutputDebugString( "DLL_PROCESS_ATTACH\n" );
        if ( qvmConfig::g_qvmConfigObj == 0 )
        {
            //OutputDebugString( "qvmConfig: DLL_PROCESS_ATTACH - creating object\n" );
            qvmConfig::g_qvmConfigObj = new qvmConfig;
        }
        qvmConfig::g_refCount++;
        break;

    case DLL_PROCESS_DETACH:
        //OutputDebugString( "DLL_PROCESS_DETACH\n" );
        if ( qvmConfig::g_refCount )
            qvmConfig::g_refCount--;
        if ( qvmConfig::g_qvmConfigObj && qvmConfig::g_refCount == 0 )
        {
            //OutputDebugString( "qvmConfig: DLL_PROCESS_DETACH - deleting object\n" );
            delete qvmConfig::g_qvmConfigObj;
            qvmConfig::g_qvmConfigObj = 0;
        }
        break;

    default:
        break;
    }
    return TRUE;
}
