// How a view item of a facility-management tree shows its view: the record
// of the view file that the item stands for, and the flags, original
// identifier and image that the record gives the item.
//
// An item without a record (TBItemData) or whose identifier the view list
// does not hold is left as the tree filling made it.
#pragma once

#include <vedrix/framework/ui.h>

#include <vedrix/model/item_data.h>

#include "fm_item_images.h"
#include "fm_view_list.h"

namespace vedrix::fman {

// The item type of a level that holds views (a view's own type is
// TBItemData::kView).
inline constexpr unsigned char kViewLevel = 1;

// The item's record; null when the item has none.
TBItemData* itemRecord(const CTreeCtrl& tree, HTREEITEM item);

// The first view of `views` whose identifier is the item's identifier text;
// null when there is none, or the item has no record.
ViewRecord* viewOfItem(const CTreeCtrl& tree, HTREEITEM item, const ViewList& views);

// Gives the item the view flags of `view` (an original when its original
// identifier is "0", else a variant; locked when its lock flag is "1"), its
// original identifier, and the matching view image as both the normal and
// the selected image.
void showView(CTreeCtrl& tree, HTREEITEM item, const ViewRecord& view, const ViewImages& images);
// The same for an item whose record the caller already holds.
void showView(CTreeCtrl& tree, HTREEITEM item, TBItemData& record, const ViewRecord& view,
              const ViewImages& images);

}  // namespace vedrix::fman
