#include "fm_view_form.h"

namespace vedrix::fman {

TBItemData* itemRecord(const CTreeCtrl& tree, HTREEITEM item) {
    return item != nullptr ? reinterpret_cast<TBItemData*>(tree.GetItemData(item)) : nullptr;
}

void showView(CTreeCtrl& tree, HTREEITEM item, TBItemData& record, const ViewRecord& view,
              const ViewImages& images) {
    if (view.isOriginal()) {
        record.markOriginal();
    } else {
        record.markVariant();
    }
    record.setOriginalIdentifier(view.originalIdentifier);
    if (view.isLocked()) {
        record.setLocked();
    } else {
        record.clearLocked();
    }
    const int image = images.of(record.isVariantView(), record.isLocked());
    tree.SetItemImage(item, image, image);
}

}  // namespace vedrix::fman
