// The name-lookup library "vedada.dll": the object name of a drawing file is
// the name field of its header record, in the directory last given to
// set_list_path (the current directory before that).
#include <zelkar/api.h>
#include <zelkar/vedada.h>

#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/text_lines.h>

#include <string>

using namespace vedrix::hostsim;

namespace {

// Results of read_object_name besides the header record results.
constexpr int kBadRequest = 1;
constexpr int kNoName = 2;
// The caller's buffer: the name with its terminator fits.
constexpr std::size_t kNameBufferSize = 72;

std::string& ListDirectory() {
    static std::string directory;
    return directory;
}

}  // namespace

extern "C" ZELKAR_EXPORT void set_list_path(char* dir) {
    Guarded([&] { ListDirectory() = dir != nullptr ? dir : ""; });
}

extern "C" ZELKAR_EXPORT int read_object_name(int mode, int number, char* text) {
    return Guarded(kBadRequest, [&] {
        const std::string path = DrawingFilePath(ListDirectory(), number);
        if (mode != 1 || text == nullptr || path.empty()) {
            return kBadRequest;
        }
        DrawingHeader header;
        const int result = ReadHeader(path, header);
        if (result != ZEL_TB_OK) {
            return result;
        }
        if (header.name.empty()) {
            return kNoName;
        }
        CopyBounded(text, kNameBufferSize, header.name);
        return 0;
    });
}
