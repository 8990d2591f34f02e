/* my-lib: A small C library. */
#ifndef MY_LIB_H
#define MY_LIB_H

#ifdef __cplusplus
extern "C" {
#endif

/* The library's version, "MAJOR.MINOR.PATCH". */
const char *my_lib_version(void);

/* The sum of a and b. */
int my_lib_add(int a, int b);

#ifdef __cplusplus
}
#endif

#endif
