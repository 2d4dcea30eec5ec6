#include "structure_files.h"

#include <vedrix/framework/text_file.h>
#include <vedrix/model/root.h>

namespace vedrix::browser {

void readStructureFiles(Zel_GM_Root& root, const CString& directoryPrefix,
                        const CString& hierarchyName, const CString& levelListName,
                        unsigned int readLevels) {
    if (!hierarchyName.IsEmpty()) {
        framework::TextFileReader hre(directoryPrefix + hierarchyName);
        if (hre.is_open()) {
            root.readhre(hre, readLevels);
        }
    }
    if (!levelListName.IsEmpty()) {
        framework::TextFileReader lis(directoryPrefix + levelListName);
        if (lis.is_open()) {
            root.readlis(lis, readLevels);
        }
    }
}

void writeStructureFiles(Zel_GM_Root& root, const CString& directoryPrefix,
                         const CString& hierarchyName, const CString& levelListName) {
    if (!hierarchyName.IsEmpty()) {
        framework::TextFileWriter hre(directoryPrefix + hierarchyName);
        if (hre.is_open()) {
            root.writehre(hre);
            hre << '#' << "ATTRIBUTES:" << '\n';
            root.writeAttributes(hre);
            hre.Commit();
        }
    }
    if (!levelListName.IsEmpty()) {
        framework::TextFileWriter lis(directoryPrefix + levelListName);
        if (lis.is_open()) {
            root.writelis(lis);
            lis.Commit();
        }
    }
}

}  // namespace vedrix::browser
