#include "dialog_frame.h"

namespace vedrix::browser {

void shiftControl(CWnd& dialog, int id, int dx, int dy, int grow, int growDown) {
    CWnd* control = dialog.GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    CRect rect;
    control->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    control->MoveWindow(rect.left + dx, rect.top + dy, rect.Width() + grow,
                        rect.Height() + growDown);
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
