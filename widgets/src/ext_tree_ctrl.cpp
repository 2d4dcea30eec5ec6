#include <vedrix/model/item_data.h>
#include <vedrix/widgets/ext_tree_ctrl.h>

IMPLEMENT_DYNAMIC(CExtTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CExtTreeCtrl, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
END_MESSAGE_MAP()

void CExtTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* note = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
    *pResult = 0;
    auto* record = reinterpret_cast<TBItemData*>(note->itemOld.lParam);
    if (record == nullptr) {
        return;
    }
    // The record's destructor deletes each attribute left in its list.
    delete record;
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = note->itemOld.hItem;
    item.lParam = 0;
    SetItem(&item);
}
