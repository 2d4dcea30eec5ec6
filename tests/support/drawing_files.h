// Drawing files for the tests' projects: a header record coded as the host
// codes it, followed by the file's content, under the host's file name.
#pragma once

#include <vedrix/hostsim/drawing_file.h>

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

// Writes the drawing file with `header` at `path` (the host's file name for
// its number when `path` is empty, in `directory`).
inline void WriteDrawingFile(const std::filesystem::path& directory,
                             const vedrix::hostsim::DrawingHeader& header,
                             const std::filesystem::path& path = {},
                             const std::string& content = "plan\n") {
    std::vector<char> record(ZEL_TB_RECORD_SIZE);
    vedrix::hostsim::EncodeHeader(header, record.data());
    const std::string file =
        path.empty() ? vedrix::hostsim::DrawingFilePath(directory.string(), header.number)
                     : path.string();
    vedrix::hostsim::WriteDrawingFile(file, record.data(), content);
}

// A drawing file with content and `name` in its header.
inline void WriteNamedDrawingFile(const std::filesystem::path& directory, int number,
                                  const std::string& name, const std::filesystem::path& path = {}) {
    vedrix::hostsim::DrawingHeader header;
    header.number = number;
    header.name = name;
    header.content = true;
    WriteDrawingFile(directory, header, path);
}

}  // namespace test_support
