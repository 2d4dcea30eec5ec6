// Resources of the running program (the null module handle).
#include "dialog_support.h"

#if VEDRIX_HEADLESS
#include <vedrix/headless/desktop.h>
#endif

#include <cstring>
#include <vector>

namespace {

using Resources = DialogTest;

TEST_F(Resources, LoadStringCopiesWhatFitsAndCountsIt) {
    char buffer[16];
    EXPECT_EQ(LoadStringA(nullptr, kHello, buffer, sizeof(buffer)), 5);
    EXPECT_STREQ(buffer, "Hello");
    char small[5];
    EXPECT_EQ(LoadStringA(nullptr, kLong, small, sizeof(small)), 4);
    EXPECT_STREQ(small, "A lo");
    std::strcpy(buffer, "stale");
    EXPECT_EQ(LoadStringA(nullptr, 9999, buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadStringA(nullptr, kEmpty, buffer, sizeof(buffer)), 0);
#if VEDRIX_HEADLESS
    // The 8-bit variant must not be given a buffer size of 0 or no buffer (the
    // platform writes through them); the headless platform refuses both and
    // writes nothing, where the platform's behaviour is undefined.
    std::strcpy(buffer, "kept");
    EXPECT_EQ(LoadStringA(nullptr, kHello, buffer, 0), 0);
    EXPECT_STREQ(buffer, "kept");
    EXPECT_EQ(LoadStringA(nullptr, kHello, nullptr, 10), 0);
#endif
}

TEST_F(Resources, FindLoadLockAndSizeAResource) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(kData), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, found), 4u);
    HGLOBAL loaded = LoadResource(nullptr, found);
    ASSERT_NE(loaded, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[3], 0);
    // Names as "#number" strings.
    EXPECT_EQ(FindResourceA(nullptr, "#500", RT_RCDATA), found);
    EXPECT_EQ(FindResourceA(nullptr, "Named", RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(kData), RT_BITMAP), nullptr);
#if VEDRIX_HEADLESS
    // The headless table keeps one image per icon or cursor: the group types
    // find it. A handle that FindResourceA never gave is refused.
    HRSRC cursor = FindResourceA(nullptr, MAKEINTRESOURCE(kCursor), RT_CURSOR);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(kCursor), RT_GROUP_CURSOR), cursor);
    EXPECT_EQ(SizeofResource(nullptr, reinterpret_cast<HRSRC>(&bytes)), 0u);
#endif
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
}

TEST_F(Resources, MenusAndCursorsComeFromTheTable) {
    HMENU bar = LoadMenuA(nullptr, MAKEINTRESOURCE(kMenu));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 301u);
    EXPECT_EQ(GetMenuState(file, 302, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    char text[16];
    GetMenuStringA(bar, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&File");
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCE(999)), nullptr);

#if VEDRIX_HEADLESS  // the test cursor is in the headless resource table only
    HCURSOR c = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(kCursor));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(kCursor)), c);
    EXPECT_EQ(vedrix::headless::cursorName(c), "#400");
    SetCursor(c);
    EXPECT_EQ(vedrix::headless::currentCursor(), c);
#endif
    // The module has no such cursor, and the system cursors are not in it.
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(401)), nullptr);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr);
}

// Collects the enumerated names; stops after `limit` of them.
struct EnumeratedNames {
    std::vector<ULONG_PTR> names;
    std::size_t limit = 100;
};

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    auto* seen = reinterpret_cast<EnumeratedNames*>(param);
    seen->names.push_back(IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0U);
    return seen->names.size() < seen->limit ? TRUE : FALSE;
}

TEST_F(Resources, EnumeratesTheNamesOfAType) {
    EnumeratedNames dialogs;
    ASSERT_TRUE(
        EnumResourceNamesA(nullptr, RT_DIALOG, collectName, reinterpret_cast<LONG_PTR>(&dialogs)));
    EXPECT_EQ(dialogs.names, (std::vector<ULONG_PTR>{200, 201, 202, 203}));

    // Texts 100 to 102 lie in one block of sixteen, named 100 / 16 + 1.
    EnumeratedNames blocks;
    ASSERT_TRUE(
        EnumResourceNamesA(nullptr, RT_STRING, collectName, reinterpret_cast<LONG_PTR>(&blocks)));
    EXPECT_EQ(blocks.names, (std::vector<ULONG_PTR>{kHello / 16 + 1}));

    EnumeratedNames none;
    EXPECT_FALSE(
        EnumResourceNamesA(nullptr, RT_BITMAP, collectName, reinterpret_cast<LONG_PTR>(&none)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_TRUE(none.names.empty());
}

// The function stops where the callback says so, and says why.
TEST_F(Resources, EnumerationStoppedByTheCallbackSaysSo) {
    EnumeratedNames first;
    first.limit = 1;
    EXPECT_FALSE(
        EnumResourceNamesA(nullptr, RT_DIALOG, collectName, reinterpret_cast<LONG_PTR>(&first)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_ENUM_USER_STOP));
    EXPECT_EQ(first.names, (std::vector<ULONG_PTR>{200}));
}

}  // namespace
