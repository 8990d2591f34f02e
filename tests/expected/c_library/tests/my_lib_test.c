#include "my_lib.h"

#include <stdio.h>
#include <string.h>

int main(void)
{
    if (my_lib_add(2, 3) != 5) {
        fputs("my_lib_add(2, 3) is not 5\n", stderr);
        return 1;
    }
    if (strcmp(my_lib_version(), "0.1.0") != 0) {
        fputs("my_lib_version() is not 0.1.0\n", stderr);
        return 1;
    }
    return 0;
}
