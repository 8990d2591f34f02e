// tamber_component.h : the scripted UI component tamber_component.
//
#ifndef tamber_component_INCLUDED
#define tamber_component_INCLUDED

#include "zelk_script_helper.h"

#if defined( WIN32 ) && defined( DOEXPORT_SCRIPT )
	#define EXPORT_SCRIPT __declspec(dllexport)
#else
	#define EXPORT_SCRIPT
#endif

class EXPORT_SCRIPT tamber_component : public zelk_script_helper
{
public:
	tamber_component( zelk_client_callback * parent, const char * path );
	virtual ~tamber_component();

	void buttonCallback( buttonNotify *b );
	int revertiveCallback( revertiveNotify * r );
	void databaseCallback( revertiveNotify * r );
	zelk_string parentCallback( parentNotify *p );
	void timerCallback( int id );

private:
	zelk_string m_myParam;
	zelk_string m_instance;
};

#endif // tamber_component_INCLUDED
