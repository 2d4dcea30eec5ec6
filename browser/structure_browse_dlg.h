// What the module's structure browsers share: the building structure as a
// tree beside a list of the project's free drawing files, dragging between
// the two, the records of the tree's items and of the list's rows, the
// browser's message box, and the frame (icon, help, resizing). Each browser
// keeps what it alone decides: where a drop is allowed (showDropCursor),
// what a drop onto the tree does, how an item leaves the structure
// (removeItem) and where its controls go when it is resized (layOut).
//
// The mechanics live in three files: the frame, the record look-ups and the
// message box (structure_browse_dlg.cpp), editing in the tree
// (structure_browse_editing.cpp), and dragging (structure_browse_drag.cpp).
#pragma once

// The framework's windows first: they bring the platform's headers, whose
// names the framework's classes take into account.
#include <vedrix/framework/ui.h>

#include <vedrix/framework/carray.h>
#include <vedrix/model/item_data.h>
#include <vedrix/model/root.h>
#include <vedrix/widgets/drag_image.h>
#include <vedrix/widgets/ext_tree_ctrl.h>

class CStructureBrowseDlg : public CDialog {
public:
    static constexpr int kMaxItemText = 255;  // the longest text of a tree item

    HMODULE m_hNameLib = nullptr;  // the loaded vedada.dll
    CString m_csDirectory;         // the project directory
    CString m_csTitle;             // the name of the structure's root
    CString m_csStructureName;     // the level list file, relative to the directory
    CString m_csHreName;           // the hierarchy file, relative to the directory

protected:
    CStructureBrowseDlg(UINT templateId, CWnd* pParent);
    ~CStructureBrowseDlg() override;

    void OnConfirmButton() { OnOK(); }
    void OnCancelButton() { OnCancel(); }

    // The frame: a right double click confirms; the dialog keeps a least
    // size and shows its icon while minimised.
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnPaint();
    // Frees the free list's records, each row's parameter cleared before its
    // record goes, and takes away a drag image still shown.
    void OnDestroy();

    // Where the controls go when the dialog is resized, in client
    // coordinates: the tree takes `left` of the width from x = 15, what
    // stands right of it starts at `rightX` with `right` of the width; the
    // dialog grew by (dx, dy) since the last time.
    struct Layout {
        int dx;
        int dy;
        int left;
        int right;
        int rightX;
    };
    virtual void layOut(const Layout& layout) = 0;
    // From now on resizing lays the controls out; the current client size
    // is where the changes count from.
    void startLayout();
    // Gives the dialog's window its icon, big and small.
    void showIcon();
    // The host's help at `context`, shown for the parent's window.
    void showHelp(DWORD context);

    // Editing in the tree. The expanded bit goes into the item's record, for
    // the files on confirmation.
    void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    // While a label is being edited, Enter and Escape end the edit (Escape
    // dropping it) by giving the tree the focus; a confirm or cancel that
    // comes from anything else only beeps. Returns true: the dialog stays
    // open.
    bool keepLabelEditOpen(int key);
    // The text a label edit ends with: the edit control's while it is there,
    // else the notification's.
    CString editedLabel(const NMTVDISPINFOA& note) const;
    void setItemText(HTREEITEM item, CString& text);
    // Deletes `item` and its record from the tree, the selection going to
    // its next sibling, else to its previous one.
    void deleteItem(HTREEITEM item);

    // Drag and drop: a tree item or the selected free rows start a drag; the
    // mouse moves the drag image and sets the cursor.
    void OnBeginDragTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDragFreeList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);

    // Makes the drag's row list and loads its two cursors; called once the
    // dialog's controls are filled.
    void prepareDrag();
    void beginDrag(CImageList* image, CPoint screenPoint, int& sourceFlag);
    // Releases the mouse and takes the drag image away; the drop itself is
    // the caller's.
    void endDrag();
    // Sets the cursor for a drag over `under`, at `screenPoint`.
    virtual void showDropCursor(CWnd* under, CPoint screenPoint) = 0;
    // A tree item dropped outside the tree leaves the structure, unless it
    // has sub-items or lands on a list that does not take it.
    void dropOutsideTree(CWnd* under);
    // True where a tree item being dragged may leave the tree over `under`:
    // anywhere but a list, or the free list when it is a drawing file.
    bool treeItemMayLandOn(const CWnd* under) const;
    virtual void removeItem(HTREEITEM item) = 0;

    static bool isTree(const CWnd* window);
    static bool isListView(const CWnd* window);

    TBItemData* recordOf(HTREEITEM item) const;
    // The same, for walks over every item (CTreeCtrl::WalkItemData).
    TBItemData* walkedRecordOf(HTREEITEM item) const;
    TBItemData* rowRecord(int row) const;

    // Confirming: `root` is replaced by a new one named after the title, with
    // the level definitions read from the heads of the structure files in
    // `directoryPrefix` and the root item's attributes handed to it. Returns
    // the first item below the root item, from which the levels are built
    // (null when there is none).
    HTREEITEM renewRootFromFiles(Zel_GM_Root*& root, const CString& directoryPrefix);

    // The browser's message box: a beep when it warns, the dialog disabled
    // while the box is shown, then enabled and given the focus again.
    int showMessage(UINT textId, UINT type = MB_ICONEXCLAMATION);
    int showText(const CString& text, const char* caption, UINT type, bool beep);

    CWnd* m_pParent;
    HICON m_hIcon = nullptr;
    int m_bLaidOut = 0;
    int m_nLastWidth = -1;
    int m_nLastHeight = -1;
    // The parent's window, kept apart from m_pParent, which may be a
    // temporary wrapper that a nested modal loop frees.
    HWND m_hParentWnd;
    CExtTreeCtrl m_tcStructure;
    CListCtrl m_lcFreeFiles;

    int m_bLabelEditing = 0;
    int m_bLabelEditCancelled = 0;
    int m_bDragging = 0;
    int m_bDragFromTree = 0;
    int m_bDragFromFreeList = 0;
    int m_nDraggedType = -1;
    CUIntArray* m_pDraggedFreeRows = nullptr;
    HTREEITEM m_hDropTarget = nullptr;
    HTREEITEM m_hDraggedItem = nullptr;
    CDragImage m_dragImage;
    HCURSOR m_hForbiddenCursor = nullptr;
    HCURSOR m_hArrowCursor = nullptr;

    // The window messages both browsers handle alike; each browser's own map
    // names its controls' notifications, its buttons and the closing.
    DECLARE_MESSAGE_MAP()
};
