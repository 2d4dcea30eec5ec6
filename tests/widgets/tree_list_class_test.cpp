// The tree-list's window class: what a dialog template's custom control gets
// once the class is registered, and that a second registration or an
// unregistration of a class that is not there fails as the platform says.
#include <gtest/gtest.h>

#include <vedrix/framework/ui.h>
#include <vedrix/automation/input.h>
#include <vedrix/widgets/tree_list_class.h>

namespace {

class TreeListClassTest : public ::testing::Test {
protected:
    void SetUp() override { vedrix::automation::resetDesktop(); }
    void TearDown() override {
        UnregisterTreeListClass();
        vedrix::automation::resetDesktop();
    }
};

TEST_F(TreeListClassTest, RegisteredClassHasTheDocumentedAttributes) {
    ASSERT_NE(RegisterTreeListClass(), 0);
    WNDCLASSA wc{};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), kTreeListClassName, &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS));
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_EQ(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, nullptr);
    EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    EXPECT_EQ(wc.lpszMenuName, nullptr);

    // A window of the class answers with the default procedure.
    HWND window = ::CreateWindowExA(0, kTreeListClassName, "tree-list", WS_OVERLAPPED, 0, 0, 100,
                                    50, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindowTextLengthA(window), 9);
    ::DestroyWindow(window);
}

TEST_F(TreeListClassTest, RegisteringTwiceFailsAndUnregisteringEndsTheClass) {
    ASSERT_NE(RegisterTreeListClass(), 0);
    EXPECT_EQ(RegisterTreeListClass(), 0);
    EXPECT_TRUE(UnregisterTreeListClass());
    WNDCLASSA wc{};
    EXPECT_FALSE(::GetClassInfoA(AfxGetInstanceHandle(), kTreeListClassName, &wc));
    EXPECT_FALSE(UnregisterTreeListClass());
}

}  // namespace
