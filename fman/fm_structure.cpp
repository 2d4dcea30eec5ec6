#include "fm_structure.h"

#include <vedrix/framework/cmap.h>
#include <vedrix/framework/text_file.h>
#include <vedrix/model/root.h>

#include "structure_files.h"

namespace vedrix::fman {

CString fmProjectFile(const CString& directory, const CString& name) {
    CString path = directory;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') {
        path += '\\';
    }
    return path + name;
}

void loadFmStructure(CWnd& dialog, CTreeCtrl& tree, CImageList& images, int* slots,
                     Zel_GM_Root& root, const FmStructureSource& source) {
    tree.SetImageList(&images, TVSIL_NORMAL);
    vedrix::browser::readStructureFiles(root, fmProjectFile(source.directory, ""),
                                        source.hierarchyName, source.levelListName, 1);
    {
        CClientDC dc(&dialog);
        root.readBitmap(&dc, &images, slots);
    }
    CMap<int, int, unsigned long, unsigned long> items(10);
    items.InitHashTable(17);
    if (source.withAttributes && !source.hierarchyName.IsEmpty()) {
        vedrix::framework::TextFileReader hre(
            fmProjectFile(source.directory, source.hierarchyName));
        if (hre.is_open()) {
            root.readAttributes(hre);
        }
    }
    root.setItem(&tree, source.structureNumbers, &items, slots, nullptr, source.nameFunction);
}

}  // namespace vedrix::fman
