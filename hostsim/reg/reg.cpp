// "Zelkar_Reg10.dll": the host's setup directories and folders come from the
// configuration ("setup.<kind>" and "folder.<tag>").
#include <zelkar/reg.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/text_lines.h>

#include <map>
#include <string>

using namespace vedrix::hostsim;

namespace {

constexpr std::size_t kSetupPathSize = 256;

// The entry without trailing separators; false when there is none.
bool Lookup(const std::map<std::string, std::string>& entries, const char* key,
            std::string& value) {
    if (key == nullptr) {
        return false;
    }
    const auto found = entries.find(key);
    if (found == entries.end()) {
        return false;
    }
    value = found->second;
    while (value.size() > 1 && (value.back() == '\\' || value.back() == '/')) {
        value.pop_back();
    }
    return !value.empty();
}

}  // namespace

bool ZSYST_ZelRegGetSetupPath(const char* kind, char* dir) {
    return Guarded(false, [&] {
        std::string directory;
        // A directory that does not fit the caller's buffer is refused, not cut.
        if (dir == nullptr || !Lookup(CurrentHostConfig().setupDirectories, kind, directory) ||
            directory.size() >= kSetupPathSize) {
            return false;
        }
        CopyBounded(dir, kSetupPathSize, directory);
        return true;
    });
}

const char* ZSYST_GetTectoraFolderByTag(const char* tag) {
    static std::string folder;
    return Guarded(static_cast<const char*>(nullptr), [&]() -> const char* {
        if (!Lookup(CurrentHostConfig().folders, tag, folder)) {
            return nullptr;
        }
        return folder.c_str();
    });
}
