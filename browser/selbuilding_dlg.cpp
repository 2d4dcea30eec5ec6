#include "selbuilding_dlg.h"

#include <vedrix/framework/text_file.h>
#include <vedrix/model/level.h>
#include <vedrix/model/root.h>
#include <zelkar/vedada.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

constexpr int kBuildingLevelNr = 2;
constexpr int kItemImagesBitmap = 108;
constexpr COLORREF kTransparentColor = RGB(255, 255, 255);
// The longest row text: a longer level name is cut.
constexpr int kMaxRowText = 254;

// The full path of a project file: the directory, always a "\", the name.
CString projectFile(const CString& directory, const CString& name) {
    return directory + "\\" + name;
}

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
    auto setListPath = reinterpret_cast<VedadaSetListPath>(reinterpret_cast<void (*)()>(
        m_hNameLib != nullptr ? ::GetProcAddress(m_hNameLib, VEDADA_SET_LIST_PATH) : nullptr));
    if (setListPath == nullptr) {
        std::printf("Function: <%s> in %s not found !\n", VEDADA_SET_LIST_PATH,
                    VEDADA_LIBRARY_NAME);
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
void CSelBuildingDlg::readStructure() {
    if (!m_csHreName.IsEmpty()) {
        vedrix::framework::TextFileReader hre(projectFile(m_csDirectory, m_csHreName));
        if (hre.is_open()) {
            m_pRoot->readhre(hre, 1);
        }
    }
    if (!m_csStructureName.IsEmpty()) {
        vedrix::framework::TextFileReader lis(projectFile(m_csDirectory, m_csStructureName));
        if (lis.is_open()) {
            m_pRoot->readlis(lis, 1);
        }
    }
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
