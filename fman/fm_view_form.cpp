#include "fm_view_form.h"

namespace vedrix::fman {

TBItemData* itemRecord(const CTreeCtrl& tree, HTREEITEM item) {
    return item != nullptr ? reinterpret_cast<TBItemData*>(tree.GetItemData(item)) : nullptr;
}

ViewRecord* viewOfItem(const CTreeCtrl& tree, HTREEITEM item, const ViewList& views) {
    const TBItemData* record = itemRecord(tree, item);
    return record != nullptr ? views.find(record->getIdentifier()) : nullptr;
}

void showView(CTreeCtrl& tree, HTREEITEM item, const ViewRecord& view, const ViewImages& images) {
    if (TBItemData* record = itemRecord(tree, item)) {
        showView(tree, item, *record, view, images);
    }
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
