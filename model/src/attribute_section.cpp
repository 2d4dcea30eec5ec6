// The attribute section of the hierarchy file: "#ATTRIBUTES:" and one line per
// attribute, naming the level that holds it by ID (0 for the root).
#include <vedrix/model/attrib_data.h>
#include <vedrix/model/level.h>

#include <cstring>
#include <new>

#include "level_walk.h"
#include "line_writer.h"
#include "parent_index.h"
#include "read_events.h"
#include "stream_scanner.h"

using namespace vedrix::model;

namespace {

constexpr int kEof = std::char_traits<char>::eof();
constexpr std::size_t kKeywordChars = 20;
constexpr std::size_t kCommentSkip = 256;
constexpr std::size_t kTextChars = 254;

struct AttributeLine {
    unsigned long levelID = 0;
    char name[kTextChars + 1] = "";
    char value[kTextChars + 1] = "";
    std::size_t nameLength = 0;  // as the line holds them
    std::size_t valueLength = 0;
    int levelNr = 0;
    unsigned long id = 0;
    unsigned long parentID = 0;
    int type = 0;
};

bool readAttributeLine(StreamScanner& sc, AttributeLine& line) {
    if (!sc.readUnsigned(line.levelID)) {
        return false;
    }
    sc.skipSpace();
    if (!sc.getField(line.name, sizeof line.name, '\t', &line.nameLength) ||
        !sc.getField(line.value, sizeof line.value, '\t', &line.valueLength)) {
        return false;
    }
    if (!sc.readInt(line.levelNr) || !sc.readUnsigned(line.id) || !sc.readUnsigned(line.parentID) ||
        !sc.readInt(line.type)) {
        return false;
    }
    sc.skipSpace();
    return true;
}

// Scans for the next "#ATTRIBUTES:" line and takes it; false at the end.
bool findSection(StreamScanner& sc) {
    for (;;) {
        // Only comments and keywords matter here: the rest is passed over
        // in one scan of the buffer.
        sc.skipToEither('!', '#');
        const int c = sc.get();
        if (c == kEof) {
            return false;
        }
        if (c == '!') {
            sc.ignore(kCommentSkip, '\n');
        } else if (c == '#') {
            char word[kKeywordChars + 1];
            if (!sc.readWord(word, sizeof word)) {
                return false;
            }
            if (std::strcmp(word, "ATTRIBUTES:") == 0) {
                sc.ignore(kCommentSkip, '\n');
                return true;
            }
        }
    }
}

}  // namespace

int Zel_GM_Level::readAttributes(std::istream& is) {
    return readAttributes(is, nullptr);
}

int Zel_GM_Level::readAttributes(std::istream& is, ReadObserver* observer) {
    StreamScanner sc(is);
    ParentIndex levels(*this);
    while (findSection(sc)) {
        int c = sc.peek();
        while (c == '!') {
            sc.ignore(kCommentSkip, '\n');
            c = sc.peek();
        }
        if (c == '#') {
            return stopReading(observer, ReadStop::EmptySection, observedPosition(observer, sc), 1);
        }
        if (c == kEof) {
            return 1;
        }
        for (c = sc.peek(); c != kEof && c != '#'; c = sc.peek()) {
            const std::streamoff lineStart = observedPosition(observer, sc);
            AttributeLine line;
            if (!readAttributeLine(sc, line)) {
                return stopReading(observer,
                                   sc.atEnd() ? ReadStop::UnfinishedLine : ReadStop::BadLine,
                                   lineStart, 1);
            }
            if (line.name[0] == '\0' && line.value[0] == '\0') {
                continue;
            }
            Zel_GM_Level* holder = levels.find(line.levelID);
            if (holder == nullptr) {
                holder = this;
            }
            if (observer != nullptr) {
                observer->attributeRead(*holder, line.levelID, lineStart);
                if (line.nameLength > kTextChars) {
                    observer->textCut(*holder, CutText::AttributeName, line.nameLength, lineStart);
                }
                if (line.valueLength > kTextChars) {
                    observer->textCut(*holder, CutText::AttributeValue, line.valueLength,
                                      lineStart);
                }
            }
            CAttribData* attribute = nullptr;
            try {
                attribute = new CAttribData(line.name, line.value,
                                            static_cast<CAttribData::enAttribType>(line.type),
                                            line.id, line.parentID, line.levelNr);
                holder->getAttributes().AddTail(attribute);
            } catch (const std::bad_alloc&) {
                delete attribute;
                return stopReading(observer, ReadStop::OutOfMemory, lineStart, 1);
            }
        }
        if (c == kEof) {
            return 1;
        }
    }
    return 1;
}

void Zel_GM_Level::writeAttributes(std::ostream& os) {
    LineWriter out(os);
    walkPreorder(*this, [&out](const Zel_GM_Level& level) {
        if (level.getLevelNr() < 0 || level.getLevelNr() > 9) {
            return true;
        }
        const CObList& attributes = level.getAttributes();
        for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
            const auto* attribute = static_cast<const CAttribData*>(attributes.GetNext(pos));
            out.ch('\t').number(level.getID()).ch('\t');
            out.text(attribute->getName()).ch('\t').text(attribute->getValue()).ch('\t');
            out.number(attribute->getLevelNr()).ch('\t').number(attribute->getIDValue()).ch('\t');
            out.number(attribute->getParentIDValue()).ch('\t');
            out.number(static_cast<int>(attribute->getTypeValue())).endLine();
        }
        return true;
    });
}
