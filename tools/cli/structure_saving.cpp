#include "structure_saving.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <vedrix/framework/file_save.h>
#include <vedrix/framework/text_file.h>

namespace vedrix::cli {
namespace {

// The file's bytes; none when there is no such file.
std::optional<std::string> bytesOf(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool save(const std::string& path, const std::string& text) {
    framework::TextFileWriter writer(path.c_str());
    writer.write(text.data(), static_cast<std::streamsize>(text.size()));
    return writer.Commit();
}

// Puts the file back as it was before the save.
bool restore(const std::string& path, const std::optional<std::string>& before) {
    if (!before) {
        std::error_code ec;
        return std::filesystem::remove(path, ec) || !std::filesystem::exists(path, ec);
    }
    return framework::SaveFile(path.c_str(), before->data(), before->size()) !=
           framework::SaveResult::kFailed;
}

}  // namespace

bool saveStructureFiles(const std::string& hierarchyPath, const std::string& levelListPath,
                        const StructureTexts& texts, std::string& error) {
    const std::optional<std::string> hierarchyBefore = bytesOf(hierarchyPath);
    const bool saved = save(hierarchyPath, texts.hierarchy);
    if (saved && save(levelListPath, texts.levelList)) {
        return true;
    }
    // A failed save may have left part of the text in the file itself.
    error = "cannot write " + (saved ? levelListPath : hierarchyPath);
    if (!restore(hierarchyPath, hierarchyBefore)) {
        error += ", and " + hierarchyPath + " could not be put back as it was";
    }
    return false;
}

}  // namespace vedrix::cli
