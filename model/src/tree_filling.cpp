// Zel_GM_Level::setItem: a level and everything below it as the items of a
// dialog's structure tree, each with the record the dialogs work on.
#include <io.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <vedrix/framework/treectrl.h>
#include <vedrix/model/drawing_file_directory.h>
#include <vedrix/model/item_data.h>
#include <vedrix/model/level.h>

#include <zelkar/utility_language.h>

namespace {

using ObjectNameLookup = int (*)(int, int, char*);
using ItemMap = CMap<int, int, unsigned long, unsigned long>;

constexpr int kLookupMode = 1;           // the name lookup's mode for drawing files
constexpr int kNameBufferSize = 256;     // the buffer handed to the name lookup
constexpr int kItemTextLimit = 255;      // longest level name an item shows
constexpr int kHighestSlotLevel = 10;    // level numbers 0 to 10 have image slots
constexpr int kUncheckedStateImage = 1;  // 2 checked; 3 and 4 when the file is missing too
constexpr UINT kExpandedState = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
constexpr UINT kInsertedStateMask = TVIS_STATEIMAGEMASK | kExpandedState;

// The number of a drawing-file entry, as atoi reads its name. A name is
// digits as a rule, read here without the library's locale-aware parse;
// anything else (blanks, a plus sign, no digits, a number beyond int) goes to
// atoi itself.
int entryNumber(const char* name) {
    int value = 0;
    const std::from_chars_result read = std::from_chars(name, name + std::strlen(name), value);
    return read.ec == std::errc() ? value : std::atoi(name);
}

// Room for "tb%06d.zdw" of any int, with its terminator.
constexpr std::size_t kFileNameSize = 24;
// Room for an item's text: a drawing file's name, two blanks and the
// looked-up name, or a level's name cut to kItemTextLimit characters.
constexpr std::size_t kTextSize = kFileNameSize + 2 + kNameBufferSize;

// What one fill needs besides the level: the caller's arguments and the
// directory that drawing files are checked in, asked for once. `path` holds
// the directory with its separator; each existence check puts the file name
// after it, so that no drawing file allocates a path of its own.
struct Fill {
    CTreeCtrl& tree;
    CList<CString, CString>* names;
    ItemMap* items;
    const int* images;
    ObjectNameLookup objectName;
    std::string path;
    std::size_t directoryLength;
    // The text of the item being placed; the tree copies it.
    char text[kTextSize];
};

bool isEntry(const Zel_GM_Level& level) {
    return level.getLevelNr() == Zel_GM_Level::kEntryLevelNr;
}

// Writes "tb%06d.zdw" into `name` and gives its length. Every entry of a fill
// names its file, so the usual numbers (0 to 999999) are written digit by
// digit; others take the format.
std::size_t writeDrawingFileName(int number, char (&name)[kFileNameSize]) {
    if (number < 0 || number > 999999) {
        const int written = std::snprintf(name, sizeof name, "tb%06d.zdw", number);
        return written > 0 ? std::strlen(name) : 0;
    }
    std::memcpy(name, "tb000000.zdw", sizeof "tb000000.zdw");
    for (int digit = 7; number > 0; --digit, number /= 10) {
        name[digit] = static_cast<char>('0' + number % 10);
    }
    return sizeof "tb000000.zdw" - 1;
}

bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Writes into `text` the file name, two blanks and the object name when the
// lookup gives one (converted to the display character set, white space
// trimmed at both ends), otherwise the file name alone, and gives where the
// text starts. Only the object name needs converting: the file name is of
// plain characters, which the conversion keeps.
const char* writeEntryText(char (&text)[kTextSize], const char* fileName,
                           std::size_t fileNameLength, int number, ObjectNameLookup objectName) {
    std::memcpy(text, fileName, fileNameLength);
    text[fileNameLength] = '\0';
    if (objectName == nullptr) {
        return text;
    }
    char* const buffer = text + fileNameLength + 2;
    std::memset(buffer, 0, kNameBufferSize);
    if (objectName(kLookupMode, number, buffer) != 0) {
        return text;
    }
    buffer[kNameBufferSize - 1] = '\0';
    AsciiTextToIso(buffer, buffer);
    text[fileNameLength] = ' ';
    text[fileNameLength + 1] = ' ';
    char* first = text;
    char* last = buffer + std::strlen(buffer);
    while (first < last && isWhiteSpace(*first)) {
        ++first;
    }
    while (last > first && isWhiteSpace(last[-1])) {
        --last;
    }
    *last = '\0';
    return first;
}

// Writes a level's name, cut to kItemTextLimit characters, into `text`.
const char* writeLevelText(char (&text)[kTextSize], const char* name) {
    std::size_t length = 0;
    while (length < static_cast<std::size_t>(kItemTextLimit) && name[length] != '\0') {
        ++length;
    }
    std::memcpy(text, name, length);
    text[length] = '\0';
    return text;
}

// Whether the entry's drawing file lies in the fill's directory.
bool drawingFileExists(Fill& fill, const char* fileName, std::size_t fileNameLength) {
    fill.path.resize(fill.directoryLength);
    fill.path.append(fileName, fileNameLength);
    return _access(fill.path.c_str(), 0) == 0;
}

// The image of a level with this number and status: the missing-file image,
// else the unchecked or checked image of its level number. A level number
// without slots, or no table, shows no image.
int imageOf(const int* images, int levelNr, int status) {
    if (images == nullptr) {
        return kImageSlotNone;
    }
    if ((status & kLevelFileMissing) != 0) {
        return images[kImageSlotFileMissing];
    }
    if (levelNr < 0 || levelNr > kHighestSlotLevel) {
        return kImageSlotNone;
    }
    return images[levelNr + ((status & kLevelChecked) != 0 ? kImageSlotChecked : 0)];
}

int stateImageOf(int status) {
    return kUncheckedStateImage + ((status & kLevelChecked) != 0 ? 1 : 0) +
           ((status & kLevelFileMissing) != 0 ? 2 : 0);
}

// Puts one level into the tree below `parentItem` (or where the item map
// says) and returns its item; null when the tree refused it.
HTREEITEM placeLevel(Zel_GM_Level& level, HTREEITEM parentItem, Fill& fill) {
    const int levelNr = level.getLevelNr();
    const char* text = nullptr;
    HTREEITEM parent = parentItem;
    bool expanded = false;
    unsigned long number = 0;
    if (isEntry(level)) {
        const int fileNumber = entryNumber(level.getNameText());
        number = static_cast<unsigned long>(fileNumber);
        char fileName[kFileNameSize];
        const std::size_t fileNameLength = writeDrawingFileName(fileNumber, fileName);
        text = writeEntryText(fill.text, fileName, fileNameLength, fileNumber, fill.objectName);
        const int status = level.getStatus();
        level.setStatus(drawingFileExists(fill, fileName, fileNameLength)
                            ? status & ~kLevelFileMissing
                            : status | kLevelFileMissing);
        if (fill.names != nullptr) {
            fill.names->AddTail(CString(level.getNameText()));
        }
    } else {
        text = writeLevelText(fill.text, level.getNameText());
        unsigned long known = 0;
        if (fill.items != nullptr &&
            fill.items->Lookup(static_cast<int>(level.getParentID()), known)) {
            parent = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(known));
        }
        expanded = levelNr == 0 || (level.getStatus() & kLevelExpanded) != 0;
    }
    const int status = level.getStatus();

    // The record takes over the level's attributes; without a record the
    // item carries no data and the level keeps them.
    std::unique_ptr<TBItemData> record(new (std::nothrow) TBItemData(
        static_cast<unsigned char>(levelNr), static_cast<unsigned char>(status & 0xFF), number,
        level.getID(), &level.getAttributes(), level.getUuidText(),
        reinterpret_cast<DWORD_PTR>(parent)));

    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask =
        TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_HANDLE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.cchTextMax = kItemTextLimit;
    insert.item.iImage = imageOf(fill.images, levelNr, status);
    insert.item.iSelectedImage = insert.item.iImage;
    insert.item.state =
        INDEXTOSTATEIMAGEMASK(stateImageOf(status)) | (expanded ? kExpandedState : 0u);
    insert.item.stateMask = kInsertedStateMask;
    insert.item.lParam = reinterpret_cast<LPARAM>(record.get());
    HTREEITEM item = fill.tree.FillItem(&insert);
    if (item != nullptr) {
        record.release();  // the tree owns it now and frees it with the item
    } else if (record != nullptr) {
        record->handAttributesTo(level.getAttributes());
    }

    level.setTreeItem(item);
    if (!isEntry(level) && fill.items != nullptr) {
        fill.items->SetAt(static_cast<int>(level.getID()),
                          static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(item)));
    }
    return item;
}

}  // namespace

void Zel_GM_Level::setItem(CTreeCtrl* tree, CList<CString, CString>* names,
                           CMap<int, int, unsigned long, unsigned long>* items, int* images,
                           HTREEITEM parentItem, int (*objectName)(int, int, char*)) {
    if (tree == nullptr) {
        return;
    }
    // Nothing may leave an exported function by exception: what was placed
    // before a failure stays in the tree.
    try {
        const CString directory = vedrix::model::drawingFileDirectory();
        Fill fill{*tree, names, items, images, objectName, std::string(directory.GetString()),
                  0,     {}};
        if (directory.IsEmpty() || directory[directory.GetLength() - 1] != '\\') {
            fill.path.push_back('\\');
        }
        fill.directoryLength = fill.path.size();
        // Depth first, each level before its sublevels and sublevels in
        // ascending ID order, without recursion: a tree read from files may
        // be arbitrarily deep. Each pending level carries the item that its
        // own level became.
        struct Pending {
            Zel_GM_Level* level;
            HTREEITEM parentItem;
        };
        std::vector<Pending> pending{{this, parentItem}};
        std::vector<Zel_GM_Level*> sublevels;
        while (!pending.empty()) {
            const Pending next = pending.back();
            pending.pop_back();
            HTREEITEM item = placeLevel(*next.level, next.parentItem, fill);
            sublevels.clear();
            for (const auto& node : next.level->GetSublevels()) {
                sublevels.push_back(node.value);
            }
            for (auto it = sublevels.rbegin(); it != sublevels.rend(); ++it) {
                pending.push_back({*it, item});
            }
        }
    } catch (...) {
    }
}
