#include <vedrix/hostsim/binary_file.h>

#include <vedrix/framework/file_save.h>

namespace vedrix::hostsim {

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    return framework::SaveFile(path.c_str(), bytes.data(), bytes.size()) !=
           framework::SaveResult::kFailed;
}

}  // namespace vedrix::hostsim
