// The facility-management browser (template 127): the project's building
// structure as a tree of levels that hold views, each view holding drawing
// files, beside the drawing files of the project directory that the
// structure does not use. The person adds levels, makes variants of views
// (copies of their drawing files under free numbers), builds host drawings
// from views, starts the host's tree view, moves drawing files between the
// free list and the views, deletes and renames, and confirms or cancels.
// Confirming rewrites the hierarchy file, the level list file and the host's
// drawing-file information; the host's view file is written back whenever
// the dialog goes away; cancelling deletes the drawing files that variants
// made during the run.
//
// The work is split by job: set-up, loading and the view form
// (fman_browse_loading.cpp), views and the commands on them
// (fman_browse_views.cpp), editing in the tree and the information lines
// (fman_browse_editing.cpp), drag and drop (fman_browse_drag.cpp),
// confirmation (fman_browse_confirm.cpp) and the dialog's frame (this
// class's own file: layout, icon, help, closing). The drag mechanics, the
// record look-ups and the message box are the structure browsers' shared
// ones (structure_browse_dlg.h).
#pragma once

// The framework's windows first: they bring the platform's headers, whose
// names the framework's classes take into account.
#include <vedrix/framework/ui.h>

#include <vedrix/framework/carray.h>
#include <vedrix/framework/clist.h>

#include <vector>

#include "fm_item_images.h"
#include "fm_view_list.h"
#include "number_set.h"
#include "structure_browse_dlg.h"

class Zel_GM_Root;
class Zel_GM_Level;

class CFmanListbrowseDlg : public CStructureBrowseDlg {
public:
    enum { IDD = 127 };
    // The template's controls.
    enum : int {
        kStructureTree = 1025,
        kFreeList = 1026,
        kNewLevelButton = 1027,
        kFreeListLabel = 1028,
        kHintText = 1035,
        kInfoLine1 = 1036,
        kInfoLine2 = 1037,
        kStartNumberField = 1039,
        kConfirmButton = IDOK,
        kCancelButton = 1007,
    };
    // Commands of the context menus and the new level button.
    enum : int {
        kDeleteCommand = 32779,
        kTreeViewCommand = 32783,
        kVariantOfOriginalCommand = 32791,
        kVariantOfVariantCommand = 32792,
        kDrawingCommand = 32793,
        kNewLevelCommand = 32795,
        kRenameLevelCommand = 32796,
        kRenameViewCommand = 32799,
        kDeleteViewCommand = 32801,
    };
    static constexpr int kMaxLabel = 50;  // the longest name a rename keeps
    explicit CFmanListbrowseDlg(CWnd* pParent = nullptr);
    ~CFmanListbrowseDlg() override;

    HMODULE m_hFacilityLib = nullptr;  // the host's facility library, may be null

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The dialog's frame.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void layOut(const Layout& layout) override;

    // Views and the commands on them.
    void OnNewLevel();
    void OnVariantOfOriginal();
    void OnVariantOfVariant();
    void OnHostDrawing();
    void OnStartTreeView();
    void OnStartNumberKillFocus();
    void OnStartNumberChange() {}

    // Editing in the tree.
    void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteCommand();
    void OnRenameCommand();

    // Drag and drop.
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Set-up and loading.
    void announceProjectDirectory();
    void addTooltips();
    void loadStructure();
    void fillFreeList();
    CString objectName(int number) const;
    void bringIntoViewForm();
    // What the view-form pass does after a drawing file: go on below it, go
    // on with its next sibling (it was a duplicate and is gone), or stop at
    // this depth (it and its siblings went under a new view).
    enum class ViewFormStep { kGoOn, kDeleted, kGathered };
    void viewFormPass(HTREEITEM first, HTREEITEM parent, bool parentIsViewLevel);
    ViewFormStep viewFormDrawingFile(HTREEITEM item, TBItemData& record, int number,
                                     HTREEITEM parent, bool parentIsViewLevel);
    void markIfInserted(int number, TBItemData& record);
    void readInsertedNumbers();
    void gatherUnderNewView(HTREEITEM level, HTREEITEM handled);
    HTREEITEM moveItem(HTREEITEM item, HTREEITEM parent);
    void applyViewRecord(HTREEITEM item, TBItemData& record);
    CString projectFile(const CString& name) const;
    vedrix::fman::ViewList& viewList();

    // Views.
    HTREEITEM createView(HTREEITEM level, bool variant, const char* identifier,
                         const TBItemData* source);
    CString childNameWithNumber(HTREEITEM parent, const CString& stem, const char* separator) const;
    void makeVariant(int mode);
    std::vector<int> drawingFileNumbers(HTREEITEM view) const;
    void showNextStartNumber();
    int viewImage(const TBItemData& record) const;

    // Editing.
    void deleteSelected();
    void deleteView(HTREEITEM view);
    void removeItem(HTREEITEM item) override;
    void returnToFreeList(HTREEITEM item, const TBItemData& record);
    void showInformation(HTREEITEM item);
    int copySource(int number) const;

    // Drag and drop.
    void showDropCursor(CWnd* under, CPoint screenPoint) override;
    void dropFreeRowsOnView(HTREEITEM view);
    HTREEITEM insertDrawingFile(HTREEITEM view, const CString& text, const TBItemData& from,
                                unsigned long number);

    // Confirmation.
    bool anyDrawingFileMoved() const;
    bool movedBelow(HTREEITEM first) const;
    void rebuildLevels();
    void buildLevels(HTREEITEM first, Zel_GM_Level* parent, int parentId, int& counter);
    void writeDrawingFileInfo();

    // An item under `parent`, sorted, with `image` as both images, the
    // state (within the state image and expansion bits) and `record` as its
    // parameter. Null, with the record deleted, when the tree refuses it.
    HTREEITEM insertSorted(HTREEITEM parent, const CString& text, int image, UINT state,
                           TBItemData* record);
    // The number of the drawing file that `item` shows, read from its text
    // (the six digits after "tb"): the record keeps only its low 16 bits.
    int drawingFileNumber(HTREEITEM item) const;
    // What the passes over every item need of one item, from one question to
    // the tree's own procedure: its record (null without one), the number
    // drawingFileNumber gives, and whether it has children.
    struct WalkedItem {
        TBItemData* record = nullptr;
        int number = 0;
        bool hasChildren = false;
    };
    WalkedItem walkItem(HTREEITEM item) const;
    int imageOf(int type, bool checked) const;

    CString m_csNewLevelStem;  // text 2013
    CString m_csOriginalName;  // text 2036
    CString m_csVariantStem;   // text 2037
    int m_nImages[vedrix::fman::kFmImageSlotCount];
    Zel_GM_Root* m_pRoot = nullptr;
    CButton m_btNewLevel;
    CBitmap m_bmNewLevel;
    int m_nVariantStartNumber = 0;
    CImageList* m_pItemImages = nullptr;
    CToolTipCtrl m_ttTips;
    vedrix::fman::ViewList* m_pViewList = nullptr;
    CList<CString, CString>* m_pStructureNumbers = nullptr;
    int (*m_pReadObjectName)(int, int, char*) = nullptr;
    CUIntArray* m_pCreatedCopies = nullptr;
    vedrix::fman::ViewImages m_viewImages;

    // The drawing-file numbers the view-form pass has met.
    vedrix::browser::NumberSet m_numbersMet;
    // The numbers the host's drawing-file information marks as inserted,
    // while the view-form pass runs.
    vedrix::browser::NumberSet m_insertedNumbers;
};
