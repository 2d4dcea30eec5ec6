// Editing in the facility-management browser's tree: the context menus,
// the expanded bit, renaming levels and variant views in place, deleting
// with its rules for levels, replicated views and views that hold drawing
// files, taking an item out of the structure, and the two information lines
// about the selected item.
#include "fman_listbrowse_dlg.h"

#include "fm_view_form.h"

#include "free_files.h"

#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kContextMenu = 132;
constexpr int kRootMenu = 1;
constexpr int kOriginalMenu = 2;
constexpr int kVariantMenu = 3;
constexpr int kLockedMenu = 4;
constexpr int kLevelMenu = 5;
const char* const kNothingToSay = "...";

// Both halves zero: a header identifier that is not there.
bool isNoIdentifier(double first, double second) {
    unsigned char bytes[2 * sizeof(double)];
    std::memcpy(bytes, &first, sizeof first);
    std::memcpy(bytes + sizeof first, &second, sizeof second);
    for (unsigned char byte : bytes) {
        if (byte != 0) {
            return false;
        }
    }
    return true;
}

bool sameBits(const double* a, const double* b) {
    return std::memcmp(a, b, 2 * sizeof(double)) == 0;
}

}  // namespace

void CFmanListbrowseDlg::OnTreeClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    UpdateData(TRUE);
}

// The menu that fits the item under the cursor, at the cursor.
void CFmanListbrowseDlg::OnTreeRightClick(NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    HTREEITEM item = m_tcStructure.GetDropHilightItem();
    if (item == nullptr) {
        CPoint point;
        ::GetCursorPos(&point);
        m_tcStructure.ScreenToClient(&point);
        item = m_tcStructure.HitTest(point);
    }
    if (item == nullptr) {
        return;
    }
    m_tcStructure.SelectItem(item);
    const TBItemData* record = recordOf(item);
    if (record == nullptr) {
        return;
    }
    int submenu = -1;
    if (record->getType() == TBItemData::kRoot) {
        submenu = kRootMenu;
    } else if (record->getType() == vedrix::fman::kViewLevel) {
        submenu = kLevelMenu;
    } else if (record->getType() == TBItemData::kView) {
        if (record->isLocked()) {
            submenu = kLockedMenu;
        } else if (record->isOriginalView()) {
            submenu = kOriginalMenu;
        } else if (record->isVariantView()) {
            submenu = kVariantMenu;
        }
    }
    if (submenu < 0) {
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(kContextMenu)) {
        return;
    }
    CMenu* popup = menu.GetSubMenu(submenu);
    if (popup == nullptr) {
        return;
    }
    if ((submenu == kOriginalMenu || submenu == kVariantMenu) && m_hFacilityLib == nullptr) {
        popup->EnableMenuItem(kTreeViewCommand, MF_BYCOMMAND | MF_GRAYED);
    }
    CPoint point;
    ::GetCursorPos(&point);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CFmanListbrowseDlg::OnRenameCommand() {
    if (HTREEITEM item = m_tcStructure.GetSelectedItem()) {
        m_tcStructure.EditLabel(item);
    }
}

// Levels and variant views may be renamed; the root and original views are
// refused with a beep, drawing files without one.
void CFmanListbrowseDlg::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* note = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    const TBItemData* record = recordOf(note->item.hItem);
    *pResult = 1;
    if (record == nullptr || record->getType() == TBItemData::kDrawingFile) {
        return;
    }
    if (record->getType() == vedrix::fman::kViewLevel ||
        (record->getType() == TBItemData::kView && record->isVariantView())) {
        m_bLabelEditing = 1;
        *pResult = 0;
        return;
    }
    ::MessageBeep(0);
}

// An empty name is refused and a name longer than 50 characters cut, each
// with its message unless the person is on the way to the cancel button.
void CFmanListbrowseDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* note = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR);
    *pResult = 0;
    if (m_bLabelEditCancelled) {
        m_bLabelEditCancelled = 0;
    } else if (note->item.pszText != nullptr) {
        CString text = editedLabel(*note);
        CWnd* focus = GetFocus();
        const bool leaving = focus != nullptr && focus->GetDlgCtrlID() == kCancelButton;
        if (text.IsEmpty()) {
            if (!leaving) {
                m_bLabelEditing = 0;
                showMessage(2016);
                m_tcStructure.SetFocus();
            }
        } else {
            if (text.GetLength() > kMaxLabel) {
                if (!leaving) {
                    m_bLabelEditing = 0;
                    showMessage(2045);
                }
                text = text.Left(kMaxLabel);
                // The tree takes the label from the notification once it is
                // accepted: it is cut there too.
                if (static_cast<int>(std::strlen(note->item.pszText)) > kMaxLabel) {
                    note->item.pszText[kMaxLabel] = '\0';
                }
            }
            setItemText(note->item.hItem, text);
            showInformation(note->item.hItem);
            *pResult = 1;
        }
    }
    m_bLabelEditing = 0;
}

void CFmanListbrowseDlg::OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const auto* note = reinterpret_cast<NMTVKEYDOWN*>(pNMHDR);
    if (note->wVKey == VK_DELETE) {
        deleteSelected();
    }
}

void CFmanListbrowseDlg::OnDeleteCommand() {
    deleteSelected();
}

// Levels stay; a replicated view stays with a message; a view that holds
// drawing files asks whether they go from the project too; any other item
// with sub-items is refused; an item without leaves the structure.
void CFmanListbrowseDlg::deleteSelected() {
    if (m_bDragging) {
        return;
    }
    HTREEITEM item = m_tcStructure.GetSelectedItem();
    const TBItemData* record = recordOf(item);
    if (item == nullptr || record == nullptr || record->getType() == vedrix::fman::kViewLevel) {
        return;
    }
    m_hDraggedItem = item;
    m_nDraggedType = record->getType();
    if (record->getType() == TBItemData::kView) {
        if (const vedrix::fman::ViewRecord* view = viewList().find(record->getIdentifier())) {
            const char* date = view->replicationDate;
            if (std::strcmp(date, "-1") != 0 && std::strcmp(date, "0") != 0 &&
                std::strcmp(date, CfmViewInfo::cs_DATWA()) != 0) {
                showMessage(2043, MB_ICONEXCLAMATION);
                return;
            }
        }
        if (m_tcStructure.ItemHasChildren(item)) {
            deleteView(item);
            return;
        }
    }
    if (m_tcStructure.ItemHasChildren(item)) {
        showMessage(2001);
        return;
    }
    removeItem(item);
}

// Yes deletes the view's drawing files in the project with the view; No
// puts them back into the free list and deletes the view; Cancel keeps all.
void CFmanListbrowseDlg::deleteView(HTREEITEM view) {
    const int answer = showMessage(2044, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) {
        return;
    }
    const int unit = kgunit();
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = m_tcStructure.GetChildItem(view); child != nullptr;
         child = m_tcStructure.GetNextSiblingItem(child)) {
        children.push_back(child);
    }
    for (HTREEITEM child : children) {
        TBItemData* record = recordOf(child);
        if (answer == IDYES) {
            vw_tb_delete(ZelMakeTbRef(unit, drawingFileNumber(child)));
            m_tcStructure.SetItemData(child, 0);
            delete record;
            m_tcStructure.DeleteItem(child);
        } else {
            m_nDraggedType = record != nullptr ? record->getType() : -1;
            removeItem(child);
        }
    }
    m_nDraggedType = TBItemData::kView;
    removeItem(view);
}

// Takes an item without sub-items out of the structure. A drawing file
// whose file exists goes back to the free list; a view that leaves its level
// empty takes the level with it.
void CFmanListbrowseDlg::removeItem(HTREEITEM item) {
    if (m_tcStructure.GetItemText(item) == m_csTitle) {
        showMessage(2006);
        return;
    }
    TBItemData* record = recordOf(item);
    if (record != nullptr && record->getType() == TBItemData::kDrawingFile &&
        !record->isFileMissing()) {
        returnToFreeList(item, *record);
    }
    const bool isView = record != nullptr && record->getType() == TBItemData::kView;
    HTREEITEM parent = m_tcStructure.GetParentItem(item);
    deleteItem(item);
    if (isView && parent != nullptr && !m_tcStructure.ItemHasChildren(parent)) {
        const TBItemData* level = recordOf(parent);
        if (level != nullptr && level->getType() == vedrix::fman::kViewLevel) {
            m_tcStructure.SetItemData(parent, 0);
            delete level;
            m_tcStructure.DeleteItem(parent);
        }
    }
}

// The row shows the two halves of the item's text: the file name before the
// first blank and the drawing file's name after it. It remembers where the
// drawing file was loaded.
void CFmanListbrowseDlg::returnToFreeList(HTREEITEM item, const TBItemData& record) {
    CString fileName, name;
    vedrix::browser::splitDrawingFileText(m_tcStructure.GetItemText(item), fileName, name);
    vedrix::browser::addFreeRow(
        m_lcFreeFiles, fileName, name,
        new TBItemData(record.getType(), record.getFlags(), record.getNumber(), 0, nullptr, nullptr,
                       record.getExtra()),
        m_nImages[TBItemData::kDrawingFile]);
}

void CFmanListbrowseDlg::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    showInformation(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemNew.hItem);
}

// Line 1036 says what the item is, line 1037 where it comes from: an
// original view's code path, a variant's original, and for a drawing file
// the drawing file it was copied from.
void CFmanListbrowseDlg::showInformation(HTREEITEM item) {
    const TBItemData* record = recordOf(item);
    CString first = kNothingToSay;
    CString second = kNothingToSay;
    CString label;
    const CString text = m_tcStructure.GetItemText(item);
    const CString parentText = m_tcStructure.GetItemText(m_tcStructure.GetParentItem(item));
    if (record == nullptr) {
        // Both lines have nothing to say.
    } else if (record->getType() == TBItemData::kView && record->isOriginalView()) {
        label.LoadString(2036);
        first = label + " : " + parentText + "." + text;
        const vedrix::fman::ViewRecord* view = viewList().find(record->getIdentifier());
        if (view != nullptr && view->codePath[0] != '\0') {
            second = view->codePath;
        }
    } else if (record->getType() == TBItemData::kView && record->isVariantView()) {
        label.LoadString(2037);
        first = label + " : " + text;
        for (HTREEITEM other = m_tcStructure.GetChildItem(m_tcStructure.GetParentItem(item));
             other != nullptr; other = m_tcStructure.GetNextSiblingItem(other)) {
            const TBItemData* otherRecord = recordOf(other);
            if (other != item && otherRecord != nullptr &&
                std::strcmp(otherRecord->getIdentifier(), record->getOriginalIdentifier()) == 0) {
                label.LoadString(2036);
                second = label + " : " + parentText + "." + m_tcStructure.GetItemText(other);
                break;
            }
        }
    } else if (record->getType() == TBItemData::kDrawingFile) {
        label.LoadString(2007);
        first = label + " : " + text;
        const int source = copySource(drawingFileNumber(item));
        if (source > 0) {
            CString number;
            number.Format("%6d", source);
            number.Replace(' ', '0');
            label.LoadString(2042);
            // The item's file name with the source's number in it.
            CString fileName, name;
            vedrix::browser::splitDrawingFileText(text, fileName, name);
            second = label + " : " + fileName.Left(2) + number + fileName.Right(4);
        }
    }
    first.Trim();
    second.Trim();
    SetDlgItemText(kInfoLine1, first);
    SetDlgItemText(kInfoLine2, second);
}

// The number of the drawing file whose own identifier is the reference
// identifier of drawing file `number`; 0 when it has none or no drawing
// file carries it.
int CFmanListbrowseDlg::copySource(int number) const {
    const int unit = kgunit();
    std::vector<char> header(ZEL_TB_RECORD_SIZE);
    if (read_teilbild_rec(unit, number, header.data()) != ZEL_TB_OK) {
        return 0;
    }
    double reference[2];
    std::memcpy(&reference[0], header.data() + ZEL_TB_REC_REFUUID_FIRST, sizeof(double));
    std::memcpy(&reference[1], header.data() + ZEL_TB_REC_REFUUID_SECOND, sizeof(double));
    if (isNoIdentifier(reference[0], reference[1])) {
        return 0;
    }
    int other = 0;
    while (read_teilbild_next(unit, &other, header.data()) == ZEL_TB_OK) {
        double own[2];
        std::memcpy(&own[0], header.data() + ZEL_TB_REC_UUID_FIRST, sizeof(double));
        std::memcpy(&own[1], header.data() + ZEL_TB_REC_UUID_SECOND, sizeof(double));
        if (sameBits(own, reference)) {
            return other;
        }
    }
    return 0;
}
