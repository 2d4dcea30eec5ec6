// Scripts inside modal loops: one per opening of a template, nested message
// boxes and dialogs, and loops that always end.
#include "test_dialogs.h"
#include "support/headless_only.h"

#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

using namespace vedrix::automation;
using namespace automation_tests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class ScriptsTest : public PersonTest {};

TEST_F(ScriptsTest, ScriptConfirmsWithTheRealOkButton) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        EXPECT_EQ(d.templateId(), kStructureTemplate);
        EXPECT_EQ(d.caption(), "Structure");
        d.control(kNote).replaceText("first draft");
        d.control(kNote).replaceText("final");
        d.ok();
    });
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_EQ(received().note, "final");
    EXPECT_TRUE(gotCommand(IDOK, BN_CLICKED));
    EXPECT_FALSE(gotCommand(IDCANCEL, BN_CLICKED));
    ASSERT_EQ(person.visits().size(), 1u);
    EXPECT_TRUE(person.visits()[0].scripted);
    EXPECT_EQ(person.visits()[0].depth, 1);
}

TEST_F(ScriptsTest, EachOpeningOfATemplateTakesTheNextScript) {
    std::vector<std::string> order;
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        order.push_back("first");
        d.ok();
    });
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        order.push_back("second");
        d.cancel();
        EXPECT_TRUE(gotCommand(IDCANCEL, BN_CLICKED));
    });
    EXPECT_EQ(person.pendingScripts(), 2u);
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_EQ(runStructureDialog(), IDCANCEL);
    EXPECT_THAT(order, ElementsAre("first", "second"));
    EXPECT_EQ(person.pendingScripts(), 0u);

    // With the queue empty, the every-time script serves each opening.
    int everyRuns = 0;
    person.onEveryDialog(kStructureTemplate, [&](Dialog& d) {
        ++everyRuns;
        d.ok();
    });
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_EQ(everyRuns, 2);
}

TEST_F(ScriptsTest, MessageBoxInsideAScriptGetsTheQueuedAnswerAndIsRecorded) {
    HWND dialog = nullptr;
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        dialog = d.hwnd();
        TreeView tree = d.tree(kTree);
        tree.item({"Project", "Building 1", "Storey 2"}).click();
        person.answerNextMessageBox(IDNO);
        d.clickButton(kDelete);
        EXPECT_TRUE(tree.tryFind("Storey 2")) << tree.outline();
        person.answerNextMessageBox(IDYES);
        d.clickButton(kDelete);
        EXPECT_FALSE(tree.tryFind("Storey 2")) << tree.outline();
        d.ok();
    });
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_THAT(received().deleted, ElementsAre("Storey 2"));
    auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Delete \"Storey 2\" and everything below it?");
    EXPECT_EQ(boxes[0].caption, "Structure");
    EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(boxes[0].owner, dialog);
    EXPECT_EQ(boxes[0].answer, IDNO);
    EXPECT_EQ(boxes[1].answer, IDYES);
}

TEST_F(ScriptsTest, UnansweredMessageBoxTakesItsDefaultButton) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.tree(kTree).item({"Project", "Building 2"}).click();
        d.clickButton(kDelete);  // MB_DEFBUTTON2 of Yes/No: No
        d.ok();
    });
    runStructureDialog();
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].answer, IDNO);
    EXPECT_TRUE(received().deleted.empty());
}

TEST_F(ScriptsTest, NestedDialogRunsItsOwnScriptInsideTheClick) {
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        d.clickButton(kDetails);
        // The nested dialog has ended by the time the click returns.
        EXPECT_EQ(received().detailsName, "North wing");
        EXPECT_EQ(received().detailsResult, IDOK);
        d.clickButton(kDetails);  // its second opening has no script: cancelled
        EXPECT_EQ(received().detailsResult, IDCANCEL);
        d.ok();
    });
    person.onDialog(kDetailsTemplate, [&](Dialog& d) {
        EXPECT_EQ(d.caption(), "Details");
        // The nested dialog is the innermost modal loop; its owner is disabled.
        ASSERT_FALSE(person.visits().empty());
        EXPECT_EQ(person.visits().back().depth, 2);
        EXPECT_EQ(person.visits().back().dialog, d.hwnd());
        EXPECT_FALSE(IsWindowEnabled(received().dialog));
        d.control(kDetailsName).replaceText("North wing");
        d.ok();
    });
    EXPECT_EQ(runStructureDialog(), IDOK);
    ASSERT_EQ(person.visits().size(), 3u);
    EXPECT_THAT(person.dialogsSeen(),
                ElementsAre(kStructureTemplate, kDetailsTemplate, kDetailsTemplate));
    EXPECT_EQ(person.visits()[1].depth, 2);
    EXPECT_TRUE(person.visits()[1].scripted);
    EXPECT_FALSE(person.visits()[2].scripted);
}

TEST_F(ScriptsTest, ScriptThatLeavesTheDialogOpenEndsInCancel) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.tree(kTree).item({"Project", "Building 1"}).click();
    });
    EXPECT_EQ(runStructureDialog(), IDCANCEL);
    // The loop cancels through the dialog's own IDCANCEL handling.
    EXPECT_TRUE(gotCommand(IDCANCEL, BN_CLICKED));
    EXPECT_FALSE(IsWindow(received().dialog));
}

TEST_F(ScriptsTest, DialogWithoutScriptIsCancelledAndRecorded) {
    EXPECT_EQ(runStructureDialog(), IDCANCEL);
    ASSERT_EQ(person.visits().size(), 1u);
    EXPECT_FALSE(person.visits()[0].scripted);
    EXPECT_EQ(person.visits()[0].caption, "Structure");
}

TEST_F(ScriptsTest, ScriptForAnyTemplateServesDialogsWithoutOwnScript) {
    std::vector<int> served;
    person.onDialog(anyTemplate, [&](Dialog& d) {
        served.push_back(d.templateId());
        d.clickButton(kDetails);
        d.ok();
    });
    person.onDialog(kDetailsTemplate, [&](Dialog& d) {
        served.push_back(d.templateId());
        d.cancel();
    });
    runStructureDialog();
    EXPECT_THAT(served, ElementsAre(kStructureTemplate, kDetailsTemplate));
}

TEST_F(ScriptsTest, FailingScriptIsRecordedAndItsDialogCancelled) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.tree(kTree).item({"Project", "Building 3"}).click();
        ADD_FAILURE() << "the script went on after the missing item";
    });
    EXPECT_EQ(runStructureDialog(), IDCANCEL);
    ASSERT_EQ(person.scriptErrors().size(), 1u);
    EXPECT_THAT(person.scriptErrors()[0], HasSubstr("dialog 201"));
    EXPECT_THAT(person.scriptErrors()[0], HasSubstr("no item \"Building 3\" below \"Project\""));
    EXPECT_THAT(person.scriptErrors()[0], HasSubstr("\"Building 1\", \"Building 2\""));

    // Asking for a control that is not there, or one of the wrong class.
    person.clearRecords();
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.list(kTree); });
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.control(4711); });
    runStructureDialog();
    runStructureDialog();
    ASSERT_EQ(person.scriptErrors().size(), 2u);
    EXPECT_THAT(person.scriptErrors()[0], HasSubstr("is no list view"));
    EXPECT_THAT(person.scriptErrors()[1], HasSubstr("no control 4711"));
    person.clearRecords();
}

TEST_F(ScriptsTest, ScriptsThatNeverRanArePending) {
    person.onDialog(kDetailsTemplate, [](Dialog& d) { d.ok(); });
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.ok(); });
    runStructureDialog();
    EXPECT_EQ(person.pendingScripts(), 1u);
    EXPECT_THAT(person.pendingTemplates(), ElementsAre(kDetailsTemplate));
    person.clearScripts();
}

TEST_F(ScriptsTest, CloseBoxAndEscapeCancelWhileTheScriptRuns) {
    // Checked inside the script: after it, the loop would cancel anyway.
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.closeBox();
        EXPECT_TRUE(gotCommand(IDCANCEL, BN_CLICKED));
    });
    EXPECT_EQ(runStructureDialog(), IDCANCEL);

    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.control(kNote).click();
        EXPECT_FALSE(gotCommand(IDCANCEL, BN_CLICKED));
        d.pressKey(VK_ESCAPE);
        EXPECT_TRUE(gotCommand(IDCANCEL, BN_CLICKED));
    });
    EXPECT_EQ(runStructureDialog(), IDCANCEL);
}

TEST_F(ScriptsTest, EnterInTheEditPressesTheDefaultButton) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.control(kNote).click();
        d.type("typed");
        d.pressKey(VK_RETURN);
    });
    EXPECT_EQ(runStructureDialog(), IDOK);
    EXPECT_EQ(received().note, "typed");
}

TEST_F(ScriptsTest, ClicksWhereNothingAnswers) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "AutomationTestOwner";
    RegisterClassA(&cls);
    HWND owner =
        CreateWindowExA(0, "AutomationTestOwner", "Main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        0, 0, 1200, 800, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(IsWindow(owner));
    std::size_t beepsAtOwner = 0;
    person.onDialog(kStructureTemplate, [&](Dialog& d) {
        // The owner, disabled while the dialog runs, beeps at a click.
        POINT outside{1000, 700};
        EXPECT_EQ(windowAt(outside), owner);
        click(outside);
        beepsAtOwner = person.beeps().size();

        // A disabled button passes the click to the dialog: no command.
        Control remove = d.control(kDelete);
        EnableWindow(remove.hwnd(), FALSE);
        EXPECT_FALSE(remove.isEnabled());
        remove.click();
        EXPECT_FALSE(gotCommand(kDelete, BN_CLICKED));
        EnableWindow(remove.hwnd(), TRUE);
        // Nothing selected (the tree selected its first item when it got the
        // focus): the dialog asks for a selection.
        SendMessageA(d.control(kTree).hwnd(), TVM_SELECTITEM, TVGN_CARET, 0);
        remove.click();
        EXPECT_TRUE(gotCommand(kDelete, BN_CLICKED));
        ASSERT_EQ(person.messageBoxes().size(), 1u);
        EXPECT_EQ(person.messageBoxes()[0].text, "Select an item first.");

        // A hidden control cannot be aimed at.
        ShowWindow(remove.hwnd(), SW_HIDE);
        EXPECT_THROW(remove.click(), AutomationError);
        d.ok();
    });
    EXPECT_EQ(runStructureDialog(owner), IDOK);
    EXPECT_TRUE(IsWindowEnabled(owner));
    HEADLESS_ONLY("beeps are recorded headless only");
    EXPECT_EQ(beepsAtOwner, 1u);
}

TEST_F(ScriptsTest, ResetDesktopForgetsScriptsAndWindows) {
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.ok(); });
    HWND stray = CreateWindowExA(0, "Button", "stray", WS_POPUP | WS_VISIBLE, 10, 10, 50, 20,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(IsWindow(stray));
    resetDesktop();
    EXPECT_FALSE(IsWindow(stray));
    EXPECT_EQ(person.pendingScripts(), 0u);
    // The hook is the person's again after the reset.
    person.onDialog(kStructureTemplate, [](Dialog& d) { d.ok(); });
    EXPECT_EQ(runStructureDialog(), IDOK);
}

}  // namespace
