#include <vedrix/framework/cmdtarget.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

namespace {

// Commands, notifications and their reflections match on code and
// identifier range; every other message on the message alone.
bool matches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID) {
    if (entry.nMessage != nMessage) {
        return false;
    }
    const UINT base = nMessage >= WM_REFLECT_BASE ? nMessage - WM_REFLECT_BASE : nMessage;
    if (base != WM_COMMAND && base != WM_NOTIFY) {
        return true;
    }
    if (entry.nCode != nCode) {
        return false;
    }
    if (nMessage >= WM_REFLECT_BASE) {
        return true;  // a reflected notification is the control's own
    }
    return nID >= entry.nID && nID <= entry.nLastID;
}

}  // namespace

bool CCmdTarget::DispatchMapMessage(UINT nMessage, UINT nCode, UINT nID, WPARAM wParam,
                                    LPARAM lParam, LRESULT* pResult) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
            if (matches(*entry, nMessage, nCode, nID)) {
                LRESULT result = 0;
                if (entry->pfn(this, wParam, lParam, &result)) {
                    if (pResult != nullptr) {
                        *pResult = result;
                    }
                    return true;
                }
                // A handler that declined: look further, as if absent.
            }
        }
    }
    return false;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return DispatchMapMessage(WM_COMMAND, static_cast<UINT>(nCode), nID, wParam, lParam, pResult)
               ? TRUE
               : FALSE;
}
