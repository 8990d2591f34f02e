#ifndef panelWatch_INCLUDED
#define panelWatch_INCLUDED

#include "zelk_script_helper.h"
#include "qvInfodriver.h"

#ifdef WIN32
	#ifdef DOEXPORT_SCRIPT
		#define EXPORT_SCRIPT __declspec(dllexport)
	#else
		#define EXPORT_SCRIPT __declspec(dllimport)
	#endif
#else
	#define EXPORT_SCRIPT
#endif

// An automatic: a panel component that sends client commands to the network
// by itself while it is the active side of a redundant pair, and follows the
// active side while it is the standby.
class panelWatch : public zelk_script_helper, public IqvInfodriverCallback
{
public:
	panelWatch( zelk_client_callback * parent, const char * path );
	virtual ~panelWatch();

	void buttonCallback( buttonNotify *b );
	int revertiveCallback( revertiveNotify * r );
	void databaseCallback( revertiveNotify * r );
	zelk_string parentCallback( parentNotify *p );
	void timerCallback( int );

protected:
	// information driver callbacks
	virtual void qviSlotRequest( int device, int index, const string & slot );
	virtual void qviClientMessage( int workstation, int device, const string & message, const string & clientHandle, const string & reference );
	virtual void qviRedundancyState( enum qv::redundancyState state );
	virtual void qviConnected( int );
	virtual void qviDisconnected( int );

private:
	qvInfodriver *m_info;
	// true while this is the active (transmitting) side
	bool m_tx;
	zelk_string m_myParam;
};

#endif