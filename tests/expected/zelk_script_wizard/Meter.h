// Meter.h : the scripted UI component Meter.
//
#ifndef Meter_INCLUDED
#define Meter_INCLUDED

#include "zelk_script_helper.h"

#if defined( WIN32 ) && defined( DOEXPORT_SCRIPT )
	#define EXPORT_SCRIPT __declspec(dllexport)
#else
	#define EXPORT_SCRIPT
#endif

class EXPORT_SCRIPT Meter : public zelk_script_helper
{
public:
	Meter( zelk_client_callback * parent, const char * path );
	virtual ~Meter();

	void buttonCallback( buttonNotify *b );
	int revertiveCallback( revertiveNotify * r );
	void databaseCallback( revertiveNotify * r );
	zelk_string parentCallback( parentNotify *p );
	void timerCallback( int id );

private:
	zelk_string m_myParam;
	zelk_string m_instance;
};

#endif // Meter_INCLUDED
