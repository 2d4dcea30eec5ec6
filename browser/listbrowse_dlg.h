// The list browser (template 101): the project's building structure as a
// tree, a palette of the level types that can be added to it and the drawing
// files of the project directory that the structure does not use yet. The
// person arranges the structure by dragging between the three, names levels
// in place, checks and unchecks branches and removes items; confirming
// rebuilds the level tree from the tree control and rewrites the hierarchy
// file and the level list file. Cancelling writes nothing.
//
// The work is split by job: set-up and loading (listbrowse_loading.cpp),
// editing in the tree (listbrowse_editing.cpp), drag and drop
// (listbrowse_drag.cpp), confirmation (listbrowse_confirm.cpp), and the
// dialog's frame (this class's own file: layout, icon, help, closing). The
// drag mechanics, the record look-ups and the message box are the structure
// browsers' shared ones (structure_browse_dlg.h).
#pragma once

// The framework's windows first: they bring the platform's headers, whose
// names the framework's classes take into account.
#include <vedrix/framework/ui.h>

#include <vedrix/framework/clist.h>
#include <vedrix/framework/cmap.h>

#include "structure_browse_dlg.h"

class Zel_GM_Root;
class Zel_GM_Level;

class CListbrowseDlg : public CStructureBrowseDlg {
public:
    enum { IDD = 101 };
    // The template's controls.
    enum : int {
        kPalette = 1000,
        kStructureTree = 1001,
        kFreeList = 1002,
        kConfirmButton = 1003,
        kTreeLabel = 1004,
        kPaletteLabel = 1005,
        kFreeListLabel = 1006,
        kCancelButton = 1007,
        kInfoLine = 1008,
        kStructureLine = 1009,
    };
    static constexpr UINT kExpandedStates = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    static constexpr UINT kAttributeMenu = 120;  // its first popup: the tree's items
    explicit CListbrowseDlg(CWnd* pParent = nullptr);
    ~CListbrowseDlg() override;

    // The application's attribute menu switch: the context menu of the tree
    // is offered only while it is non-zero (null: never).
    const int* m_pAttribMenu = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The dialog's frame.
    void OnNothing() {}
    void OnAttributeCommand();
    void OnHelpCommand();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void layOut(const Layout& layout) override;
    void OnDestroy();

    // Editing in the tree.
    void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    // Drag and drop.
    void OnBeginDragPalette(NMHDR* pNMHDR, LRESULT* pResult);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Set-up and loading.
    void announceProjectDirectory();
    void setTexts();
    void createImageLists();
    void loadStructure();
    void fillFreeList();
    void fillPalette();
    CString projectFile(const CString& name) const;

    // Editing.
    void setChecked(HTREEITEM item, TBItemData* record, bool checked);
    void setSubtreeChecked(HTREEITEM first, bool checked);
    void removeItem(HTREEITEM item) override;
    void returnToFreeList(HTREEITEM item, const TBItemData& record);

    // Drag and drop.
    void showDropCursor(CWnd* under, CPoint screenPoint) override;
    void dropOnTree();
    void addFreeFiles(HTREEITEM target);
    void addNewLevel(HTREEITEM target);
    CString newLevelName(const CString& stem) const;
    bool treeHasText(HTREEITEM first, const CString& text) const;
    HTREEITEM insertChild(HTREEITEM parent, const char* text, int type);

    // Confirmation.
    void rebuildLevels();
    void buildLevels(HTREEITEM first, Zel_GM_Level* parent, int& counter);

    int imageOf(int type, bool checked) const;

    int m_bDragFromPalette = 0;
    int m_nDraggedPaletteRow = -1;
    CList<CString, CString>* m_pStructureNumbers = nullptr;
    int m_nImages[kImageSlotCount];
    Zel_GM_Root* m_pRoot = nullptr;
    CListCtrl m_lcPalette;
    CImageList* m_pItemImages = nullptr;
    CImageList* m_pStateImages = nullptr;
};
