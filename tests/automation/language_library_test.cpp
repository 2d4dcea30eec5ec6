// The person on the dialog templates of the language resource library
// vedr_en.dll, run with small dialog procedures of the test: the layer works
// on the templates the module's dialogs are made from.
#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

using namespace vedrix::automation;
using ::testing::ElementsAre;

namespace {

struct Seen {
    std::vector<int> commands;
    std::string text;  // what the dialog read at IDOK
};

Seen& seen() {
    static Seen s;
    return s;
}

// Ends on IDOK / IDCANCEL and on the list browser's own confirm and cancel
// buttons (1003, 1007); at IDOK it reads edits 1018, 1019 and combo box 1020
// (attribute edit), edit 1016 (group name) or the selected row of list 1020
// (building selection).
INT_PTR CALLBACK languageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        if (HWND list = GetDlgItem(dialog, 1020); list && GetDlgItem(dialog, 1016) == nullptr) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<char*>("Building");
            column.cx = 200;
            SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
            const char* names[] = {"Main house", "Garage", "Barn"};
            for (int i = 0; i < 3; ++i) {
                LVITEMA item{};
                item.mask = LVIF_TEXT;
                item.iItem = i;
                item.pszText = const_cast<char*>(names[i]);
                SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            }
        }
        return TRUE;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    int id = LOWORD(wParam);
    seen().commands.push_back(id);
    if (id == IDOK || id == 1003) {
        char text[128] = {};
        if (GetDlgItem(dialog, 1018)) {
            // The attribute edit dialog: name, value and type.
            std::string joined;
            for (int field : {1018, 1019, 1020}) {
                GetDlgItemTextA(dialog, field, text, sizeof(text));
                joined += (joined.empty() ? "" : "|") + std::string(text);
            }
            seen().text = joined;
        } else if (GetDlgItem(dialog, 1016)) {
            GetDlgItemTextA(dialog, 1016, text, sizeof(text));
            seen().text = text;
        } else if (HWND list = GetDlgItem(dialog, 1020)) {
            int row = static_cast<int>(
                SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
            LVITEMA item{};
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            if (row >= 0) {
                SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item));
                seen().text = text;
            }
        }
        EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL || id == 1007) {
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

class LanguageLibraryTest : public PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        seen() = Seen{};
        library = LoadLibraryA("vedr_en.dll");
        ASSERT_NE(library, nullptr) << "vedr_en.dll is built beside the test program";
    }
    void TearDown() override {
        if (library) {
            FreeLibrary(library);
        }
        PersonTest::TearDown();
    }

    INT_PTR run(int templateId) {
        return DialogBoxParamA(library, MAKEINTRESOURCEA(templateId), nullptr, languageProc, 0);
    }

    std::string text(UINT id) {
        char buffer[256] = {};
        LoadStringA(library, id, buffer, sizeof(buffer));
        return buffer;
    }

    HMODULE library = nullptr;
};

TEST_F(LanguageLibraryTest, GroupNameIsTypedAndConfirmed) {
    person.onDialog(124, [this](Dialog& d) {
        EXPECT_EQ(d.caption(), "Attribute Group");
        EXPECT_EQ(d.control(IDOK).text(), text(2024));
        EXPECT_EQ(d.control(IDCANCEL).text(), text(2025));
        d.control(1016).replaceText("Fire safety");
        d.ok();
    });
    EXPECT_EQ(run(124), IDOK);
    EXPECT_EQ(seen().text, "Fire safety");
    EXPECT_THAT(seen().commands, ElementsAre(IDOK));
}

TEST_F(LanguageLibraryTest, AttributeIsTypedIntoEditsAndTheComboBox) {
    person.onDialog(103, [](Dialog& d) {
        // The hidden texts 1003 and 1007 are there but cannot be clicked.
        EXPECT_FALSE(d.control(1003).isVisible());
        EXPECT_THROW(d.control(1003).click(), AutomationError);
        d.control(1018).replaceText("Area");
        d.control(1019).replaceText("120");
        d.control(1020).replaceText("Number");
        d.ok();
    });
    EXPECT_EQ(run(103), IDOK);
    EXPECT_EQ(seen().text, "Area|120|Number");
}

TEST_F(LanguageLibraryTest, ListBrowserConfirmsThroughItsDefaultButton) {
    // Template 101 has no IDOK: ok() clicks the default push button 1003.
    person.onDialog(101, [](Dialog& d) {
        EXPECT_FALSE(d.hasControl(IDOK));
        EXPECT_EQ(d.tree(1001).count(), 0);
        EXPECT_EQ(d.list(1002).rowCount(), 0);
        d.ok();
    });
    EXPECT_EQ(run(101), IDOK);
    EXPECT_THAT(seen().commands, ElementsAre(1003));

    // Nor has it IDCANCEL: cancel() presses Escape, which the dialog manager
    // turns into IDCANCEL.
    seen() = Seen{};
    person.onDialog(101, [](Dialog& d) {
        d.cancel();
        EXPECT_THAT(seen().commands, ElementsAre(IDCANCEL));
    });
    EXPECT_EQ(run(101), IDCANCEL);
}

TEST_F(LanguageLibraryTest, BuildingIsChosenFromTheSingleSelectionList) {
    person.onDialog(104, [](Dialog& d) {
        ListView buildings = d.list(1020);
        EXPECT_EQ(buildings.rowCount(), 3);
        buildings.row("Garage").click();
        buildings.row("Barn").ctrlClick();
        // LVS_SINGLESEL: one row at a time.
        EXPECT_THAT(buildings.selectedTexts(), ElementsAre("Barn"));
        buildings.row("Garage").click();
        d.ok();
    });
    EXPECT_EQ(run(104), IDOK);
    EXPECT_EQ(seen().text, "Garage");
}

}  // namespace
