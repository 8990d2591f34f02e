// qvmConfig.cpp: implementation of the qvmConfig class.
//
//////////////////////////////////////////////////////////////////////

#include "qvmConfig.h"
#include "zelk_config.h"

// set up by DllMain in main.cpp; static storage starts them at zero
qvmConfig *qvmConfig::g_qvmConfigObj;
unsigned int qvmConfig::g_refCount;

//////////////////////////////////////////////////////////////////////
// Construction/Destruction
//////////////////////////////////////////////////////////////////////

qvmConfig::qvmConfig()
{
    load();
}

qvmConfig::~qvmConfig()
{
}

qvmConfig * qvmConfig::getObject( void )
{
    return g_qvmConfigObj;
}

void qvmConfig::load( void )
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

int qvmConfig::getValue( int key )
{
    return m_values[ key ];
}
