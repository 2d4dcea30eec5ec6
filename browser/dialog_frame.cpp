#include "dialog_frame.h"

namespace vedrix::browser {

namespace {

// Control `id` of `dialog` with its rectangle in the dialog's client
// coordinates; null when the dialog lacks it.
CWnd* controlAt(CWnd& dialog, int id, CRect& rect) {
    CWnd* control = dialog.GetDlgItem(id);
    if (control != nullptr) {
        control->GetWindowRect(&rect);
        dialog.ScreenToClient(&rect);
    }
    return control;
}

}  // namespace

void shiftControl(CWnd& dialog, int id, int dx, int dy, int grow, int growDown) {
    CRect rect;
    CWnd* control = controlAt(dialog, id, rect);
    if (control == nullptr) {
        return;
    }
    control->MoveWindow(rect.left + dx, rect.top + dy, rect.Width() + grow,
                        rect.Height() + growDown);
}

void placeControl(CWnd& dialog, int id, int x, int width, int moveDown, int grow) {
    CRect rect;
    CWnd* control = controlAt(dialog, id, rect);
    if (control == nullptr) {
        return;
    }
    control->SetWindowPos(nullptr, x >= 0 ? x : rect.left, rect.top + moveDown,
                          width >= 0 ? width : rect.Width(), rect.Height() + grow,
                          SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool paintIconWhenMinimised(CWnd& dialog, HICON icon) {
    if (!::IsIconic(dialog.m_hWnd)) {
        return false;
    }
    CPaintDC dc(&dialog);
    dialog.SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    dialog.GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
    return true;
}

}  // namespace vedrix::browser
