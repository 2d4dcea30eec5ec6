// Shared pieces of the fuzz targets: writing a tree back into text, and the
// conditions under which a tree that a reader built must read back from its
// own written text into the same text again.
//
// The writers put out whatever the tree holds; the readers take some texts
// apart differently from how they were put together (a name that begins with
// a blank loses it, a level whose number is not above its left sibling's lands
// below that sibling, ...). The conditions below list exactly what a written
// text needs for a faithful second reading. Where they hold, a difference is
// a fault in a reader or a writer, and the target aborts.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <vedrix/model.h>

namespace vedrix::fuzz {

// The structure files' white space, as the readers skip it.
inline bool isSpaceChar(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool contains(const char* text, char c) {
    return std::strchr(text, c) != nullptr;
}

// Calls visit(level) for every level below `top` (not `top` itself) whose
// level number passes `descend`, parents before sublevels; the sublevels of a
// level that fails `descend` are not visited. No recursion: a fuzz input can
// nest levels deeply.
template <class Descend, class Visit>
void forEachLevel(const Zel_GM_Level& top, Descend&& descend, Visit&& visit) {
    std::vector<const Zel_GM_Level*> pending{&top};
    while (!pending.empty()) {
        const Zel_GM_Level* level = pending.back();
        pending.pop_back();
        for (const auto& node : level->GetSublevels()) {
            if (descend(*node.value)) {
                visit(*node.value);
                pending.push_back(node.value);
            }
        }
    }
}

inline std::string writeStructure(const Zel_GM_Root& root) {
    std::ostringstream out;
    root.writehre(out);
    return out.str();
}

inline std::string writeAttributeSection(Zel_GM_Root& root) {
    std::ostringstream out;
    out << "#ATTRIBUTES:\n";
    root.writeAttributes(out);
    return out.str();
}

inline bool writtenLevel(const Zel_GM_Level& level) {
    return level.getLevelNr() >= 1 && level.getLevelNr() <= 9;
}

// The header's definitions read back as they are: a "#BITMAP_PATH:" or
// "#DEFINED_LEVEL:" line is taken apart at blanks, so the texts must not begin
// with one, the bitmap file must not hold a TAB, and the lines must stay
// within the reader's line lengths.
inline bool definitionsReadBack(const Zel_GM_Root& root) {
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& def = *node.value;
        const char* dir = def.bitmapDir.getText();
        const char* name = def.name.getText();
        const char* file = def.bitmapFile.getText();
        if (contains(dir, '\n') || contains(name, '\n') || contains(file, '\n')) {
            return false;
        }
        if (isBlank(dir[0]) || 1 + std::strlen(dir) > 191) {
            return false;
        }
        if (name[0] == '\0' ? file[0] != '\0' : isBlank(name[0])) {
            return false;
        }
        if (contains(file, '\t') || isBlank(file[0]) ||
            2 + std::strlen(name) + std::strlen(file) > 254) {
            return false;
        }
    }
    return true;
}

// The structure lines read back into the same tree: every written level's
// name is a non-empty text that does not begin with white space and holds no
// TAB or line end, and among the written sublevels of a level (in key order,
// the order they are written in) no level number is above the one before it,
// since the reader would hang such a line below its elder sibling.
inline bool structureReadsBack(const Zel_GM_Root& root) {
    if (!definitionsReadBack(root)) {
        return false;
    }
    bool ok = true;
    auto check = [&ok](const Zel_GM_Level& parent) {
        int previous = 10;
        for (const auto& node : parent.GetSublevels()) {
            const Zel_GM_Level& level = *node.value;
            if (!writtenLevel(level)) {
                continue;  // not written, and neither is anything below it
            }
            const char* name = level.getNameText();
            if (name[0] == '\0' || isSpaceChar(name[0]) || contains(name, '\t') ||
                contains(name, '\n') || std::strlen(name) > 254) {
                ok = false;
            }
            if (contains(level.getUuidText(), '\n')) {
                ok = false;
            }
            if (level.getLevelNr() <= parent.getLevelNr() || level.getLevelNr() > previous) {
                ok = false;
            }
            if (level.getID() > 0xFFFFFFFFUL || level.getParentID() > 0xFFFFFFFFUL) {
                ok = false;
            }
            previous = level.getLevelNr();
        }
    };
    check(root);
    forEachLevel(root, writtenLevel, check);
    return ok;
}

// The attribute lines read back onto the same levels: each line names its
// level by ID, and the reader gives it to the level that searchLevel finds
// for that ID (the root for 0 or an ID that none has), so every level that
// holds attributes must be the one that its ID finds. Names must be texts
// that do not begin with white space.
inline bool attributesReadBack(Zel_GM_Root& root) {
    bool ok = true;
    auto checkList = [&ok](const Zel_GM_Level& level) {
        const CObList& attributes = level.getAttributes();
        for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
            const auto* a = static_cast<const CAttribData*>(attributes.GetNext(pos));
            const char* name = a->getName();
            const char* value = a->getValue();
            if (name[0] == '\0' || isSpaceChar(name[0]) || contains(name, '\t') ||
                contains(value, '\t') || std::strlen(name) > 254 || std::strlen(value) > 254) {
                ok = false;
            }
        }
    };
    if (!root.getAttributes().IsEmpty()) {
        checkList(root);
        if (root.searchLevel(0) != nullptr) {
            ok = false;
        }
    }
    std::vector<const Zel_GM_Level*> holders;
    forEachLevel(root, writtenLevel, [&](const Zel_GM_Level& level) {
        if (!level.getAttributes().IsEmpty()) {
            checkList(level);
            holders.push_back(&level);
        }
    });
    for (const Zel_GM_Level* level : holders) {
        if (root.searchLevel(level->getID()) != level) {
            ok = false;
        }
    }
    return ok;
}

// The attribute reader looks for its section keyword anywhere in the file, so
// a "#" in the structure part's texts could start a section early.
inline bool structureTextsFreeOfHash(const Zel_GM_Root& root) {
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& def = *node.value;
        if (contains(def.name.getText(), '#') || contains(def.bitmapDir.getText(), '#') ||
            contains(def.bitmapFile.getText(), '#')) {
            return false;
        }
    }
    bool ok = true;
    forEachLevel(root, writtenLevel, [&ok](const Zel_GM_Level& level) {
        if (contains(level.getNameText(), '#') || contains(level.getUuidText(), '#')) {
            ok = false;
        }
    });
    return ok;
}

// Prints both texts, escaped, and aborts: the fuzzer keeps the input.
[[noreturn]] inline void mismatch(const char* what, const std::string& expected,
                                  const std::string& actual) {
    auto show = [](const char* label, const std::string& text) {
        std::fprintf(stderr, "%s (%zu bytes):\n", label, text.size());
        for (unsigned char c : text) {
            if (c == '\n') {
                std::fputs("\\n\n", stderr);
            } else if (c == '\t') {
                std::fputs("\\t", stderr);
            } else if (c < 0x20 || c >= 0x7f) {
                std::fprintf(stderr, "\\x%02x", c);
            } else {
                std::fputc(c, stderr);
            }
        }
        std::fputc('\n', stderr);
    };
    std::fprintf(stderr, "round trip broken: %s\n", what);
    show("written first", expected);
    show("written again", actual);
    std::abort();
}

}  // namespace vedrix::fuzz
