// Helpers shared by the standard controls (Button, Static, Edit, ComboBox,
// ScrollBar) and the tooltip. Everything here is written against the public
// window API only, as a control of the platform would be.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace vedrix::controls {

// Per-window instance data of one control class. A control creates its record
// on WM_NCCREATE and drops it on WM_NCDESTROY; the table is keyed by the
// control's window handle, so nothing needs room in the window itself.
template <class State>
class InstanceTable {
public:
    State* find(HWND hwnd) const {
        auto it = map_.find(hwnd);
        return it == map_.end() ? nullptr : it->second.get();
    }
    State* create(HWND hwnd) {
        auto& slot = map_[hwnd];
        slot = std::make_unique<State>();
        return slot.get();
    }
    void erase(HWND hwnd) { map_.erase(hwnd); }

private:
    std::unordered_map<HWND, std::unique_ptr<State>> map_;
};

inline DWORD windowStyle(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
}

inline void setWindowStyle(HWND hwnd, DWORD style) {
    SetWindowLongPtrA(hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
}

// WM_COMMAND with a notification code to the control's parent, as every
// standard control reports to its dialog.
inline void notifyParent(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (parent == nullptr) {
        return;
    }
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                 reinterpret_cast<LPARAM>(hwnd));
}

// The control's own text, read through WM_GETTEXT.
inline std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// Copies text into a caller's buffer of `size` characters, always
// terminating; returns the number of characters copied (without the zero).
inline int copyText(const std::string& text, LPSTR buffer, size_t size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    size_t count = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(buffer, count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

inline POINT pointFromLParam(LPARAM lParam) {
    POINT pt;
    pt.x = static_cast<SHORT>(LOWORD(lParam));
    pt.y = static_cast<SHORT>(HIWORD(lParam));
    return pt;
}

inline bool keyDown(int virtualKey) {
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// The brush the parent chooses for a control through WM_CTLCOLOR*, or the
// given system colour's brush when the parent leaves the default.
inline HBRUSH controlBrush(HWND hwnd, HDC dc, UINT message, int defaultColor) {
    HWND parent = GetParent(hwnd);
    LRESULT brush = 0;
    if (parent != nullptr) {
        brush = SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(hwnd));
    }
    if (brush != 0) {
        return reinterpret_cast<HBRUSH>(brush);
    }
    return GetSysColorBrush(defaultColor);
}

// Width of a run of text in the control's font, measured by the device
// context's metrics.
inline int textWidth(HDC dc, const char* text, int count) {
    if (count <= 0) {
        return 0;
    }
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, count, &size);
    return size.cx;
}

// A screen DC with the control's font selected, released on scope exit; for
// measuring outside WM_PAINT.
class FontDC {
public:
    FontDC(HWND hwnd, HFONT font) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
        if (dc_ != nullptr && font != nullptr) {
            old_ = SelectObject(dc_, font);
        }
    }
    ~FontDC() {
        if (dc_ != nullptr) {
            if (old_ != nullptr) {
                SelectObject(dc_, old_);
            }
            ReleaseDC(hwnd_, dc_);
        }
    }
    FontDC(const FontDC&) = delete;
    FontDC& operator=(const FontDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// Size of a bitmap or an icon handed to a control as its image.
SIZE imageSize(HANDLE image, UINT type);

// Draws a bitmap or an icon with its top left corner at (x, y).
void drawImage(HDC dc, HANDLE image, UINT type, int x, int y);

// Registers a control's window class; called from each control's static
// initialiser at library load.
void registerControlClass(const char* name, WNDPROC proc, UINT style, HCURSOR cursor = nullptr);

}  // namespace vedrix::controls
