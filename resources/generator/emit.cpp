// The two outputs of one language: the C++ source of the headless resource
// table (vedr_<code>_table.cpp) and the resource script for Windows
// (vedr_<code>.rc), which names the BMP and ICO files that the generator
// writes beside it.
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <tuple>

#include "resgen.h"

namespace resgen {

namespace {

constexpr int kRtCursor = 1;
constexpr int kRtBitmap = 2;
constexpr int kRtIcon = 3;
constexpr int kRtMenu = 4;
constexpr int kRtDialog = 5;
constexpr int kRtString = 6;
constexpr int kRtDlgInit = 240;

std::string hex32(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08Xu", v);
    return buf;
}

// A C++ string literal of code-page bytes.
std::string cppLiteral(const std::string& bytes) {
    std::string out = "\"";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\' || c == '?') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

// A resource-script string literal of code-page bytes.
std::string rcLiteral(const std::string& bytes) {
    std::string out = "\"";
    for (char ch : bytes) {
        if (ch == '"') {
            out += "\"\"";
        } else if (ch == '\\') {
            out += "\\\\";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\t') {
            out += "\\t";
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

void putBytes(std::ostringstream& os, const std::string& name,
              const std::vector<std::uint8_t>& bytes) {
    os << "const unsigned char " << name << "[] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0) {
            os << "\n    ";
        }
        char buf[8];
        std::snprintf(buf, sizeof buf, "0x%02X,", bytes[i]);
        os << buf << (i % 16 == 15 || i + 1 == bytes.size() ? "" : " ");
    }
    os << "\n};\n\n";
}

std::uint32_t menuFlags(const MenuItem& m) {
    switch (m.kind) {
        case MenuItem::Kind::Separator:
            return 0x0800U;  // MF_SEPARATOR
        case MenuItem::Kind::Popup:
            return 0x0010U | m.flags;  // MF_POPUP
        case MenuItem::Kind::Command:
            break;
    }
    return m.flags;  // MF_STRING is 0
}

// Emits the item arrays of a menu level after those of its popups, so that
// every array is defined before the one that points to it.
std::string putMenuItems(std::ostringstream& os, const std::vector<MenuItem>& items,
                         const std::string& name, const Language& lang) {
    std::vector<std::string> children(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == MenuItem::Kind::Popup) {
            children[i] = putMenuItems(os, items[i].items, name + "_" + std::to_string(i), lang);
        }
    }
    os << "const VedrixMenuItem " << name << "[] = {\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& m = items[i];
        const std::string text =
            m.kind == MenuItem::Kind::Separator ? std::string() : resolveText(m.text, lang);
        os << "    {" << hex32(menuFlags(m)) << ", "
           << (m.kind == MenuItem::Kind::Command ? m.id : 0) << "u, " << cppLiteral(text) << ", "
           << m.items.size() << ", " << (children[i].empty() ? "nullptr" : children[i]) << "},\n";
    }
    os << "};\n\n";
    return name;
}

struct Entry {
    int type;
    int id;
    std::string data;
    std::string size;
};

std::string rcMenuOptions(std::uint32_t flags) {
    std::string out;
    const std::pair<std::uint32_t, const char*> options[] = {
        {0x0001U, "GRAYED"},       {0x0002U, "INACTIVE"},  {0x0008U, "CHECKED"},
        {0x0020U, "MENUBARBREAK"}, {0x0040U, "MENUBREAK"}, {0x4000U, "HELP"}};
    for (const auto& [bit, word] : options) {
        if ((flags & bit) != 0) {
            out += std::string(", ") + word;
        }
    }
    return out;
}

void putRcMenuItems(std::ostringstream& os, const std::vector<MenuItem>& items,
                    const Language& lang, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 4, ' ');
    os << indent << "BEGIN\n";
    for (const MenuItem& m : items) {
        switch (m.kind) {
            case MenuItem::Kind::Separator:
                os << indent << "    MENUITEM SEPARATOR\n";
                break;
            case MenuItem::Kind::Command:
                os << indent << "    MENUITEM " << rcLiteral(resolveText(m.text, lang)) << ", "
                   << m.id << rcMenuOptions(m.flags) << "\n";
                break;
            case MenuItem::Kind::Popup:
                os << indent << "    POPUP " << rcLiteral(resolveText(m.text, lang))
                   << rcMenuOptions(m.flags) << "\n";
                putRcMenuItems(os, m.items, lang, depth + 1);
                break;
        }
    }
    os << indent << "END\n";
}

// The style of a control for the script. The resource compiler adds
// WS_CHILD | WS_VISIBLE to every CONTROL; a hidden control says NOT
// WS_VISIBLE.
std::string rcControlStyle(const Control& c) {
    if ((c.style & 0x10000000U) != 0) {
        return c.styleExpr;
    }
    return c.styleExpr + " | NOT WS_VISIBLE";
}

}  // namespace

std::string emitTable(const Source& src, const Language& lang, const std::string& sourceName) {
    std::ostringstream os;
    os << "// Generated by vedrix_resgen from " << sourceName << "; do not edit.\n"
       << "// The resource table of the language library vedr_" << lang.code << ".dll.\n"
       << "#include <vedrix/headless/resource_table.h>\n\n"
       << "namespace {\n\n";
    std::vector<Entry> entries;

    for (const Bitmap& b : src.bitmaps) {
        const std::string name = "kBitmap" + std::to_string(b.id);
        os << "// " << b.role << "\n";
        putBytes(os, name, bitmapFile(b, src));
        entries.push_back({kRtBitmap, b.id, name, "sizeof " + name});
    }
    for (const Icon& ic : src.icons) {
        const std::string name = "kIcon" + std::to_string(ic.id);
        os << "// " << ic.role << "\n";
        putBytes(os, name, iconBitmapFile(ic, src));
        entries.push_back({kRtIcon, ic.id, name, "sizeof " + name});
    }
    for (const Menu& m : src.menus) {
        os << "// " << m.role << "\n";
        const std::string items =
            putMenuItems(os, m.items, "kMenu" + std::to_string(m.id) + "Items", lang);
        const std::string name = "kMenu" + std::to_string(m.id);
        os << "const VedrixMenu " << name << " = {" << m.items.size() << ", " << items << "};\n\n";
        entries.push_back({kRtMenu, m.id, "&" + name, "sizeof " + name});
    }
    for (const Dialog& d : src.dialogs) {
        const std::string name = "kDialog" + std::to_string(d.id);
        os << "// " << d.role << "\n";
        if (!d.controls.empty()) {
            os << "const VedrixDialogItem " << name << "Items[] = {\n";
            for (const Control& c : d.controls) {
                os << "    {" << c.id << ", " << cppLiteral(c.windowClass) << ", "
                   << cppLiteral(resolveText(c.text, lang)) << ", " << hex32(c.style) << ", "
                   << hex32(c.exStyle) << ", " << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy
                   << "},\n";
            }
            os << "};\n";
        }
        os << "const VedrixDialogTemplate " << name << " = {" << hex32(d.style) << ", "
           << hex32(d.exStyle) << ", " << d.x << ", " << d.y << ", " << d.cx << ", " << d.cy << ", "
           << cppLiteral(resolveText(d.caption, lang)) << ", "
           << cppLiteral(toCodePage(d.fontName, d.where)) << ", " << d.fontSize << ", "
           << d.controls.size() << ", " << (d.controls.empty() ? "nullptr" : name + "Items")
           << "};\n\n";
        entries.push_back({kRtDialog, d.id, "&" + name, "sizeof " + name});
        const std::vector<std::uint8_t> init = dialogInitData(d);
        if (!init.empty()) {
            const std::string initName = "kDialogInit" + std::to_string(d.id);
            os << "// List entries of dialog " << d.id << "\n";
            putBytes(os, initName, init);
            entries.push_back({kRtDlgInit, d.id, initName, "sizeof " + initName});
        }
    }
    for (const TextDecl& t : src.texts) {
        TextRef ref;
        ref.kind = TextRef::Kind::Number;
        ref.number = t.number;
        ref.where = t.where;
        const std::string text = resolveText(ref, lang);
        entries.push_back({kRtString, t.number, cppLiteral(text), std::to_string(text.size())});
    }
    (void)kRtCursor;  // the dialogs use the system's cursors only

    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.type, a.id) < std::tie(b.type, b.id);
    });
    os << "const VedrixResource kEntries[] = {\n";
    for (const Entry& e : entries) {
        os << "    {" << e.type << ", " << e.id << ", " << e.data << ", " << e.size << "},\n";
    }
    os << "};\n\n"
       << "const VedrixResourceDirectory kTable = {1, " << cppLiteral(lang.code) << ", "
       << entries.size() << ", kEntries};\n\n"
       << "}  // namespace\n\n"
       << "extern \"C\" __attribute__((visibility(\"default\"))) const "
          "VedrixResourceDirectory*\n"
       << "VedrixResourceTable(void) {\n"
       << "    return &kTable;\n"
       << "}\n";
    return os.str();
}

std::string emitRc(const Source& src, const Language& lang, const std::string& sourceName) {
    std::ostringstream os;
    os << "// Generated by vedrix_resgen from " << sourceName << "; do not edit.\n"
       << "// The resource script of the language library vedr_" << lang.code << ".dll.\n"
       << "#include <windows.h>\n"
       << "#include <commctrl.h>\n\n"
       << "#pragma code_page(1252)\n"
       << "LANGUAGE " << lang.rcLanguage << ", " << lang.rcSublanguage << "\n\n";

    for (const Bitmap& b : src.bitmaps) {
        os << "// " << b.role << "\n" << b.id << " BITMAP \"bitmaps/" << b.id << ".bmp\"\n";
    }
    os << "\n";
    for (const Icon& ic : src.icons) {
        os << "// " << ic.role << "\n" << ic.id << " ICON \"icons/" << ic.id << ".ico\"\n";
    }
    os << "\n";
    for (const Menu& m : src.menus) {
        os << "// " << m.role << "\n" << m.id << " MENU\n";
        putRcMenuItems(os, m.items, lang, 0);
        os << "\n";
    }
    for (const Dialog& d : src.dialogs) {
        os << "// " << d.role << "\n"
           << d.id << " DIALOGEX " << d.x << ", " << d.y << ", " << d.cx << ", " << d.cy << "\n"
           << "STYLE " << d.styleExpr << "\n";
        if (!d.exStyleExpr.empty()) {
            os << "EXSTYLE " << d.exStyleExpr << "\n";
        }
        os << "CAPTION " << rcLiteral(resolveText(d.caption, lang)) << "\n";
        if (!d.fontName.empty()) {
            os << "FONT " << d.fontSize << ", " << rcLiteral(toCodePage(d.fontName, d.where))
               << ", 0, 0, 0x1\n";
        }
        os << "BEGIN\n";
        for (const Control& c : d.controls) {
            os << "    CONTROL " << rcLiteral(resolveText(c.text, lang)) << ", "
               << (c.id == 0xFFFF ? -1 : c.id) << ", " << rcLiteral(c.windowClass) << ", "
               << rcControlStyle(c) << ", " << c.x << ", " << c.y << ", " << c.cx << ", " << c.cy;
            if (!c.exStyleExpr.empty()) {
                os << ", " << c.exStyleExpr;
            }
            os << "\n";
        }
        os << "END\n\n";
        const std::vector<std::uint8_t> init = dialogInitData(d);
        if (!init.empty()) {
            // Raw data: words, "\ooo" for a single byte, L for a double word.
            os << "// List entries of dialog " << d.id << "\n"
               << d.id << " " << kRtDlgInit << "\nBEGIN\n";
            std::size_t i = 0;
            while (i + 2 < init.size()) {
                const unsigned id = init[i] | (init[i + 1] << 8);
                const unsigned msg = init[i + 2] | (init[i + 3] << 8);
                const unsigned len = init[i + 4] | (init[i + 5] << 8) | (init[i + 6] << 16) |
                                     (static_cast<unsigned>(init[i + 7]) << 24);
                char buf[64];
                std::snprintf(buf, sizeof buf, "    %u, 0x%04X, %uL,", id, msg, len);
                os << buf;
                i += 8;
                const std::size_t end = i + len;
                while (i + 1 < end) {
                    std::snprintf(buf, sizeof buf, " 0x%04X,", init[i] | (init[i + 1] << 8));
                    os << buf;
                    i += 2;
                }
                if (i < end) {
                    std::snprintf(buf, sizeof buf, " \"\\%03o\",", init[i]);
                    os << buf;
                    ++i;
                }
                os << "\n";
            }
            os << "    0\nEND\n\n";
        }
    }
    os << "STRINGTABLE\nBEGIN\n";
    for (const TextDecl& t : src.texts) {
        TextRef ref;
        ref.kind = TextRef::Kind::Number;
        ref.number = t.number;
        ref.where = t.where;
        os << "    " << t.number << ", " << rcLiteral(resolveText(ref, lang)) << "\n";
    }
    os << "END\n";
    return os.str();
}

}  // namespace resgen
