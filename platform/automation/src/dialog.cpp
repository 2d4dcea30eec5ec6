// Dialogs: their controls, and confirming or cancelling as a person does.
#include <vedrix/automation/dialog.h>

#include "hands.h"

#include <strings.h>

namespace vedrix::automation {

namespace {

bool usable(HWND hwnd) {
    return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

}  // namespace

Control Dialog::control(int id) const {
    requireWindow();
    HWND child = GetDlgItem(hwnd_, id);
    if (!child) {
        throw AutomationError("dialog " + std::to_string(templateId_) + " " + describe() +
                              " has no control " + std::to_string(id));
    }
    return Control(child);
}

bool Dialog::hasControl(int id) const {
    return exists() && GetDlgItem(hwnd_, id) != nullptr;
}

TreeView Dialog::tree(int id) const {
    Control c = control(id);
    if (strcasecmp(c.className().c_str(), WC_TREEVIEWA) != 0) {
        throw AutomationError("control " + std::to_string(id) + " of dialog " +
                              std::to_string(templateId_) + " is no tree view but " + c.describe());
    }
    return TreeView(c.hwnd());
}

ListView Dialog::list(int id) const {
    Control c = control(id);
    if (strcasecmp(c.className().c_str(), WC_LISTVIEWA) != 0) {
        throw AutomationError("control " + std::to_string(id) + " of dialog " +
                              std::to_string(templateId_) + " is no list view but " + c.describe());
    }
    return ListView(c.hwnd());
}

Control Dialog::focus() const {
    HWND f = GetFocus();
    return f && exists() && IsChild(hwnd_, f) ? Control(f) : Control();
}

void Dialog::ok() const {
    requireWindow();
    HWND button = GetDlgItem(hwnd_, IDOK);
    if (!usable(button)) {
        LRESULT def = SendMessageA(hwnd_, DM_GETDEFID, 0, 0);
        button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(hwnd_, LOWORD(def)) : nullptr;
    }
    if (usable(button)) {
        Control(button).click();
    } else {
        pressKey(VK_RETURN);
    }
}

void Dialog::cancel() const {
    requireWindow();
    HWND button = GetDlgItem(hwnd_, IDCANCEL);
    if (usable(button)) {
        Control(button).click();
    } else {
        pressKey(VK_ESCAPE);
    }
}

void Dialog::clickButton(int id) const {
    control(id).click();
}

void Dialog::closeBox() const {
    requireWindow();
    // The close box is in the caption, which takes no space on the headless
    // screen; clicking it makes the system send exactly this.
    SendMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    hands::pumpMessages();
}

void Dialog::pressKey(int vk) const {
    automation::pressKey(vk);
}

void Dialog::type(std::string_view text) const {
    automation::type(text);
}

}  // namespace vedrix::automation
