#include "listview/listview_fixture.h"

#include <cstring>

namespace listview_tests {

ListViewTest* ListViewTest::current = nullptr;

namespace {
const char kParentClass[] = "ListViewTestParent";
}

LRESULT CALLBACK ListViewTest::parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewTest* test = current;
    if (test == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_CONTEXTMENU || message == WM_HELP) {
        test->messages.push_back(message);
        return message == WM_HELP ? TRUE : 0;
    }
    if (message != WM_NOTIFY) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == NM_CUSTOMDRAW) {
        return 0;
    }
    Note note;
    note.code = header->code;
    note.from = header->hwndFrom;
    note.idFrom = header->idFrom;
    if (header->hwndFrom == test->list && test->list != nullptr) {
        note.selectedCount = ListView_GetSelectedCount(test->list);
    }
    switch (header->code) {
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED:
        case LVN_INSERTITEM:
        case LVN_DELETEITEM:
        case LVN_DELETEALLITEMS:
        case LVN_COLUMNCLICK:
        case LVN_BEGINDRAG:
        case LVN_BEGINRDRAG: {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
            note.item = nm->iItem;
            note.subItem = nm->iSubItem;
            note.newState = nm->uNewState;
            note.oldState = nm->uOldState;
            note.changed = nm->uChanged;
            note.action = nm->ptAction;
            note.lParam = nm->lParam;
            break;
        }
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RCLICK:
        case NM_RDBLCLK:
        case LVN_ITEMACTIVATE: {
            if (header->hwndFrom != test->list) {
                break;
            }
            auto* nm = reinterpret_cast<NMITEMACTIVATE*>(lParam);
            note.item = nm->iItem;
            note.subItem = nm->iSubItem;
            note.action = nm->ptAction;
            note.keyFlags = nm->uKeyFlags;
            break;
        }
        case LVN_BEGINLABELEDITA:
        case LVN_ENDLABELEDITA:
        case LVN_GETDISPINFOA: {
            auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
            note.item = info->item.iItem;
            note.subItem = info->item.iSubItem;
            note.lParam = info->item.lParam;
            note.hasText = info->item.pszText != nullptr;
            if (note.hasText && header->code != LVN_GETDISPINFOA) {
                note.text = info->item.pszText;
            }
            break;
        }
        case LVN_KEYDOWN: {
            auto* key = reinterpret_cast<NMLVKEYDOWN*>(lParam);
            note.key = key->wVKey;
            break;
        }
        default:
            break;
    }
    test->recorded.push_back(note);
    return test->respond ? test->respond(header) : 0;
}

void ListViewTest::SetUp() {
    person::resetDesktop();
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    WNDCLASSA cls;
    std::memset(&cls, 0, sizeof cls);
    cls.lpfnWndProc = &ListViewTest::parentProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kParentClass;
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    WNDCLASSA existing;
    if (!GetClassInfoA(cls.hInstance, kParentClass, &existing)) {
        ASSERT_NE(RegisterClassA(&cls), 0);
    }
    current = this;
    parent = CreateWindowExA(0, kParentClass, "List view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                             0, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
}

void ListViewTest::TearDown() {
    if (parent != nullptr && IsWindow(parent)) {
        DestroyWindow(parent);
    }
    current = nullptr;
    person::resetDesktop();
}

HWND ListViewTest::createList(DWORD style, int width, int height) {
    list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)),
                           GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(list, nullptr);
    return list;
}

int ListViewTest::insert(int index, const char* text, LPARAM param) {
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.lParam = param;
    return ListView_InsertItem(list, &item);
}

int ListViewTest::insertColumn(int index, const char* text, int width, int format) {
    LVCOLUMNA column;
    std::memset(&column, 0, sizeof column);
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = const_cast<char*>(text);
    column.cx = width;
    column.fmt = format;
    return ListView_InsertColumn(list, index, &column);
}

void ListViewTest::setText(int index, int subItem, const char* text) {
    ListView_SetItemText(list, index, subItem, const_cast<char*>(text));
}

std::string ListViewTest::textOf(int index, int subItem) {
    char buffer[300] = "<none>";
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    if (!ListView_GetItem(list, &item)) {
        return "<invalid>";
    }
    return buffer;
}

UINT ListViewTest::stateOf(int index, UINT mask) {
    return ListView_GetItemState(list, index, mask);
}

LPARAM ListViewTest::paramOf(int index) {
    LVITEMA item;
    std::memset(&item, 0, sizeof item);
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = -1;
    ListView_GetItem(list, &item);
    return item.lParam;
}

void ListViewTest::select(int index, UINT state, UINT mask) {
    ListView_SetItemState(list, index, state, mask);
}

std::vector<int> ListViewTest::selectedRows() {
    std::vector<int> rows;
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
        rows.push_back(i);
        if (rows.size() > 1000) {
            break;
        }
    }
    return rows;
}

POINT ListViewTest::screen(int x, int y, HWND window) const {
    POINT pt{x, y};
    ClientToScreen(window != nullptr ? window : list, &pt);
    return pt;
}

void ListViewTest::click(int x, int y, person::Button button) {
    person::click(screen(x, y), button);
}

POINT ListViewTest::labelPoint(int index) {
    RECT rect;
    std::memset(&rect, 0, sizeof rect);
    EXPECT_TRUE(ListView_GetItemRect(list, index, &rect, LVIR_LABEL));
    return POINT{rect.left + 4, (rect.top + rect.bottom) / 2};
}

std::vector<Note> ListViewTest::notes(UINT code) const {
    std::vector<Note> result;
    for (const Note& note : recorded) {
        if (note.code == code) {
            result.push_back(note);
        }
    }
    return result;
}

std::vector<UINT> ListViewTest::codes() const {
    std::vector<UINT> result;
    for (const Note& note : recorded) {
        result.push_back(note.code);
    }
    return result;
}

std::vector<std::string> ListViewTest::changes() const {
    std::vector<std::string> result;
    for (const Note& note : recorded) {
        if (note.code == LVN_ITEMCHANGED) {
            result.push_back(std::to_string(note.item) + ":" + std::to_string(note.oldState) +
                             "->" + std::to_string(note.newState));
        }
    }
    return result;
}

HIMAGELIST makeImages(int cx, int cy, int count) {
    HIMAGELIST images = ImageList_Create(cx, cy, ILC_COLOR32, count, 1);
    if (images != nullptr) {
        ImageList_SetImageCount(images, static_cast<UINT>(count));
    }
    return images;
}

::testing::AssertionResult rectIs(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    if (r.left == left && r.top == top && r.right == right && r.bottom == bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace listview_tests
