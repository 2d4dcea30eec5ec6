// TBItemData: the record that hangs on every item of a browser's structure
// tree and on every row of its lists. It links what the user sees to the
// level tree: the item's kind, its check and expansion state, the
// drawing-file number, the level's identifiers and, while the level is shown,
// the level's attributes, which the record then owns.
//
// Image slots: the dialogs and the tree filling choose an item's image from
// one table of image-list indices. Slot t (0 to 10) holds the image of an
// unchecked item of type t, slot 11 + t that of a checked one, slot 22 that of
// a drawing file whose file is missing; -1 means that kind has no image.
#pragma once

#include <vedrix/framework/coblist.h>
#include <vedrix/framework/types.h>
#include <vedrix/model/export.h>

// The image slot table.
enum : int {
    kImageSlotChecked = 11,  // added to the type for a checked item
    kImageSlotFileMissing = 22,
    kImageSlotCount = 23,
    kImageSlotNone = -1,
};

class VEDRIX_MODEL_API TBItemData {
public:
    static constexpr int kTextSize = 100;  // identifier texts: at most 99 characters

    // Item types. The list browser uses 0 for the root, 1 to 9 for levels of
    // that level type and 10 for drawing files; the facility-management
    // browser uses 0, 1 for a level that holds views, 2 for a view and 10.
    static constexpr unsigned char kRoot = 0;
    static constexpr unsigned char kView = 2;
    static constexpr unsigned char kDrawingFile = 10;

    // Flags: the same bit values as a level's status.
    static constexpr unsigned char kChecked = 1;
    static constexpr unsigned char kExpanded = 2;
    static constexpr unsigned char kFileMissing = 4;

    // View flags of the facility-management browser.
    static constexpr unsigned long kOriginalView = 1;
    static constexpr unsigned long kVariantView = 2;
    static constexpr unsigned long kLocked = 4;
    static constexpr unsigned long kInserted = 8;

    // Stores the low 16 bits of `number`. The entries of `attributes`, when
    // given, move into the record in their order and leave that list empty.
    // `identifier` is copied with at most 99 characters; none gives an empty
    // text. The view flags and the original identifier start cleared.
    TBItemData(unsigned char type, unsigned char flags, unsigned long number, unsigned long levelID,
               CObList* attributes = nullptr, const char* identifier = nullptr,
               DWORD_PTR extra = 0);
    TBItemData(const TBItemData&) = delete;
    TBItemData& operator=(const TBItemData&) = delete;
    // Deletes every attribute still in the record.
    ~TBItemData();

    unsigned char getType() const { return m_type; }
    void setType(unsigned char type) { m_type = type; }

    unsigned char getFlags() const { return m_flags; }
    void setFlags(unsigned char flags) { m_flags = flags; }
    bool isChecked() const { return (m_flags & kChecked) != 0; }
    void setChecked(bool checked) { setFlag(kChecked, checked); }
    bool isExpanded() const { return (m_flags & kExpanded) != 0; }
    void setExpanded(bool expanded) { setFlag(kExpanded, expanded); }
    bool isFileMissing() const { return (m_flags & kFileMissing) != 0; }
    void setFileMissing(bool missing) { setFlag(kFileMissing, missing); }

    unsigned short getNumber() const { return m_number; }
    // Keeps the low 16 bits.
    void setNumber(unsigned long number) { m_number = static_cast<unsigned short>(number); }

    unsigned long getLevelID() const { return m_levelID; }
    void setLevelID(unsigned long levelID) { m_levelID = levelID; }

    const char* getIdentifier() const { return m_identifier; }
    // At most 99 characters; null empties it.
    void setIdentifier(const char* text);
    const char* getOriginalIdentifier() const { return m_originalIdentifier; }
    void setOriginalIdentifier(const char* text);

    DWORD_PTR getExtra() const { return m_extra; }
    void setExtra(DWORD_PTR extra) { m_extra = extra; }

    // The view flags change only through these operations.
    unsigned long getViewFlags() const { return m_viewFlags; }
    bool isOriginalView() const { return (m_viewFlags & kOriginalView) != 0; }
    bool isVariantView() const { return (m_viewFlags & kVariantView) != 0; }
    bool isLocked() const { return (m_viewFlags & kLocked) != 0; }
    bool isInserted() const { return (m_viewFlags & kInserted) != 0; }
    void clearViewFlags() { m_viewFlags = 0; }
    void markOriginal() { m_viewFlags = (m_viewFlags | kOriginalView) & ~kVariantView; }
    void markVariant() { m_viewFlags = (m_viewFlags | kVariantView) & ~kOriginalView; }
    void setLocked() { m_viewFlags |= kLocked; }
    void clearLocked() { m_viewFlags &= ~kLocked; }
    void markInserted() { m_viewFlags |= kInserted; }

    // The level's attributes (CAttribData), owned by the record.
    CObList& getAttributes() { return m_attributes; }
    const CObList& getAttributes() const { return m_attributes; }
    // Moves every attribute to the front of `level`'s list, in order, and
    // leaves the record's list empty: the level owns them from then on.
    void handAttributesTo(CObList& levelAttributes);

private:
    void setFlag(unsigned char bit, bool on) {
        m_flags = static_cast<unsigned char>(on ? (m_flags | bit) : (m_flags & ~bit));
    }

    unsigned char m_type;
    unsigned char m_flags;
    unsigned short m_number;
    unsigned long m_levelID;
    char m_identifier[kTextSize];
    unsigned long m_viewFlags = 0;
    char m_originalIdentifier[kTextSize];
    DWORD_PTR m_extra;
    CObList m_attributes;
};
