// The host's name-lookup library "vedada.dll". The module loads it at run
// time and reaches its two functions through GetProcAddress, so this header
// names them and gives their types; nothing here is linked.
#pragma once

#define VEDADA_LIBRARY_NAME "vedada.dll"
#define VEDADA_SET_LIST_PATH "set_list_path"
#define VEDADA_READ_OBJECT_NAME "read_object_name"

extern "C" {
// Tells the library which project directory its lookups refer to.
typedef void (*VedadaSetListPath)(char* dir);
// Mode 1: the object name of drawing file `number` into `text` (at least 72
// bytes), in the host's character set. 0 on success, any other value is an
// error.
typedef int (*VedadaReadObjectName)(int mode, int number, char* text);
}
