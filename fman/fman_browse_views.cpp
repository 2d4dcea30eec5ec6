// Levels and views of the facility-management browser, and the commands on
// views: new levels under the root, new views, variants (copies of a view's
// drawing files under free numbers, kept in the created copies so that
// cancelling can delete them again), a host drawing made of a view's
// drawing files, the host's tree view started at a view's code path, and the
// variant start number field.
#include "fman_listbrowse_dlg.h"

#include "fm_view_form.h"

#include <vedrix/fman/free_tb_number.h>
#include <vedrix/fman/tb_copy.h>
#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>
#include <zelkar/fman.h>
#include <zelkar/utility_general.h>
#include <zelkar/utility_language.h>
#include <zelkar/utility_user_info.h>

#include "new_uuid.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kDrawingPrefix = "FM-View_";
constexpr int kDrawingDescriptionMax = ZEL_DRAWING_NAME_LENGTH - 8;
constexpr unsigned kHostTextMax = 80;

// A host text part, as the host's text table holds it.
CString hostText(unsigned int number, unsigned int part) {
    CTecString text;
    text.GetVarlomText(number, part, kHostTextMax);
    return CString(static_cast<const char*>(text));
}

}  // namespace

// The first of stem + separator + 1, 2, ... that no child of `parent`
// carries.
CString CFmanListbrowseDlg::childNameWithNumber(HTREEITEM parent, const CString& stem,
                                                const char* separator) const {
    for (int number = 1;; ++number) {
        CString name;
        name.Format("%s%s%d", static_cast<LPCSTR>(stem), separator, number);
        bool taken = false;
        for (HTREEITEM child = m_tcStructure.GetChildItem(parent); child != nullptr && !taken;
             child = m_tcStructure.GetNextSiblingItem(child)) {
            taken = m_tcStructure.GetItemText(child) == name;
        }
        if (!taken) {
            return name;
        }
    }
}

void CFmanListbrowseDlg::OnNewLevel() {
    HTREEITEM rootItem = m_tcStructure.GetRootItem();
    if (rootItem == nullptr) {
        return;
    }
    const CString name = childNameWithNumber(rootItem, m_csNewLevelStem, "");
    HTREEITEM item =
        insertSorted(rootItem, name, m_nImages[vedrix::fman::kViewLevel], INDEXTOSTATEIMAGEMASK(1),
                     new TBItemData(vedrix::fman::kViewLevel, 0, 0, 0));
    if (item == nullptr) {
        return;
    }
    m_tcStructure.SelectItem(item);
    m_tcStructure.SetFocus();
}

// A view under `level`: an original named with text 2036, or a variant of
// `source` named with text 2037 and the first number free among the
// level's children. Without an identifier the view gets a new one.
HTREEITEM CFmanListbrowseDlg::createView(HTREEITEM level, bool variant, const char* identifier,
                                         const TBItemData* source) {
    const CString name =
        variant ? childNameWithNumber(level, m_csVariantStem, " ") : m_csOriginalName;
    const CString uuid = identifier != nullptr && identifier[0] != '\0'
                             ? CString(identifier)
                             : vedrix::browser::newUuidText();
    auto* record = new TBItemData(TBItemData::kView, 0, 0, 0, nullptr, uuid);
    if (variant) {
        record->markVariant();
        if (source != nullptr) {
            record->setOriginalIdentifier(source->isVariantView() ? source->getOriginalIdentifier()
                                                                  : source->getIdentifier());
        }
    } else {
        record->markOriginal();
    }
    record->setExpanded(true);
    HTREEITEM item =
        insertSorted(level, name, viewImage(*record),
                     INDEXTOSTATEIMAGEMASK(1) | TVIS_EXPANDED | TVIS_EXPANDEDONCE, record);
    if (item == nullptr) {
        return nullptr;
    }
    m_tcStructure.SelectItem(item);
    return item;
}

// The numbers of the drawing files under `view`, read from their texts.
std::vector<int> CFmanListbrowseDlg::drawingFileNumbers(HTREEITEM view) const {
    std::vector<int> numbers;
    for (HTREEITEM child = m_tcStructure.GetChildItem(view); child != nullptr;
         child = m_tcStructure.GetNextSiblingItem(child)) {
        numbers.push_back(drawingFileNumber(child));
    }
    return numbers;
}

void CFmanListbrowseDlg::OnVariantOfOriginal() {
    const TBItemData* record = recordOf(m_tcStructure.GetSelectedItem());
    if (record != nullptr && record->isOriginalView()) {
        makeVariant(kTbCopyKeepUuid);
    }
}

void CFmanListbrowseDlg::OnVariantOfVariant() {
    const TBItemData* record = recordOf(m_tcStructure.GetSelectedItem());
    if (record != nullptr && record->isVariantView()) {
        makeVariant(kTbCopyKeepRefUuid);
    }
}

// A variant view next to the selected one, holding copies of its drawing
// files. When the copy fails the variant stays empty and no copy remains.
void CFmanListbrowseDlg::makeVariant(int mode) {
    HTREEITEM source = m_tcStructure.GetSelectedItem();
    const TBItemData* sourceRecord = recordOf(source);
    HTREEITEM variant =
        createView(m_tcStructure.GetParentItem(source), true, nullptr, sourceRecord);
    if (variant == nullptr) {
        return;
    }
    std::vector<int> sources = drawingFileNumbers(source);
    std::vector<int> copies(sources.size(), 0);
    std::vector<bool> checked;
    for (HTREEITEM child = m_tcStructure.GetChildItem(source); child != nullptr;
         child = m_tcStructure.GetNextSiblingItem(child)) {
        const TBItemData* childRecord = recordOf(child);
        checked.push_back(childRecord != nullptr && childRecord->isChecked());
    }
    const CString name = m_tcStructure.GetItemText(variant);
    const int count = static_cast<int>(sources.size());
    const int result =
        mode == kTbCopyKeepUuid
            ? CopyTbsKeepingUuid(sources.data(), copies.data(), count, m_nVariantStartNumber, name)
            : CopyTbsKeepingRefUuid(sources.data(), copies.data(), count, m_nVariantStartNumber,
                                    name);
    if (result != 0) {
        return;
    }
    const TBItemData* variantRecord = recordOf(variant);
    const int unit = kgunit();
    for (int i = 0; i < count; ++i) {
        int dirKind = 0;
        int fileUnit = 0;
        int error = 0;
        char fileName[ZEL_TB_FILE_NAME_SIZE] = {};
        lfznamC(0, copies[static_cast<std::size_t>(i)], 0, &dirKind, &fileUnit, fileName, &error);
        fileName[sizeof fileName - 1] = '\0';
        char drawingName[ZEL_TB_NAME_LENGTH + 1] = {};
        ltbvhr(unit, copies[static_cast<std::size_t>(i)], drawingName);
        drawingName[ZEL_TB_NAME_LENGTH] = '\0';
        TrimRight(drawingName);
        CString text;
        text.Format("%s %s", fileName, drawingName);
        TBItemData from(TBItemData::kDrawingFile,
                        checked[static_cast<std::size_t>(i)] ? TBItemData::kChecked : 0, 0, 0);
        HTREEITEM item = insertDrawingFile(variant, text, from,
                                           static_cast<unsigned long>(copies[std::size_t(i)]));
        if (TBItemData* copyRecord = recordOf(item)) {
            copyRecord->setFlags(variantRecord != nullptr ? variantRecord->getFlags() : 0);
            copyRecord->setExtra(0);
        }
        if (m_pCreatedCopies == nullptr) {
            m_pCreatedCopies = new CUIntArray;
        }
        m_pCreatedCopies->Add(static_cast<UINT>(copies[static_cast<std::size_t>(i)]));
    }
    showNextStartNumber();
}

// After a variant the field offers the next free number from the current
// start number on, or 1 when there is none.
void CFmanListbrowseDlg::showNextStartNumber() {
    if (!GetVariantStartTbNr(m_nVariantStartNumber, this)) {
        m_nVariantStartNumber = 1;
    }
    SetDlgItemInt(kStartNumberField, static_cast<UINT>(m_nVariantStartNumber), FALSE);
}

// The typed start number is stored for the host; the field then shows the
// first free number from it, or 1 when there is none. The field is read as a
// signed decimal number, as the data exchange reads it: "-3" is -3 (which the
// exchange then refuses as out of range), not a platform's reading of the
// sign as no number or as a large unsigned one.
void CFmanListbrowseDlg::OnStartNumberKillFocus() {
    BOOL translated = FALSE;
    const int typed = static_cast<int>(GetDlgItemInt(kStartNumberField, &translated, TRUE));
    if (typed != m_nVariantStartNumber) {
        ZelRegPutNumber(kVariantStartTbNrSection, kVariantStartTbNrKey, typed);
        m_nVariantStartNumber = typed;
    }
    int found = m_nVariantStartNumber;
    if (!GetVariantStartTbNr(found, this)) {
        showMessage(2048);
        GetDlgItem(kStartNumberField)->SetFocus();
        SetDlgItemInt(kStartNumberField, 1, FALSE);
    } else if (found != m_nVariantStartNumber) {
        SetDlgItemInt(kStartNumberField, static_cast<UINT>(found), FALSE);
    }
}

// A host drawing named "FM-View_" and the view's text (its first 62
// characters), made of the view's drawing files. An existing drawing of
// that name is replaced only when the person agrees. The outcome is told
// through the host's user messages.
void CFmanListbrowseDlg::OnHostDrawing() {
    HTREEITEM view = m_tcStructure.GetSelectedItem();
    const TBItemData* record = recordOf(view);
    if (record == nullptr || record->getType() != TBItemData::kView) {
        return;
    }
    const std::vector<int> numbers = drawingFileNumbers(view);
    char name[ZEL_DRAWING_NAME_LENGTH + 1];
    std::memset(name, ' ', ZEL_DRAWING_NAME_LENGTH);
    name[ZEL_DRAWING_NAME_LENGTH] = '\0';
    const CString description = m_tcStructure.GetItemText(view).Left(kDrawingDescriptionMax);
    const CString full = CString(kDrawingPrefix) + description;
    std::memcpy(name, static_cast<LPCSTR>(full), static_cast<std::size_t>(full.GetLength()));
    const CString shownName = full;

    // A view the host could not make one drawing of touches nothing, not
    // even a drawing of the same name.
    if (static_cast<int>(numbers.size()) > kgtbls()) {
        sendGuiMessageSuppress(1200052, shownName);
        return;
    }
    const int unit = kgunit();
    int existing = 0;
    if (vw_ze_get_nr(1, unit, name, &existing) == 0) {
        const CString question = hostText(2202026, 1) + "\n" + hostText(2202026, 2);
        const CString caption = hostText(300627, 0);
        if (showText(question, caption, MB_YESNO | MB_ICONQUESTION, false) != IDYES) {
            return;
        }
        vw_ze_delete(1, unit, existing);
    }
    int drawing = 0;
    switch (ze_create_with_activeTbList(name, numbers.data(), static_cast<int>(numbers.size()),
                                        &drawing)) {
        case ZEL_ZE_CREATED:
            sendGuiMessage(2202023, shownName);
            break;
        case ZEL_ZE_CREATED_NAME_CUT:
            sendGuiMessage(2202027, shownName);
            break;
        case ZEL_ZE_NAME_EXISTS:
            sendGuiMessage(1501761, shownName);
            break;
        default:
            sendGuiMessageSuppress(1200052, shownName);
            break;
    }
}

// The host's tree view opens at the code path that the view file gives the
// selected view. Without the facility library, or with one that lacks the
// function, nothing is called.
void CFmanListbrowseDlg::OnStartTreeView() {
    if (m_hFacilityLib == nullptr) {
        std::printf("fmmanager %s error %d  \n", FMAN_LIBRARY_NAME, 0);
        return;
    }
    auto start = reinterpret_cast<FmManStartTreeView>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_hFacilityLib, FMAN_START_TREE_VIEW)));
    if (start == nullptr) {
        return;
    }
    const TBItemData* record = recordOf(m_tcStructure.GetSelectedItem());
    if (record == nullptr) {
        return;
    }
    const vedrix::fman::ViewRecord* view = viewList().find(record->getIdentifier());
    if (view == nullptr) {
        return;
    }
    const int result = start(view->codePath);
    if (result != 0) {
        std::printf("fmmanager prcp tree error %d  \n", result);
    }
}
