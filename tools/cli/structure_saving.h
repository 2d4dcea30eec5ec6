// Saving a structure's two files together: both or neither.
#pragma once

#include <string>

#include "structure_file_texts.h"

namespace vedrix::cli {

// Saves the texts as the hierarchy file and the level list file, each as the
// module saves its files (<vedrix/framework/text_file.h>: lines ended as the
// platform's text files end them, the whole file put in the old one's place
// in one step where the directory allows). When the level list file cannot
// be saved, the hierarchy file gets back the bytes it had (or is removed
// when it did not exist). False, with `error` saying what failed, when the
// files were not saved.
bool saveStructureFiles(const std::string& hierarchyPath, const std::string& levelListPath,
                        const StructureTexts& texts, std::string& error);

}  // namespace vedrix::cli
