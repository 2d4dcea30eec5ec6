// The start number of the variants: the stored one, or the one the browser
// shows, moved on to the first free number.
#include <vedrix/fman/free_tb_number.h>

#include <vedrix/framework/wnd.h>

#include <zelkar/utility_general.h>

#include <windows.h>

namespace {

// Tells the user that the number table could not be allocated, with the
// dialog disabled while the box is shown and focused again afterwards.
void ReportAllocationFailure(CWnd* dialog) {
    HWND owner = nullptr;
    if (dialog != nullptr) {
        owner = CWnd::SafeHandle(dialog->GetParent());
        dialog->EnableWindow(FALSE);
    }
    MessageBoxA(owner, "Fatal error: Memory allocation failure", nullptr,
                MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    if (dialog != nullptr) {
        dialog->EnableWindow(TRUE);
        dialog->SetFocus();
    }
}

}  // namespace

int GetVariantStartTbNr(int& number, CWnd* dialog) {
    if (number == 0 &&
        ZelRegGetNumber(kVariantStartTbNrSection, kVariantStartTbNrKey, &number) != 0) {
        number = kDefaultVariantStartTbNr;
    }
    const std::unique_ptr<TbNumberSlot[]> table = NewTbNumberTable();
    if (!table) {
        ReportAllocationFailure(dialog);
        return 0;
    }
    number = GetNextFreeTbNr(number, table.get());
    return number == -1 ? 0 : 1;
}
