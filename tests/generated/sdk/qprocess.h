#include "qt.h"
