#include "fman_project.h"

#include <zelkar/file_access.h>

#include <fstream>
#include <iterator>

namespace fman_test {

DirectoryState SnapshotDirectory(const fs::path& directory) {
    DirectoryState state;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        FileState file;
        file.directory = entry.is_directory();
        file.modified = entry.last_write_time();
        file.permissions = entry.status().permissions();
        if (!file.directory) {
            std::ifstream in(entry.path(), std::ios::binary);
            file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        state[entry.path().filename().string()] = file;
    }
    return state;
}

std::string Differences(const DirectoryState& before, const DirectoryState& after) {
    std::string names;
    for (const auto& [name, file] : before) {
        auto it = after.find(name);
        if (it == after.end()) {
            names += " gone:" + name;
        } else if (!(it->second == file)) {
            names += " changed:" + name;
        }
    }
    for (const auto& [name, file] : after) {
        if (before.find(name) == before.end()) {
            names += " added:" + name;
        }
    }
    return names;
}

void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

vedrix::hostsim::DrawingHeader Header(int number, const std::string& name, double uuid0,
                                      double uuid1, double ref0, double ref1) {
    vedrix::hostsim::DrawingHeader header;
    header.number = number;
    header.name = name;
    header.content = true;
    header.uuid[0] = uuid0;
    header.uuid[1] = uuid1;
    header.refUuid[0] = ref0;
    header.refUuid[1] = ref1;
    return header;
}

std::string StoredName(const hostsim_test::HostProject& project, int number) {
    const std::string bytes = project.readFile(vedrix::hostsim::DrawingFileName(number));
    if (bytes.size() < ZEL_TB_REC_NAME + ZEL_TB_NAME_LENGTH) {
        return "";
    }
    return bytes.substr(ZEL_TB_REC_NAME, ZEL_TB_NAME_LENGTH);
}

}  // namespace fman_test
