// The initial entries of a dialog's list controls, from the template's
// dialog-initialisation resource (type 240, the template's number).
//
// The block is a sequence of entries: the control identifier (WORD), the
// message (WORD), the length of the data (DWORD) and the data (a text, its
// terminating zero included); a zero identifier ends it. Resource compilers
// write the list messages with their 16-bit numbers (0x0403 for a combo box,
// 0x0401 for a list box), the generator of this project with the 32-bit
// ones: both are understood.
#include <vedrix/framework/wnd.h>

#include <algorithm>
#include <cstring>
#include <string>

#include <vedrix/framework/winapp.h>

namespace {

constexpr WORD kDialogInitType = 240;
constexpr WORD kComboAddString16 = 0x0403;
constexpr WORD kListAddString16 = 0x0401;

WORD readWord(const BYTE* p) {
    WORD value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

DWORD readDword(const BYTE* p) {
    DWORD value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// The message to send for a message number of the block; 0 for one that
// adds no list entry.
UINT listMessage(WORD message) {
    switch (message) {
        case kComboAddString16:
        case CB_ADDSTRING:
            return CB_ADDSTRING;
        case kListAddString16:
        case LB_ADDSTRING:
            return LB_ADDSTRING;
        default:
            return 0;
    }
}

}  // namespace

BOOL CWnd::ExecuteDlgInit(LPCSTR lpszResourceName) {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(instance, lpszResourceName, MAKEINTRESOURCEA(kDialogInitType));
    if (found == nullptr) {
        return TRUE;  // a template without list entries
    }
    HGLOBAL loaded = ::LoadResource(instance, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return FALSE;
    }
    return ExecuteDlgInit(data, ::SizeofResource(instance, found));
}

BOOL CWnd::ExecuteDlgInit(const void* lpResource, DWORD size) {
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    if (p == nullptr) {
        return size == 0 ? TRUE : FALSE;
    }
    const BYTE* const end = p + size;
    constexpr std::size_t kHeader = 2 * sizeof(WORD) + sizeof(DWORD);
    while (static_cast<std::size_t>(end - p) >= sizeof(WORD)) {
        const WORD id = readWord(p);
        if (id == 0) {
            return TRUE;
        }
        if (static_cast<std::size_t>(end - p) < kHeader) {
            return FALSE;
        }
        const WORD message = readWord(p + sizeof(WORD));
        const DWORD length = readDword(p + 2 * sizeof(WORD));
        p += kHeader;
        if (length > static_cast<std::size_t>(end - p)) {
            return FALSE;
        }
        // The text ends at its zero, or at the end of the data when the
        // block leaves it out.
        const char* text = reinterpret_cast<const char*>(p);
        const std::string entry(text, std::find(text, text + length, '\0'));
        p += length;
        if (const UINT send = listMessage(message)) {
            ::SendDlgItemMessageA(m_hWnd, id, send, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
    }
    return p == end ? TRUE : FALSE;
}
