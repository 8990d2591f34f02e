// MyCfg.cpp: implementation of the MyCfg class.
//
//////////////////////////////////////////////////////////////////////

#include "MyCfg.h"
#include "zelk_config.h"

// set up by DllMain in main.cpp; static storage starts them at zero
MyCfg *MyCfg::g_MyCfgObj;
unsigned int MyCfg::g_refCount;

//////////////////////////////////////////////////////////////////////
// Construction/Destruction
//////////////////////////////////////////////////////////////////////

MyCfg::MyCfg()
{
    load();
}

MyCfg::~MyCfg()
{
}

MyCfg * MyCfg::getObject( void )
{
    return g_MyCfgObj;
}

void MyCfg::load( void )
{
    // load the data - this can be calculated, loaded from file
    // or read from the system configuration; this sample fills in a table
    for ( int x = 0; x < 10; x++ )
        m_values.insert( map< int, int >::value_type( x, 10 - x ) );
}

// some more functions you might want:
//  int getKey( int value );
//  int setValue( int key, int value );
//  int getValueList( map<int,int> & return );
//  int getDestForDevice( const string & deviceName );

int MyCfg::getValue( int key )
{
    return m_values[ key ];
}
