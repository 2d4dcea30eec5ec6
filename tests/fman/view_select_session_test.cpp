// The view selection through tb_fman_ViewSelect: the structure with its
// views' images, what each kind of view shows and allows in both modes, the
// pick that reaches the caller's buffer, and the view file written back.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <vedrix/model/item_data.h>

#include <cstring>
#include <string>
#include <vector>

#include "view_select_project.h"

using namespace vedrix::automation;
using namespace viewselect_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The records' view flags as values of the test's own (the class's constants
// live in the module's library, which exports no data on Windows).
struct ViewFlags {
    static constexpr unsigned long kOriginalView = TBItemData::kOriginalView;
    static constexpr unsigned long kVariantView = TBItemData::kVariantView;
    static constexpr unsigned long kLocked = TBItemData::kLocked;
};

// The images of bitmap 108 come first (22), then the missing drawing file's,
// then the four view images: a project without level bitmaps adds none.
enum : int { kOriginal = 23, kLockedOriginal = 24, kVariant = 25, kLockedVariant = 26 };

const TBItemData& recordOf(const TreeItem& item) {
    return *reinterpret_cast<const TBItemData*>(item.param());
}

// What the person sees after clicking one view.
struct Shown {
    std::string date, codePath;
    bool confirmable = false;
    bool levelBold = false;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{" << s.date << " | " << s.codePath << " | "
               << (s.confirmable ? "confirmable" : "not confirmable") << " | "
               << (s.levelBold ? "bold level" : "plain level") << "}";
}

class ViewSelectTest : public WorksTest {
protected:
    void SetUp() override {
        WorksTest::SetUp();
        writeProject();
    }

    // Clicks `view` of `building` and reads the lines, the confirm button
    // and the level's highlight.
    static Shown click(Dialog& d, const char* building, const char* view) {
        TreeItem item = d.tree(1029).item({"Works", building, view});
        item.click();
        return Shown{d.control(1033).text(), d.control(1034).text(), d.control(IDOK).isEnabled(),
                     item.parent().isBold()};
    }
};

TEST_F(ViewSelectTest, TheStructureShowsEachViewWithItsKindAndLock) {
    std::vector<int> images;
    std::vector<std::string> originals;
    std::vector<unsigned long> flags;
    std::vector<std::string> opening;
    person.onDialog(139, [&](Dialog& d) {
        TreeView tree = d.tree(1029);
        EXPECT_THAT(tree.root().childTexts(), ElementsAre("North wing", "South wing"));
        // The level list file is not read: no drawing file below a view.
        EXPECT_THAT(tree.item({"Works", "North wing", "Plans"}).childTexts(), IsEmpty());
        for (const char* view : {"Plans", "Plans variant", "Locked plans", "Locked variant"}) {
            const TreeItem item = tree.item({"Works", "North wing", view});
            images.push_back(item.image());
            images.push_back(item.selectedImage());
            originals.push_back(recordOf(item).getOriginalIdentifier());
            flags.push_back(recordOf(item).getViewFlags());
        }
        // A view the view file does not know keeps what the tree filling gave it.
        const TreeItem unlisted = tree.item({"Works", "South wing", "Unlisted"});
        images.push_back(unlisted.image());
        flags.push_back(recordOf(unlisted).getViewFlags());
        // The root is selected: nothing to confirm yet.
        opening = {d.caption(),
                   d.control(1030).text(),
                   d.control(1033).text(),
                   d.control(1034).text(),
                   d.control(IDOK).text(),
                   d.control(IDCANCEL).text(),
                   tree.root().isSelected() ? "root selected" : "root not selected",
                   d.control(IDOK).isEnabled() ? "enabled" : "disabled"};
        d.cancel();
    });
    entry_tests::writeFile(project / "works.lis", "#DATA:\n5\t20\t2\t\n");
    char picked[100];
    EXPECT_EQ(select(2, picked), IDCANCEL);
    EXPECT_THAT(images, ElementsAre(kOriginal, kOriginal, kVariant, kVariant, kLockedOriginal,
                                    kLockedOriginal, kLockedVariant, kLockedVariant, kOriginal));
    EXPECT_THAT(originals, ElementsAre("0", "V-PLANS", "0", "V-LOCKED"));
    using R = ViewFlags;
    EXPECT_THAT(flags, ElementsAre(R::kOriginalView, R::kVariantView, R::kOriginalView | R::kLocked,
                                   R::kVariantView | R::kLocked, 0ul));
    EXPECT_THAT(opening, ElementsAre("Select View", "Level", "-", "-", "OK", "Cancel",
                                     "root selected", "disabled"));
}

// Views below views, deeper than the levels that hold them, take their
// flags too; a level that holds views keeps none, even when the view file
// lists its identifier.
TEST_F(ViewSelectTest, ViewsAtEveryDepthTakeTheirFlagsButLevelsThatHoldViewsDoNot) {
    hre =
        "#DATA:\n"
        "\t1\t1\t0\t2\tEast wing\tV-WING\n"
        "\t2\t2\t1\t2\tSite plan\tV-SITE\n"
        "\t3\t3\t2\t2\tDetail\tV-DETAIL\n"
        "\t4\t4\t3\t0\tDeeper detail\tV-DEEPER\n";
    views = kViewFileHeading + viewLine("East wing", "V-WING", "E", "-1", "0", "0") +
            viewLine("Site plan", "V-SITE", "E.1", "-1", "0", "0") +
            viewLine("Detail", "V-DETAIL", "E.2", "-1", "V-SITE", "1") +
            viewLine("Deeper detail", "V-DEEPER", "E.3", "-1", "V-SITE", "0");
    writeProject();
    std::vector<unsigned long> flags;
    std::vector<int> images;
    person.onDialog(139, [&](Dialog& d) {
        TreeView tree = d.tree(1029);
        const std::vector<const char*> path = {"Works", "East wing", "Site plan", "Detail",
                                               "Deeper detail"};
        for (std::size_t depth = 2; depth <= path.size(); ++depth) {
            const TreeItem item =
                tree.item(std::vector<std::string>(path.begin(), path.begin() + depth));
            flags.push_back(recordOf(item).getViewFlags());
            images.push_back(item.image());
        }
        d.cancel();
    });
    char picked[100];
    EXPECT_EQ(select(2, picked), IDCANCEL);
    using R = ViewFlags;
    EXPECT_THAT(flags,
                ElementsAre(0ul, R::kOriginalView, R::kVariantView | R::kLocked, R::kVariantView));
    EXPECT_EQ(images.size(), 4u);
    EXPECT_THAT(std::vector<int>(images.begin() + 1, images.end()),
                ElementsAre(kOriginal, kLockedVariant, kVariant));
}

// Every kind of view, clicked in turn in each mode: its date (an automation
// date with a comma or a point, no date, data maintenance, text that is no
// number, a number too large for a date), its code path and whether it can
// be confirmed. In mode 1 a view needs a date and no lock; in mode 2 only
// the lock decides.
TEST_F(ViewSelectTest, EachViewShowsItsDateAndCodePathAndIsConfirmableByTheModesRules) {
    struct Row {
        const char* building;
        const char* view;
        Shown mode1, mode2;
    };
    const std::string noDate = "Not replicated yet";
    const std::string noPath = "No code path";
    const std::vector<Row> rows = {
        {"North wing", "Plans", {"15.03.2023  12:00:00", "B1.1", true, true}, {}},
        {"North wing", "Plans variant", {"15.03.2023  06:00:00", noPath, true, true}, {}},
        {"North wing", "Locked plans", {"01.01.2023  00:00:00", "B1.3", false, true}, {}},
        {"North wing", "Locked variant", {noDate, "B1.4", false, true}, {}},
        {"South wing", "Fresh", {noDate, "B2.1", false, true}, {}},
        {"South wing", "Zero", {noDate, "B2.2", false, true}, {}},
        {"South wing", "Maintained", {noDate, noPath, false, true}, {}},
        {"South wing", "Soon", {"30.12.1899  00:00:00", "B2.4", true, true}, {}},
        {"South wing", "Far future", {"1e300", "B2.5", true, true}, {}},
    };
    for (int mode : {1, 2}) {
        std::vector<Shown> seen;
        person.onDialog(139, [&](Dialog& d) {
            for (const Row& row : rows) {
                seen.push_back(click(d, row.building, row.view));
            }
            d.cancel();
        });
        char picked[100];
        EXPECT_EQ(select(mode, picked), IDCANCEL);
        ASSERT_EQ(seen.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            Shown expected = rows[i].mode1;
            if (mode == 2) {
                // Only the lock flag decides.
                expected.confirmable = std::string(rows[i].view).find("Locked") != 0;
            }
            EXPECT_EQ(seen[i], expected) << "mode " << mode << ", view " << rows[i].view;
        }
    }
}

// A lock flag other than "0" and "1" leaves the confirm button as the view
// before it left it, in both modes.
TEST_F(ViewSelectTest, AnUnknownLockFlagLeavesConfirmationAsItWas) {
    for (int mode : {1, 2}) {
        std::vector<bool> confirmable;
        person.onDialog(139, [&](Dialog& d) {
            for (const char* before : {"Locked plans", "Plans"}) {
                click(d, "North wing", before);
                confirmable.push_back(click(d, "South wing", "Odd lock").confirmable);
            }
            d.cancel();
        });
        char picked[100];
        EXPECT_EQ(select(mode, picked), IDCANCEL);
        EXPECT_THAT(confirmable, ElementsAre(false, true)) << "mode " << mode;
    }
}

TEST_F(ViewSelectTest, ConfirmingHandsTheCallerThePickedIdentifierAndZeros) {
    person.onDialog(139, [](Dialog& d) {
        click(d, "North wing", "Locked plans");
        click(d, "North wing", "Plans variant");
        d.ok();
    });
    char picked[100];
    std::memset(picked, 'x', sizeof picked);
    EXPECT_EQ(select(1, picked), IDOK);
    EXPECT_EQ(std::string(picked, sizeof picked), "V-VAR" + std::string(95, '\0'));
}

// The longest identifier a tree item holds (99 characters) fills the buffer
// up to its terminating zero in the last byte.
TEST_F(ViewSelectTest, ALongestIdentifierFillsTheBufferToItsLastByte) {
    const std::string id(99, 'L');
    hre = "#DATA:\n\t1\t1\t0\t2\tWing\n\t2\t2\t1\t0\tLong\t" + id + "\n";
    views = kViewFileHeading + viewLine("Long", id, "P", "45000", "0", "0");
    writeProject();
    person.onDialog(139, [](Dialog& d) {
        d.tree(1029).item({"Works", "Wing", "Long"}).click();
        d.ok();
    });
    char picked[100];
    std::memset(picked, 'x', sizeof picked);
    EXPECT_EQ(select(2, picked), IDOK);
    EXPECT_EQ(std::string(picked, sizeof picked), id + '\0');
}

// A level selected after a view: the lines show "-", only that level keeps
// a highlight, the button is disabled, and the view picked last stays
// picked: a confirmation that reaches the dialog anyway hands it over.
TEST_F(ViewSelectTest, ALevelSelectedAfterAViewKeepsThePickButCannotBeConfirmed) {
    std::vector<std::string> lines;
    bool confirmable = true;
    bool stillOpen = false;
    std::vector<bool> boldBefore;
    std::vector<bool> bold;
    person.onDialog(139, [&](Dialog& d) {
        click(d, "North wing", "Plans");
        click(d, "South wing", "Fresh");
        TreeItem south = d.tree(1029).item({"Works", "South wing"});
        // Each view's level stays bold until a level is selected.
        boldBefore = {d.tree(1029).item({"Works", "North wing"}).isBold(), south.isBold()};
        south.click();
        lines = {d.control(1033).text(), d.control(1034).text()};
        confirmable = d.control(IDOK).isEnabled();
        bold = {d.tree(1029).item({"Works", "North wing"}).isBold(), south.isBold()};
        // Enter does not reach a disabled default button.
        d.pressKey(VK_RETURN);
        stillOpen = d.exists();
        ::SendMessageA(d.hwnd(), WM_COMMAND, IDOK, 0);
    });
    char picked[100];
    EXPECT_EQ(select(2, picked), IDOK);
    EXPECT_THAT(lines, ElementsAre("-", "-"));
    EXPECT_FALSE(confirmable);
    EXPECT_TRUE(stillOpen);
    EXPECT_THAT(boldBefore, ElementsAre(true, true));
    EXPECT_THAT(bold, ElementsAre(false, true));
    EXPECT_STREQ(picked, "V-FRESH");
}

// Cancelling after a pick leaves "0"; either way the dialog writes the view
// list back in the host's form (active flag and file-set number "0").
TEST_F(ViewSelectTest, CancellingLeavesZeroAndTheViewFileIsWrittenBack) {
    person.onDialog(139, [](Dialog& d) {
        click(d, "North wing", "Plans");
        d.cancel();
    });
    char picked[100];
    std::memset(picked, 'x', sizeof picked);
    EXPECT_EQ(select(1, picked), IDCANCEL);
    EXPECT_STREQ(picked, "0");
    const std::string expected = kViewFileHeading +
                                 viewLine("Plans", "V-PLANS", "B1.1", "45000,5", "0", "0") +
                                 views.substr(views.find("0\tPlans variant"));
    EXPECT_EQ(viewFile(), expected);
}

}  // namespace
