#include "my_lib.h"

const char *my_lib_version(void)
{
    return "0.1.0";
}

int my_lib_add(int a, int b)
{
    return a + b;
}
