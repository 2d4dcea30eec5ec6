// A GoogleTest fixture for tests that act as the person. Header only, so the
// automation library itself does not depend on GoogleTest; include it from
// test programs that link GTest.
//
// Each test starts on a reset desktop with a fresh Person (`person`), and
// fails at its end when a script threw (a control or item was not there) or
// when a script registered with onDialog() never ran (its dialog never
// opened). The desktop is reset again afterwards.
//
// A failure reported while a ConsoleCapture runs would be written into the
// capture; the fixture also writes it to the real console.
#pragma once

#include <vedrix/automation/automation.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vedrix::automation {

// Echoes failures to the real console while a ConsoleCapture holds stdout.
class CapturedFailureEcho : public ::testing::EmptyTestEventListener {
public:
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (!result.failed() || !ConsoleCapture::anyActive()) {
            return;
        }
        std::ostringstream text;
        text << (result.file_name() ? result.file_name() : "unknown file") << ":"
             << result.line_number() << ": Failure (inside a console capture)\n"
             << result.message() << "\n";
        ConsoleCapture::writeToConsole(text.str());
    }
};

class PersonTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool echoInstalled = [] {
            ::testing::UnitTest::GetInstance()->listeners().Append(new CapturedFailureEcho);
            return true;
        }();
        (void)echoInstalled;
        person.reset();
    }

    void TearDown() override {
        std::string errors;
        for (const std::string& e : person.scriptErrors()) {
            errors += "  " + e + "\n";
        }
        EXPECT_TRUE(person.scriptErrors().empty()) << "dialog scripts failed:\n" << errors;
        std::string pending;
        for (int id : person.pendingTemplates()) {
            pending += " " + std::to_string(id);
        }
        EXPECT_EQ(person.pendingScripts(), 0u)
            << "scripts never ran, for dialog templates:" << pending;
        person.reset();
    }

    Person person;
};

}  // namespace vedrix::automation
