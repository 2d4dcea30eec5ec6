// The view selection's frame through tb_fman_ViewSelect (layout on resize,
// the minimum size, the minimised icon, help in each mode), and projects
// whose files are missing or bad.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialog_frame_checks.h"
#include "view_select_project.h"
#include "support/headless_only.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace viewselect_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ViewSelectFrameTest : public WorksTest {
protected:
    void SetUp() override {
        WorksTest::SetUp();
        writeProject();
    }
};

TEST_F(ViewSelectFrameTest, ResizingMovesTheLinesAndButtonsAboveAMinimumSize) {
    const std::vector<int> ids = {1029, 1030, 1031, 1032, 1033, 1034, IDOK, IDCANCEL};
    std::vector<RECT> before, after;
    MINMAXINFO limits{};
    bool hasIcon = false;
    person.onDialog(139, [&](Dialog& d) {
        for (int id : ids) {
            before.push_back(placeOf(d, id));
        }
        const RECT frame = d.rect();
        // 120 pixels wider and 80 higher.
        ::SetWindowPos(d.hwnd(), nullptr, 0, 0, frame.right - frame.left + 120,
                       frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : ids) {
            after.push_back(placeOf(d, id));
        }
        ::SendMessageA(d.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        hasIcon = ::SendMessageA(d.hwnd(), WM_GETICON, ICON_BIG, 0) != 0 &&
                  ::SendMessageA(d.hwnd(), WM_GETICON, ICON_SMALL, 0) != 0;
        d.cancel();
    });
    char picked[100];
    EXPECT_EQ(select(2, picked), IDCANCEL);
    ASSERT_EQ(after.size(), ids.size());
    // How each control moved (left, top) and grew (width, height).
    std::vector<std::vector<long>> changes;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        changes.push_back({after[i].left - before[i].left, after[i].top - before[i].top,
                           (after[i].right - after[i].left) - (before[i].right - before[i].left),
                           (after[i].bottom - after[i].top) - (before[i].bottom - before[i].top)});
    }
    EXPECT_THAT(changes, ElementsAre(ElementsAre(0, 0, 120, 80),    // tree
                                     ElementsAre(0, 80, 120, 0),    // level label
                                     ElementsAre(0, 80, 0, 0),      // date label
                                     ElementsAre(0, 80, 0, 0),      // code path label
                                     ElementsAre(0, 80, 120, 0),    // date line
                                     ElementsAre(0, 80, 120, 0),    // code path line
                                     ElementsAre(120, 80, 0, 0),    // confirm
                                     ElementsAre(120, 80, 0, 0)));  // cancel
    EXPECT_EQ(limits.ptMinTrackSize.x, 347);
    EXPECT_EQ(limits.ptMinTrackSize.y, 367);
    EXPECT_TRUE(hasIcon);
}

TEST_F(ViewSelectFrameTest, MinimisedItShowsItsIconInTheMiddle) {
    HEADLESS_ONLY("reads the recording device context");
#if VEDRIX_HEADLESS
    std::vector<vedrix::headless::DrawingEntry> icons;
    RECT client{};
    person.onDialog(139, [&](Dialog& d) { icons = iconsDrawnMinimised(d, client); });
    char picked[100];
    EXPECT_EQ(select(2, picked), IDCANCEL);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].rect.left, (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2);
    EXPECT_EQ(icons[0].rect.top, (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2);
#endif
}

// F1 opens help context 4833 in mode 1 and 4820 in mode 2, for the host's
// window; any other mode has no help.
TEST_F(ViewSelectFrameTest, HelpHasAContextPerMode) {
    HEADLESS_ONLY("help calls are recorded headless only (a real screen starts the help program)");
    HWND host = ::CreateWindowExA(0, "Static", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                  600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    std::vector<DWORD_PTR> contexts;
    for (int mode : {1, 2, 3}) {
        person.onDialog(139, [](Dialog& d) {
            d.tree(1029).item({"Works", "North wing", "Plans"}).click();
            pressKey(VK_F1);
            d.cancel();
        });
        char picked[100];
        EXPECT_EQ(tb_fman_ViewSelect(host, 0, "en", project.string().c_str(), "Works", "works.lis",
                                     0, mode, picked),
                  IDCANCEL);
    }
    for (const auto& call : person.helpCalls()) {
        EXPECT_EQ(call.command, static_cast<UINT>(HELP_CONTEXT));
        EXPECT_EQ(call.window, host);
        contexts.push_back(call.data);
    }
    EXPECT_THAT(contexts, ElementsAre(4833u, 4820u));
    ::DestroyWindow(host);
}

// Without a view file, or with a damaged one, the views show as the tree
// filling made them and none can be picked; neither file is written.
TEST_F(ViewSelectFrameTest, AMissingOrDamagedViewFileLeavesNothingToPick) {
    const std::string damaged = kViewFileHeading + "0\tPlans\tV-PLANS\t0\tP\t45000\t0\t0\tmore\n";
    for (const bool present : {false, true}) {
        fs::remove(project / vedrix::hostsim::kViewFileName);
        if (present) {
            entry_tests::writeFile(project / vedrix::hostsim::kViewFileName, damaged);
        }
        std::vector<std::string> shown;
        person.onDialog(139, [&](Dialog& d) {
            TreeItem plans = d.tree(1029).item({"Works", "North wing", "Plans"});
            plans.click();
            shown = {d.control(1033).text(), d.control(1034).text(),
                     d.control(IDOK).isEnabled() ? "enabled" : "disabled",
                     plans.parent().isBold() ? "bold" : "plain"};
            ::SendMessageA(d.hwnd(), WM_COMMAND, IDOK, 0);
        });
        char picked[100];
        std::memset(picked, 'x', sizeof picked);
        EXPECT_EQ(select(1, picked), IDOK);
        EXPECT_STREQ(picked, "") << "nothing was picked";
        EXPECT_THAT(shown, ElementsAre("-", "-", "disabled", "bold"));
        if (present) {
            EXPECT_EQ(viewFile(), damaged);
        } else {
            EXPECT_FALSE(fs::exists(project / vedrix::hostsim::kViewFileName));
        }
    }
}

// A hierarchy file that does not open (missing, or a directory) shows the
// root alone; the dialog still opens, and confirmation stays disabled.
TEST_F(ViewSelectFrameTest, AHierarchyFileThatDoesNotOpenShowsTheRootAlone) {
    for (const bool directory : {false, true}) {
        fs::remove(project / "works.hre");
        if (directory) {
            fs::create_directory(project / "works.hre");
        }
        std::vector<std::string> roots;
        bool confirmable = true;
        person.onDialog(139, [&](Dialog& d) {
            for (const TreeItem& top : d.tree(1029).roots()) {
                roots.push_back(top.text() + " with " + std::to_string(top.children().size()));
            }
            confirmable = d.control(IDOK).isEnabled();
            d.cancel();
        });
        char picked[100];
        EXPECT_EQ(select(2, picked), IDCANCEL);
        EXPECT_THAT(roots, ElementsAre("Works with 0"));
        EXPECT_FALSE(confirmable);
        EXPECT_THAT(person.messageBoxes(), IsEmpty());
    }
}

// The host may hand no buffer: the dialog still runs and confirms.
TEST_F(ViewSelectFrameTest, NoBufferIsNoFailure) {
    person.onDialog(139, [](Dialog& d) {
        d.tree(1029).item({"Works", "North wing", "Plans"}).click();
        d.ok();
    });
    EXPECT_EQ(tb_fman_ViewSelect(nullptr, 0, "en", project.string().c_str(), "Works", "works.lis",
                                 0, 2, nullptr),
              IDOK);
}

}  // namespace
