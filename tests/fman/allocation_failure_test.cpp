// A number table that cannot be allocated: the variants' start number tells
// the user and leaves the number as it was; a batch copy gives up before it
// touches the project. This program replaces the allocation that the table
// uses, so that the table's allocation alone can be made to fail.
#include "host_project.h"
#include "support/headless_only.h"

#include <vedrix/fman/free_tb_number.h>
#include <vedrix/fman/tb_copy.h>
#include <vedrix/fman/tb_number_table.h>

#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/framework/wnd.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <new>
#include <vector>

namespace {

bool g_refuseNumberTables = false;

bool IsNumberTable(std::size_t size) {
    return size == sizeof(TbNumberSlot) * static_cast<std::size_t>(kTbNumberTableSize);
}

}  // namespace

// Every other allocation goes to the usual operator new[], so that its
// memory is released by the usual operator delete[].
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (g_refuseNumberTables && IsNumberTable(size)) {
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace {

using hostsim_test::HostProject;

constexpr const char* kWindowClass = "FmanAllocationTestWindow";

class AllocationFailureTest : public vedrix::automation::PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = AfxWndProc;
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        g_refuseNumberTables = true;
    }
    void TearDown() override {
        g_refuseNumberTables = false;
        PersonTest::TearDown();
    }

    HostProject project;
};

TEST_F(AllocationFailureTest, VariantStartTellsTheUserAboveTheDialog) {
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, kWindowClass, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              CRect(0, 0, 800, 600), nullptr, 0));
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, kWindowClass, "Facility management", WS_POPUP | WS_VISIBLE,
                                CRect(50, 50, 450, 350), &host, 0));
    host.SetFocus();

    int number = 250;
    EXPECT_EQ(GetVariantStartTbNr(number, &dialog), 0);
    EXPECT_EQ(number, 250);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fatal error: Memory allocation failure");
    EXPECT_EQ(boxes[0].caption, "Error");  // no caption of its own
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[0].owner, host.m_hWnd);
    // The dialog works again and has the focus.
    EXPECT_TRUE(dialog.IsWindowEnabled());
    EXPECT_EQ(GetFocus(), dialog.m_hWnd);

    dialog.DestroyWindow();
    host.DestroyWindow();
    HEADLESS_ONLY("a message box's modality is not seen on a real screen");
    EXPECT_NE(boxes[0].style & MB_TASKMODAL, 0u);
}

TEST_F(AllocationFailureTest, VariantStartWithoutADialogHasNoOwner) {
    int number = 0;
    EXPECT_EQ(GetVariantStartTbNr(number, nullptr), 0);
    // The stored start number was read before the table was asked for.
    EXPECT_EQ(number, 100);
    const auto boxes = person.messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
}

TEST_F(AllocationFailureTest, ABatchGivesUpBeforeTouchingTheProject) {
    project.addDrawingFile(1, "Ground floor");
    const std::vector<int> sources{1};
    std::vector<int> copies{-1};
    EXPECT_EQ(CopyTbsKeepingRefUuid(sources.data(), copies.data(), 1, 100, "Variant"), -1);
    EXPECT_EQ(copies[0], -1);
    EXPECT_FALSE(std::filesystem::exists(project.drawingFile(100)));
    EXPECT_TRUE(person.messageBoxes().empty());
    EXPECT_TRUE(person.beeps().empty());
}

}  // namespace
