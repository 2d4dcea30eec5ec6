// The hierarchy file: level definitions, "#DATA:" and the structure levels 1 to 9.
#include <vedrix/model/root.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "bounded_copy.h"
#include "hierarchy_header.h"
#include "level_walk.h"
#include "number_text.h"
#include "read_events.h"
#include "line_writer.h"
#include "stream_scanner.h"

namespace vedrix::model {
namespace {

constexpr int kEof = std::char_traits<char>::eof();

// Line limits: the longest keyword, the rest of a "#BITMAP_PATH:" line, the
// rest of a definition line after its level number, the rest of a structure
// line after its four numbers; the longest name kept from that rest.
constexpr std::size_t kKeywordChars = 20;
constexpr std::size_t kBitmapPathChars = 191;
constexpr std::size_t kDefinitionChars = 254;
constexpr std::size_t kStructureRestChars = 354;
constexpr std::size_t kNameChars = 254;
// Skipped lines go 256 characters at a time in the header, 255 among levels.
constexpr std::size_t kHeaderSkip = 256;
constexpr std::size_t kCommentSkip = 255;

const char* skipBlanks(const char* s) {
    while (*s == ' ' || *s == '\t') {
        ++s;
    }
    return s;
}

// "#DEFINED_LEVEL:" rest: default name and bitmap file name, split at the last
// TAB or, without one, at the last blank.
void splitDefinition(char* rest, const char*& name, const char*& bitmapFile) {
    char* text = const_cast<char*>(skipBlanks(rest));
    char* cut = std::strrchr(text, '\t');
    if (cut == nullptr) {
        cut = std::strrchr(text, ' ');
    }
    name = text;
    if (cut == nullptr) {
        bitmapFile = "";
        return;
    }
    *cut = '\0';
    bitmapFile = skipBlanks(cut + 1);
}

}  // namespace

// Reads header lines up to and including "#DATA:". 0 when the levels begin,
// 1 when the stream ends or fails first, -1 when a definition cannot be made.
int readHierarchyHeader(Zel_GM_Root& root, std::istream& is, ReadObserver* observer) {
    StreamScanner sc(is);
    char bitmapDir[kBitmapPathChars + 1] = "";
    for (;;) {
        const std::streamoff lineStart = observedPosition(observer, sc);
        auto stop = [&](ReadStop why, int result) {
            return stopReading(observer, why, lineStart, result);
        };
        bool levelsBegin = false;
        char c = 0;
        if (sc.getChar(c) && c == '#') {
            char word[kKeywordChars + 1];
            sc.readWord(word, sizeof word);
            if (std::strcmp(word, "BITMAP_PATH:") == 0) {
                char rest[kBitmapPathChars + 1];
                if (sc.getLine(rest, sizeof rest)) {
                    boundedCopy(bitmapDir, sizeof bitmapDir, skipBlanks(rest));
                }
            } else if (std::strcmp(word, "DEFINED_LEVEL:") == 0) {
                int levelNr = 0;
                char rest[kDefinitionChars + 1];
                if (sc.readInt(levelNr) && sc.getLine(rest, sizeof rest)) {
                    const char* name = nullptr;
                    const char* bitmapFile = nullptr;
                    splitDefinition(rest, name, bitmapFile);
                    if (!root.defineLevel(levelNr, name, bitmapDir, bitmapFile)) {
                        return stop(ReadStop::OutOfMemory, -1);
                    }
                    if (observer != nullptr) {
                        observer->definitionRead(levelNr, lineStart);
                    }
                }
            } else {
                levelsBegin = std::strcmp(word, "DATA:") == 0;
                sc.ignore(kHeaderSkip, '\n');
            }
        } else {
            sc.ignore(kHeaderSkip, '\n');
        }
        if (sc.atEnd()) {
            return stop(levelsBegin ? ReadStop::UnfinishedLine : ReadStop::NoDataLine, 1);
        }
        if (!sc.ok()) {
            return stop(ReadStop::BadHeaderLine, 1);
        }
        if (levelsBegin) {
            return 0;
        }
    }
}

}  // namespace vedrix::model

using namespace vedrix::model;

int Zel_GM_Root::readhre(std::istream& is, unsigned int readLevels) {
    return readhre(is, readLevels, nullptr);
}

int Zel_GM_Root::readhre(std::istream& is, unsigned int readLevels, ReadObserver* observer) {
    const int header = readHierarchyHeader(*this, is, observer);
    if (header != 0 || readLevels == 0) {
        return header;
    }
    return Zel_GM_Level::readhre(is, observer);
}

namespace vedrix::model {
namespace {

// One structure line: its four numbers, its name and its UUID text, each
// text as a piece of the line (the UUID text null when the line has none).
struct StructureLine {
    int levelNr = 0;
    unsigned long id = 0;
    unsigned long parentID = 0;
    int status = 0;
    const char* name = nullptr;
    std::size_t nameLength = 0;      // what the level keeps
    std::size_t fullNameLength = 0;  // what the line holds
    const char* uuid = nullptr;
    std::size_t uuidLength = 0;
};

// Splits the rest of a line after its numbers at its first TAB: the name
// (at most 254 characters) and the UUID text after it.
void splitRest(const char* rest, std::size_t length, StructureLine& line) {
    const char* tab = static_cast<const char*>(std::memchr(rest, '\t', length));
    const std::size_t nameLength = tab != nullptr ? static_cast<std::size_t>(tab - rest) : length;
    line.name = rest;
    line.fullNameLength = nameLength;
    line.nameLength = nameLength < kNameChars ? nameLength : kNameChars;
    line.uuid = tab != nullptr ? tab + 1 : nullptr;
    line.uuidLength = tab != nullptr ? length - nameLength - 1 : 0;
}

// A line that lies whole in the stream buffer, read in place and not yet
// taken: `end` is where the next line begins. False when the line is not
// buffered or when it needs the general reading: a number that does not
// read, white space running into the next line, a rest too long, a zero byte.
bool readBufferedLine(StreamScanner& sc, StructureLine& line, const char*& end) {
    const char* p = nullptr;
    const char* newline = nullptr;
    if (!sc.bufferedLine(p, newline)) {
        return false;
    }
    if (!parseInt(p, newline, line.levelNr) || !parseUnsigned(p, newline, line.id) ||
        !parseUnsigned(p, newline, line.parentID) || !parseInt(p, newline, line.status)) {
        return false;
    }
    while (p < newline && isBlank(*p)) {
        ++p;
    }
    const auto length = static_cast<std::size_t>(newline - p);
    if (length == 0 || length > kStructureRestChars || std::memchr(p, '\0', length) != nullptr) {
        return false;
    }
    splitRest(p, length, line);
    end = newline + 1;
    return true;
}

// Tells the observer which texts of `line` the level made from it keeps only
// in part.
void observeCuts(ReadObserver& observer, const Zel_GM_Level& level, const StructureLine& line,
                 std::streamoff lineStart) {
    if (line.fullNameLength > line.nameLength) {
        observer.textCut(level, CutText::LevelName, line.fullNameLength, lineStart);
    }
    if (std::strlen(level.getUuidText()) < line.uuidLength) {
        observer.textCut(level, CutText::Uuid, line.uuidLength, lineStart);
    }
}

// The general reading of a line, with the stream's own rules: numbers after
// any white space, the rest up to the newline into `rest` (a text ends at a
// zero byte). False on a malformed line or the end of the stream.
bool readLine(StreamScanner& sc, StructureLine& line, char* rest, std::size_t restSize) {
    if (!sc.readInt(line.levelNr) || !sc.readUnsigned(line.id) || !sc.readUnsigned(line.parentID) ||
        !sc.readInt(line.status)) {
        return false;
    }
    sc.skipSpace();
    if (!sc.getLine(rest, restSize) || sc.atEnd()) {
        return false;
    }
    splitRest(rest, std::strlen(rest), line);
    return true;
}

}  // namespace
}  // namespace vedrix::model

// The structure lines that belong below this level. A line belongs below the
// nearest level on the current chain whose level number is smaller than its
// own; a line that belongs to none of them ends the reading and is left in
// the stream.
int Zel_GM_Level::readhre(std::istream& is) {
    return readhre(is, nullptr);
}

int Zel_GM_Level::readhre(std::istream& is, ReadObserver* observer) {
    is.clear();
    StreamScanner sc(is);
    std::vector<Zel_GM_Level*> chain{this};
    char rest[kStructureRestChars + 1];
    for (;;) {
        int c = sc.peek();
        while (c == '!') {
            sc.ignore(kCommentSkip, '\n');
            c = sc.peek();
        }
        if (c == kEof || c == '#') {
            return 0;
        }
        // A line read in place is taken only once it belongs here; one read
        // the general way is gone back to by the stream's own position.
        StructureLine line;
        const char* bufferedEnd = nullptr;
        std::streampos lineStart = observer != nullptr ? sc.tell() : std::streampos(-1);
        if (!readBufferedLine(sc, line, bufferedEnd)) {
            if (lineStart == std::streampos(-1)) {
                lineStart = sc.tell();
            }
            if (!readLine(sc, line, rest, sizeof rest)) {
                return stopReading(observer,
                                   sc.atEnd() ? ReadStop::UnfinishedLine : ReadStop::BadLine,
                                   lineStart, 1);
            }
        }
        while (!chain.empty() && line.levelNr <= chain.back()->getLevelNr()) {
            chain.pop_back();
        }
        if (chain.empty()) {
            if (bufferedEnd == nullptr && lineStart != std::streampos(-1)) {
                sc.seek(lineStart);
            }
            return stopReading(observer, ReadStop::LevelNotBelowRoot, lineStart, 0);
        }
        Zel_GM_Level* level = nullptr;
        try {
            Zel_GM_Level* parent = chain.back();
            std::unique_ptr<Zel_GM_Level> made(
                new Zel_GM_Level(line.levelNr, line.id, line.parentID, line.name, line.nameLength,
                                 line.status, line.uuid, line.uuidLength));
            observeLevel(observer, *parent, *made, lineStart);
            if (observer != nullptr) {
                observeCuts(*observer, *made, line, lineStart);
            }
            level = parent->adoptSublevel(made.release());
        } catch (const std::bad_alloc&) {
            level = nullptr;
        }
        if (level == nullptr) {
            return stopReading(observer, ReadStop::OutOfMemory, lineStart, 1);
        }
        if (bufferedEnd != nullptr) {
            sc.takeUntil(bufferedEnd);
        }
        chain.push_back(level);
    }
}

void Zel_GM_Root::writehre(std::ostream& os) const {
    {
        LineWriter out(os);
        const char* lastDir = "";
        for (const auto& node : getLevelDefinitions()) {
            const Zel_GM_LevelDefinition& def = *node.value;
            if (std::strcmp(def.bitmapDir.getText(), lastDir) != 0) {
                out.text("#BITMAP_PATH:\t").text(def.bitmapDir.getText()).endLine();
                lastDir = def.bitmapDir.getText();
            }
            out.text("#DEFINED_LEVEL:\t").number(def.levelNr).ch('\t');
            out.text(def.name.getText()).ch('\t').text(def.bitmapFile.getText()).endLine();
        }
        out.text("#DATA:").endLine();
    }
    Zel_GM_Level::writehre(os);
}

void Zel_GM_Level::writehre(std::ostream& os) const {
    LineWriter out(os);
    walkPreorder(*this, [&out](const Zel_GM_Level& level) {
        const int levelNr = level.getLevelNr();
        if (levelNr >= 1 && levelNr <= 9) {
            out.ch('\t').number(levelNr).ch('\t').number(level.getID()).ch('\t');
            out.number(level.getParentID()).ch('\t').number(level.getStatus()).ch('\t');
            out.text(level.getNameText());
            if (level.getUuidText()[0] != '\0') {
                out.ch('\t').text(level.getUuidText());
            }
            out.endLine();
        }
        return true;
    });
}
