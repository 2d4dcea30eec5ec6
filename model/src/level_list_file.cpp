// The level list file: "#DATA:" and one line per drawing-file entry.
#include <vedrix/model/root.h>

#include <cstring>
#include <memory>
#include <new>

#include "hierarchy_header.h"
#include "level_walk.h"
#include "line_writer.h"
#include "parent_index.h"
#include "read_events.h"
#include "stream_scanner.h"

using namespace vedrix::model;

namespace {
constexpr int kEof = std::char_traits<char>::eof();
constexpr std::size_t kEntryNameChars = 254;
constexpr std::size_t kRestSkip = 255;
constexpr std::size_t kCommentSkip = 255;
}  // namespace

int Zel_GM_Root::readlis(std::istream& is, unsigned int readLevels) {
    return readlis(is, readLevels, nullptr);
}

int Zel_GM_Root::readlis(std::istream& is, unsigned int readLevels, ReadObserver* observer) {
    const int header = readHierarchyHeader(*this, is, observer);
    if (header != 0 || readLevels == 0) {
        return header;
    }
    return Zel_GM_Level::readlis(is, observer);
}

// Entries get the IDs highest + 1, highest + 2, ... in the order of their
// lines (32-bit, as the files store them) and hang below the level that
// searchLevel finds for their parent ID; parent ID 0 means this level.
int Zel_GM_Level::readlis(std::istream& is) {
    return readlis(is, nullptr);
}

int Zel_GM_Level::readlis(std::istream& is, ReadObserver* observer) {
    is.clear();
    StreamScanner sc(is);
    unsigned long nextID = getHighestID();
    if (sc.peek() == kEof) {
        return 0;
    }
    ParentIndex parents(*this);
    char name[kEntryNameChars + 1];
    for (;;) {
        int c = sc.peek();
        while (c == '!') {
            sc.ignore(kCommentSkip, '\n');
            c = sc.peek();
        }
        if (c == kEof) {
            return 0;
        }
        const std::streamoff lineStart = observedPosition(observer, sc);
        unsigned long parentID = 0;
        int status = 0;
        if (!sc.readWord(name, sizeof name) || !sc.readUnsigned(parentID) || !sc.readInt(status)) {
            return stopReading(observer, sc.atEnd() ? ReadStop::UnfinishedLine : ReadStop::BadLine,
                               lineStart, 1);
        }
        sc.ignore(kRestSkip, '\n');
        if (sc.atEnd()) {
            return stopReading(observer, ReadStop::UnfinishedLine, lineStart, 1);
        }
        nextID = (nextID + 1) & 0xFFFFFFFFUL;
        Zel_GM_Level* parent = parentID == 0 ? this : parents.find(parentID);
        if (parent == nullptr) {
            return stopReading(observer, ReadStop::UnknownParent, lineStart, 1);
        }
        Zel_GM_Level* entry = nullptr;
        try {
            std::unique_ptr<Zel_GM_Level> made(new Zel_GM_Level(
                kEntryLevelNr, nextID, parentID, name, std::strlen(name), status, nullptr, 0));
            observeLevel(observer, *parent, *made, lineStart);
            entry = parent->adoptSublevel(made.release());
        } catch (const std::bad_alloc&) {
            entry = nullptr;
        }
        if (entry == nullptr) {
            return stopReading(observer, ReadStop::OutOfMemory, lineStart, 1);
        }
        parents.added(nextID, entry);
    }
}

void Zel_GM_Root::writelis(std::ostream& os) const {
    os.write("#DATA:\n", 7);
    Zel_GM_Level::writelis(os, 0);
}

void Zel_GM_Level::writelis(std::ostream& os, unsigned long /*parentID*/) const {
    LineWriter out(os);
    walkPreorder(*this, [&out](const Zel_GM_Level& level) {
        if (level.getLevelNr() > 9) {
            out.text(level.getNameText()).ch('\t').number(level.getParentID()).ch('\t');
            out.number(level.getStatus()).ch('\t').endLine();
        }
        return true;
    });
}
