// Capturing what the program writes to stdout and stderr.
#include "test_dialogs.h"

#include <vedrix/automation/gtest_fixture.h>

#include <gmock/gmock.h>

#include <cstdio>
#include <iostream>
#include <unistd.h>

using namespace vedrix::automation;
using namespace automation_tests;
using ::testing::HasSubstr;

namespace {

class ConsoleTest : public PersonTest {};

TEST_F(ConsoleTest, StdoutAndStderrAreCapturedSeparately) {
    ConsoleCapture console;
    EXPECT_TRUE(console.isCapturing());
    EXPECT_TRUE(ConsoleCapture::anyActive());
    std::printf("Function: <%s> in %s not found !\n", "VedGetLevel", "vedada.dll");
    std::fprintf(stderr, "warning on stderr\n");
    std::cout << "through iostreams" << std::endl;
    const char raw[] = "raw write\n";
    ASSERT_EQ(::write(1, raw, sizeof(raw) - 1), static_cast<ssize_t>(sizeof(raw) - 1));
    // Readable while the capture runs, buffered text included.
    std::printf("pending in the buffer");
    EXPECT_THAT(console.out(), HasSubstr("pending in the buffer"));
    console.stop();
    EXPECT_FALSE(ConsoleCapture::anyActive());
    EXPECT_EQ(console.out(),
              "Function: <VedGetLevel> in vedada.dll not found !\n"
              "through iostreams\n"
              "raw write\n"
              "pending in the buffer");
    EXPECT_EQ(console.err(), "warning on stderr\n");
    // After the capture, output goes where it went before.
    std::printf("\n");
    EXPECT_EQ(console.out().back(), 'r');
}

TEST_F(ConsoleTest, LargeOutputDoesNotBlock) {
    ConsoleCapture console(ConsoleCapture::Stdout);
    const std::string line(99, 'x');
    for (int i = 0; i < 20000; ++i) {
        std::printf("%05d %s\n", i, line.c_str());
    }
    console.stop();
    std::string out = console.out();
    EXPECT_EQ(out.size(), 20000u * 106u);
    EXPECT_EQ(out.substr(out.size() - 106, 6), "19999 ");
    EXPECT_EQ(console.err(), "");
}

TEST_F(ConsoleTest, InnerCaptureHandsItsTextToTheOuterOne) {
    ConsoleCapture outer;
    std::printf("before\n");
    {
        ConsoleCapture inner(ConsoleCapture::Stdout);
        std::printf("inside\n");
        std::fprintf(stderr, "inner stderr goes to the outer capture\n");
        inner.stop();
        EXPECT_EQ(inner.out(), "inside\n");
    }
    std::printf("after\n");
    outer.stop();
    EXPECT_EQ(outer.out(), "before\ninside\nafter\n");
    EXPECT_EQ(outer.err(), "inner stderr goes to the outer capture\n");
}

TEST_F(ConsoleTest, StoppingTheOuterCaptureStopsTheInnerOne) {
    ConsoleCapture outer(ConsoleCapture::Stdout);
    ConsoleCapture inner(ConsoleCapture::Stdout);
    std::printf("caught by the inner one\n");
    outer.stop();
    EXPECT_FALSE(inner.isCapturing());
    EXPECT_EQ(inner.out(), "caught by the inner one\n");
    EXPECT_EQ(outer.out(), "caught by the inner one\n");
    EXPECT_FALSE(ConsoleCapture::anyActive());
}

TEST_F(ConsoleTest, WriteToConsolePassesTheCapture) {
    ConsoleCapture console;
    ConsoleCapture::writeToConsole("(a line the console capture test writes to the real stderr)\n");
    console.stop();
    EXPECT_EQ(console.err(), "");
    EXPECT_EQ(console.out(), "");
}

TEST_F(ConsoleTest, DiagnosticsOfADialogAreCaptured) {
    person.onDialog(kStructureTemplate, [](Dialog& d) {
        d.list(kFiles).clickRow(0);
        d.list(kFiles).shiftClickRow(2);
        d.tree(kTree).item({"Project", "Building 1", "Storey 2"}).doubleClick();
        d.ok();
    });
    ConsoleCapture console;
    runStructureDialog();
    console.stop();
    EXPECT_EQ(console.out(), "---> open Storey 2\n---> confirmed: 3 files selected\n");
    EXPECT_EQ(console.err(), "");
}

}  // namespace
