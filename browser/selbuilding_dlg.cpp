#include "selbuilding_dlg.h"

#include <vedrix/model/level.h>
#include <vedrix/model/root.h>
#include <zelkar/vedada.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "browser_resources.h"
#include "name_library.h"
#include "structure_files.h"

namespace {

using vedrix::browser::kItemImagesBitmap;
using vedrix::browser::kTransparentColor;

constexpr int kBuildingLevelNr = 2;
// The longest row text: a longer level name is cut.
constexpr int kMaxRowText = 254;

}  // namespace

CSelBuildingDlg::CSelBuildingDlg(CWnd* pParent) : CDialog(IDD, pParent) {
    std::fill(std::begin(m_nImages), std::end(m_nImages), -1);
}

CSelBuildingDlg::~CSelBuildingDlg() {
    delete m_pRoot;
    delete m_pItemImages;
}

void CSelBuildingDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, 1020, m_lcBuildings);
}

BOOL CSelBuildingDlg::OnInitDialog() {
    BringWindowToTop();
    announceProjectDirectory();
    CDialog::OnInitDialog();
    setTexts();
    createItemImages();
    m_pRoot = new Zel_GM_Root(ZU_String(m_csTitle));
    readStructure();
    fillList();
    return TRUE;
}

// Tells the name library where the project is: the directory as given, with
// no separator added.
void CSelBuildingDlg::announceProjectDirectory() {
    auto setListPath =
        vedrix::browser::libraryFunction<VedadaSetListPath>(m_hNameLib, VEDADA_SET_LIST_PATH);
    if (setListPath == nullptr) {
        vedrix::browser::reportMissingFunction(VEDADA_SET_LIST_PATH);
        return;
    }
    CString directory = m_csDirectory;
    setListPath(directory.GetBuffer(directory.GetLength()));
    directory.ReleaseBuffer();
}

void CSelBuildingDlg::setTexts() {
    CString text;
    text.LoadString(2032);
    SetWindowText(text);
    text.LoadString(2024);
    SetDlgItemText(1003, text);
    text.LoadString(2025);
    SetDlgItemText(1007, text);
}

// 24 x 24 images with white as their transparent colour; the first, the
// eleventh, the twelfth and the last of the bitmap's images serve the level
// kinds that have no bitmap of their own.
void CSelBuildingDlg::createItemImages() {
    m_pItemImages = new CImageList;
    m_pItemImages->Create(24, 24, ILC_MASK, 22, 100);
    CBitmap images;
    images.LoadBitmap(kItemImagesBitmap);
    const int first = m_pItemImages->Add(&images, kTransparentColor);
    m_nImages[0] = first;
    m_nImages[10] = first + 10;
    m_nImages[11] = first + 11;
    m_nImages[21] = first + 21;
}

// Files that do not open are passed over without a word: the list is then
// empty.
// (always with a "\" after the directory)
void CSelBuildingDlg::readStructure() {
    vedrix::browser::readStructureFiles(*m_pRoot, m_csDirectory + "\\", m_csHreName,
                                        m_csStructureName, 1);
}

// One row per level of type 2. Each row goes in at the index the previous
// one got, so the rows stand in descending order of identifier.
void CSelBuildingDlg::fillList() {
    CString heading;
    heading.LoadString(2023);
    {
        CClientDC dc(this);
        m_pRoot->readBitmap(&dc, m_pItemImages, m_nImages);
    }
    m_lcBuildings.SetImageList(m_pItemImages, LVSIL_SMALL);
    CRect list;
    m_lcBuildings.GetWindowRect(&list);
    m_lcBuildings.InsertColumn(0, heading, LVCFMT_LEFT, list.Width() - 4);

    int row = 0;
    const unsigned long highest = m_pRoot->getHighestID();
    for (unsigned long id = 1; id <= highest; ++id) {
        Zel_GM_Level* level = m_pRoot->searchLevel(id);
        if (level == nullptr || level->getLevelNr() != kBuildingLevelNr) {
            continue;
        }
        char name[kMaxRowText + 1];
        level->getName(name, sizeof name);
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = row;
        item.pszText = name;
        item.iImage = m_nImages[kBuildingLevelNr];
        item.lParam = static_cast<LPARAM>(id);
        const int inserted = m_lcBuildings.InsertItem(&item);
        if (inserted < 0) {
            continue;
        }
        item.iItem = inserted;
        m_lcBuildings.SetItem(&item);
        row = inserted;
    }
}

void CSelBuildingDlg::OnOK() {
    const int selected = m_lcBuildings.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0) {
        m_nChosenLevel = static_cast<unsigned int>(m_lcBuildings.GetItemData(selected));
    }
    CDialog::OnOK();
}
