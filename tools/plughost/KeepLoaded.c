/* Keeps every shared object loaded for the life of the process: dlclose is
 * interposed by the executable and does nothing. Plug-ins load libraries of
 * their own (LSP's stubs load one shared core) and unload them on close;
 * objects that stay mapped keep threads and leftovers valid, and keep their
 * memory reachable and their functions named in sanitizer reports. */
#define _GNU_SOURCE
#include <dlfcn.h>

__attribute__((visibility("default"))) int dlclose(void *handle)
{
	(void)handle;
	return 0;
}
