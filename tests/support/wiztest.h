#ifndef WIZTEST_H
#define WIZTEST_H

// What nearly every test needs: its main function and environment, files read
// and written whole, and modal dialogs answered from the test.
#include "files.h"
#include "modalanswer.h"
#include "testmain.h"

#endif
