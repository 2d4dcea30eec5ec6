// Strings with the platform's rules, the platform's formatted printing, UUIDs
// and the environment.
#include <rpc.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(KernelStrings, CopiesAlwaysTerminate) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpynA(buffer, "structure", 5), buffer);
    EXPECT_STREQ(buffer, "stru");
    EXPECT_EQ(buffer[5], 'x');
    lstrcpynA(buffer, "ab", sizeof buffer);
    EXPECT_STREQ(buffer, "ab");
    lstrcpynA(buffer, "zz", 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_STREQ(lstrcatA(lstrcpyA(buffer, "tb"), ".hre"), "tb.hre");
    EXPECT_EQ(lstrlenA(buffer), 6);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
}

TEST(KernelStrings, ComparisonsFoldCaseLikeThePlatform) {
    EXPECT_EQ(lstrcmpiA("Storey", "STOREY"), 0);
    EXPECT_LT(lstrcmpiA("apple", "Banana"), 0);
    EXPECT_GT(lstrcmpiA("b", "A"), 0);
    EXPECT_LT(lstrcmpiA("ab", "abc"), 0);
    // Western letters fold too: \xC4 is the capital of \xE4.
    EXPECT_EQ(lstrcmpiA("\xC4rger", "\xE4RGER"), 0);
    // Case decides only between otherwise equal strings; lower case first.
    EXPECT_LT(lstrcmpA("a", "B"), 0);
    EXPECT_LT(lstrcmpA("abc", "Abc"), 0);
    EXPECT_GT(lstrcmpA("Abc", "abc"), 0);
    EXPECT_EQ(lstrcmpA("abc", "abc"), 0);

    char text[] = "Geb\xE4ude 3a";
    EXPECT_STREQ(CharUpperA(text), "GEB\xC4UDE 3A");
    EXPECT_STREQ(CharLowerA(text), "geb\xE4ude 3a");
    // A pointer with a zero upper part is one character.
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(ULONG_PTR{'q'}))),
              ULONG_PTR{'Q'});
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(ULONG_PTR{0xC4}))),
              ULONG_PTR{0xE4});
}

// Every pair of bytes, the upper half included, compares as the bytes that
// CharLowerA and CharUpperA make of them: case never decides. Letters and
// digits keep their order.
TEST(KernelStrings, CaseInsensitiveComparisonIgnoresTheCaseOfEveryByte) {
    const auto convert = [](LPSTR (*function)(LPSTR), int c) {
        return static_cast<char>(reinterpret_cast<ULONG_PTR>(
            function(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(c)))));
    };
    const auto sign = [](int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); };
    int mismatches = 0;
    for (int a = 1; a < 256; ++a) {
        for (int b = 1; b < 256; ++b) {
            const char left[] = {static_cast<char>(a), 'x', '\0'};
            const char right[] = {static_cast<char>(b), 'x', '\0'};
            const char lowerLeft[] = {convert(CharLowerA, a), 'x', '\0'};
            const char upperRight[] = {convert(CharUpperA, b), 'x', '\0'};
            const int got = sign(lstrcmpiA(left, right));
            mismatches += got != sign(lstrcmpiA(lowerLeft, right)) ? 1 : 0;
            mismatches += got != sign(lstrcmpiA(left, upperRight)) ? 1 : 0;
            mismatches += got != -sign(lstrcmpiA(right, left)) ? 1 : 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
    const char* const ordered[] = {"0", "1", "9", "A", "b", "C", "m", "Z"};
    for (size_t i = 1; i < sizeof ordered / sizeof ordered[0]; ++i) {
        EXPECT_LT(lstrcmpiA(ordered[i - 1], ordered[i]), 0) << ordered[i];
    }
}

TEST(KernelWsprintf, ThePlatformsConversions) {
    char out[1100];
    const DWORD number = 4000000000u;
    const LONG negative = -42;
    EXPECT_EQ(wsprintfA(out, "%d|%5d|%-5d|%05d|%u|%lu", 7, 7, 7, -7, 7u, number), 32);
    EXPECT_STREQ(out, "7|    7|7    |-0007|7|4000000000");
    wsprintfA(out, "%ld %x %X %#x %08lX", negative, 255u, 255u, 255u, number);
    EXPECT_STREQ(out, "-42 ff FF 0xff EE6B2800");
    wsprintfA(out, "[%s] [%.3s] [%6s] [%-6s] [%c] [%%] [%s]", "tb", "abcdef", "ab", "ab", 'z',
              static_cast<const char*>(nullptr));
    EXPECT_STREQ(out, "[tb] [abc] [    ab] [ab    ] [z] [%] [(null)]");
    wsprintfA(out, "%I64d %I64u %.3d", -5000000000LL, 18000000000000000000ULL, 5);
    EXPECT_STREQ(out, "-5000000000 18000000000000000000 005");
    wsprintfA(out, "%S|%ls|%hs", L"wide", L"w\x263A", "narrow");
    EXPECT_STREQ(out, "wide|w?|narrow");

    // At most 1024 bytes, the terminator included.
    const std::string longText(2000, 'a');
    wsprintfA(out, "%s", longText.c_str());
    EXPECT_EQ(std::strlen(out), 1023u);
}

// Output cut at the buffer's limit counts the characters stored.
TEST(KernelWsprintf, ACutOutputCountsWhatWasStored) {
    char out[1100];
    const std::string longText(2000, 'a');
    EXPECT_EQ(wsprintfA(out, "%s", longText.c_str()), 1023);
    EXPECT_EQ(std::strlen(out), 1023u);
}

TEST(KernelMulDiv, RoundsToNearestAndReportsOverflow) {
    EXPECT_EQ(MulDiv(10, 3, 4), 8);  // 7.5 rounds away from zero
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);
    EXPECT_EQ(MulDiv(10, 3, -4), -8);
    EXPECT_EQ(MulDiv(7, 1, 3), 2);  // 2.33
    EXPECT_EQ(MulDiv(8, 1, 3), 3);  // 2.67
    EXPECT_EQ(MulDiv(2000000000, 2000000000, 1000000000), -1);
    EXPECT_EQ(MulDiv(2000000000, 3, 3), 2000000000);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(KernelUuid, RandomVersion4InTheStringForm) {
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) {
        UUID uuid;
        ASSERT_EQ(UuidCreate(&uuid), RPC_S_OK);
        RPC_CSTR text = nullptr;
        ASSERT_EQ(UuidToStringA(&uuid, &text), RPC_S_OK);
        const std::string s(reinterpret_cast<const char*>(text));
        ASSERT_EQ(RpcStringFreeA(&text), RPC_S_OK);
        ASSERT_EQ(s.size(), 36u);
        for (size_t k = 0; k < s.size(); ++k) {
            if (k == 8 || k == 13 || k == 18 || k == 23) {
                ASSERT_EQ(s[k], '-') << s;
            } else {
                ASSERT_TRUE(std::strchr("0123456789abcdef", s[k]) != nullptr) << s;
            }
        }
        ASSERT_EQ(s[14], '4') << s;
        ASSERT_TRUE(std::strchr("89ab", s[19]) != nullptr) << s;
        seen.insert(s);
    }
    EXPECT_EQ(seen.size(), 10000u);
}

TEST(KernelUuid, ParsesComparesAndKnowsTheNilUuid) {
    unsigned char text[] = "6BA7B810-9dad-11d1-80b4-00c04fd430c8";
    UUID uuid;
    ASSERT_EQ(UuidFromStringA(text, &uuid), RPC_S_OK);
    EXPECT_EQ(uuid.Data1, 0x6ba7b810u);
    EXPECT_EQ(uuid.Data2, 0x9dad);
    EXPECT_EQ(uuid.Data3, 0x11d1);
    EXPECT_EQ(uuid.Data4[0], 0x80);
    EXPECT_EQ(uuid.Data4[7], 0xc8);
    RPC_CSTR back = nullptr;
    ASSERT_EQ(UuidToStringA(&uuid, &back), RPC_S_OK);
    EXPECT_STREQ(reinterpret_cast<const char*>(back), "6ba7b810-9dad-11d1-80b4-00c04fd430c8");
    RpcStringFreeA(&back);

    unsigned char broken[] = "6ba7b810-9dad-11d1-80b4-00c04fd430cg";
    unsigned char shortText[] = "6ba7b810-9dad-11d1-80b4";
    UUID other;
    EXPECT_EQ(UuidFromStringA(broken, &other), RPC_S_INVALID_STRING_UUID);
    EXPECT_EQ(UuidFromStringA(shortText, &other), RPC_S_INVALID_STRING_UUID);

    RPC_STATUS status = -1;
    UUID nil;
    ASSERT_EQ(UuidCreateNil(&nil), RPC_S_OK);
    EXPECT_TRUE(UuidIsNil(&nil, &status));
    EXPECT_EQ(status, RPC_S_OK);
    EXPECT_FALSE(UuidIsNil(&uuid, &status));
    ASSERT_EQ(UuidFromStringA(nullptr, &other), RPC_S_OK);
    EXPECT_TRUE(UuidEqual(&other, &nil, &status));
    EXPECT_FALSE(UuidEqual(&uuid, &nil, &status));
    UUID copy = uuid;
    EXPECT_TRUE(UuidEqual(&uuid, &copy, &status));
    copy.Data4[7] ^= 1;
    EXPECT_FALSE(UuidEqual(&uuid, &copy, &status));
}

TEST(KernelEnvironment, VariablesByNameInAnyCase) {
    ASSERT_TRUE(SetEnvironmentVariableA("VEDRIX_KERNEL_TEST", "Program"));
    char buffer[16];
    EXPECT_EQ(GetEnvironmentVariableA("VEDRIX_KERNEL_TEST", buffer, sizeof buffer), 7u);
    EXPECT_STREQ(buffer, "Program");
    EXPECT_EQ(GetEnvironmentVariableA("vedrix_kernel_test", buffer, sizeof buffer), 7u);
    // Too small: the size needed, terminator included.
    EXPECT_EQ(GetEnvironmentVariableA("VEDRIX_KERNEL_TEST", buffer, 3), 8u);
    ASSERT_TRUE(SetEnvironmentVariableA("VEDRIX_KERNEL_TEST", nullptr));
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariableA("VEDRIX_KERNEL_TEST", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    EXPECT_NE(GetCurrentProcessId(), 0u);
}

}  // namespace
