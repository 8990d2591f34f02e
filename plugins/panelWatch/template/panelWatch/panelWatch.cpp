#include <windows.h>
#include <stdio.h>
#include "zelk_string.h"
#include "zelk_config.h"
#include "panelWatch.h"

EXPORT_ZELK_SCRIPT( panelWatch )

panelWatch::panelWatch( zelk_client_callback * parent, const char * path )
	: zelk_script_helper( parent, path ), m_info( NULL ), m_tx( false )
{
	// show the panel file as panel 1
	panelShow( 1, "p1.zelk_ui" );

	// size the window to a fixed size, or to fit panel 1
	//setSize( 1024, 668 );
	//setSize( 1 );

	m_info = new qvInfodriver( this );
	m_info->connect( 123 );
}

panelWatch::~panelWatch()
{
	delete m_info;
}

void panelWatch::buttonCallback( buttonNotify *b )
{
	if( b->panel() == 1 )
	{
		switch( b->id() )
		{
		case 1:
			// only the active side talks to the network
			if( m_tx )
				infoWrite( 123, "hello", 1 );

			// both sides keep the slot up to date, so a standby that takes over knows what was sent
			m_info->setSlot( 1, "hello" );
			break;
		}
	}
}

int panelWatch::revertiveCallback( revertiveNotify * r )
{
	// show what device 123 reports in control 3 of panel 1
	//if( r->device() == 123 )
	//	textPut( "text", r->sInfo(), 1, 3 );

	return 0;
}

void panelWatch::databaseCallback( revertiveNotify * r )
{
}

void panelWatch::timerCallback( int )
{
}

zelk_string panelWatch::parentCallback( parentNotify *p )
{
	if( p->command() == "return" )
	{
		// the settings to be persisted, one "name=value" entry a line
		zelk_stringlist sl;
		sl << zelk_string( "myParam=" ) + m_myParam;
		return sl.join( '\n' );
	}
	else if( p->command() == "myParam" )
	{
		m_myParam = p->value();
	}

	return "";
}

/*!
	The information driver asks for one of its slots to be set.

	\param device the device of the information driver
	\param index the index of the slot
	\param slot the text requested for the slot
*/
void panelWatch::qviSlotRequest( int device, int index, const string & slot )
{
	textPut( "text", ( "Request to set slot to:|" + slot ).c_str(), 1, 4 );
}

/*!
	A client command has arrived for the information driver.

	\param workstation the workstation that sent the command
	\param device the device of the information driver
	\param message the text of the command
	\param clientHandle the handle of the sending client
	\param reference the reference that the client gave the command
*/
void panelWatch::qviClientMessage( int workstation, int device, const string & message, const string & clientHandle, const string & reference )
{
}

/*!
	Tells which side of the redundant pair this component is on.

	\param state qv::tx on the active (transmitting) side, qv::rx on the standby (receiving) side
*/
void panelWatch::qviRedundancyState( enum qv::redundancyState state )
{
	if( state == qv::tx )
		m_tx = true;
	else if( state == qv::rx )
		m_tx = false;
}

void panelWatch::qviConnected( int )
{
	textPut( "text", "Connected to Infodriver", 1, 4 );
}

void panelWatch::qviDisconnected( int )
{
	textPut( "text", "Disconnected from Infodriver", 1, 4 );
}