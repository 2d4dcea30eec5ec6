// The facility-management library "Zelkar_FMAN10.dll": starting the tree view
// appends the view's code path as one line to the project's tree-view log,
// so that what was started can be seen on disk.
#include <zelkar/api.h>
#include <zelkar/fman.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/text_lines.h>

#include <windows.h>

#include <cstring>
#include <string>

using namespace vedrix::hostsim;

namespace {

constexpr int kNoCodePath = 1;
constexpr int kLogFailed = 2;

bool AppendLine(const std::string& path, const std::string& line) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok =
        SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
        written == line.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

extern "C" ZELKAR_EXPORT int fmManStartTreeView(const char* codePath) {
    return Guarded(kLogFailed, [&] {
        if (codePath == nullptr || TrimBlanks(codePath).empty() ||
            std::strcmp(codePath, kWithoutCodePath) == 0) {
            return kNoCodePath;
        }
        const HostConfig config = CurrentHostConfig();
        return AppendLine(ProjectFile(config, kTreeViewLogName), OneLineField(codePath) + "\n")
                   ? 0
                   : kLogFailed;
    });
}
