// Loading the project's facility-management structure into a dialog's tree:
// the structure files read into the root level, the level bitmaps added to
// the item images, and one tree item per level, view and drawing file.
//
// A structure file that does not open is passed over without a word (the
// tree then shows what the other gave, or the root alone); a level bitmap
// that cannot be loaded is reported by the level tree itself and keeps the
// dialog's default image.
#pragma once

#include <vedrix/framework/clist.h>
#include <vedrix/framework/ui.h>

class Zel_GM_Root;

namespace vedrix::fman {

// What a dialog reads, and what it learns while the tree is filled.
struct FmStructureSource {
    CString directory;      // the project directory
    CString hierarchyName;  // relative to the directory; empty: nothing is read
    CString levelListName;  // relative to the directory; empty: no drawing files
    bool withAttributes = false;
    // Receives the number text of every drawing file the tree shows; may be null.
    CList<CString, CString>* structureNumbers = nullptr;
    // The host's name lookup for drawing files; null shows them without names.
    int (*nameFunction)(int, int, char*) = nullptr;
};

// `name` in the project directory: the directory, a "\" unless it already
// ends in one, and the name.
CString fmProjectFile(const CString& directory, const CString& name);

// Gives `tree` the item images, reads the files of `source` into `root` and
// fills the tree from it (`slots` as item_data.h describes them, with the
// project's level bitmaps added for `dialog`'s device context).
void loadFmStructure(CWnd& dialog, CTreeCtrl& tree, CImageList& images, int* slots,
                     Zel_GM_Root& root, const FmStructureSource& source);

}  // namespace vedrix::fman
