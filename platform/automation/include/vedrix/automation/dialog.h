// A dialog as the person sees it inside its modal loop: its controls, and
// the ways a person leaves it.
#pragma once

#include <vedrix/automation/control.h>
#include <vedrix/automation/export.h>
#include <vedrix/automation/list_view.h>
#include <vedrix/automation/tree_view.h>

#include <windows.h>

#include <string>
#include <string_view>

namespace vedrix::automation {

class VEDRIX_AUTOMATION_API Dialog : public Control {
public:
    Dialog() = default;
    // templateId: the dialog template's resource number (0 when unknown).
    Dialog(HWND hwnd, int templateId) : Control(hwnd), templateId_(templateId) {}

    int templateId() const { return templateId_; }
    std::string caption() const { return text(); }

    // The child control with this identifier (GetDlgItem); throws
    // AutomationError when the dialog has none.
    Control control(int id) const;
    bool hasControl(int id) const;
    // The same, checked to be a tree view (SysTreeView32) / list view
    // (SysListView32).
    TreeView tree(int id) const;
    ListView list(int id) const;
    // The control with the keyboard focus (an empty Control when the focus
    // is outside the dialog).
    Control focus() const;

    // Confirms as a person does: clicks the IDOK button when it is visible
    // and enabled, else the default push button (DM_GETDEFID), else presses
    // Enter (IsDialogMessage then sends the default button's WM_COMMAND).
    void ok() const;
    // Cancels: clicks the IDCANCEL button when it is visible and enabled,
    // else presses Escape (WM_COMMAND IDCANCEL through IsDialogMessage).
    void cancel() const;
    // Clicks the button with this identifier (throws when there is none).
    void clickButton(int id) const;
    // The close box of the caption: WM_SYSCOMMAND SC_CLOSE, which
    // DefWindowProc turns into WM_CLOSE and the dialog manager into
    // WM_COMMAND IDCANCEL.
    void closeBox() const;

    // Keys and text go to the control with the focus.
    void pressKey(int vk) const;
    void type(std::string_view text) const;

private:
    int templateId_ = 0;
};

}  // namespace vedrix::automation
