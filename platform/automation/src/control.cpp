// Controls: queries through the public API, actions through the person's
// mouse and keyboard.
#include <vedrix/automation/control.h>

#include "screen.h"
#include "util.h"

#include <vector>

namespace vedrix::automation {

namespace detail {

std::string windowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::string quoted(std::string_view text) {
    constexpr size_t kLimit = 40;
    std::string out = "\"";
    out += text.substr(0, kLimit);
    if (text.size() > kLimit) {
        out += "...";
    }
    out += "\"";
    return out;
}

POINT toScreen(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    return client;
}

bool inClient(HWND hwnd, POINT client) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return PtInRect(&r, client) != FALSE;
}

}  // namespace detail

bool Control::exists() const {
    return hwnd_ != nullptr && IsWindow(hwnd_);
}

void Control::requireWindow() const {
    if (!exists()) {
        throw AutomationError(hwnd_ ? "the window " + describe() + " is gone"
                                    : std::string("no window"));
    }
}

int Control::id() const {
    return exists() ? GetDlgCtrlID(hwnd_) : 0;
}

std::string Control::className() const {
    char name[64] = {};
    if (!exists() || GetClassNameA(hwnd_, name, sizeof(name)) <= 0) {
        return std::string();
    }
    return name;
}

std::string Control::text() const {
    return exists() ? detail::windowText(hwnd_) : std::string();
}

bool Control::isEnabled() const {
    return exists() && IsWindowEnabled(hwnd_);
}

bool Control::isVisible() const {
    return exists() && IsWindowVisible(hwnd_);
}

bool Control::hasFocus() const {
    return exists() && GetFocus() == hwnd_;
}

int Control::checkState() const {
    return exists() ? static_cast<int>(SendMessageA(hwnd_, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

RECT Control::rect() const {
    RECT r{};
    if (exists()) {
        GetWindowRect(hwnd_, &r);
    }
    return r;
}

RECT Control::clientRect() const {
    RECT r{};
    if (exists()) {
        GetClientRect(hwnd_, &r);
    }
    return r;
}

POINT Control::center() const {
    RECT r = rect();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

Place Control::place() const {
    Control self = *this;
    return Place(
        [self] {
            self.requireWindow();
            if (!self.isVisible()) {
                throw AutomationError(self.describe() +
                                      " is not visible: a person cannot aim at it");
            }
            RECT r = self.rect();
            if (r.right <= r.left || r.bottom <= r.top) {
                throw AutomationError(self.describe() + " has no area to click on");
            }
            return self.center();
        },
        describe());
}

Place Control::at(int x, int y) const {
    Control self = *this;
    return Place(
        [self, x, y] {
            self.requireWindow();
            if (!self.isVisible()) {
                throw AutomationError(self.describe() +
                                      " is not visible: a person cannot aim at it");
            }
            return detail::toScreen(self.hwnd_, POINT{x, y});
        },
        describe() + " at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
}

void Control::click() const {
    automation::click(place());
}

void Control::doubleClick() const {
    automation::doubleClick(place());
}

void Control::rightClick() const {
    automation::rightClick(place());
}

void Control::clickAt(int x, int y) const {
    automation::click(at(x, y));
}

void Control::replaceText(std::string_view text) const {
    click();
    // The focus may go to a child (the edit of a drop-down combo box).
    HWND focus = GetFocus();
    if (!focus || (focus != hwnd_ && !IsChild(hwnd_, focus))) {
        throw AutomationError(describe() + " did not take the focus when clicked");
    }
    pressKeys({VK_CONTROL, VK_HOME});
    pressKeys({VK_CONTROL, VK_SHIFT, VK_END});
    if (text.empty()) {
        pressKey(VK_DELETE);
    } else {
        type(text);
    }
}

Picture Control::picture() const {
    return exists() ? screen::windowPicture(hwnd_) : Picture{};
}

std::string Control::describe() const {
    if (!hwnd_) {
        return "(no window)";
    }
    if (!IsWindow(hwnd_)) {
        return "(destroyed window)";
    }
    std::string out = className();
    if (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) {
        out += " " + std::to_string(GetDlgCtrlID(hwnd_));
    }
    std::string t = text();
    if (!t.empty()) {
        out += " " + detail::quoted(t);
    }
    return out;
}

}  // namespace vedrix::automation
