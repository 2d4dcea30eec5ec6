// The dialog manager's state of each dialog it made.
#pragma once

#include <windows.h>

namespace vedrix::winapi {

struct DialogState {
    DLGPROC proc = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    WORD defId = 0;
    HWND savedFocus = nullptr;
    HFONT font = nullptr;
    bool ownsFont = false;
    int templateId = 0;
};

// Null for windows the dialog manager did not make.
DialogState* dialogState(HWND hwnd);

// Gives a control of a dialog the focus as keyboard navigation does: an edit
// control (DLGC_HASSETSEL) gets all its text selected.
void focusDialogControl(HWND dialog, HWND control);

}  // namespace vedrix::winapi
