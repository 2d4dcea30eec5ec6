// Checks of the sources as a whole: every language carries exactly the
// declared texts with the declared printf conversions, every reference of a
// template or menu names a text that exists, every text fits the host's code
// page, and the templates and menus are sound.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>

#include "resgen.h"

namespace resgen {

namespace {

// The platform's own control classes that a template may name.
const char* const kPlatformClasses[] = {"Button",        "Static",        "Edit",
                                        "ComboBox",      "ListBox",       "ScrollBar",
                                        "SysTreeView32", "SysListView32", "SysHeader32"};

bool sameClass(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int countOf(const std::string& conversions, const std::string& what) {
    int n = 0;
    for (std::size_t p = conversions.find(what); p != std::string::npos;
         p = conversions.find(what, p + what.size())) {
        ++n;
    }
    return n;
}

std::string describe(const std::string& conversions) {
    if (conversions.empty()) {
        return "no conversion";
    }
    return "\"" + conversions + "\" (" + std::to_string(countOf(conversions, "%s")) + " x %s)";
}

void collectRefs(const TextRef& ref, std::vector<const TextRef*>& out) {
    if (ref.kind != TextRef::Kind::Literal) {
        out.push_back(&ref);
    }
}

void collectMenuRefs(const std::vector<MenuItem>& items, std::vector<const TextRef*>& out) {
    for (const MenuItem& m : items) {
        if (m.kind != MenuItem::Kind::Separator) {
            collectRefs(m.text, out);
        }
        collectMenuRefs(m.items, out);
    }
}

void checkMenuItems(const std::vector<MenuItem>& items, const std::string& where,
                    std::vector<std::string>& errors) {
    std::set<int> ids;
    for (const MenuItem& m : items) {
        if (m.kind == MenuItem::Kind::Command && !ids.insert(m.id).second) {
            errors.push_back(m.where.str() + ": command " + std::to_string(m.id) +
                             " appears twice in the same " + where);
        }
        if (m.kind == MenuItem::Kind::Popup) {
            checkMenuItems(m.items, "popup", errors);
        }
    }
}

void checkDialog(const Source& src, const Dialog& d, std::vector<std::string>& errors) {
    const std::string name = "dialog " + std::to_string(d.id);
    const bool setFont = (d.style & 0x40U) != 0;
    if (setFont != !d.fontName.empty()) {
        errors.push_back(d.where.str() + ": " + name +
                         ": DS_SETFONT and a font statement go together");
    }
    std::set<int> ids;
    int defaultButtons = 0;
    for (const Control& c : d.controls) {
        const std::string what = name + ", control " + std::to_string(c.id);
        if (!c.unnamedId && c.id != 0xFFFF && !ids.insert(c.id).second) {
            errors.push_back(c.where.str() + ": " + what + ": the identifier is used twice");
        }
        if (c.x < 0 || c.y < 0 || c.x + c.cx > d.cx || c.y + c.cy > d.cy) {
            errors.push_back(c.where.str() + ": " + what + " lies outside the dialog (0, 0, " +
                             std::to_string(d.cx) + ", " + std::to_string(d.cy) + ")");
        }
        if ((c.style & 0x40000000U) == 0) {
            errors.push_back(c.where.str() + ": " + what + " lacks WS_CHILD");
        }
        bool known = false;
        for (const char* cls : kPlatformClasses) {
            known = known || sameClass(c.windowClass, cls);
        }
        for (const WindowClassDecl& w : src.windowClasses) {
            known = known || w.name == c.windowClass;
        }
        if (!known) {
            errors.push_back(c.where.str() + ": " + what + ": unknown window class \"" +
                             c.windowClass + "\" (declare a registered class with \"class\")");
        }
        if (!c.items.empty() && !sameClass(c.windowClass, "ComboBox") &&
            !sameClass(c.windowClass, "ListBox")) {
            errors.push_back(c.where.str() + ": " + what +
                             ": only combo boxes and list boxes take list entries");
        }
        if (sameClass(c.windowClass, "Button") && (c.style & 0xFU) == 1U) {
            ++defaultButtons;
        }
    }
    if (defaultButtons > 1) {
        errors.push_back(d.where.str() + ": " + name + " has more than one default push button");
    }
}

}  // namespace

std::string conversionsOf(const std::string& text) {
    std::string out;
    std::vector<std::string> places;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        // %1 .. %9: the places of the framework's message arguments, which a
        // language may put in any order.
        if (i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            places.push_back(text.substr(i, 2));
            ++i;
            continue;
        }
        // A conversion: flags, width, precision, length, then the letter.
        std::size_t j = i + 1;
        while (j < text.size() && std::strchr("-+ #0123456789.lhzjt", text[j]) != nullptr) {
            ++j;
        }
        if (j < text.size()) {
            out += text.substr(i, j - i + 1);
            i = j;
        } else {
            out += text.substr(i);
            break;
        }
    }
    std::sort(places.begin(), places.end());
    for (const std::string& place : places) {
        out += place;
    }
    return out;
}

std::string toCodePage(const std::string& utf8, const Location& where) {
    // Windows-1252 at 0x80..0x9F; 0xA0..0xFF equal the code points.
    static const unsigned short high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        unsigned cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1FU;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0FU;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07U;
            len = 4;
        } else {
            throw SourceError(where, "malformed UTF-8");
        }
        if (i + len > utf8.size()) {
            throw SourceError(where, "malformed UTF-8");
        }
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) {
                throw SourceError(where, "malformed UTF-8");
            }
            cp = (cp << 6) | (c & 0x3FU);
        }
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (unsigned k = 0; k < 32; ++k) {
            if (high[k] != 0 && high[k] == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", cp);
            throw SourceError(where, std::string("character ") + hex +
                                         " is not in the host's code page (Windows-1252)");
        }
    }
    return out;
}

std::string resolveText(const TextRef& ref, const Language& lang) {
    switch (ref.kind) {
        case TextRef::Kind::Literal:
            return toCodePage(ref.literal, ref.where);
        case TextRef::Kind::Number: {
            auto it = lang.numbered.find(ref.number);
            if (it == lang.numbered.end()) {
                throw SourceError(ref.where, "text " + std::to_string(ref.number) +
                                                 " is missing in language " + lang.code);
            }
            return toCodePage(it->second.utf8, it->second.where);
        }
        case TextRef::Kind::Name: {
            auto it = lang.named.find(ref.name);
            if (it == lang.named.end()) {
                throw SourceError(ref.where,
                                  "text $" + ref.name + " is missing in language " + lang.code);
            }
            return toCodePage(it->second.utf8, it->second.where);
        }
    }
    return std::string();
}

std::vector<std::string> checkSources(const Source& src, const std::vector<Language>& langs) {
    std::vector<std::string> errors;
    if (langs.empty()) {
        errors.push_back("no language given");
        return errors;
    }

    std::set<std::string> codes;
    for (const Language& l : langs) {
        if (!codes.insert(l.code).second) {
            errors.push_back(l.where.str() + ": language \"" + l.code + "\" given twice");
        }
    }

    // Numbered texts: exactly the declared ones, with the declared conversions.
    std::set<int> declared;
    for (const TextDecl& d : src.texts) {
        declared.insert(d.number);
        for (const Language& l : langs) {
            auto it = l.numbered.find(d.number);
            if (it == l.numbered.end()) {
                std::string present;
                for (const Language& o : langs) {
                    if (o.numbered.count(d.number) != 0U) {
                        present += (present.empty() ? "" : ", ") + o.where.file;
                    }
                }
                errors.push_back(l.where.file + ": text " + std::to_string(d.number) +
                                 " is missing" +
                                 (present.empty() ? std::string(" (in every language)")
                                                  : " (present in " + present + ")") +
                                 "; declared at " + d.where.str());
                continue;
            }
            const std::string conv = conversionsOf(it->second.utf8);
            if (conv != d.conversions) {
                errors.push_back(it->second.where.str() + ": text " + std::to_string(d.number) +
                                 " carries " + describe(conv) + " but must carry " +
                                 describe(d.conversions) + " like every language (declared at " +
                                 d.where.str() + ")");
            }
            if (it->second.utf8.empty()) {
                errors.push_back(it->second.where.str() + ": text " + std::to_string(d.number) +
                                 " is empty");
            }
        }
    }
    for (const Language& l : langs) {
        for (const auto& [n, text] : l.numbered) {
            if (declared.count(n) == 0U) {
                errors.push_back(text.where.str() + ": text " + std::to_string(n) +
                                 " is not declared in the resource source");
            }
        }
    }

    // Named texts: exactly those that templates and menus use, with equal
    // conversions in every language.
    std::vector<const TextRef*> refs;
    for (const Dialog& d : src.dialogs) {
        collectRefs(d.caption, refs);
        for (const Control& c : d.controls) {
            collectRefs(c.text, refs);
        }
    }
    for (const Menu& m : src.menus) {
        collectMenuRefs(m.items, refs);
    }
    std::set<std::string> usedNames;
    for (const TextRef* r : refs) {
        if (r->kind == TextRef::Kind::Number && declared.count(r->number) == 0U) {
            errors.push_back(r->where.str() + ": text " + std::to_string(r->number) +
                             " is not declared");
        }
        if (r->kind == TextRef::Kind::Name && usedNames.insert(r->name).second) {
            const Language& first = langs.front();
            for (const Language& l : langs) {
                auto it = l.named.find(r->name);
                if (it == l.named.end()) {
                    errors.push_back(l.where.file + ": text $" + r->name + " is missing (used at " +
                                     r->where.str() + ")");
                    continue;
                }
                auto f = first.named.find(r->name);
                if (f != first.named.end() &&
                    conversionsOf(it->second.utf8) != conversionsOf(f->second.utf8)) {
                    errors.push_back(it->second.where.str() + ": text $" + r->name + " carries " +
                                     describe(conversionsOf(it->second.utf8)) + " but " +
                                     f->second.where.str() + " carries " +
                                     describe(conversionsOf(f->second.utf8)));
                }
            }
        }
    }
    for (const Language& l : langs) {
        for (const auto& [name, text] : l.named) {
            if (usedNames.count(name) == 0U) {
                errors.push_back(text.where.str() + ": text " + name +
                                 " is used by no template or menu");
            }
        }
    }

    // Every text must exist in the host's code page.
    for (const Language& l : langs) {
        for (const auto& [n, text] : l.numbered) {
            try {
                toCodePage(text.utf8, text.where);
            } catch (const SourceError& e) {
                errors.push_back(e.what());
            }
        }
        for (const auto& [name, text] : l.named) {
            try {
                toCodePage(text.utf8, text.where);
            } catch (const SourceError& e) {
                errors.push_back(e.what());
            }
        }
    }
    for (const Dialog& d : src.dialogs) {
        std::vector<const TextRef*> literals{&d.caption};
        for (const Control& c : d.controls) {
            literals.push_back(&c.text);
            for (const std::string& item : c.items) {
                try {
                    toCodePage(item, c.where);
                } catch (const SourceError& e) {
                    errors.push_back(e.what());
                }
            }
        }
        for (const TextRef* r : literals) {
            if (r->kind == TextRef::Kind::Literal) {
                try {
                    toCodePage(r->literal, r->where);
                } catch (const SourceError& e) {
                    errors.push_back(e.what());
                }
            }
        }
    }

    for (const Dialog& d : src.dialogs) {
        checkDialog(src, d, errors);
    }
    for (const Menu& m : src.menus) {
        checkMenuItems(m.items, "menu", errors);
    }
    return errors;
}

}  // namespace resgen
