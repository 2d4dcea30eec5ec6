// The Windows resource scripts that the generator writes beside the tables:
// well-formed, naming files that exist and parse, declaring every resource of
// the table with the same texts; and, where a resource compiler for Windows
// is installed, compiling to exactly the resources that the headless table
// carries (the same styles, rectangles, texts, menus and pixels).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "resource_library.h"
#include "support/headless_only.h"

namespace {

const char* const kCodes[] = {"en", "de"};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string rcPath(const char* code) {
    return std::string(VEDRIX_RESOURCE_DIR) + "/vedr_" + code + ".rc";
}

const restest::ResourceLibrary& libraryOf(const char* code) {
    return std::string(code) == "en" ? restest::english() : restest::german();
}

// The script's lines with comments removed and strings kept.
std::vector<std::string> scriptLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else if (!quoted && line.compare(i, 2, "//") == 0) {
                line.erase(i);
                break;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

// A script string literal back to its bytes.
std::string unquote(const std::string& lit) {
    std::string out;
    for (std::size_t i = 1; i + 1 < lit.size(); ++i) {
        if (lit[i] == '"' && lit[i + 1] == '"') {
            out += '"';
            ++i;
        } else if (lit[i] == '\\' && i + 2 < lit.size()) {
            const char e = lit[++i];
            out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
            out += lit[i];
        }
    }
    return out;
}

TEST(ResourceScript, IsBalancedAndNamesFilesThatParse) {
    HEADLESS_ONLY("reads the build machine's resource scripts and the headless table");
    for (const char* code : kCodes) {
        const std::string text = readFile(rcPath(code));
        ASSERT_FALSE(text.empty()) << rcPath(code);
        int depth = 0;
        int blocks = 0;
        std::size_t quotes = 0;
        for (const std::string& line : scriptLines(text)) {
            std::istringstream words(line);
            std::string w;
            while (words >> w) {
                if (w == "BEGIN") {
                    ++depth;
                    ++blocks;
                } else if (w == "END") {
                    --depth;
                    ASSERT_GE(depth, 0) << "END without BEGIN in " << rcPath(code);
                }
            }
            for (char c : line) {
                quotes += c == '"' ? 1U : 0U;
            }
        }
        EXPECT_EQ(depth, 0) << rcPath(code);
        EXPECT_GT(blocks, 0);
        EXPECT_EQ(quotes % 2, 0U) << "unbalanced quotes in " << rcPath(code);
        EXPECT_NE(text.find("#pragma code_page(1252)"), std::string::npos);
        EXPECT_NE(text.find("\nLANGUAGE "), std::string::npos);

        const std::regex fileRef(R"re("([A-Za-z0-9_/]+\.(bmp|ico))")re");
        int files = 0;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), fileRef);
             it != std::sregex_iterator(); ++it, ++files) {
            const std::string path = std::string(VEDRIX_RESOURCE_DIR) + "/" + (*it)[1].str();
            const std::string data = readFile(path);
            ASSERT_FALSE(data.empty()) << path << " is missing";
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
            if ((*it)[2] == "bmp") {
                EXPECT_TRUE(restest::parseBmp(bytes, data.size()).fault.empty()) << path;
                continue;
            }
            // An icon file: header, directory, and per image a DIB of doubled
            // height followed by its mask.
            ASSERT_GE(data.size(), 6U + 16U);
            EXPECT_EQ(bytes[0] | (bytes[1] << 8), 0);
            EXPECT_EQ(bytes[2] | (bytes[3] << 8), 1);
            const int count = bytes[4] | (bytes[5] << 8);
            ASSERT_GE(count, 1);
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* e = bytes + 6 + 16 * i;
                const int w = e[0] == 0 ? 256 : e[0];
                const std::uint32_t size =
                    e[8] | (e[9] << 8) | (e[10] << 16) | (static_cast<std::uint32_t>(e[11]) << 24);
                const std::uint32_t offset = e[12] | (e[13] << 8) | (e[14] << 16) |
                                             (static_cast<std::uint32_t>(e[15]) << 24);
                ASSERT_LE(static_cast<std::size_t>(offset) + size, data.size()) << path;
                const restest::Bmp img = restest::parseDib(bytes + offset, size, 2);
                ASSERT_TRUE(img.fault.empty()) << path << " image " << i << ": " << img.fault;
                EXPECT_EQ(img.width, w);
                const std::size_t xorBytes =
                    ((static_cast<std::size_t>(img.width) * img.bits + 31) / 32) * 4 *
                    static_cast<std::size_t>(img.height);
                const std::size_t andBytes = ((static_cast<std::size_t>(img.width) + 31) / 32) * 4 *
                                             static_cast<std::size_t>(img.height);
                EXPECT_EQ(size, 40 + xorBytes + andBytes) << path << " image " << i;
            }
        }
        EXPECT_GT(files, 0);
    }
}

TEST(ResourceScript, DeclaresEveryResourceOfTheTableWithItsText) {
    HEADLESS_ONLY("reads the build machine's resource scripts and the headless table");
    for (const char* code : kCodes) {
        const std::string text = readFile(rcPath(code));
        const std::vector<std::string> lines = scriptLines(text);
        std::map<int, std::string> strings;
        std::set<std::string> heads;
        bool inStrings = false;
        const std::regex entry(R"re(^\s+(\d+),\s+(".*")\s*$)re");
        for (const std::string& line : lines) {
            std::smatch m;
            if (line == "STRINGTABLE") {
                inStrings = true;
            } else if (inStrings && line == "END") {
                inStrings = false;
            } else if (inStrings && std::regex_match(line, m, entry)) {
                EXPECT_TRUE(strings.emplace(std::stoi(m[1]), unquote(m[2])).second);
            } else if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) {
                std::istringstream words(line);
                std::string id, kind;
                words >> id >> kind;
                heads.insert(id + " " + kind);
            }
        }
        const auto& lib = libraryOf(code);
        const VedrixResourceDirectory& t = *lib.table();
        const std::map<WORD, std::string> kinds = {{restest::kRtBitmap, "BITMAP"},
                                                   {restest::kRtIcon, "ICON"},
                                                   {restest::kRtMenu, "MENU"},
                                                   {restest::kRtDialog, "DIALOGEX"},
                                                   {restest::kRtDlgInit, "240"}};
        std::size_t texts = 0;
        for (DWORD i = 0; i < t.count; ++i) {
            const VedrixResource& r = t.entries[i];
            if (r.type == restest::kRtString) {
                ++texts;
                ASSERT_TRUE(strings.count(r.id) != 0U) << code << ": text " << r.id;
                EXPECT_EQ(strings[r.id], lib.text(r.id)) << code << ": text " << r.id;
            } else {
                EXPECT_TRUE(heads.count(std::to_string(r.id) + " " + kinds.at(r.type)) != 0U)
                    << code << ": no " << kinds.at(r.type) << " " << r.id;
            }
        }
        EXPECT_EQ(strings.size(), texts) << code;
    }
}

// ---- The compiled script ---------------------------------------------------

struct ResEntry {
    WORD language = 0;
    std::vector<std::uint8_t> data;
};

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& d, std::size_t p) : d_(d), p_(p) {}
    unsigned u16() {
        const unsigned v = d_.at(p_) | (d_.at(p_ + 1) << 8);
        p_ += 2;
        return v;
    }
    std::uint32_t u32() {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::u16string sz() {
        std::u16string s;
        for (unsigned c = u16(); c != 0; c = u16()) {
            s += static_cast<char16_t>(c);
        }
        return s;
    }
    // A name or an ordinal: the ordinal as "#n".
    std::u16string nameOrOrdinal() {
        if (d_.at(p_) == 0xFF && d_.at(p_ + 1) == 0xFF) {
            p_ += 2;
            const unsigned n = u16();
            std::u16string s = u"#";
            for (char c : std::to_string(n)) {
                s += static_cast<char16_t>(c);
            }
            return s;
        }
        return sz();
    }
    void align4() { p_ = (p_ + 3) & ~static_cast<std::size_t>(3); }
    std::size_t pos() const { return p_; }

private:
    const std::vector<std::uint8_t>& d_;
    std::size_t p_;
};

// The resources of a .res file by (type, id).
std::map<std::pair<unsigned, unsigned>, ResEntry> readRes(const std::vector<std::uint8_t>& d) {
    std::map<std::pair<unsigned, unsigned>, ResEntry> out;
    std::size_t p = 0;
    while (p + 8 <= d.size()) {
        Reader r(d, p);
        const std::uint32_t dataSize = r.u32();
        const std::uint32_t headerSize = r.u32();
        const std::u16string type = r.nameOrOrdinal();
        const std::u16string name = r.nameOrOrdinal();
        r.align4();
        r.u32();  // data version
        r.u16();  // memory flags
        const unsigned language = r.u16();
        if (type.size() > 1 && type[0] == u'#' && name.size() > 1 && name[0] == u'#') {
            auto num = [](const std::u16string& s) {
                unsigned v = 0;
                for (std::size_t i = 1; i < s.size(); ++i) {
                    v = v * 10 + static_cast<unsigned>(s[i] - u'0');
                }
                return v;
            };
            ResEntry e;
            e.language = static_cast<WORD>(language);
            e.data.assign(d.begin() + static_cast<std::ptrdiff_t>(p + headerSize),
                          d.begin() + static_cast<std::ptrdiff_t>(p + headerSize + dataSize));
            out[{num(type), num(name)}] = e;
        }
        p = (p + headerSize + dataSize + 3) & ~static_cast<std::size_t>(3);
    }
    return out;
}

std::u16string classOf(Reader& r) {
    std::u16string c = r.nameOrOrdinal();
    static const std::map<std::u16string, std::u16string> atoms = {
        {u"#128", u"BUTTON"},  {u"#129", u"EDIT"},      {u"#130", u"STATIC"},
        {u"#131", u"LISTBOX"}, {u"#132", u"SCROLLBAR"}, {u"#133", u"COMBOBOX"}};
    auto it = atoms.find(c);
    if (it != atoms.end()) {
        return it->second;
    }
    for (char16_t& ch : c) {
        if (ch >= u'a' && ch <= u'z') {
            ch = static_cast<char16_t>(ch - u'a' + u'A');
        }
    }
    return c;
}

std::u16string upper(const char* s) {
    std::u16string out;
    for (; *s != '\0'; ++s) {
        out += static_cast<char16_t>(std::toupper(static_cast<unsigned char>(*s)));
    }
    return out;
}

void compareDialog(const VedrixDialogTemplate& t, const std::vector<std::uint8_t>& d,
                   const std::string& what) {
    Reader r(d, 0);
    EXPECT_EQ(r.u16(), 1U) << what;       // DLGTEMPLATEEX version
    EXPECT_EQ(r.u16(), 0xFFFFU) << what;  // signature
    r.u32();                              // help id
    EXPECT_EQ(r.u32(), t.exStyle) << what;
    EXPECT_EQ(r.u32(), t.style) << what;
    const unsigned count = r.u16();
    ASSERT_EQ(count, t.itemCount) << what;
    EXPECT_EQ(static_cast<short>(r.u16()), t.x) << what;
    EXPECT_EQ(static_cast<short>(r.u16()), t.y) << what;
    EXPECT_EQ(static_cast<short>(r.u16()), t.cx) << what;
    EXPECT_EQ(static_cast<short>(r.u16()), t.cy) << what;
    r.nameOrOrdinal();  // menu
    r.nameOrOrdinal();  // class
    EXPECT_EQ(r.sz(), restest::toUtf16(t.caption)) << what;
    if ((t.style & restest::kDsSetFont) != 0) {
        EXPECT_EQ(r.u16(), t.fontSize) << what;
        r.u16();  // weight
        r.u16();  // italic, charset
        EXPECT_EQ(r.sz(), restest::toUtf16(t.fontName)) << what;
    }
    for (unsigned i = 0; i < count; ++i) {
        const VedrixDialogItem& c = t.items[i];
        const std::string at = what + " control " + std::to_string(c.id);
        r.align4();
        r.u32();  // help id
        EXPECT_EQ(r.u32(), c.exStyle) << at;
        EXPECT_EQ(r.u32(), c.style) << at;
        EXPECT_EQ(static_cast<short>(r.u16()), c.x) << at;
        EXPECT_EQ(static_cast<short>(r.u16()), c.y) << at;
        EXPECT_EQ(static_cast<short>(r.u16()), c.cx) << at;
        EXPECT_EQ(static_cast<short>(r.u16()), c.cy) << at;
        EXPECT_EQ(r.u32() & 0xFFFFU, c.id) << at;
        EXPECT_EQ(classOf(r), upper(c.windowClass)) << at;
        EXPECT_EQ(r.nameOrOrdinal(), restest::toUtf16(c.text)) << at;
        const unsigned extra = r.u16();
        for (unsigned k = 0; k < extra; ++k) {
            r.u16();
        }
    }
}

// Walks a standard menu template level by level against the table's items.
void compareMenuItems(Reader& r, const VedrixMenuItem* items, WORD count, const std::string& what) {
    for (WORD i = 0; i < count; ++i) {
        const VedrixMenuItem& m = items[i];
        const unsigned flags = r.u16();
        EXPECT_EQ((flags & 0x80U) != 0, i + 1 == count) << what << ": end marker";  // MF_END
        const bool popup = (m.flags & restest::kMfPopup) != 0;
        const bool separator = (m.flags & restest::kMfSeparator) != 0;
        EXPECT_EQ((flags & restest::kMfPopup) != 0, popup) << what;
        // The other state bits (grayed, checked...) as the table has them.
        EXPECT_EQ(flags & ~0x90U, m.flags & ~(restest::kMfPopup | restest::kMfSeparator)) << what;
        if (!popup) {
            EXPECT_EQ(r.u16(), separator ? 0U : m.id) << what;
        }
        EXPECT_EQ(r.sz(), restest::toUtf16(m.text)) << what << " item " << i;
        if (popup) {
            compareMenuItems(r, m.items, m.itemCount, what + "/" + std::to_string(i));
        }
    }
}

std::u16string stringOf(const std::map<std::pair<unsigned, unsigned>, ResEntry>& res, unsigned id) {
    auto it = res.find({6U, (id >> 4) + 1});
    if (it == res.end()) {
        return u"<no block>";
    }
    Reader r(it->second.data, 0);
    for (unsigned k = 0; k < 16; ++k) {
        const unsigned len = r.u16();
        std::u16string s;
        for (unsigned c = 0; c < len; ++c) {
            s += static_cast<char16_t>(r.u16());
        }
        if (k == (id & 15)) {
            return s;
        }
    }
    return u"<none>";
}

TEST(ResourceScript, CompilesToWhatTheTableCarries) {
    HEADLESS_ONLY("reads the build machine's resource scripts and the headless table");
    const std::string windres = VEDRIX_WINDRES;
    if (windres.empty()) {
        GTEST_SKIP() << "no resource compiler for Windows installed";
    }
    for (const char* code : kCodes) {
        const std::string out = testing::TempDir() + "/vedr_" + code + ".res";
        const std::string cmd = "'" + windres + "' -I '" + VEDRIX_RESOURCE_DIR + "' '" +
                                rcPath(code) + "' -O res -o '" + out + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const std::string bytes = readFile(out);
        const std::vector<std::uint8_t> d(bytes.begin(), bytes.end());
        const auto res = readRes(d);
        const auto& lib = libraryOf(code);
        const WORD language = std::string(code) == "en" ? 0x0409 : 0x0407;
        const VedrixResourceDirectory& t = *lib.table();
        for (DWORD i = 0; i < t.count; ++i) {
            const VedrixResource& e = t.entries[i];
            const std::string what = std::string(code) + " type " + std::to_string(e.type) +
                                     " id " + std::to_string(e.id);
            if (e.type == restest::kRtString) {
                EXPECT_EQ(stringOf(res, e.id), restest::toUtf16(lib.text(e.id))) << what;
                continue;
            }
            // Icons are compiled into a group of images under their number.
            const unsigned type = e.type == restest::kRtIcon ? 14U : e.type;
            auto it = res.find({type, e.id});
            ASSERT_TRUE(it != res.end()) << what << " not compiled";
            EXPECT_EQ(it->second.language, language) << what;
            const std::vector<std::uint8_t>& data = it->second.data;
            switch (e.type) {
                case restest::kRtBitmap: {
                    // A compiled bitmap is the file without its file header.
                    const auto* p = static_cast<const std::uint8_t*>(e.data);
                    EXPECT_EQ(data, std::vector<std::uint8_t>(p + 14, p + e.size)) << what;
                    break;
                }
                case restest::kRtDlgInit:
                    EXPECT_EQ(data, lib.data(e.type, e.id)) << what;
                    break;
                case restest::kRtDialog:
                    compareDialog(*lib.dialog(e.id), data, what);
                    break;
                case restest::kRtMenu: {
                    Reader r(data, 0);
                    EXPECT_EQ(r.u16(), 0U);
                    EXPECT_EQ(r.u16(), 0U);
                    compareMenuItems(r, lib.menu(e.id)->items, lib.menu(e.id)->itemCount, what);
                    break;
                }
                default:
                    break;
            }
        }
    }
}

}  // namespace
