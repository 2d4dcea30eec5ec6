#include <vedrix/hostsim/binary_file.h>

#include "file_handle.h"

namespace vedrix::hostsim {

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    FileHandle file(path, GENERIC_WRITE, CREATE_ALWAYS);
    return file.open() && file.write(bytes.data(), bytes.size());
}

}  // namespace vedrix::hostsim
