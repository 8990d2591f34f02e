#include "%{name.identifier}.h"

const char *%{name.identifier}_version(void)
{
    return "0.1.0";
}

int %{name.identifier}_add(int a, int b)
{
    return a + b;
}
