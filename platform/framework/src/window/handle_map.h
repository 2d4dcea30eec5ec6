// The objects attached to window handles, and the window being created.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include <windows.h>

class CWnd;

namespace vedrix::framework {

// Objects attached with Attach/SubclassWindow/Create; they own themselves.
std::unordered_map<HWND, CWnd*>& PermanentWindowMap();
// Wrappers made by CWnd::FromHandle for windows without an object.
// One per window and class asked for.
std::unordered_map<HWND, std::vector<std::unique_ptr<CWnd>>>& TemporaryWindowMap();
// The object that the next unknown window reaching AfxWndProc or AfxDlgProc
// belongs to: set while CreateEx or DoModal creates its window.
CWnd*& WindowBeingCreated();

}  // namespace vedrix::framework
