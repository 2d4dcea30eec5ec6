#include "test_dialogs.h"

#include <algorithm>
#include <cstdio>

namespace automation_tests {

namespace {

// ---------------------------------------------------------------------------
// Helpers of the dialog procedures

std::string itemText(HWND tree, HTREEITEM item) {
    char buffer[256] = {};
    TVITEMA it{};
    it.mask = TVIF_TEXT | TVIF_HANDLE;
    it.hItem = item;
    it.pszText = buffer;
    it.cchTextMax = sizeof(buffer);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return it.pszText ? it.pszText : "";
}

HTREEITEM insert(HWND tree, HTREEITEM parent, const char* text) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void fillTree(HWND tree) {
    HTREEITEM project = insert(tree, TVI_ROOT, "Project");
    HTREEITEM first = insert(tree, project, "Building 1");
    insert(tree, first, "Storey 1");
    insert(tree, first, "Storey 2");
    HTREEITEM second = insert(tree, project, "Building 2");
    insert(tree, second, "Storey 1");
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(project));
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(first));
}

void fillList(HWND list) {
    const char* headings[] = {"File", "Name"};
    const int widths[] = {80, 150};
    for (int c = 0; c < 2; ++c) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(headings[c]);
        column.cx = widths[c];
        column.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                     reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {
        {"110", "Ground floor"}, {"111", "First floor"}, {"112", "Roof"}, {"113", "Section A"}};
    for (int r = 0; r < 4; ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMA sub{};
        sub.iSubItem = 1;
        sub.pszText = const_cast<char*>(rows[r][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(r),
                     reinterpret_cast<LPARAM>(&sub));
    }
}

std::vector<std::string> selectedFiles(HWND list) {
    std::vector<std::string> out;
    int i = -1;
    while ((i = static_cast<int>(
                SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0) {
        char buffer[64] = {};
        LVITEMA item{};
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        out.emplace_back(buffer);
    }
    return out;
}

// The tree item under a point of the dialog's client area (null when none).
HTREEITEM treeItemAt(HWND dialog, POINT client) {
    HWND tree = GetDlgItem(dialog, kTree);
    MapWindowPoints(dialog, tree, &client, 1);
    TVHITTESTINFO hit{};
    hit.pt = client;
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? hit.hItem : nullptr;
}

INT_PTR answer(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK detailsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        if (LOWORD(wParam) == IDOK) {
            char name[128] = {};
            GetDlgItemTextA(dialog, kDetailsName, name, sizeof(name));
            received().detailsName = name;
        }
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void showContextMenu(HWND dialog, LPARAM lParam) {
    HWND tree = GetDlgItem(dialog, kTree);
    POINT screen{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    POINT client = screen;
    ScreenToClient(dialog, &client);
    HTREEITEM item = treeItemAt(dialog, client);
    if (!item) {
        return;
    }
    bool root =
        SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)) == 0;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kMenuRename, "&Rename");
    AppendMenuA(menu, MF_STRING | (root ? MF_GRAYED : 0), kMenuProperties, "&Properties...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kMenuRemove, "Re&move");
    UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                                    screen.y, 0, dialog, nullptr));
    DestroyMenu(menu);
    received().menuChoices.push_back(MenuChoice{itemText(tree, item), command});
    if (command == kMenuRemove) {
        received().deleted.push_back(itemText(tree, item));
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    } else if (command == kMenuRename) {
        SendMessageA(tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
    }
}

INT_PTR treeNotify(HWND dialog, NMHDR* header) {
    HWND tree = header->hwndFrom;
    Received& r = received();
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
        r.treeNotes.push_back(header->code);
    }
    switch (header->code) {
        case TVN_BEGINLABELEDITA: {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
            r.editsBegun.push_back(itemText(tree, info->item.hItem));
            bool root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                     reinterpret_cast<LPARAM>(info->item.hItem)) == 0;
            return answer(dialog, root ? TRUE : FALSE);
        }
        case TVN_ENDLABELEDITA: {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
            if (!info->item.pszText) {
                r.editsEnded.emplace_back(std::nullopt);
                return answer(dialog, FALSE);
            }
            r.editsEnded.emplace_back(std::string(info->item.pszText));
            if (info->item.pszText[0] == '\0') {
                MessageBoxA(dialog, "A name cannot be empty.", "Structure",
                            MB_OK | MB_ICONEXCLAMATION);
                return answer(dialog, FALSE);
            }
            return answer(dialog, TRUE);
        }
        case NM_DBLCLK: {
            HTREEITEM selected =
                reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
            std::printf("---> open %s\n", itemText(tree, selected).c_str());
            return answer(dialog, 0);
        }
        default:
            return FALSE;
    }
}

INT_PTR listNotify(HWND dialog, NMHDR* header) {
    Received& r = received();
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
        r.listNotes.push_back(header->code);
    }
    if (header->code == LVN_BEGINDRAG) {
        r.dragging = true;
        r.drops.push_back(Drop{selectedFiles(header->hwndFrom), "", 0});
        SetCapture(dialog);
        SetCursor(LoadCursorA(nullptr, IDC_NO));
    }
    return FALSE;
}

void dragMove(HWND dialog, LPARAM lParam) {
    Received& r = received();
    ++r.drops.back().moves;
    POINT client{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    HTREEITEM item = treeItemAt(dialog, client);
    SendMessageA(GetDlgItem(dialog, kTree), TVM_SELECTITEM, TVGN_DROPHILITE,
                 reinterpret_cast<LPARAM>(item));
    SetCursor(LoadCursorA(nullptr, item ? IDC_ARROW : IDC_NO));
}

void dragRelease(HWND dialog, LPARAM lParam) {
    Received& r = received();
    r.dragging = false;
    POINT client{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    HWND tree = GetDlgItem(dialog, kTree);
    HTREEITEM item = treeItemAt(dialog, client);
    r.drops.back().target = item ? itemText(tree, item) : "";
    SendMessageA(tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void command(HWND dialog, int id, int code) {
    Received& r = received();
    r.commands.emplace_back(id, code);
    HWND tree = GetDlgItem(dialog, kTree);
    switch (id) {
        case kDelete: {
            auto selected =
                reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
            if (!selected) {
                MessageBoxA(dialog, "Select an item first.", "Structure",
                            MB_OK | MB_ICONINFORMATION);
                return;
            }
            std::string name = itemText(tree, selected);
            std::string question = "Delete \"" + name + "\" and everything below it?";
            if (MessageBoxA(dialog, question.c_str(), "Structure",
                            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
                r.deleted.push_back(name);
                SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
            }
            return;
        }
        case kDetails:
            r.detailsResult = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kDetailsTemplate), dialog,
                                              detailsProc, 0);
            return;
        case IDOK: {
            char note[128] = {};
            GetDlgItemTextA(dialog, kNote, note, sizeof(note));
            r.note = note;
            std::printf("---> confirmed: %zu files selected\n",
                        selectedFiles(GetDlgItem(dialog, kFiles)).size());
            EndDialog(dialog, IDOK);
            return;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK structureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Received& r = received();
    switch (message) {
        case WM_INITDIALOG:
            r.dialog = dialog;
            fillTree(GetDlgItem(dialog, kTree));
            fillList(GetDlgItem(dialog, kFiles));
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == kTree) {
                return treeNotify(dialog, header);
            }
            if (header->idFrom == kFiles) {
                return listNotify(dialog, header);
            }
            return FALSE;
        }
        case WM_MOUSEMOVE:
            if (r.dragging) {
                dragMove(dialog, lParam);
                return TRUE;
            }
            return FALSE;
        case WM_LBUTTONUP:
            if (r.dragging) {
                dragRelease(dialog, lParam);
                return TRUE;
            }
            return FALSE;
        case WM_CAPTURECHANGED:
            r.dragging = r.dragging && reinterpret_cast<HWND>(lParam) == dialog;
            return FALSE;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(dialog, kTree)) {
                showContextMenu(dialog, lParam);
                return TRUE;
            }
            return FALSE;
        case WM_COMMAND:
            command(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

Received& received() {
    static Received r;
    return r;
}

INT_PTR runStructureDialog(HWND owner) {
    received() = Received{};
    return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kStructureTemplate), owner, structureProc, 0);
}

int countOf(const std::vector<UINT>& codes, UINT code) {
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
}

bool gotCommand(int id, int code) {
    const auto& c = received().commands;
    return std::find(c.begin(), c.end(), std::make_pair(id, code)) != c.end();
}

}  // namespace automation_tests
