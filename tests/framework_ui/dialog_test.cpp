// Dialogs of the framework run modally from the language resource library,
// with a person acting inside them: data exchange, validation messages,
// command routing to the application.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/framework/ui.h>

#include "test_app.h"

namespace {

using vedrix::automation::centerOf;
using vedrix::automation::Dialog;
using vedrix::automation::pressKey;

// The group name dialog of the resource library: edit 1016, OK and Cancel.
constexpr UINT kNameTemplate = 124;
constexpr int kNameEdit = 1016;

class NameDialog : public CDialog {
public:
    NameDialog() : CDialog(kNameTemplate) {}
    CString m_name = "initial";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kNameEdit, m_name); }
};

class CountDialog : public CDialog {
public:
    CountDialog() : CDialog(kNameTemplate) {}
    int m_count = 7;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kNameEdit, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 99);
    }
};

// The attribute edit dialog of the resource library: its type combo box 1020
// lists the attribute types from the template's dialog-initialisation data.
constexpr UINT kAttributeEditTemplate = 103;
constexpr int kTypeCombo = 1020;

std::vector<std::string> comboEntries(HWND combo) {
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[64] = "";
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        entries.push_back(buffer);
    }
    return entries;
}

class TypeDialog : public CDialog {
public:
    TypeDialog() : CDialog(kAttributeEditTemplate) {}
    std::vector<std::string> m_entriesAtInit;

protected:
    BOOL OnInitDialog() override {
        m_entriesAtInit = comboEntries(::GetDlgItem(m_hWnd, kTypeCombo));
        return CDialog::OnInitDialog();
    }
};

// One entry of a dialog-initialisation block.
void appendEntry(std::vector<BYTE>& block, WORD id, WORD message, const std::string& data) {
    auto put = [&block](const void* p, std::size_t n) {
        const auto* bytes = static_cast<const BYTE*>(p);
        block.insert(block.end(), bytes, bytes + n);
    };
    const auto length = static_cast<DWORD>(data.size());
    put(&id, sizeof id);
    put(&message, sizeof message);
    put(&length, sizeof length);
    put(data.data(), data.size());
}

std::string text(HWND hWnd) {
    char buffer[256] = "";
    GetWindowTextA(hWnd, buffer, sizeof buffer);
    return buffer;
}

void replaceText(HWND dialog, int id, const char* newText) {
    HWND edit = GetDlgItem(dialog, id);
    vedrix::automation::click(centerOf(edit));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    vedrix::automation::type(newText);
}

void clickButton(HWND dialog, int id) {
    vedrix::automation::click(centerOf(GetDlgItem(dialog, id)));
}

class DialogTest : public vedrix::automation::PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        m_language = LoadLibraryA("vedr_en.dll");
        ASSERT_NE(m_language, nullptr);
        AfxSetResourceHandle(m_language);
    }
    void TearDown() override {
        PersonTest::TearDown();
        AfxSetResourceHandle(nullptr);
        FreeLibrary(m_language);
    }

    HMODULE m_language = nullptr;
};

TEST_F(DialogTest, ConfirmReadsTheControlsIntoTheMembers) {
    NameDialog dialog;
    int scripts = 0;
    person.onDialog(static_cast<int>(kNameTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        ++scripts;
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &dialog);
        EXPECT_EQ(text(GetDlgItem(hWnd, kNameEdit)), "initial");  // filled on opening
        replaceText(hWnd, kNameEdit, "North wing");
        clickButton(hWnd, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(scripts, 1);
    EXPECT_STREQ(dialog.m_name, "North wing");
    EXPECT_EQ(dialog.m_hWnd, nullptr);  // the window is gone with the loop
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembers) {
    NameDialog dialog;
    person.onDialog(static_cast<int>(kNameTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        replaceText(hWnd, kNameEdit, "Discarded");
        pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_STREQ(dialog.m_name, "initial");
}

TEST_F(DialogTest, ABadNumberShowsTheFrameworkMessageAndKeepsTheDialogOpen) {
    CountDialog dialog;
    person.onDialog(static_cast<int>(kNameTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        replaceText(hWnd, kNameEdit, "twelve");
        clickButton(hWnd, IDOK);
        ASSERT_EQ(person.messageBoxes().size(), 1u);
        EXPECT_EQ(person.messageBoxes()[0].text, "Please enter a whole number.");
        EXPECT_EQ(person.messageBoxes()[0].caption, "Vedrix test");
        EXPECT_TRUE(IsWindowVisible(hWnd));                  // still open
        EXPECT_EQ(GetFocus(), GetDlgItem(hWnd, kNameEdit));  // back at the bad field

        replaceText(hWnd, kNameEdit, "120");
        clickButton(hWnd, IDOK);
        ASSERT_EQ(person.messageBoxes().size(), 2u);
        EXPECT_EQ(person.messageBoxes()[1].text, "Please enter a whole number from 1 to 99.");

        replaceText(hWnd, kNameEdit, "42");
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_count, 42);
}

TEST_F(DialogTest, ListControlsGetTheTemplatesEntriesBeforeOnInitDialog) {
    const std::vector<std::string> types = {"String", "Number", "Universal"};
    for (const char* library : {"vedr_en.dll", "vedr_de.dll"}) {
        HMODULE language = LoadLibraryA(library);
        ASSERT_NE(language, nullptr) << library;
        AfxSetResourceHandle(language);
        TypeDialog dialog;
        std::vector<std::string> shown;
        person.onDialog(static_cast<int>(kAttributeEditTemplate), [&](Dialog& d) {
            HWND hWnd = d.hwnd();
            shown = comboEntries(GetDlgItem(hWnd, kTypeCombo));
            pressKey(VK_ESCAPE);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_entriesAtInit, types) << library;
        EXPECT_EQ(shown, types) << library;  // once, not again
        AfxSetResourceHandle(m_language);
        FreeLibrary(language);
    }
}

TEST_F(DialogTest, DialogInitialisationDataIsReadWithinItsBounds) {
    std::vector<BYTE> whole;
    appendEntry(whole, kTypeCombo, 0x0403, std::string("Wall\0", 5));     // a 16-bit message number
    appendEntry(whole, kTypeCombo, 0x9999, std::string("Skipped\0", 8));  // no list message
    appendEntry(whole, kTypeCombo, CB_ADDSTRING, "Roof");         // no zero: ends with its data
    std::vector<BYTE> truncated(whole.begin(), whole.end() - 2);  // "Roof" cut to "Ro"
    std::vector<BYTE> shortHeader(whole.begin(), whole.begin() + 13 + 5);  // 2nd entry's header cut

    TypeDialog dialog;
    person.onDialog(static_cast<int>(kAttributeEditTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        HWND combo = GetDlgItem(hWnd, kTypeCombo);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        // Exact-size copies: the sanitizer sees any read past their ends.
        EXPECT_TRUE(dialog.ExecuteDlgInit(whole.data(), static_cast<DWORD>(whole.size())));
        EXPECT_EQ(comboEntries(combo), (std::vector<std::string>{"Wall", "Roof"}));

        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        EXPECT_FALSE(dialog.ExecuteDlgInit(truncated.data(), static_cast<DWORD>(truncated.size())));
        EXPECT_EQ(comboEntries(combo), std::vector<std::string>{"Wall"});

        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        EXPECT_FALSE(
            dialog.ExecuteDlgInit(shortHeader.data(), static_cast<DWORD>(shortHeader.size())));
        EXPECT_EQ(comboEntries(combo), std::vector<std::string>{"Wall"});

        EXPECT_TRUE(dialog.ExecuteDlgInit(nullptr, 0));
        EXPECT_TRUE(dialog.ExecuteDlgInit("4711"));  // no such resource: nothing to fill
        pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, TheFrameworksMessagesComeInTheLibrarysLanguage) {
    HMODULE german = LoadLibraryA("vedr_de.dll");
    ASSERT_NE(german, nullptr);
    AfxSetResourceHandle(german);
    CountDialog dialog;
    person.onDialog(static_cast<int>(kNameTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        replaceText(hWnd, kNameEdit, "zwölf");
        pressKey(VK_RETURN);
        replaceText(hWnd, kNameEdit, "120");
        pressKey(VK_RETURN);
        replaceText(hWnd, kNameEdit, "12");
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Bitte geben Sie eine ganze Zahl ein.");
    EXPECT_EQ(boxes[1].text, "Bitte geben Sie eine ganze Zahl von 1 bis 99 ein.");
    AfxSetResourceHandle(m_language);
    FreeLibrary(german);
}

TEST_F(DialogTest, CommandsTheDialogDoesNotHandleGoToTheApplication) {
    NameDialog dialog;
    const int before = testApp().m_attributeCommands;
    person.onDialog(static_cast<int>(kNameTemplate), [&](Dialog& d) {
        HWND hWnd = d.hwnd();
        SendMessageA(hWnd, WM_COMMAND, 32772, 0);
        SendMessageA(hWnd, WM_COMMAND, 32773, 0);  // nobody's: nothing happens
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);  // the script did not close it
    EXPECT_EQ(testApp().m_attributeCommands, before + 1);
}

TEST_F(DialogTest, AMissingTemplateFailsTheDialog) {
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST_F(DialogTest, TextsComeFromTheInstalledResourceLibrary) {
    CString title;
    EXPECT_TRUE(title.LoadString(2017));
    EXPECT_FALSE(title.IsEmpty());
    CString none;
    EXPECT_FALSE(none.LoadString(4711));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(AfxMessageBox("Plain message"), IDOK);
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].caption, "Vedrix test");
    EXPECT_EQ(person.messageBoxes()[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

}  // namespace
