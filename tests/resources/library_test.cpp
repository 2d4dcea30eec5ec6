// The language libraries as the platform's resource functions meet them:
// files named exactly vedr_<code>.dll beside the programs, each exporting its
// table, the tables sorted and complete, and both languages carrying the same
// resources with the same layout and pictures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <set>
#include <tuple>

#include "resource_library.h"
#include "support/headless_only.h"

namespace {

using restest::libraries;

TEST(ResourceLibrary, LoadsByItsFileNameFromTheProgramsDirectory) {
    for (const char* code : {"en", "de"}) {
        const std::string name = std::string("vedr_") + code + ".dll";
        struct stat st {};
        EXPECT_EQ(stat((restest::programDirectory() + "/" + name).c_str(), &st), 0)
            << name << " is not beside the program";
        const restest::ResourceLibrary lib(name);
        ASSERT_TRUE(lib.error().empty()) << lib.error();
        char path[MAX_PATH];
        const DWORD n = GetModuleFileNameA(lib.module(), path, sizeof path);
        ASSERT_GT(n, 0U);
        EXPECT_EQ(std::string(path, n).substr(0, restest::programDirectory().size()),
                  restest::programDirectory())
            << name << " was loaded from " << path;
        // The language's own caption of the first dialog text.
        EXPECT_FALSE(lib.text(2000).empty()) << name;
#if VEDRIX_HEADLESS
        EXPECT_EQ(lib.table()->version, 1U);
        EXPECT_STREQ(lib.table()->language, code);
        EXPECT_GT(lib.table()->count, 0U);
#endif
    }
}

TEST(ResourceLibrary, TableIsSortedByTypeThenIdWithoutDuplicates) {
    HEADLESS_ONLY("reads the library's headless resource table");
    for (const auto* lib : libraries()) {
        ASSERT_TRUE(lib->error().empty()) << lib->error();
        const VedrixResourceDirectory& t = *lib->table();
        for (DWORD i = 0; i < t.count; ++i) {
            const VedrixResource& e = t.entries[i];
            EXPECT_NE(e.data, nullptr) << "type " << e.type << " id " << e.id;
            EXPECT_GT(e.size, 0U) << "type " << e.type << " id " << e.id;
            // The dialogs use the system's cursors; no other kind is carried.
            const std::set<WORD> known = {restest::kRtBitmap, restest::kRtIcon,
                                          restest::kRtMenu,   restest::kRtDialog,
                                          restest::kRtString, restest::kRtDlgInit};
            EXPECT_TRUE(known.count(e.type) != 0U) << "unexpected type " << e.type;
            if (e.type == restest::kRtString) {
                EXPECT_EQ(std::strlen(static_cast<const char*>(e.data)), e.size)
                    << "text " << e.id << ": size is not the length";
            }
            if (i > 0) {
                const VedrixResource& prev = t.entries[i - 1];
                EXPECT_LT(std::tie(prev.type, prev.id), std::tie(e.type, e.id))
                    << lib->fileName() << ": entry " << i << " out of order or repeated";
            }
        }
    }
}

TEST(ResourceLibrary, BothLanguagesCarryTheSameResources) {
    HEADLESS_ONLY("reads the library's headless resource table");
    const auto& en = restest::english();
    const auto& de = restest::german();
    ASSERT_TRUE(en.error().empty() && de.error().empty());
    ASSERT_EQ(en.table()->count, de.table()->count);
    for (DWORD i = 0; i < en.table()->count; ++i) {
        const VedrixResource& a = en.table()->entries[i];
        const VedrixResource& b = de.table()->entries[i];
        ASSERT_EQ(a.type, b.type);
        ASSERT_EQ(a.id, b.id);
        if (a.type == restest::kRtBitmap || a.type == restest::kRtIcon ||
            a.type == restest::kRtDlgInit) {
            // Pictures and list entries do not depend on the language.
            ASSERT_EQ(a.size, b.size) << "type " << a.type << " id " << a.id;
            EXPECT_EQ(std::memcmp(a.data, b.data, a.size), 0)
                << "type " << a.type << " id " << a.id;
        }
    }
}

TEST(ResourceLibrary, TemplatesAndMenusHaveOneLayoutInBothLanguages) {
    HEADLESS_ONLY("reads the library's headless resource table");
    const auto& en = restest::english();
    const auto& de = restest::german();
    for (DWORD i = 0; i < en.table()->count; ++i) {
        const VedrixResource& r = en.table()->entries[i];
        if (r.type == restest::kRtDialog) {
            const VedrixDialogTemplate& a = *en.dialog(r.id);
            const VedrixDialogTemplate* b = de.dialog(r.id);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(
                std::tie(a.style, a.exStyle, a.x, a.y, a.cx, a.cy, a.fontSize, a.itemCount),
                std::tie(b->style, b->exStyle, b->x, b->y, b->cx, b->cy, b->fontSize, b->itemCount))
                << "dialog " << r.id;
            for (WORD k = 0; k < a.itemCount && k < b->itemCount; ++k) {
                const VedrixDialogItem& p = a.items[k];
                const VedrixDialogItem& q = b->items[k];
                EXPECT_EQ(std::tie(p.id, p.style, p.exStyle, p.x, p.y, p.cx, p.cy),
                          std::tie(q.id, q.style, q.exStyle, q.x, q.y, q.cx, q.cy))
                    << "dialog " << r.id << " control " << p.id;
                EXPECT_STREQ(p.windowClass, q.windowClass);
            }
        }
        if (r.type == restest::kRtMenu) {
            std::vector<const VedrixMenuItem*> a, b;
            restest::collectMenuItems(en.menu(r.id)->items, en.menu(r.id)->itemCount, a);
            restest::collectMenuItems(de.menu(r.id)->items, de.menu(r.id)->itemCount, b);
            ASSERT_EQ(a.size(), b.size()) << "menu " << r.id;
            for (std::size_t k = 0; k < a.size(); ++k) {
                EXPECT_EQ(std::tie(a[k]->flags, a[k]->id, a[k]->itemCount),
                          std::tie(b[k]->flags, b[k]->id, b[k]->itemCount))
                    << "menu " << r.id << " item " << k;
            }
        }
    }
}

TEST(ResourceLibrary, GermanTextsAreTranslated) {
    const auto& en = restest::english();
    const auto& de = restest::german();
    int texts = 0;
    int same = 0;
    for (WORD id : en.textIds()) {
        ++texts;
        same += en.text(id) == de.text(id) ? 1 : 0;
    }
    ASSERT_GT(texts, 0);
    // Words such as "OK" or "Name" are the same in both; most are not.
    EXPECT_LT(same * 5, texts) << same << " of " << texts << " German texts equal the English";
}

}  // namespace
