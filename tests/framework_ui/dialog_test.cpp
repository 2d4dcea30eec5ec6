// Dialogs of the framework run modally from the language resource library,
// with a person acting inside them: data exchange, validation messages,
// command routing to the application.
#include <gtest/gtest.h>

#include <string>

#include <vedrix/framework/ui.h>
#include <vedrix/headless/desktop.h>

#include "test_app.h"

namespace person = vedrix::headless;

namespace {

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

std::string text(HWND hWnd) {
    char buffer[256] = "";
    GetWindowTextA(hWnd, buffer, sizeof buffer);
    return buffer;
}

void replaceText(HWND dialog, int id, const char* newText) {
    HWND edit = GetDlgItem(dialog, id);
    person::click(person::center(edit));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    person::typeText(newText);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        person::resetDesktop();
        m_language = LoadLibraryA("vedr_en.dll");
        ASSERT_NE(m_language, nullptr);
        AfxSetResourceHandle(m_language);
    }
    void TearDown() override {
        person::resetDesktop();
        AfxSetResourceHandle(nullptr);
        FreeLibrary(m_language);
    }

    HMODULE m_language = nullptr;
};

TEST_F(DialogTest, ConfirmReadsTheControlsIntoTheMembers) {
    NameDialog dialog;
    int scripts = 0;
    person::setModalHook([&](HWND hWnd, int templateId) {
        ++scripts;
        EXPECT_EQ(templateId, static_cast<int>(kNameTemplate));
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &dialog);
        EXPECT_EQ(text(GetDlgItem(hWnd, kNameEdit)), "initial");  // filled on opening
        replaceText(hWnd, kNameEdit, "North wing");
        person::click(person::center(GetDlgItem(hWnd, IDOK)));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(scripts, 1);
    EXPECT_STREQ(dialog.m_name, "North wing");
    EXPECT_EQ(dialog.m_hWnd, nullptr);  // the window is gone with the loop
}

TEST_F(DialogTest, EscapeCancelsAndLeavesTheMembers) {
    NameDialog dialog;
    person::setModalHook([&](HWND hWnd, int) {
        replaceText(hWnd, kNameEdit, "Discarded");
        person::pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_STREQ(dialog.m_name, "initial");
}

TEST_F(DialogTest, ABadNumberShowsTheFrameworkMessageAndKeepsTheDialogOpen) {
    CountDialog dialog;
    person::setModalHook([&](HWND hWnd, int) {
        replaceText(hWnd, kNameEdit, "twelve");
        person::click(person::center(GetDlgItem(hWnd, IDOK)));
        ASSERT_EQ(person::messageBoxes().size(), 1u);
        EXPECT_EQ(person::messageBoxes()[0].text, "Please enter a whole number.");
        EXPECT_EQ(person::messageBoxes()[0].caption, "Vedrix test");
        EXPECT_EQ(person::modalDialogs().size(), 1u);        // still open
        EXPECT_EQ(GetFocus(), GetDlgItem(hWnd, kNameEdit));  // back at the bad field

        replaceText(hWnd, kNameEdit, "120");
        person::click(person::center(GetDlgItem(hWnd, IDOK)));
        ASSERT_EQ(person::messageBoxes().size(), 2u);
        EXPECT_EQ(person::messageBoxes()[1].text, "Please enter a whole number from 1 to 99.");

        replaceText(hWnd, kNameEdit, "42");
        person::pressKey(VK_RETURN);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_count, 42);
}

TEST_F(DialogTest, CommandsTheDialogDoesNotHandleGoToTheApplication) {
    NameDialog dialog;
    const int before = testApp().m_attributeCommands;
    person::setModalHook([&](HWND hWnd, int) {
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
    ASSERT_EQ(person::messageBoxes().size(), 1u);
    EXPECT_EQ(person::messageBoxes()[0].caption, "Vedrix test");
    EXPECT_EQ(person::messageBoxes()[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

}  // namespace
