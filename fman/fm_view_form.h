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

// Gives the item the view flags of `view` (an original when its original
// identifier is "0", else a variant; locked when its lock flag is "1"), its
// original identifier, and the matching view image as both the normal and
// the selected image; `record` is the item's record.
void showView(CTreeCtrl& tree, HTREEITEM item, TBItemData& record, const ViewRecord& view,
              const ViewImages& images);

}  // namespace vedrix::fman
