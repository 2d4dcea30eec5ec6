// Zel_GM_Level: one node of the building structure's level tree.
//
// Level numbers: 0 the root, 1 to 9 structure levels (hierarchy file), 10
// drawing-file entries whose name is the drawing-file number (level list file).
#pragma once

#include <cstddef>
#include <iosfwd>

#include <vedrix/framework/clist.h>
#include <vedrix/framework/cmap.h>
#include <vedrix/framework/coblist.h>
#include <vedrix/framework/cstring.h>
#include <vedrix/model/export.h>
#include <vedrix/model/zu_dictionary.h>
#include <vedrix/model/zu_string.h>

// The tree control's item handle, declared as the platform's headers declare it.
struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

class CAttribData;
class CTreeCtrl;

namespace vedrix::model {
class ReadObserver;
}

// Status bits of a level (also the flags of a browser item record).
enum : int {
    kLevelChecked = 1,
    kLevelExpanded = 2,
    kLevelFileMissing = 4,
};

class VEDRIX_MODEL_API Zel_GM_Level {
public:
    static constexpr int kUuidSize = 100;  // UUID text buffer, at most 99 characters
    static constexpr int kEntryLevelNr = 10;

    // Copies at most 100 bytes of `uuid` (stopping at its terminator) and sets
    // byte 99 to zero; a null `uuid` gives an empty text.
    Zel_GM_Level(int levelNr, unsigned long id, unsigned long parentID, const ZU_String& name,
                 int status, unsigned char* uuid);
    Zel_GM_Level(const Zel_GM_Level&) = delete;
    // Levels come from the small-object pool (see small_object_pool.h).
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;
    Zel_GM_Level& operator=(const Zel_GM_Level&) = delete;
    // Destroys every sublevel with its subtree, then the attributes.
    virtual ~Zel_GM_Level();

    int getLevelNr() const { return m_levelNr; }
    unsigned long getID() const { return m_id; }
    unsigned long getParentID() const { return m_parentID; }
    int getStatus() const { return m_status; }
    void setParentID(unsigned long parentID) { m_parentID = parentID; }
    void setStatus(int status) { m_status = status; }

    const ZU_Dictionary<unsigned long, Zel_GM_Level*>& GetSublevels() const { return m_sublevels; }

    // Copies the name into `dst` (bounded by `size`) and returns `dst`.
    char* getName(char* dst, int size) const;
    const char* getNameText() const { return m_name; }
    // With `size` of 100 or more copies the UUID text; a smaller size gives an
    // empty text; a null `dst` does nothing.
    void GetUuidString(unsigned char* dst, int size) const;
    const char* getUuidText() const { return m_uuid; }

    HTREEITEM getTreeItem() const { return m_treeItem; }
    void setTreeItem(HTREEITEM item) { m_treeItem = item; }

    // Creates a level and enters it under `id`; a level that held that key
    // before is destroyed. Null when the level cannot be created.
    Zel_GM_Level* addSublevel(int levelNr, unsigned long id, unsigned long parentID,
                              const ZU_String& name, int status, unsigned char* uuid);
    // Puts a new level between this level and all its current sublevels.
    Zel_GM_Level* insertLevel(int levelNr, unsigned long id, const ZU_String& name, int status,
                              unsigned char* uuid);
    // The level with that ID below this level: this level's own keys first,
    // then each sublevel's subtree in ascending key order. Null when none.
    Zel_GM_Level* searchLevel(unsigned long id);

    // Hierarchy file: the structure lines below this level / this subtree's lines.
    int readhre(std::istream& is);
    // The same readings, telling `observer` (may be null) what they do.
    int readhre(std::istream& is, vedrix::model::ReadObserver* observer);
    void writehre(std::ostream& os) const;
    // Level list file: entries below this level / this subtree's entry lines.
    int readlis(std::istream& is);
    int readlis(std::istream& is, vedrix::model::ReadObserver* observer);
    void writelis(std::ostream& os, unsigned long parentID) const;

    // Puts this level and everything below it into `tree` (a browser's
    // structure tree, whose items own their records), sorted among their
    // siblings by text, each item with a TBItemData record that takes over the
    // level's attributes:
    // - a drawing-file entry shows "tbNNNNNN.zdw", two blanks and the object
    //   name that `objectName(1, number, buffer)` gives (the file name alone
    //   when it gives no name or is null); its status value 4 says whether its
    //   file is missing from the drawing-file directory (see
    //   drawing_file_directory.h); its name is appended to `names` (may be null
    //   for trees without entries);
    // - any other level shows its name and hangs below the item that `items`
    //   holds for its parent ID, else below `parentItem` (null: at the top),
    //   and is entered in `items` under its ID;
    // - images come from the image slot table `images` (see item_data.h).
    void setItem(CTreeCtrl* tree, CList<CString, CString>* names,
                 CMap<int, int, unsigned long, unsigned long>* items, int* images,
                 HTREEITEM parentItem, int (*objectName)(int, int, char*));

    // Attributes: the level owns them, in order.
    CObList& getAttributes() { return m_attributes; }
    const CObList& getAttributes() const { return m_attributes; }
    void addAttributeItem(CString name, CString value, int type);
    void deleteAttributeItem(CString name, CString value);
    int readAttributes(std::istream& is);
    int readAttributes(std::istream& is, vedrix::model::ReadObserver* observer);
    void writeAttributes(std::ostream& os);

protected:
    // A level whose name and UUID text are the first nameLength and
    // uuidLength bytes of `name` and `uuid` (the UUID text at most 99 of
    // them, and only up to a zero byte).
    Zel_GM_Level(int levelNr, unsigned long id, unsigned long parentID, const char* name,
                 std::size_t nameLength, int status, const char* uuid, std::size_t uuidLength);
    // Enters `level` under its ID, destroying a level that held the key;
    // destroys `level` and returns null when no entry can be made.
    Zel_GM_Level* adoptSublevel(Zel_GM_Level* level);

    unsigned long getHighestID() const;
    int checkIDunique(ZU_Dictionary<unsigned long, char>& seen) const;

private:
    int m_levelNr;
    unsigned long m_id;
    unsigned long m_parentID;
    int m_status;
    char* m_name;
    char m_uuid[kUuidSize];
    HTREEITEM m_treeItem = nullptr;
    ZU_Dictionary<unsigned long, Zel_GM_Level*> m_sublevels;
    CObList m_attributes;
};
