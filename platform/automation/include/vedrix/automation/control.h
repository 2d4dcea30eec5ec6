// A window on the screen as the person sees it and acts on it.
//
// A Control wraps a window handle. Queries use the public API only
// (GetWindowTextA, IsWindowEnabled, GetWindowRect, BM_GETCHECK...); actions
// are the person's mouse and keyboard (<vedrix/automation/input.h>):
// click() presses and releases the left button at the control's centre, so a
// button gets WM_LBUTTONDOWN/UP and its parent WM_COMMAND BN_CLICKED, exactly
// as from a real click. A disabled control passes the click to its parent, as
// on the screen; a control that is not visible cannot be aimed at and throws
// AutomationError.
#pragma once

#include <vedrix/automation/export.h>
#include <vedrix/automation/input.h>
#include <vedrix/automation/png.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <string_view>

namespace vedrix::automation {

class VEDRIX_AUTOMATION_API Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}

    HWND hwnd() const { return hwnd_; }
    // Whether the window still exists.
    bool exists() const;
    explicit operator bool() const { return exists(); }

    int id() const;
    std::string className() const;
    std::string text() const;
    bool isEnabled() const;
    // Visible on the screen: WS_VISIBLE on the window and all its parents.
    bool isVisible() const;
    bool hasFocus() const;
    // Buttons: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE (BM_GETCHECK).
    int checkState() const;
    bool isChecked() const { return checkState() == BST_CHECKED; }

    // The window rectangle in screen coordinates.
    RECT rect() const;
    // The client rectangle (left and top 0).
    RECT clientRect() const;
    POINT center() const;
    // The centre of the control, as the place to aim at.
    Place place() const;
    operator Place() const { return place(); }
    // A point given in the control's client coordinates.
    Place at(int x, int y) const;

    // The person's actions, at the centre.
    void click() const;
    void doubleClick() const;
    void rightClick() const;
    // A click at a point of the client area.
    void clickAt(int x, int y) const;
    // Into an edit (or a combo box's edit): clicks it, selects everything
    // (Ctrl+Home, Ctrl+Shift+End) and types the text over it (Delete when the
    // text is empty).
    void replaceText(std::string_view text) const;

    // The window as the screen shows it now, its frame included. Empty on
    // the headless screen, which records what is drawn instead of keeping
    // pixels.
    Picture picture() const;

    // "Button 1 \"OK\"" / "SysTreeView32 1001": names the control in errors.
    std::string describe() const;

protected:
    // Throws AutomationError when the window is gone.
    void requireWindow() const;

    HWND hwnd_ = nullptr;
};

// Prints describe(), so that test failures name the control.
inline std::ostream& operator<<(std::ostream& out, const Control& control) {
    return out << control.describe();
}

}  // namespace vedrix::automation
