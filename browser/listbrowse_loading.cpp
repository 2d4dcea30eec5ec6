// The list browser's set-up: the project directory handed to the name
// library, the image lists, the structure read into the tree, the free
// drawing files of the project directory with their names, and the palette
// of level types.
#include "listbrowse_dlg.h"

#include <vedrix/framework/text_file.h>
#include <vedrix/model/root.h>
#include <vedrix/widgets/tree_list_class.h>
#include <zelkar/utility_language.h>
#include <zelkar/vedada.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "browser_resources.h"
#include "free_files.h"
#include "name_library.h"
#include "structure_files.h"

namespace {

using vedrix::browser::kItemImagesBitmap;
using vedrix::browser::kTransparentColor;
using vedrix::browser::libraryFunction;
using vedrix::browser::reportMissingFunction;
using vedrix::browser::textWithArgument;

constexpr int kStateImagesBitmap = 125;
constexpr int kMissingFileBitmap = 126;

// The address of the name library's read_object_name, as the set-up found
// it; the free-list loader and the tree filling look names up through it.
VedadaReadObjectName g_readObjectName = nullptr;

// The drawing-file name that the host gives for `number`; empty when the
// lookup fails.
CString objectName(int number) {
    return vedrix::browser::objectNameOf(g_readObjectName, number, reportMissingFunction, "");
}

}  // namespace

CString CListbrowseDlg::projectFile(const CString& name) const {
    CString path = m_csDirectory;
    if (path.IsEmpty() || path[path.GetLength() - 1] != '\\') {
        path += '\\';
    }
    return path + name;
}

BOOL CListbrowseDlg::OnInitDialog() {
    RegisterTreeListClass();
    announceProjectDirectory();
    g_readObjectName = libraryFunction<VedadaReadObjectName>(m_hNameLib, VEDADA_READ_OBJECT_NAME);
    CDialog::OnInitDialog();
    startLayout();
    setTexts();
    createImageLists();
    m_pRoot = new Zel_GM_Root(ZU_String(m_csTitle));
    m_pStructureNumbers = new CList<CString, CString>(10);
    loadStructure();
    fillFreeList();
    fillPalette();
    delete m_pStructureNumbers;
    m_pStructureNumbers = nullptr;
    prepareDrag();
    showIcon();
    CString text;
    if (text.LoadString(2024)) {
        SetDlgItemText(kConfirmButton, text);
    }
    if (text.LoadString(2025)) {
        SetDlgItemText(kCancelButton, text);
    }
    return TRUE;
}

// The name library learns the project directory, with its separator.
void CListbrowseDlg::announceProjectDirectory() {
    if (!vedrix::browser::handOnProjectDirectory(m_hNameLib, projectFile(""))) {
        reportMissingFunction(VEDADA_SET_LIST_PATH);
    }
}

void CListbrowseDlg::setTexts() {
    CString text;
    text.LoadString(2000);
    SetWindowText(text);
    SetDlgItemText(kInfoLine, textWithArgument(2011, m_csTitle));
    SetDlgItemText(kStructureLine, textWithArgument(2012, m_csStructureName));
    text.LoadString(2002);
    SetDlgItemText(kTreeLabel, text);
    text.LoadString(2003);
    SetDlgItemText(kPaletteLabel, text);
    text.LoadString(2004);
    SetDlgItemText(kFreeListLabel, text);
}

// The item images hold the images of bitmap 108 in slot order (root, the
// nine level types and drawing files, unchecked and checked) and the image
// of a missing drawing file; the level types that the project defines get
// their own images when the level bitmaps are read.
void CListbrowseDlg::createImageLists() {
    std::fill(std::begin(m_nImages), std::end(m_nImages), kImageSlotNone);
    m_pItemImages = new CImageList;
    m_pItemImages->Create(24, 24, ILC_MASK, 23, 100);
    m_pStateImages = new CImageList;
    m_pStateImages->Create(20, 20, ILC_MASK, 5, 5);
    CBitmap states;
    states.LoadBitmap(kStateImagesBitmap);
    m_pStateImages->Add(&states, kTransparentColor);
    CBitmap items;
    items.LoadBitmap(kItemImagesBitmap);
    const int first = m_pItemImages->Add(&items, kTransparentColor);
    CBitmap missing;
    missing.LoadBitmap(kMissingFileBitmap);
    const int missingImage = m_pItemImages->Add(&missing, kTransparentColor);
    m_nImages[0] = first;
    m_nImages[TBItemData::kDrawingFile] = first + TBItemData::kDrawingFile;
    m_nImages[kImageSlotChecked] = first + kImageSlotChecked;
    m_nImages[kImageSlotChecked + TBItemData::kDrawingFile] =
        first + kImageSlotChecked + TBItemData::kDrawingFile;
    m_nImages[kImageSlotFileMissing] = missingImage;
}

// Files that do not open are passed over without a word: the tree then
// holds the root alone.
void CListbrowseDlg::loadStructure() {
    m_tcStructure.SetImageList(m_pItemImages, TVSIL_NORMAL);
    m_tcStructure.SetImageList(m_pStateImages, TVSIL_STATE);
    vedrix::browser::readStructureFiles(*m_pRoot, projectFile(""), m_csHreName, m_csStructureName,
                                        1);
    {
        CClientDC dc(this);
        m_pRoot->readBitmap(&dc, m_pItemImages, m_nImages);
    }
    CMap<int, int, unsigned long, unsigned long> items(10);
    items.InitHashTable(17);
    if (!m_csHreName.IsEmpty()) {
        vedrix::framework::TextFileReader hre(projectFile(m_csHreName));
        if (hre.is_open()) {
            m_pRoot->readAttributes(hre);
        }
    }
    m_pRoot->setItem(&m_tcStructure, m_pStructureNumbers, &items, m_nImages, nullptr,
                     g_readObjectName);
}

// Every "tb0*.zdw" of the project directory whose number the structure does
// not use, in the order the directory gives them, with its name from the
// name library.
void CListbrowseDlg::fillFreeList() {
    vedrix::browser::insertFreeListColumns(m_lcFreeFiles, m_pItemImages);
    const vedrix::browser::UsedNumbers used(*m_pStructureNumbers);
    vedrix::browser::forEachDrawingFile(
        projectFile(""),
        "vedrix: error while closing file-handle [FindFile(),FindNextFile(),FindClose()]",
        [&](const CString& fileName, int number) {
            if (used.contains(number)) {
                return;
            }
            vedrix::browser::addFreeDrawingFile(m_lcFreeFiles, fileName, number, objectName(number),
                                                m_nImages[TBItemData::kDrawingFile]);
        });
}

// One row per level type that has an image, in ascending order of type,
// named with the type's default name.
void CListbrowseDlg::fillPalette() {
    CString heading;
    heading.LoadString(2009);
    CRect rect;
    m_lcPalette.GetWindowRect(&rect);
    m_lcPalette.InsertColumn(0, heading, LVCFMT_LEFT, rect.Width() - 4);
    m_lcPalette.SetImageList(m_pItemImages, LVSIL_SMALL);
    int at = 0;
    for (int type = 9; type >= 1; --type) {
        if (m_nImages[type] == kImageSlotNone) {
            continue;
        }
        auto* record = new TBItemData(static_cast<unsigned char>(type), 0, 0, 0);
        char name[kMaxItemText + 1] = {};
        const bool named = m_pRoot->getdeflevelname(type, name, kMaxItemText) <= 0;
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = at;
        item.pszText = named ? name : const_cast<char*>("");
        item.iImage = m_nImages[type];
        item.lParam = reinterpret_cast<LPARAM>(record);
        const int row = m_lcPalette.InsertItem(&item);
        if (row < 0) {
            delete record;
            continue;
        }
        item.iItem = row;
        m_lcPalette.SetItem(&item);
        at = row;
    }
}
