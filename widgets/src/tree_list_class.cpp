// The tree-list's window class, registered for the module's instance.
#include <vedrix/framework/ui.h>
#include <vedrix/widgets/tree_list_class.h>

ATOM RegisterTreeListClass() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kTreeListClassName;
    return ::RegisterClassA(&wc);
}

BOOL UnregisterTreeListClass() {
    return ::UnregisterClassA(kTreeListClassName, AfxGetInstanceHandle());
}
