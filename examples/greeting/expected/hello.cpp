#include <cstdio>

int main()
{
    std::puts("HELLO says hello.");
    return 0;
}
