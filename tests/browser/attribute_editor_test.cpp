// The attribute editor of the list browser, through tb_list_browser, with
// the host's setting that offers it: a person opens it from the tree's
// context menu, adds groups and attributes, edits, renames, deletes, meets
// every refusal, and confirms; the list browser's confirmation writes the
// rows into the hierarchy file's attribute section.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

#include "attribute_rows.h"
#include "launch_fixture.h"
#include "list_project.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace listbrowser_tests;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

enum : UINT {
    kAttributes = 32772,
    kNewAttribute = 32771,
    kRenameGroup = 32773,
    kDeleteRow = 32774,
    kEdit = 32775,
    kDeleteAttribute = 32776,
    kNewGroup = 32777,
};
enum : int { kBrowser = 101, kAttributeDialog = 102, kEditDialog = 103, kGroupDialog = 124 };
enum : int { kGroupName = 1016, kName = 1018, kValue = 1019, kType = 1020, kPathLine = 1022 };

const char* const kHouseUuid = "11111111-1111-4111-8111-111111111111";

// The language library's text of that number, as the person reads it.
std::string text(UINT id) {
    char buffer[512] = {};
    ::LoadStringA(::GetModuleHandleA("vedr_en.dll"), id, buffer, sizeof buffer);
    return buffer;
}

std::vector<std::string> boxTexts(const Person& person) {
    std::vector<std::string> texts;
    for (const auto& box : person.messageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

// The lines of the hierarchy file's attribute section.
std::vector<std::string> attributeLines(const std::string& hre) {
    std::vector<std::string> lines;
    std::size_t start = hre.find("#ATTRIBUTES:\n");
    if (start == std::string::npos) {
        return lines;
    }
    start += 13;
    for (std::size_t end; (end = hre.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(hre.substr(start, end - start));
    }
    return lines;
}

// A house (level 1) carrying a colour and a group "Roof" with a pitch, with
// a ground floor holding drawing file 1; the host's settings offer the
// attribute editor unless a test says otherwise.
class AttributeEditorTest : public CampusTest {
protected:
    void SetUp() override {
        CampusTest::SetUp();
        putLevelBitmaps(project);
        writeDrawingFile(project, 1, "Plan one");
        hre = levelDefinitions(project) + "\t1\t1\t0\t2\tHouse\t" + kHouseUuid + "\n" +
              "\t2\t2\t1\t2\tGround\n"
              "#ATTRIBUTES:\n"
              "\t1\tColour\tred\t1\t1\t0\t0\n"
              "\t1\tRoof\t\t1\t2\t0\t3\n"
              "\t1\tPitch\t35\t2\t3\t2\t1\n";
        lis = "#DATA:\n1\t2\t0\t\n";
        writeStructure();
        offerAttributeEditor("1");
    }

    // The host's registry setting of the attribute editor ("" removes the
    // settings file).
    void offerAttributeEditor(const std::string& value) {
        vedrix::hostsim::HostConfig config;
        config.project = project.string();
        config.setupDirectories["Program"] = setup.string();
        if (!value.empty()) {
            config.settingsFile = (root / "settings.ini").string();
            writeFile(config.settingsFile,
                      "[1]\nSettings\\ListBrowser_AttributeMenu=" + value + "\n");
        }
        ASSERT_TRUE(vedrix::hostsim::UseHostConfig((root / "host.cfg").string().c_str(), config));
    }

    // In the list browser: the attribute menu of the house.
    static void openHouseAttributes(Dialog& d, Person& person) {
        person.chooseNextMenuCommand(kAttributes);
        d.tree(1001).item({"Campus", "House"}).rightClick();
    }

    // Opens the editor on the house from the list browser, expands the
    // item's row, runs `edit` there and leaves the editor and then the
    // browser as told; the browser's result.
    int editHouse(const std::function<void(Dialog&, AttributeRows&)>& edit,
                  bool confirmEditor = true, bool confirmBrowser = true) {
        person.onDialog(kBrowser, [=, this](Dialog& d) {
            openHouseAttributes(d, person);
            confirmBrowser ? d.ok() : d.cancel();
        });
        person.onDialog(kAttributeDialog, [=](Dialog& d) {
            AttributeRows rows(d);
            rows.expand("House");
            edit(d, rows);
            confirmEditor ? d.ok() : d.cancel();
        });
        return browse();
    }

    std::vector<std::string> hreAttributes() const {
        return attributeLines(readFile(project / "campus.hre"));
    }
};

// ---------------------------------------------------------------------------
// Reaching the editor

TEST_F(AttributeEditorTest, WithoutTheHostSettingOrWithZeroTheTreeOffersNoMenu) {
    for (const char* setting : {"", "0"}) {
        offerAttributeEditor(setting);
        bool stillOpen = false;
        person.onDialog(kBrowser, [&](Dialog& d) {
            d.tree(1001).item({"Campus", "House"}).rightClick();
            stillOpen = d.exists() && d.isEnabled();
            d.cancel();
        });
        EXPECT_EQ(browse(), IDCANCEL);
        EXPECT_TRUE(stillOpen);
    }
    EXPECT_THAT(person.menus(), IsEmpty());
    EXPECT_THAT(person.dialogsSeen(), ElementsAre(kBrowser, kBrowser));
}

// The tree-list's window class lives while the list browser does.
TEST_F(AttributeEditorTest, TheBrowserRegistersTheTreeListClassWhileItRuns) {
    const auto registered = [] {
        WNDCLASSA wc{};
        return ::GetClassInfoA(::GetModuleHandleA("vedrix.dll"), "MORVALTREELISTCTRL", &wc) != 0;
    };
    bool whileOpen = false;
    person.onDialog(kBrowser, [&](Dialog& d) {
        whileOpen = registered();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    EXPECT_TRUE(whileOpen);
    EXPECT_FALSE(registered());
}

TEST_F(AttributeEditorTest, TheMenuIsOfferedForLevelsButNotForDrawingFiles) {
    person.onDialog(kBrowser, [&](Dialog& d) {
        d.tree(1001).item({"Campus", "House", "Ground"}).expand();
        d.tree(1001).find("tb000001.zdw  Plan one").rightClick();
        person.dismissNextMenu();
        d.tree(1001).item({"Campus", "House", "Ground"}).rightClick();
        d.cancel();
    });
    EXPECT_EQ(browse(), IDCANCEL);
    ASSERT_EQ(person.menus().size(), 1u);
    EXPECT_THAT(person.menus()[0].items, ElementsAre("&Attributes..."));
    EXPECT_EQ(person.menus()[0].flags, static_cast<UINT>(TPM_RIGHTBUTTON));
}

TEST_F(AttributeEditorTest, TheEditorShowsTheItemsAttributesAsRows) {
    std::vector<ShownRow> shown;
    std::string path, caption;
    const int result = editHouse(
        [&](Dialog& d, AttributeRows& rows) {
            caption = d.caption();
            path = d.control(kPathLine).text();
            rows.expand("Roof");
            // No row selected (the tree-list selected its first one when it
            // got the focus): a selected row shows the highlight's colours.
            ::SendMessageA(rows.hwnd(), TVM_SELECTITEM, TVGN_CARET, 0);
            shown = rows.rows();
        },
        false, false);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, text(2026));
    EXPECT_EQ(path, "Campus\\");
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].name, "House");
    EXPECT_EQ(shown[0].type, "Group");
    EXPECT_EQ(shown[0].weight, FW_BOLD);
    EXPECT_EQ(shown[0].color, RGB(255, 0, 0));
    EXPECT_EQ(shown[1].name, "Colour");
    EXPECT_EQ(shown[1].value, "red");
    EXPECT_EQ(shown[1].type, "String");
    EXPECT_LT(shown[1].weight, FW_BOLD);
    EXPECT_EQ(shown[2].name, "Roof");
    EXPECT_EQ(shown[2].weight, FW_BOLD);
    EXPECT_EQ(shown[3].name, "Pitch");
    EXPECT_EQ(shown[3].type, "Number");
    EXPECT_GT(shown[3].nameBox.left, shown[2].nameBox.left);
}

// Groups and the item itself get the group menu, attributes the attribute
// menu; renaming and deleting are greyed for the item's own row.
TEST_F(AttributeEditorTest, EachRowGetsItsMenuWithTheItemsRowProtected) {
    const int result = editHouse(
        [&](Dialog&, AttributeRows& rows) {
            for (const char* name : {"House", "Roof", "Colour"}) {
                rows.choose(name, 0, person);
            }
        },
        false, false);
    EXPECT_EQ(result, IDCANCEL);
    const auto menus = person.menus();
    ASSERT_EQ(menus.size(), 4u);  // the list browser's first
    const auto state = [&](std::size_t menu, UINT id) -> UINT {
        for (const auto& entry : menus[menu].entries) {
            if (entry.id == id) {
                return entry.state & (MF_GRAYED | MF_DISABLED);
            }
        }
        ADD_FAILURE() << "no command " << id << " in menu " << menu;
        return 0u;
    };
    EXPECT_THAT(menus[1].items, ElementsAre("New &Attribute...", "New &Group...", "",
                                            "&Rename Group...", "&Delete"));
    EXPECT_NE(state(1, kRenameGroup), 0u);
    EXPECT_NE(state(1, kDeleteRow), 0u);
    EXPECT_EQ(state(2, kRenameGroup), 0u);
    EXPECT_EQ(state(2, kDeleteRow), 0u);
    EXPECT_THAT(menus[3].items, ElementsAre("&Edit...", "&Delete"));
    EXPECT_EQ(menus[3].flags, static_cast<UINT>(TPM_RIGHTBUTTON));
}

// ---------------------------------------------------------------------------
// A whole session

TEST_F(AttributeEditorTest, ASessionOfEditsEndsInTheAttributeSection) {
    bool nameLocked = false;
    bool valueFocused = false;
    std::vector<std::string> seen;
    const auto edits = [&](Dialog&, AttributeRows& rows) {
        // A group below the item, and one attribute of each type in it.
        rows.choose("House", kNewGroup, person);
        rows.choose("Walls", kNewAttribute, person);
        rows.choose("Walls", kNewAttribute, person);
        rows.choose("Walls", kNewAttribute, person);
        // A new value for the colour; the name stays.
        rows.doubleClick("Colour");
        // The roof group renamed, and its pitch deleted.
        rows.choose("Roof", kRenameGroup, person);
        rows.expand("Top");
        person.answerNextMessageBox(IDOK);
        rows.choose("Pitch", kDeleteAttribute, person);
        seen = rows.names();
    };
    person.onDialog(kGroupDialog, [](Dialog& d) {
        d.control(kGroupName).replaceText("Walls");
        d.ok();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Material");
        d.control(kValue).replaceText("brick");
        d.control(kType).replaceText("String");
        d.ok();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Height");
        d.control(kValue).replaceText("3.5");
        d.control(kType).replaceText("Number");
        d.ok();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Note");
        d.control(kValue).replaceText("load bearing");  // the proposed type stays
        d.ok();
    });
    person.onDialog(kEditDialog, [&](Dialog& d) {
        nameLocked = (::GetWindowLongA(d.control(kName).hwnd(), GWL_STYLE) & ES_READONLY) != 0;
        valueFocused = d.focus().id() == kValue;
        d.control(kValue).replaceText("blue");
        d.ok();
    });
    person.onDialog(kGroupDialog, [](Dialog& d) {
        d.control(kGroupName).replaceText("Top");
        d.ok();
    });
    EXPECT_EQ(editHouse(edits), IDOK);
    EXPECT_TRUE(nameLocked);
    EXPECT_TRUE(valueFocused);
    EXPECT_THAT(seen, ElementsAre("House", "Colour", "Top", "Walls", "Material", "Height", "Note"));
    EXPECT_THAT(boxTexts(person), ElementsAre(text(2021)));
    // The house is level 1 again; the rows in tree order with their levels,
    // identifiers (the lowest free ones when each row came) and parents.
    EXPECT_THAT(hreAttributes(),
                ElementsAre("\t1\tColour\tblue\t1\t1\t0\t0", "\t1\tTop\t\t1\t2\t0\t3",
                            "\t1\tWalls\t\t1\t4\t0\t3", "\t1\tMaterial\tbrick\t2\t5\t4\t0",
                            "\t1\tHeight\t3.5\t2\t6\t4\t1", "\t1\tNote\tload bearing\t2\t7\t4\t2"));
}

// ---------------------------------------------------------------------------
// Refusals

TEST_F(AttributeEditorTest, EmptyFieldsAndTakenNamesAreRefused) {
    std::vector<std::string> seen;
    const auto edits = [&](Dialog& d, AttributeRows& rows) {
        // Delete with nothing selected (the tree-list selected its first
        // row when it got the focus).
        ::SendMessageA(rows.hwnd(), TVM_SELECTITEM, TVGN_CARET, 0);
        ::SendMessageA(d.hwnd(), WM_COMMAND, kDeleteAttribute, 0);
        rows.choose("House", kNewGroup, person);      // empty, then "Roof": taken
        rows.choose("House", kNewAttribute, person);  // no value, then cancelled
        person.answerNextMessageBox(IDCANCEL);
        rows.choose("House", kNewAttribute, person);  // "Colour" again, kept as it was
        person.answerNextMessageBox(IDOK);
        rows.choose("House", kNewAttribute, person);  // "Colour" again, replacing it
        rows.choose("Roof", kRenameGroup, person);    // to "Roof" itself: allowed
        seen = rows.names();
    };
    person.onDialog(kGroupDialog, [](Dialog& d) {
        d.ok();  // empty: refused, stays open
        d.control(kGroupName).replaceText("Roof");
        d.ok();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Size");
        d.ok();  // no value: refused, stays open
        d.cancel();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Colour");
        d.control(kValue).replaceText("green");
        d.ok();
    });
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("Colour");
        d.control(kValue).replaceText("green");
        d.ok();
    });
    person.onDialog(kGroupDialog, [](Dialog& d) { d.ok(); });
    EXPECT_EQ(editHouse(edits), IDOK);
    EXPECT_THAT(boxTexts(person), ElementsAre(text(2020), text(2034), text(2033), text(2034),
                                              text(2033), text(2033)));
    EXPECT_THAT(seen, ElementsAre("House", "Colour", "Roof"));
    // The second "Colour", answered with OK, replaced the value of the first.
    EXPECT_THAT(hreAttributes(),
                ElementsAre("\t1\tColour\tgreen\t1\t1\t0\t2", "\t1\tRoof\t\t1\t2\t0\t3",
                            "\t1\tPitch\t35\t2\t3\t2\t1"));
}

// ---------------------------------------------------------------------------
// Cancelling

class CancellingTest : public AttributeEditorTest {
protected:
    // Deletes the colour in the editor, then leaves the editor and the
    // browser as told; the browser's result.
    int deleteColourAndLeave(bool confirmEditor, bool confirmBrowser) {
        return editHouse(
            [this](Dialog&, AttributeRows& rows) {
                person.answerNextMessageBox(IDOK);
                rows.choose("Colour", kDeleteAttribute, person);
            },
            confirmEditor, confirmBrowser);
    }
};

TEST_F(CancellingTest, CancellingTheEditorLeavesTheAttributesAsTheyWere) {
    const std::string before = readFile(project / "campus.hre");
    EXPECT_EQ(deleteColourAndLeave(false, true), IDOK);
    EXPECT_EQ(attributeLines(readFile(project / "campus.hre")), attributeLines(before));
}

TEST_F(CancellingTest, CancellingTheBrowserWritesNothing) {
    const std::string before = readFile(project / "campus.hre");
    EXPECT_EQ(deleteColourAndLeave(true, false), IDCANCEL);
    EXPECT_EQ(readFile(project / "campus.hre"), before);
}

// ---------------------------------------------------------------------------
// Unusual lists

class UnusualListTest : public AttributeEditorTest {
protected:
    // Replaces the house's attributes with `lines` (level ID 1 each).
    void houseAttributes(const std::vector<std::string>& lines) {
        hre = levelDefinitions(project) + "\t1\t1\t0\t2\tHouse\t" + kHouseUuid + "\n" +
              "\t2\t2\t1\t2\tGround\n#ATTRIBUTES:\n";
        for (const std::string& line : lines) {
            hre += line + "\n";
        }
        writeStructure();
    }
};

// An unknown type reads as "None" and comes back as the default type; a
// parent that no row has puts the attribute below the item; long names and
// values are drawn cut but kept whole.
TEST_F(UnusualListTest, UnknownTypesOrphansAndLongTextsKeepTheirRows) {
    const std::string longName(254, 'n');
    const std::string longValue(254, 'v');
    houseAttributes({"\t1\tOdd\tx\t1\t1\t0\t7", "\t1\tOrphan\ty\t3\t2\t99\t0",
                     "\t1\t" + longName + "\t" + longValue + "\t1\t3\t0\t1"});
    std::vector<ShownRow> shown;
    ASSERT_EQ(editHouse([&](Dialog&, AttributeRows& rows) { shown = rows.rows(); }), IDOK);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[1].type, "None");
    EXPECT_EQ(shown[2].name, "Orphan");
    EXPECT_EQ(shown[2].nameBox.left, shown[1].nameBox.left);  // both below the item
    EXPECT_EQ(shown[3].name.substr(shown[3].name.size() - 3), "...");
    EXPECT_EQ(shown[3].value.substr(shown[3].value.size() - 3), "...");
    EXPECT_THAT(hreAttributes(),
                ElementsAre("\t1\tOdd\tx\t1\t1\t0\t2", "\t1\tOrphan\ty\t1\t2\t0\t0",
                            "\t1\t" + longName + "\t" + longValue + "\t1\t3\t0\t1"));
}

TEST_F(UnusualListTest, HundredsOfAttributesInOneGroupComeBackInOrder) {
    std::vector<std::string> lines{"\t1\tMany\t\t1\t1\t0\t3"};
    for (int i = 0; i < 300; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back("\t1\tItem " + n + "\tvalue " + n + "\t2\t" + std::to_string(i + 2) +
                        "\t1\t" + std::to_string(i % 3));
    }
    houseAttributes(lines);
    ASSERT_EQ(editHouse([](Dialog&, AttributeRows&) {}), IDOK);
    EXPECT_EQ(hreAttributes(), lines);
}

// The lowest free identifier goes to a new row, and deleting every row
// leaves the level without attributes.
TEST_F(UnusualListTest, NewRowsFillTheLowestGapAndAnEmptyListStaysEmpty) {
    houseAttributes({"\t1\tA\ta\t1\t1\t0\t0", "\t1\tB\tb\t1\t2\t0\t0", "\t1\tD\td\t1\t4\t0\t0"});
    person.onDialog(kEditDialog, [](Dialog& d) {
        d.control(kName).replaceText("C");
        d.control(kValue).replaceText("c");
        d.ok();
    });
    ASSERT_EQ(editHouse([&](Dialog&, AttributeRows& rows) {
                  rows.choose("House", kNewAttribute, person);
              }),
              IDOK);
    EXPECT_THAT(hreAttributes(), ElementsAre("\t1\tA\ta\t1\t1\t0\t0", "\t1\tB\tb\t1\t2\t0\t0",
                                             "\t1\tD\td\t1\t4\t0\t0", "\t1\tC\tc\t1\t3\t0\t2"));

    person.clearRecords();
    ASSERT_EQ(editHouse([&](Dialog&, AttributeRows& rows) {
                  for (const char* name : {"A", "B", "D", "C"}) {
                      person.answerNextMessageBox(IDOK);
                      rows.choose(name, kDeleteAttribute, person);
                  }
                  EXPECT_THAT(rows.names(), ElementsAre("House"));
              }),
              IDOK);
    EXPECT_THAT(hreAttributes(), IsEmpty());
}

// A TAB pasted into a name or value would tear the line of the attribute
// section; it arrives as a blank. (The fields are single-line edits, which
// take a pasted text only up to a line end.)
TEST_F(UnusualListTest, TabsAndLineEndsInTypedTextsBecomeBlanks) {
    houseAttributes({"\t1\tA\ta\t1\t1\t0\t0"});
    const auto paste = [](const Control& field, const char* text) {
        ::SendMessageA(field.hwnd(), EM_SETSEL, 0, -1);
        ::SendMessageA(field.hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    };
    person.onDialog(kEditDialog, [&](Dialog& d) {
        paste(d.control(kName), "two\twords");
        paste(d.control(kValue), "load\tbearing");
        d.ok();
    });
    person.onDialog(kGroupDialog, [&](Dialog& d) {
        paste(d.control(kGroupName), "new\tgroup");
        d.ok();
    });
    ASSERT_EQ(editHouse([&](Dialog&, AttributeRows& rows) {
                  rows.choose("House", kNewAttribute, person);
                  rows.choose("House", kNewGroup, person);
              }),
              IDOK);
    EXPECT_THAT(hreAttributes(),
                ElementsAre("\t1\tA\ta\t1\t1\t0\t0", "\t1\ttwo words\tload bearing\t1\t2\t0\t2",
                            "\t1\tnew group\t\t1\t3\t0\t3"));
}

// A value holding the byte that separates the tree-list's columns reads
// back as two columns: the part after it takes the type's place, and the
// value keeps the part before it.
TEST_F(UnusualListTest, AValueHoldingTheColumnSeparatorIsCutThere) {
    houseAttributes({"\t1\tSplit\tleft\xB6right\t1\t1\t0\t0"});
    std::vector<ShownRow> shown;
    ASSERT_EQ(editHouse([&](Dialog&, AttributeRows& rows) { shown = rows.rows(); }), IDOK);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].value, "left");
    EXPECT_EQ(shown[1].type, "String");
    EXPECT_THAT(hreAttributes(), ElementsAre("\t1\tSplit\tleft\t1\t1\t0\t0"));
}

}  // namespace
