#include <cstdio>

int main()
{
    std::puts("%%UPPER%% says hello.");
    return 0;
}
