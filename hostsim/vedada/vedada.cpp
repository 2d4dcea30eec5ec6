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
        // One buffer for every lookup: a structure's opening looks up the
        // names of thousands of drawing files.
        static std::string path;
        if (mode != 1 || text == nullptr || !PutDrawingFilePath(path, ListDirectory(), number)) {
            return kBadRequest;
        }
        char record[ZEL_TB_RECORD_SIZE];
        const int result = ReadHeaderRecord(path, record);
        if (result != ZEL_TB_OK) {
            return result;
        }
        const std::string_view name = HeaderRecordName(record);
        if (name.empty()) {
            return kNoName;
        }
        CopyBounded(text, kNameBufferSize, name);
        return 0;
    });
}
