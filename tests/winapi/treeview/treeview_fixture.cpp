#include "treeview/treeview_fixture.h"

#include <cstring>

namespace treeview_tests {

TreeViewTest* TreeViewTest::current = nullptr;

namespace {
const char kParentClass[] = "TreeViewTestParent";
}

LRESULT CALLBACK TreeViewTest::parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TreeViewTest* test = current;
    if (test == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_CONTEXTMENU || message == WM_COMMAND || message == WM_HELP) {
        test->messages.push_back(message);
        if (message == WM_COMMAND) {
            test->commands.emplace_back(wParam, lParam);
        }
        return message == WM_HELP ? TRUE : 0;
    }
    if (message != WM_NOTIFY) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == NM_CUSTOMDRAW) {
        return test->respond ? test->respond(header) : 0;
    }
    Note note;
    note.code = header->code;
    note.idFrom = header->idFrom;
    note.from = header->hwndFrom;
    note.editControl = TreeView_GetEditControl(header->hwndFrom);
    note.focus = GetFocus();
    note.selection = TreeView_GetSelection(header->hwndFrom);
    note.dropTarget = TreeView_GetDropHilight(header->hwndFrom);
    switch (header->code) {
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGEDA:
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDEDA:
        case TVN_BEGINDRAGA:
        case TVN_BEGINRDRAGA:
        case TVN_DELETEITEMA: {
            auto* nm = reinterpret_cast<NMTREEVIEWA*>(lParam);
            note.action = nm->action;
            note.oldItem = nm->itemOld.hItem;
            note.newItem = nm->itemNew.hItem;
            note.oldParam = nm->itemOld.lParam;
            note.newParam = nm->itemNew.lParam;
            note.newState = nm->itemNew.state;
            note.ptDrag = nm->ptDrag;
            break;
        }
        case TVN_BEGINLABELEDITA:
        case TVN_ENDLABELEDITA:
        case TVN_GETDISPINFOA:
        case TVN_SETDISPINFOA: {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(lParam);
            note.newItem = info->item.hItem;
            note.newParam = info->item.lParam;
            note.hasText = info->item.pszText != nullptr;
            if (note.hasText && header->code != TVN_GETDISPINFOA) {
                note.text = info->item.pszText;
            }
            break;
        }
        case TVN_KEYDOWN: {
            auto* key = reinterpret_cast<NMTVKEYDOWN*>(lParam);
            note.key = key->wVKey;
            break;
        }
        default:
            break;
    }
    test->recorded.push_back(note);
    return test->respond ? test->respond(header) : 0;
}

void TreeViewTest::SetUp() {
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_TREEVIEW_CLASSES;
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    WNDCLASSA cls;
    std::memset(&cls, 0, sizeof cls);
    cls.lpfnWndProc = &TreeViewTest::parentProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kParentClass;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    WNDCLASSA existing;
    if (!GetClassInfoA(cls.hInstance, kParentClass, &existing)) {
        ASSERT_NE(RegisterClassA(&cls), 0);
    }
    current = this;
    parent = CreateWindowExA(0, kParentClass, "Tree view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
}

void TreeViewTest::TearDown() {
    respond = nullptr;  // it may refer to the test body's locals
    if (parent != nullptr && IsWindow(parent)) {
        DestroyWindow(parent);
    }
    current = nullptr;
}

HWND TreeViewTest::createTree(DWORD style, int width, int height) {
    tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)),
                           GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(tree, nullptr);
    return tree;
}

HTREEITEM TreeViewTest::insertWith(HTREEITEM parentItem, HTREEITEM after, const TVITEMA& item) {
    TVINSERTSTRUCTA insert;
    std::memset(&insert, 0, sizeof insert);
    insert.hParent = parentItem;
    insert.hInsertAfter = after;
    insert.item = item;
    return TreeView_InsertItem(tree, &insert);
}

HTREEITEM TreeViewTest::insert(HTREEITEM parentItem, HTREEITEM after, const char* text,
                               LPARAM param) {
    TVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = TVIF_TEXT | TVIF_PARAM;
    item.pszText = const_cast<char*>(text);
    item.lParam = param;
    return insertWith(parentItem, after, item);
}

std::string TreeViewTest::textOf(HTREEITEM item) {
    char buffer[300] = "<none>";
    TVITEMA tv;
    std::memset(&tv, 0, sizeof tv);
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof buffer;
    if (!TreeView_GetItem(tree, &tv)) {
        return "<invalid>";
    }
    return buffer;
}

UINT TreeViewTest::stateOf(HTREEITEM item, UINT mask) {
    return TreeView_GetItemState(tree, item, mask);
}

LPARAM TreeViewTest::paramOf(HTREEITEM item) {
    TVITEMA tv;
    std::memset(&tv, 0, sizeof tv);
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    tv.lParam = -1;
    TreeView_GetItem(tree, &tv);
    return tv.lParam;
}

HTREEITEM TreeViewTest::next(HTREEITEM item, UINT code) {
    return TreeView_GetNextItem(tree, item, code);
}

std::vector<Note> TreeViewTest::notes(UINT code) const {
    std::vector<Note> result;
    for (const Note& note : recorded) {
        if (note.code == code) {
            result.push_back(note);
        }
    }
    return result;
}

std::vector<UINT> TreeViewTest::codes() const {
    std::vector<UINT> result;
    for (const Note& note : recorded) {
        result.push_back(note.code);
    }
    return result;
}

HIMAGELIST makeImages(int cx, int cy, int count) {
    HIMAGELIST list = ImageList_Create(cx, cy, ILC_COLOR32, count, 1);
    if (list != nullptr) {
        ImageList_SetImageCount(list, static_cast<UINT>(count));
    }
    return list;
}

}  // namespace treeview_tests
