// Message maps: window messages reach their handlers, control notifications
// are handed back to the control that sent them, and handles map to objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vedrix/automation/input.h>
#include <vedrix/framework/ui.h>

namespace {

constexpr UINT kTreeId = 7;
constexpr char kFrameClass[] = "VedrixTestFrame";

// A tree control that answers its own TVN_DELETEITEM, as a control that owns
// the data of its items does.
class OwningTree : public CTreeCtrl {
public:
    std::vector<LPARAM> m_deleted;

protected:
    void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
        m_deleted.push_back(reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemOld.lParam);
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwningTree, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
END_MESSAGE_MAP()

class Frame : public CWnd {
public:
    std::vector<std::string> m_events;
    OwningTree m_tree;

protected:
    int OnCreate(LPCREATESTRUCTA cs) {
        m_events.push_back("create " + std::to_string(cs->cx) + "x" + std::to_string(cs->cy));
        return CWnd::OnCreate(cs);
    }
    void OnSize(UINT, int cx, int cy) {
        m_events.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnLButtonDown(UINT nFlags, CPoint point) {
        m_events.push_back("down " + std::to_string(point.x) + "," + std::to_string(point.y) +
                           ((nFlags & MK_LBUTTON) != 0 ? " left" : ""));
    }
    void OnNotifyDelete(NMHDR*, LRESULT*) { m_events.push_back("parent saw a deletion"); }
    void OnNotifySelect(NMHDR* pNMHDR, LRESULT*) {
        auto* info = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
        m_events.push_back("selected " + std::to_string(info->itemNew.lParam));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_NOTIFY(TVN_DELETEITEM, kTreeId, OnNotifyDelete)
ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, OnNotifySelect)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        vedrix::automation::resetDesktop();
        WNDCLASSA wc{};
        wc.lpfnWndProc = AfxWndProc;
        wc.lpszClassName = kFrameClass;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        // (a popup: its client area is the whole window, on every platform)
        ASSERT_TRUE(m_frame.CreateEx(0, kFrameClass, "Frame", WS_POPUP | WS_VISIBLE,
                                     CRect(0, 0, 400, 300), nullptr, 0));
        ASSERT_TRUE(m_frame.m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS,
                                          CRect(10, 10, 210, 210), &m_frame, kTreeId));
    }
    void TearDown() override {
        m_frame.DestroyWindow();
        vedrix::automation::resetDesktop();
    }

    Frame m_frame;
};

TEST_F(MessageMapTest, HandlersGetTheMessagesWithTheirParameters) {
    EXPECT_EQ(m_frame.m_events.front(), "create 400x300");
    m_frame.m_events.clear();
    m_frame.MoveWindow(0, 0, 320, 240);
    vedrix::automation::click(POINT{300, 220});
    EXPECT_EQ(m_frame.m_events, (std::vector<std::string>{"size 320x240", "down 300,220 left"}));
}

TEST_F(MessageMapTest, AControlHandlesItsOwnReflectedNotifications) {
    CTreeCtrl& tree = m_frame.m_tree;
    HTREEITEM building =
        tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Building", 0, 0, 0, 0, 1, TVI_ROOT, TVI_LAST);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Storey", 0, 0, 0, 0, 2, building, TVI_LAST);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Annex", 0, 0, 0, 0, 3, TVI_ROOT, TVI_LAST);
    m_frame.m_events.clear();

    tree.SelectItem(building);  // not reflected: the parent's map gets it
    EXPECT_TRUE(tree.DeleteItem(building));
    EXPECT_EQ(m_frame.m_tree.m_deleted, (std::vector<LPARAM>{2, 1}));
    // Deleting the selected item moves the selection on, as the platform does.
    EXPECT_EQ(m_frame.m_events, (std::vector<std::string>{"selected 1", "selected 3"}));
    EXPECT_EQ(tree.GetCount(), 1u);
    EXPECT_STREQ(tree.GetItemText(tree.GetRootItem()), "Annex");
    EXPECT_EQ(tree.GetItemData(tree.GetRootItem()), 3u);
}

TEST_F(MessageMapTest, HandlesMapToTheirObjects) {
    EXPECT_EQ(CWnd::FromHandle(m_frame.m_hWnd), &m_frame);
    EXPECT_EQ(CWnd::FromHandlePermanent(m_frame.m_tree.m_hWnd), &m_frame.m_tree);
    EXPECT_EQ(m_frame.GetDlgItem(kTreeId), &m_frame.m_tree);
    EXPECT_EQ(m_frame.m_tree.GetParent(), &m_frame);

    // A window without an object gets a temporary wrapper, the same one each
    // time, of the class asked for.
    HWND plain = CreateWindowExA(0, "Edit", "text", WS_CHILD | WS_VISIBLE, 220, 10, 100, 20,
                                 m_frame.m_hWnd, reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CWnd* wrapper = CWnd::FromHandle(plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), wrapper);
    CEdit* edit = CWnd::FromHandleAs<CEdit>(plain);
    EXPECT_EQ(CWnd::FromHandleAs<CEdit>(plain), edit);
    CString contents;
    edit->GetWindowText(contents);
    EXPECT_STREQ(contents, "text");
    EXPECT_EQ(CWnd::FromHandleAs<CEdit>(m_frame.m_hWnd), nullptr);  // its own object is no edit
    CWnd::DeleteTempMap();

    // Destroying a window detaches its object.
    HWND treeWindow = m_frame.m_tree.m_hWnd;
    m_frame.m_tree.DestroyWindow();
    EXPECT_EQ(m_frame.m_tree.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(treeWindow), nullptr);
}

// The items of a tree in depth-first order as "text:data", asked either
// through the message routing or by a walk.
std::vector<std::string> Routed(const CTreeCtrl& tree, HTREEITEM first) {
    std::vector<std::string> items;
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        items.push_back(std::string(tree.GetItemText(item)) + ":" +
                        std::to_string(tree.GetItemData(item)));
        for (const std::string& below : Routed(tree, tree.GetChildItem(item))) {
            items.push_back(below);
        }
    }
    return items;
}

std::vector<std::string> Walked(const CTreeCtrl& tree, HTREEITEM first) {
    std::vector<std::string> items;
    for (HTREEITEM item = first; item != nullptr; item = tree.WalkNextSibling(item)) {
        char text[32] = {};
        TVITEMA request{};
        request.hItem = item;
        request.mask = TVIF_TEXT;
        request.pszText = text;
        request.cchTextMax = sizeof text;
        EXPECT_TRUE(tree.WalkItem(&request));
        items.push_back(std::string(request.pszText) + ":" +
                        std::to_string(tree.WalkItemData(item)));
        for (const std::string& below : Walked(tree, tree.WalkChild(item))) {
            items.push_back(below);
        }
    }
    return items;
}

// A walk asks the control itself: for a tree with its own object and for a
// wrapper of a tree that has none, it meets the items the routed questions
// meet, in the same order, and ends where they end.
TEST_F(MessageMapTest, AWalkOverATreeGivesWhatTheRoutedQuestionsGive) {
    CTreeCtrl& tree = m_frame.m_tree;
    HTREEITEM building =
        tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Building", 0, 0, 0, 0, 1, TVI_ROOT, TVI_LAST);
    HTREEITEM storey =
        tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Storey", 0, 0, 0, 0, 2, building, TVI_LAST);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Room", 0, 0, 0, 0, 3, storey, TVI_LAST);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Roof", 0, 0, 0, 0, 4, building, TVI_LAST);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Annex", 0, 0, 0, 0, 5, TVI_ROOT, TVI_LAST);
    const std::vector<std::string> expected{"Building:1", "Storey:2", "Room:3", "Roof:4",
                                            "Annex:5"};
    EXPECT_EQ(Routed(tree, tree.GetRootItem()), expected);
    EXPECT_EQ(Walked(tree, tree.GetRootItem()), expected);
    EXPECT_EQ(tree.WalkChild(tree.WalkNextSibling(building)), nullptr);
    EXPECT_EQ(tree.WalkItemData(nullptr), 0u);

    HWND plain = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 220, 10, 100, 100,
                                 m_frame.m_hWnd, reinterpret_cast<HMENU>(9), nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CTreeCtrl* wrapper = CWnd::FromHandleAs<CTreeCtrl>(plain);
    ASSERT_NE(wrapper, nullptr);
    HTREEITEM top =
        wrapper->InsertItem(TVIF_TEXT | TVIF_PARAM, "Site", 0, 0, 0, 0, 8, TVI_ROOT, TVI_LAST);
    wrapper->InsertItem(TVIF_TEXT | TVIF_PARAM, "Hall", 0, 0, 0, 0, 9, top, TVI_LAST);
    EXPECT_EQ(Walked(*wrapper, wrapper->GetRootItem()),
              (std::vector<std::string>{"Site:8", "Hall:9"}));
    CWnd::DeleteTempMap();
}

// Items filled in through the control's own procedure are the items an
// insertion through the routing makes: sorted where asked, with their data,
// below the parent given.
TEST_F(MessageMapTest, AFilledItemIsTheItemAnInsertionMakes) {
    CTreeCtrl& tree = m_frame.m_tree;
    const auto fill = [&](const char* text, LPARAM data, HTREEITEM parent, HTREEITEM after) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(text);
        insert.item.lParam = data;
        return tree.FillItem(&insert);
    };
    HTREEITEM site = fill("Site", 1, TVI_ROOT, TVI_LAST);
    ASSERT_NE(site, nullptr);
    fill("West", 2, site, TVI_SORT);
    fill("East", 3, site, TVI_SORT);
    tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "North", 0, 0, 0, 0, 4, site, TVI_SORT);
    EXPECT_EQ(Routed(tree, tree.GetRootItem()),
              (std::vector<std::string>{"Site:1", "East:3", "North:4", "West:2"}));
    EXPECT_EQ(tree.GetCount(), 4u);
}

}  // namespace
