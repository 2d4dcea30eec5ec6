// The building selection (template 104): every level of type 2 of the
// project's structure in one list; the identifier of the row the person
// confirms is the choice. The dialog changes no file.
#pragma once

#include <vedrix/framework/ui.h>

class Zel_GM_Root;

class CSelBuildingDlg : public CDialog {
public:
    enum { IDD = 104 };
    explicit CSelBuildingDlg(CWnd* pParent = nullptr);
    ~CSelBuildingDlg() override;

    HMODULE m_hNameLib = nullptr;         // the loaded vedada.dll
    CString m_csHreName;                  // the hierarchy file, relative to the directory
    CImageList* m_pItemImages = nullptr;  // the rows' images; owned
    unsigned int m_nChosenLevel = 0;      // the identifier chosen on confirmation
    CString m_csDirectory;                // the project directory
    CString m_csStructureName;            // the level list file, relative to the directory
    CString m_csTitle;                    // the name of the structure's root
    int m_nImages[22];                    // image-list index per item kind
    Zel_GM_Root* m_pRoot = nullptr;       // the structure read from the files; owned
    CListCtrl m_lcBuildings;              // control 1020

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void announceProjectDirectory();
    void setTexts();
    void createItemImages();
    void readStructure();
    void fillList();
};
