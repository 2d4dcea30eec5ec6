// Confirming the list browser: a new level tree is built from the tree
// control (identifiers in depth-first order, new UUIDs for new levels, the
// records' attributes handed to their levels) and both structure files are
// rewritten from it. Each file is saved whole (<vedrix/framework/file_save.h>):
// put in the old one's place in one step, or, where the directory or a
// program holding the file does not allow that, written as a plain write.
#include "listbrowse_dlg.h"

#include <vedrix/model/root.h>

#include "new_uuid.h"
#include "number_text.h"
#include "structure_files.h"

#include <cstdio>
#include <cstring>

// Confirm: the Enter key ends an open label edit instead, and a confirm that
// does not come from Enter only beeps while the edit is open.
void CListbrowseDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_bLabelEditing) {
        keepLabelEditOpen(VK_RETURN);
        return;
    }
    rebuildLevels();
    // A file that cannot be written is passed over; the dialog still ends as
    // confirmed.
    vedrix::browser::writeStructureFiles(*m_pRoot, projectFile(""), m_csHreName, m_csStructureName);
    EndDialog(IDOK);
}

// The new root takes the level definitions from the files' heads and the
// levels from the tree.
void CListbrowseDlg::rebuildLevels() {
    if (HTREEITEM first = renewRootFromFiles(m_pRoot, projectFile(""))) {
        int counter = 0;
        buildLevels(first, m_pRoot, counter);
    }
}

// The levels of `first` and its siblings below `parent`, which is the level
// built from their parent item: its identifier is their parent identifier
// (the root's is 0). The walk visits every item, so it asks the tree
// directly.
void CListbrowseDlg::buildLevels(HTREEITEM first, Zel_GM_Level* parent, int& counter) {
    const unsigned long parentId = parent->getID();
    for (HTREEITEM item = first; item != nullptr; item = m_tcStructure.WalkNextSibling(item)) {
        const int id = ++counter;
        TBItemData* record = walkedRecordOf(item);
        if (record == nullptr) {
            continue;
        }
        record->setLevelID(static_cast<unsigned long>(id));
        CString name;
        CString identifier;
        if (record->getType() == TBItemData::kDrawingFile) {
            name = vedrix::browser::numberText(record->getNumber());
        } else {
            name = m_tcStructure.GetItemText(item).Left(kMaxItemText);
            identifier = record->getIdentifier();
            if (identifier.IsEmpty()) {
                identifier = vedrix::browser::newUuidText();
            }
        }
        char uuid[TBItemData::kTextSize] = {};
        std::strncpy(uuid, identifier, sizeof uuid - 1);
        Zel_GM_Level* level = parent->addSublevel(record->getType(), static_cast<unsigned long>(id),
                                                  parentId, ZU_String(name), record->getFlags(),
                                                  reinterpret_cast<unsigned char*>(uuid));
        if (level == nullptr) {
            continue;
        }
        record->handAttributesTo(level->getAttributes());
        if (HTREEITEM child = m_tcStructure.WalkChild(item)) {
            buildLevels(child, level, counter);
        }
    }
}
