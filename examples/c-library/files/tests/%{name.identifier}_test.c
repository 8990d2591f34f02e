#include "%{name.identifier}.h"

#include <stdio.h>
#include <string.h>

int main(void)
{
    if (%{name.identifier}_add(2, 3) != 5) {
        fputs("%{name.identifier}_add(2, 3) is not 5\n", stderr);
        return 1;
    }
    if (strcmp(%{name.identifier}_version(), "0.1.0") != 0) {
        fputs("%{name.identifier}_version() is not 0.1.0\n", stderr);
        return 1;
    }
    return 0;
}
