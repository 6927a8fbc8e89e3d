// Resources carried inside the plug-in's own shared object.
#pragma once

#include <cstddef>
#include <string>

namespace sys
{

class ResourceContainer;

// Makes the container of the image file at path the process's resource file.
// The first successful call wins; later calls return 0 and change nothing.
// Returns -1 when the file holds no valid container.
int set_res_file(const std::string &path);
// Finds the image that holds this code (dladdr on a hidden function) and sets
// its container as the resource file. 0 or -1.
int set_res_file_from_own_image();
void clear_res_file();
const ResourceContainer *get_res_file();
std::string get_res_path();

// Four-character type code: four blanks, then the characters of type placed
// in reverse order from the least significant byte upwards ("APIC" -> 'APIC').
unsigned int make_type_code(const char *type);

// Resource data, owned by the container; null when missing or no file is set.
const void *get_resource(const char *type, const char *name);
// The same, with the resource's size in bytes (0 when missing).
const void *get_resource(const char *type, const char *name, std::size_t &size);

} // namespace sys
