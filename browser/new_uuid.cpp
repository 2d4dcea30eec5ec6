#include "new_uuid.h"

#include <vedrix/model/item_data.h>

#include <rpc.h>

#include <cstring>

namespace vedrix::browser {

CString newUuidText() {
    UUID uuid;
    RPC_CSTR text = nullptr;
    if (::UuidCreate(&uuid) != RPC_S_OK || ::UuidToStringA(&uuid, &text) != RPC_S_OK ||
        text == nullptr) {
        return CString();
    }
    CString result;
    if (std::strlen(reinterpret_cast<const char*>(text)) < TBItemData::kTextSize) {
        result = reinterpret_cast<const char*>(text);
    }
    ::RpcStringFreeA(&text);
    return result;
}

}  // namespace vedrix::browser
