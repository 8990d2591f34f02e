// Meter.cpp : the scripted UI component Meter.
//
// The component shows one panel and answers its buttons. Commands from the
// parent arrive in parentCallback(); revertives and database changes from the
// devices arrive in revertiveCallback() and databaseCallback().

#include <windows.h>
#include <stdio.h>
#include "zelk_string.h"
#include "zelk_config.h"
#include "Meter.h"

// panel ids
#define PNL_MAIN	1

// timer ids
#define TIMER_SETUP	1

// makes the component known to the framework that loads this DLL
EXPORT_ZELK_SCRIPT( Meter )

Meter::Meter( zelk_client_callback * parent, const char * path ) : zelk_script_helper( parent, path )
{
	// show the panel described in p1.zelk_ui as the main panel
	panelShow( PNL_MAIN, "p1.zelk_ui" );

	// a scripted component may fix its size here instead of taking it from the parent
	//setSize( 1024, 668 );		// a fixed size
	//setSize( PNL_MAIN );		// the size of the main panel
}

Meter::~Meter()
{
}

// a button on one of our panels has been pressed
void Meter::buttonCallback( buttonNotify *b )
{
	if( b->panel() == PNL_MAIN )
	{
		switch( b->id() )
		{
		case 1:
			textPut( "text", "you pressed|control 1", PNL_MAIN, 4 );
			break;

		case 2:
			textPut( "text", "you pressed|control 2", PNL_MAIN, 4 );
			break;

		case 3:
			textPut( "text", "you pressed|control 3", PNL_MAIN, 4 );
			break;
		}
	}
}

// a device has sent a revertive
int Meter::revertiveCallback( revertiveNotify * r )
{
	// for example, show what device 123 reports in control 3 of the main panel:
	//if( r->device() == 123 )
	//{
	//	textPut( "text", r->sInfo(), PNL_MAIN, 3 );
	//}

	return 0;
}

// a database value has changed
void Meter::databaseCallback( revertiveNotify * r )
{
}

// a command or a query from the parent
zelk_string Meter::parentCallback( parentNotify *p )
{
	if( p->command() == "return" )
	{
		if( p->value() == "all" )
		{
			// every setting that is to be persisted
			zelk_stringlist sl;
			sl << zelk_string( "myParam=%1" ).arg( m_myParam );
			return sl.join( '\n' );
		}
		else if( p->value() == "myParam" )
		{
			return zelk_string( "%1=%2" ).arg( p->value() ).arg( m_myParam );
		}
	}
	else if( p->command() == "instance" )
	{
		if( p->value() != m_instance )
		{
			m_instance = p->value();
		}
	}
	else if( p->command() == "myParam" )
	{
		m_myParam = p->value();
	}
	else if( p->command() == "_events" )
	{
		// the notifications this component can send
		zelk_stringlist sl;
		sl << "notify=*";
		return sl.join( '\n' );
	}
	else if( p->command() == "_commands" )
	{
		// the commands this component understands
		zelk_stringlist sl;
		sl << "myParam=[value]";
		return sl.join( '\n' );
	}

	return "";
}

// one of our timers has fired
void Meter::timerCallback( int id )
{
	switch( id )
	{
	case TIMER_SETUP:
		timerStop( TIMER_SETUP );
		break;

	default:
		timerStop( id );
		break;
	}
}

//////////////////////////////////////////////////////////////////////////
//
//	Callbacks above - Methods below
//
//////////////////////////////////////////////////////////////////////////
