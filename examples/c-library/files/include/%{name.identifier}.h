/* %{name}: %{summary}. */
#ifndef %{name.identifier.upper}_H
#define %{name.identifier.upper}_H

#ifdef __cplusplus
extern "C" {
#endif

/* The library's version, "MAJOR.MINOR.PATCH". */
const char *%{name.identifier}_version(void);

/* The sum of a and b. */
int %{name.identifier}_add(int a, int b);

#ifdef __cplusplus
}
#endif

#endif
