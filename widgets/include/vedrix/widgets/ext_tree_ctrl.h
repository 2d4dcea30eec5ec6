// CExtTreeCtrl: the browsers' structure tree. Every item carries a
// TBItemData record as its parameter; the tree owns the records and frees
// each one, with its attributes, when its item is deleted, so deleting an
// item, a branch or all items frees every record on them.
#pragma once

#include <vedrix/framework/treectrl.h>
#include <vedrix/widgets/export.h>

class VEDRIX_WIDGETS_API CExtTreeCtrl : public CTreeCtrl {
    DECLARE_DYNAMIC(CExtTreeCtrl)

public:
    CExtTreeCtrl() = default;

protected:
    // TVN_DELETEITEM, reflected by the parent.
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
