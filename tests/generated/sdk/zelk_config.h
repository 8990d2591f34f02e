// Test stand-in for the platform's configuration classes.
#ifndef ZELK_CONFIG_H
#define ZELK_CONFIG_H

#include "zelk_stringlist.h"

class zelk_config;

#endif
