// A name-lookup library that lacks set_list_path: it names every drawing
// file "Object <number>", so a test can tell its answers from the stand-in's.
#include <zelkar/api.h>

#include <cstdio>

extern "C" ZELKAR_EXPORT int read_object_name(int mode, int number, char* text) {
    if (mode != 1 || text == nullptr) {
        return 1;
    }
    std::snprintf(text, 72, "Object %d", number);
    return 0;
}
