// Reading a project's structure files into a level tree, as every browser
// does when it opens (and the list browser once more when it confirms).
#pragma once

#include <vedrix/framework/cstring.h>

class Zel_GM_Root;

namespace vedrix::browser {

// Reads the hierarchy file and then the level list file, each at
// `directoryPrefix` followed by its name, into `root` with `readLevels`. A
// file with an empty name, or one that does not open, is passed over
// without a word.
void readStructureFiles(Zel_GM_Root& root, const CString& directoryPrefix,
                        const CString& hierarchyName, const CString& levelListName,
                        unsigned int readLevels);

// Writes the hierarchy file (the levels, then "#ATTRIBUTES:" and the
// attribute section) and the level list file of `root`, each saved whole
// (<vedrix/framework/file_save.h>): put in the old one's place in one step,
// or, where the directory or a program holding the file does not allow that,
// by a plain write. A file with an empty name is not written; one that cannot
// be written even by a plain write is passed over without a word.
void writeStructureFiles(Zel_GM_Root& root, const CString& directoryPrefix,
                         const CString& hierarchyName, const CString& levelListName);

}  // namespace vedrix::browser
