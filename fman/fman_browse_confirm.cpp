// Confirming the facility-management browser: after the person agrees to
// drawing files having moved, a new level tree is built from the tree
// control (identifiers in depth-first order, new UUIDs for views without
// one, each view's entry in the view list brought up to date), both
// structure files are rewritten from it, and the host's drawing-file
// information is rewritten from its drawing files and their headers; the
// copies that variants made are flushed to disk before any of it.
// Cancelling deletes the drawing files that variants made during the run.
#include "fman_listbrowse_dlg.h"

#include <vedrix/fman/tb_file_path.h>
#include <vedrix/model/root.h>
#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>
#include <zelkar/utility_language.h>

#include <rpc.h>

#include "new_uuid.h"
#include "number_text.h"
#include "structure_files.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr unsigned kHostTextMax = 80;

CString hostText(unsigned int number, unsigned int part) {
    CTecString text;
    text.GetVarlomText(number, part, kHostTextMax);
    return CString(static_cast<const char*>(text));
}

// A header identifier in its string form, "0" when it is not there.
std::string identifierText(const char* header, int firstOffset, int secondOffset) {
    double halves[2];
    std::memcpy(&halves[0], header + firstOffset, sizeof(double));
    std::memcpy(&halves[1], header + secondOffset, sizeof(double));
    unsigned char bytes[sizeof halves];
    std::memcpy(bytes, halves, sizeof halves);
    bool none = true;
    for (unsigned char byte : bytes) {
        none = none && byte == 0;
    }
    if (none) {
        return "0";
    }
    UUID uuid;
    convertdoubledouble2UUID(halves[0], halves[1], &uuid);
    RPC_CSTR text = nullptr;
    if (::UuidToStringA(&uuid, &text) != RPC_S_OK || text == nullptr) {
        return "0";
    }
    std::string result(reinterpret_cast<const char*>(text));
    ::RpcStringFreeA(&text);
    return result;
}

}  // namespace

// Confirm. The person first agrees to drawing files having moved; the
// Enter key ends an open label edit instead, and a confirm that does not
// come from Enter only beeps while the edit is open.
void CFmanListbrowseDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (anyDrawingFileMoved()) {
        const CString question =
            hostText(2200007, 1) + " " + hostText(2200007, 2) + "\n" + hostText(2200007, 3);
        if (showText(question, hostText(2200009, 0), MB_YESNO | MB_ICONQUESTION, false) != IDYES) {
            return;
        }
    }
    if (m_bLabelEditing) {
        keepLabelEditOpen(VK_RETURN);
        return;
    }
    rebuildLevels();
    // The variants' copies were made without a flush; the structure about to
    // be saved names them, so they go to disk first.
    if (m_pCreatedCopies != nullptr) {
        FlushTbFiles(m_pCreatedCopies->GetData(), static_cast<int>(m_pCreatedCopies->GetSize()));
    }
    // A file that cannot be written is passed over; the dialog still ends as
    // confirmed.
    vedrix::browser::writeStructureFiles(*m_pRoot, projectFile(""), m_csHreName, m_csStructureName);
    writeDrawingFileInfo();
    EndDialog(IDOK);
}

// Cancel: the drawing files that variants made are deleted again. While a
// label is being edited, Escape ends the edit instead.
void CFmanListbrowseDlg::OnCancel() {
    if (m_bLabelEditing && keepLabelEditOpen(VK_ESCAPE)) {
        return;
    }
    if (m_pCreatedCopies != nullptr) {
        const int unit = kgunit();
        for (INT_PTR i = 0; i < m_pCreatedCopies->GetSize(); ++i) {
            vw_tb_delete(ZelMakeTbRef(unit, static_cast<int>(m_pCreatedCopies->GetAt(i))));
        }
    }
    EndDialog(IDCANCEL);
}

// A drawing file has moved when the free list holds one that was loaded in
// the structure, or a tree item's drawing file hangs elsewhere than where
// it was loaded.
bool CFmanListbrowseDlg::anyDrawingFileMoved() const {
    for (int row = 0; row < m_lcFreeFiles.GetItemCount(); ++row) {
        const TBItemData* record = rowRecord(row);
        if (record != nullptr && record->getExtra() != 0) {
            return true;
        }
    }
    HTREEITEM rootItem = m_tcStructure.GetRootItem();
    return rootItem != nullptr && movedBelow(m_tcStructure.GetChildItem(rootItem));
}

bool CFmanListbrowseDlg::movedBelow(HTREEITEM first) const {
    for (HTREEITEM item = first; item != nullptr; item = m_tcStructure.GetNextSiblingItem(item)) {
        const TBItemData* record = recordOf(item);
        if (record != nullptr && record->getType() == TBItemData::kDrawingFile &&
            record->getExtra() != 0 &&
            record->getExtra() != reinterpret_cast<DWORD_PTR>(m_tcStructure.GetParentItem(item))) {
            return true;
        }
        if (movedBelow(m_tcStructure.GetChildItem(item))) {
            return true;
        }
    }
    return false;
}

// The new root takes the level definitions from the files' heads and the
// levels from the tree.
void CFmanListbrowseDlg::rebuildLevels() {
    viewList();
    if (HTREEITEM first = renewRootFromFiles(m_pRoot, projectFile(""))) {
        int counter = 0;
        buildLevels(first, m_pRoot, 0, counter);
    }
}

// Every item becomes a level below its parent's, numbered in tree order.
// A view gets a UUID when it has none, and its entry in the view list
// takes its name ("level%%view"), identifier, original and lock flag. The
// walk visits every item, so it asks the tree directly.
void CFmanListbrowseDlg::buildLevels(HTREEITEM first, Zel_GM_Level* parent, int parentId,
                                     int& counter) {
    for (HTREEITEM item = first; item != nullptr; item = m_tcStructure.WalkNextSibling(item)) {
        const int id = ++counter;
        const WalkedItem walked = walkItem(item);
        TBItemData* record = walked.record;
        if (record == nullptr) {
            continue;
        }
        record->setLevelID(static_cast<unsigned long>(id));
        const bool drawingFile = record->getType() == TBItemData::kDrawingFile;
        const CString name = drawingFile ? vedrix::browser::numberText(walked.number)
                                         : m_tcStructure.GetItemText(item).Left(kMaxItemText);
        if (record->getType() == TBItemData::kView) {
            if (record->getIdentifier()[0] == '\0') {
                record->setIdentifier(vedrix::browser::newUuidText());
            }
            const CString viewName =
                m_tcStructure.GetItemText(m_tcStructure.GetParentItem(item)) + "%%" + name;
            const char* original = record->getOriginalIdentifier();
            viewList().updateOrAppend(viewName, record->getIdentifier(), "",
                                      original[0] != '\0' ? original : "0",
                                      record->isLocked() ? "1" : "0");
        }
        char uuid[TBItemData::kTextSize] = {};
        vedrix::fman::copyField(uuid, record->getIdentifier());
        Zel_GM_Level* level = parent->addSublevel(
            record->getType(), static_cast<unsigned long>(id), static_cast<unsigned long>(parentId),
            ZU_String(name), record->getFlags(), reinterpret_cast<unsigned char*>(uuid));
        if (level == nullptr) {
            continue;
        }
        level->setTreeItem(item);
        record->handAttributesTo(level->getAttributes());
        if (!walked.hasChildren) {
            continue;
        }
        if (HTREEITEM child = m_tcStructure.WalkChild(item)) {
            buildLevels(child, level, id, counter);
        }
    }
}

namespace {

// The drawing-file levels below `level`, depth first.
void collectDrawingFiles(const Zel_GM_Level& level, std::vector<const Zel_GM_Level*>& out) {
    for (auto it = level.GetSublevels().begin(); !it.atEnd(); it.next()) {
        const Zel_GM_Level* sublevel = it.value();
        if (sublevel->getLevelNr() == 10) {
            out.push_back(sublevel);
        }
        collectDrawingFiles(*sublevel, out);
    }
}

}  // namespace

// One item per drawing file of the new structure: its number, its parent
// level, the identifiers of its header and whether the structure marks it
// as inserted.
void CFmanListbrowseDlg::writeDrawingFileInfo() {
    std::vector<const Zel_GM_Level*> files;
    collectDrawingFiles(*m_pRoot, files);
    CfmTbInfo info(nullptr);
    info.ClearFmTbInfo();
    const int unit = kgunit();
    std::vector<char> header(ZEL_TB_RECORD_SIZE);
    char name[TBItemData::kTextSize];
    for (const Zel_GM_Level* file : files) {
        file->getName(name, sizeof name);
        const std::string parentId = std::to_string(file->getParentID());
        std::string own = "0";
        std::string reference = "0";
        if (read_teilbild_rec(unit, std::atoi(name), header.data()) == ZEL_TB_OK) {
            own = identifierText(header.data(), ZEL_TB_REC_UUID_FIRST, ZEL_TB_REC_UUID_SECOND);
            reference =
                identifierText(header.data(), ZEL_TB_REC_REFUUID_FIRST, ZEL_TB_REC_REFUUID_SECOND);
        }
        const TBItemData* record = recordOf(static_cast<HTREEITEM>(file->getTreeItem()));
        info.InsertItem();
        info.TBNumber(name);
        info.ParentID(parentId.c_str());
        info.UUID_Tb(own.c_str());
        info.UUID_Ref(reference.c_str());
        info.InsertFlag(record != nullptr && record->isInserted() ? "1" : "0");
        info.FernoFlag("0");
    }
    info.WriteFmTbInfoFile(true);
}
