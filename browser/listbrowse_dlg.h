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
// dialog's frame (this class's own file: layout, icon, help, closing).
#pragma once

// The framework's windows first: they bring the platform's headers, whose
// names the framework's classes take into account.
#include <vedrix/framework/ui.h>

#include <vedrix/framework/carray.h>
#include <vedrix/framework/clist.h>
#include <vedrix/framework/cmap.h>
#include <vedrix/model/item_data.h>
#include <vedrix/widgets/drag_image.h>
#include <vedrix/widgets/ext_tree_ctrl.h>

class Zel_GM_Root;
class Zel_GM_Level;

class CListbrowseDlg : public CDialog {
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
    static constexpr int kMaxItemText = 255;  // the longest text of a tree item
    static constexpr UINT kExpandedStates = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    static constexpr UINT kAttributeMenu = 120;  // its first popup: the tree's items
    explicit CListbrowseDlg(CWnd* pParent = nullptr);
    ~CListbrowseDlg() override;

    HMODULE m_hNameLib = nullptr;  // the loaded vedada.dll
    CString m_csDirectory;         // the project directory
    CString m_csTitle;             // the name of the structure's root
    CString m_csStructureName;     // the level list file, relative to the directory
    CString m_csHreName;           // the hierarchy file, relative to the directory
    // The application's attribute menu switch: the context menu of the tree
    // is offered only while it is non-zero (null: never).
    const int* m_pAttribMenu = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The dialog's frame.
    void OnConfirmButton() { OnOK(); }
    void OnCancelButton() { OnCancel(); }
    void OnNothing() {}
    void OnAttributeCommand();
    void OnHelpCommand();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnPaint();
    void OnDestroy();

    // Editing in the tree.
    void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    // Drag and drop.
    void OnBeginDragTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDragFreeList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDragPalette(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);
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
    bool keepLabelEditOpen(int key);
    void removeItem(HTREEITEM item);
    void returnToFreeList(HTREEITEM item, const TBItemData& record);
    // The browser's message box: a beep, the dialog disabled while the box
    // is shown, then enabled and given the focus again.
    void showMessage(UINT textId);

    // Drag and drop.
    void beginDrag(CImageList* image, CPoint screenPoint, int& sourceFlag);
    void showDropCursor(CWnd* under, CPoint screenPoint);
    void dropOnTree();
    void dropOutsideTree(CWnd* under);
    void addFreeFiles(HTREEITEM target);
    void addNewLevel(HTREEITEM target);
    CString newLevelName(const CString& stem) const;
    bool treeHasText(HTREEITEM first, const CString& text) const;
    HTREEITEM insertChild(HTREEITEM parent, const char* text, int type);

    // Confirmation.
    void rebuildLevels();
    void buildLevels(HTREEITEM first, Zel_GM_Level* parent, int& counter);

    TBItemData* recordOf(HTREEITEM item) const;
    int imageOf(int type, bool checked) const;

    int m_bDragging = 0;
    int m_bDragFromTree = 0;
    int m_bDragFromFreeList = 0;
    int m_bDragFromPalette = 0;
    int m_bLabelEditing = 0;
    int m_bLabelEditCancelled = 0;
    int m_bLaidOut = 0;
    int m_nDraggedPaletteRow = -1;
    int m_nDraggedType = -1;
    int m_nLastWidth = -1;
    int m_nLastHeight = -1;
    CUIntArray* m_pDraggedFreeRows = nullptr;
    HTREEITEM m_hDropTarget = nullptr;
    HTREEITEM m_hDraggedItem = nullptr;
    CDragImage m_dragImage;
    HCURSOR m_hForbiddenCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;
    CList<CString, CString>* m_pStructureNumbers = nullptr;
    CWnd* m_pParent;
    // The parent's window, kept apart from m_pParent, which may be a
    // temporary wrapper that a nested modal loop frees.
    HWND m_hParentWnd;
    int m_nImages[kImageSlotCount];
    Zel_GM_Root* m_pRoot = nullptr;
    CExtTreeCtrl m_tcStructure;
    CListCtrl m_lcFreeFiles;
    CListCtrl m_lcPalette;
    HICON m_hIcon = nullptr;
    CImageList* m_pItemImages = nullptr;
    CImageList* m_pStateImages = nullptr;
};
