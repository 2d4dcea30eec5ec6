// The system's texts for error codes, as the search prints them.
#include <vedrix/fman/system_error_text.h>

#include <gtest/gtest.h>

#include <windows.h>

#include "support/headless_only.h"

#include <string>

namespace {

TEST(SystemErrorTextTest, SystemTextsLoseTheirLineEnd) {
    EXPECT_STREQ(GetSystemErrorText(ERROR_ACCESS_DENIED), "Access is denied.");
    EXPECT_STREQ(GetSystemErrorText(ERROR_FILE_NOT_FOUND),
                 "The system cannot find the file specified.");
    // Inserts stay as they are.
    EXPECT_STREQ(GetSystemErrorText(ERROR_BAD_EXE_FORMAT), "%1 is not a valid Win32 application.");
}

TEST(SystemErrorTextTest, CodesWithoutTextAreNamedByNumber) {
    EXPECT_STREQ(GetSystemErrorText(99999), "Unknown error [99999]");
}

// Network codes without the network message module.
TEST(SystemErrorTextTest, NetworkCodesWithoutTheNetworkModuleAreNamedByNumber) {
    HEADLESS_ONLY("Windows has a network message module of its own in the system directory");
    EXPECT_STREQ(GetSystemErrorText(2102), "Unknown error [2102]");
    EXPECT_STREQ(GetSystemErrorText(10054), "Unknown error [10054]");
}

// The network message module is found in the current directory.
class NetworkMessagesTest : public ::testing::Test {
protected:
    NetworkMessagesTest() {
        GetCurrentDirectoryA(sizeof m_previous, m_previous);
        SetCurrentDirectoryA(FMAN_TEST_NETMSG_DIR);
    }
    ~NetworkMessagesTest() override { SetCurrentDirectoryA(m_previous); }

private:
    char m_previous[MAX_PATH] = {};
};

TEST_F(NetworkMessagesTest, NetworkCodesComeFromTheNetworkModule) {
    HEADLESS_ONLY("Windows finds its own network message module in the system directory first");
    EXPECT_STREQ(GetSystemErrorText(2102),
                 "The network service of this workstation is not running.");
    // Other network codes still find the system's texts or none.
    EXPECT_STREQ(GetSystemErrorText(2999), "Unknown error [2999]");
    // The module is looked at for network codes only, and let go each time.
    EXPECT_STREQ(GetSystemErrorText(ERROR_ACCESS_DENIED), "Access is denied.");
    EXPECT_EQ(GetModuleHandleA("netmsg.dll"), nullptr);
}

}  // namespace
