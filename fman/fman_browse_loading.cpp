// The facility-management browser's set-up: the variant start number, the
// project directory handed to the name library, the item images, the
// structure read into the tree, the free drawing files of the project
// directory with their names, and the view form: every level holds views,
// every drawing file hangs under a view and appears once, and every view
// shows what the host's view file says about it.
#include "fman_listbrowse_dlg.h"

#include <vedrix/fman/free_tb_number.h>
#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>
#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>
#include <zelkar/utility_language.h>
#include <zelkar/vedada.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "name_library.h"
#include "fm_structure.h"
#include "free_files.h"
#include "fm_view_form.h"

namespace {

using vedrix::browser::libraryFunction;

constexpr int kNewLevelBitmap = 131;

void reportMissing(const char* name) {
    std::printf("fmmanager Function: <%s> in %s not found !\n", name, VEDADA_LIBRARY_NAME);
}

}  // namespace

CString CFmanListbrowseDlg::projectFile(const CString& name) const {
    return vedrix::fman::fmProjectFile(m_csDirectory, name);
}

vedrix::fman::ViewList& CFmanListbrowseDlg::viewList() {
    if (m_pViewList == nullptr) {
        m_pViewList = new vedrix::fman::ViewList;
        m_pViewList->read();
    }
    return *m_pViewList;
}

BOOL CFmanListbrowseDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmNewLevel.LoadBitmap(kNewLevelBitmap);
    m_btNewLevel.SetBitmap(static_cast<HBITMAP>(m_bmNewLevel.GetSafeHandle()));
    m_btNewLevel.EnableToolTips(TRUE);
    addTooltips();
    if (!GetVariantStartTbNr(m_nVariantStartNumber, this)) {
        m_nVariantStartNumber = 1;
    }
    SetDlgItemInt(kStartNumberField, static_cast<UINT>(m_nVariantStartNumber), FALSE);

    CString text;
    text.LoadString(2004);
    SetDlgItemText(kFreeListLabel, text);
    text.LoadString(2005);
    SetWindowText(text);
    SetDlgItemText(kInfoLine1, "...");
    SetDlgItemText(kInfoLine2, "...");

    RegisterTreeListClass();
    announceProjectDirectory();
    m_pReadObjectName = libraryFunction<VedadaReadObjectName>(m_hNameLib, VEDADA_READ_OBJECT_NAME);
    startLayout();
    m_pItemImages = vedrix::fman::createFmItemImages(m_nImages, m_viewImages);
    m_pRoot = new Zel_GM_Root(ZU_String(m_csTitle));
    m_pStructureNumbers = new CList<CString, CString>(10);

    loadStructure();
    fillFreeList();
    bringIntoViewForm();
    delete m_pStructureNumbers;
    m_pStructureNumbers = nullptr;
    prepareDrag();
    showIcon();
    if (text.LoadString(2047)) {
        SetDlgItemText(kHintText, text);
    }
    if (text.LoadString(2024)) {
        SetDlgItemText(kConfirmButton, text);
    }
    if (text.LoadString(2025)) {
        SetDlgItemText(kCancelButton, text);
    }
    return TRUE;
}

void CFmanListbrowseDlg::addTooltips() {
    m_ttTips.Create(this, TTS_ALWAYSTIP);
    CString text;
    text.LoadString(2046);
    m_ttTips.AddTool(GetDlgItem(kNewLevelButton), text);
    text.LoadString(2049);
    m_ttTips.AddTool(GetDlgItem(kStartNumberField), text);
    m_ttTips.Activate(TRUE);
}

// The name library learns the project directory, with its separator.
void CFmanListbrowseDlg::announceProjectDirectory() {
    if (!vedrix::browser::handOnProjectDirectory(m_hNameLib, projectFile(""))) {
        reportMissing(VEDADA_SET_LIST_PATH);
    }
}

// Files that do not open are passed over without a word: the tree then
// holds the root alone.
void CFmanListbrowseDlg::loadStructure() {
    vedrix::fman::FmStructureSource source;
    source.directory = m_csDirectory;
    source.hierarchyName = m_csHreName;
    source.levelListName = m_csStructureName;
    source.withAttributes = true;
    source.structureNumbers = m_pStructureNumbers;
    source.nameFunction = m_pReadObjectName;
    vedrix::fman::loadFmStructure(*this, m_tcStructure, *m_pItemImages, m_nImages, *m_pRoot,
                                  source);
}

// Every "tb0*.zdw" of the project directory whose number the structure does
// not use and whose header reads, in the order the directory gives them,
// with its name from the name library.
void CFmanListbrowseDlg::fillFreeList() {
    vedrix::browser::insertFreeListColumns(m_lcFreeFiles, m_pItemImages);
    const vedrix::browser::UsedNumbers used(*m_pStructureNumbers);
    std::vector<char> header(ZEL_TB_RECORD_SIZE);
    const int unit = kgunit();
    vedrix::browser::forEachDrawingFile(
        projectFile(""),
        "fmmanager vedrix: error while closing file-handle "
        "[FindFile(),FindNextFile(),FindClose()]",
        [&](const CString& fileName, int number) {
            if (used.contains(number) ||
                read_teilbild_rec(unit, number, header.data()) != ZEL_TB_OK) {
                return;
            }
            vedrix::browser::addFreeDrawingFile(m_lcFreeFiles, fileName, number, objectName(number),
                                                m_nImages[TBItemData::kDrawingFile]);
        });
}

// The drawing-file name that the host gives for `number`; empty when the
// lookup fails.
CString CFmanListbrowseDlg::objectName(int number) const {
    return vedrix::browser::objectNameOf(m_pReadObjectName, number, reportMissing, "fmmanager: ");
}

void CFmanListbrowseDlg::bringIntoViewForm() {
    viewList();
    m_numbersMet.clear();
    readInsertedNumbers();
    HTREEITEM rootItem = m_tcStructure.GetRootItem();
    if (rootItem != nullptr) {
        viewFormPass(m_tcStructure.GetChildItem(rootItem), rootItem, false);
    }
}

// Visits `first` and its following siblings, and below each the items it
// holds. An item that the pass deletes is never stepped from: its next
// sibling is taken before. The siblings' parent and whether it is a level
// of views come from the caller, which has them at hand, so that no drawing
// file asks the tree for them again.
void CFmanListbrowseDlg::viewFormPass(HTREEITEM first, HTREEITEM parent, bool parentIsViewLevel) {
    HTREEITEM item = first;
    while (item != nullptr) {
        HTREEITEM next = m_tcStructure.WalkNextSibling(item);
        const WalkedItem walked = walkItem(item);
        TBItemData* record = walked.record;
        const int type = record != nullptr ? record->getType() : -1;
        if (type == TBItemData::kDrawingFile) {
            // A drawing file placed directly under a level moves under a new
            // view with its siblings; the moved items need no second visit.
            const ViewFormStep step =
                viewFormDrawingFile(item, *record, walked.number, parent, parentIsViewLevel);
            if (step == ViewFormStep::kDeleted) {
                item = next;
                continue;
            }
            if (step == ViewFormStep::kGathered) {
                return;
            }
        } else if (type == vedrix::fman::kViewLevel) {
            if (!walked.hasChildren) {
                createView(item, false, nullptr, nullptr);
            }
        } else if (type >= 0 && type != TBItemData::kRoot) {
            applyViewRecord(item, *record);
        }
        // Only a level of views can have got children since the question:
        // the view made for it.
        HTREEITEM child = walked.hasChildren || type == vedrix::fman::kViewLevel
                              ? m_tcStructure.WalkChild(item)
                              : nullptr;
        if (child != nullptr) {
            viewFormPass(child, item,
                         record != nullptr && record->getType() == vedrix::fman::kViewLevel);
        }
        item = next;
    }
}

// One drawing file of the pass, below `parent`, showing drawing file `number`.
CFmanListbrowseDlg::ViewFormStep CFmanListbrowseDlg::viewFormDrawingFile(
    HTREEITEM item, TBItemData& record, int number, HTREEITEM parent, bool parentIsViewLevel) {
    if (!m_numbersMet.insert(number)) {
        m_tcStructure.SetItemData(item, 0);
        delete &record;
        m_tcStructure.DeleteItem(item);
        return ViewFormStep::kDeleted;
    }
    markIfInserted(number, record);
    if (parentIsViewLevel) {
        gatherUnderNewView(parent, item);
        return ViewFormStep::kGathered;
    }
    return ViewFormStep::kGoOn;
}

// View flag bit 3 for a drawing file that the host's drawing-file
// information marks as inserted.
void CFmanListbrowseDlg::markIfInserted(int number, TBItemData& record) {
    if (!record.isInserted() && m_insertedNumbers.contains(number)) {
        record.markInserted();
    }
}

// The numbers that the host's drawing-file information marks as inserted,
// read once for the whole pass.
void CFmanListbrowseDlg::readInsertedNumbers() {
    m_insertedNumbers.clear();
    CfmTbInfo info(nullptr);
    for (bool more = info.MoveToFirstItem(); more; more = info.MoveToNextItem()) {
        if (std::strcmp(info.InsertFlag(), "1") == 0) {
            m_insertedNumbers.insert(std::atoi(info.TBNumber()));
        }
    }
}

// A new original view under `level` takes over every drawing file that
// hangs directly under the level. `handled` has been through the pass
// already; the others meet the duplicate and insert tests as they move.
void CFmanListbrowseDlg::gatherUnderNewView(HTREEITEM level, HTREEITEM handled) {
    const TBItemData* levelRecord = recordOf(level);
    HTREEITEM view = createView(
        level, false, levelRecord != nullptr ? levelRecord->getIdentifier() : nullptr, nullptr);
    if (view == nullptr) {
        return;
    }
    const TBItemData* viewRecord = recordOf(view);
    const bool viewIsViewLevel =
        viewRecord != nullptr && viewRecord->getType() == vedrix::fman::kViewLevel;
    HTREEITEM child = m_tcStructure.GetChildItem(level);
    while (child != nullptr) {
        HTREEITEM next = m_tcStructure.GetNextSiblingItem(child);
        TBItemData* record = recordOf(child);
        if (child != view && record != nullptr && record->getType() == TBItemData::kDrawingFile) {
            HTREEITEM moved = moveItem(child, view);
            if (moved != nullptr && child != handled) {
                viewFormDrawingFile(moved, *record, drawingFileNumber(moved), view,
                                    viewIsViewLevel);
            }
        }
        child = next;
    }
}

// Puts a copy of `item` (text, images, state and record) under `parent`,
// sorted, and deletes the old item. The copy, or null when it could not be
// made (the record then goes with the old item).
HTREEITEM CFmanListbrowseDlg::moveItem(HTREEITEM item, HTREEITEM parent) {
    TVINSERTSTRUCTA insert{};
    char text[kMaxItemText + 1] = {};
    insert.item.mask =
        TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_HANDLE;
    insert.item.hItem = item;
    insert.item.pszText = text;
    insert.item.cchTextMax = sizeof text;
    insert.item.stateMask = static_cast<UINT>(-1);
    if (!m_tcStructure.GetItem(&insert.item)) {
        return nullptr;
    }
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask &= ~TVIF_HANDLE;
    HTREEITEM moved = m_tcStructure.InsertItem(&insert);
    if (moved != nullptr) {
        m_tcStructure.SetItemData(item, 0);
    }
    m_tcStructure.DeleteItem(item);
    return moved;
}

// What the view file says about a view: original or variant, locked or not,
// and the image that shows it. A view that is its own original under a
// name ending in "%%" is named as the first variant, in the tree and in
// the view file. A view the view file does not know keeps what the tree
// filling gave it.
void CFmanListbrowseDlg::applyViewRecord(HTREEITEM item, TBItemData& record) {
    vedrix::fman::ViewRecord* view = viewList().find(record.getIdentifier());
    if (view == nullptr) {
        return;
    }
    const std::size_t nameLength = std::strlen(view->name);
    if (!view->isOriginal() && std::strcmp(view->originalIdentifier, view->identifier) == 0 &&
        nameLength >= 2 && std::strcmp(view->name + nameLength - 2, "%%") == 0) {
        const CString name = m_csVariantStem + " 1";
        m_tcStructure.SetItemText(item, name);
        vedrix::fman::copyField(view->name, name);
    }
    vedrix::fman::showView(m_tcStructure, item, record, *view, m_viewImages);
}

int CFmanListbrowseDlg::viewImage(const TBItemData& record) const {
    return m_viewImages.of(record.isVariantView(), record.isLocked());
}
