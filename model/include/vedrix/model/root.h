// Zel_GM_Root: the root of the level tree, with the level definitions that the
// hierarchy file declares.
#pragma once

#include <iosfwd>

#include <vedrix/model/export.h>
#include <vedrix/model/level.h>
#include <vedrix/model/read_observer.h>

class CClientDC;
class CImageList;

// One "#DEFINED_LEVEL:" line: a level number's default name and its bitmap.
struct VEDRIX_MODEL_API Zel_GM_LevelDefinition {
    int levelNr;
    ZU_String name;
    ZU_String bitmapDir;
    ZU_String bitmapFile;
};

class VEDRIX_MODEL_API Zel_GM_Root : public Zel_GM_Level {
public:
    explicit Zel_GM_Root(const ZU_String& name);
    ~Zel_GM_Root() override;

    Zel_GM_Level* searchLevel(unsigned long id) { return Zel_GM_Level::searchLevel(id); }
    unsigned long getHighestID() const { return Zel_GM_Level::getHighestID(); }
    // 1 when the IDs below the root are distinct, else 0.
    int checkIDunique() const;

    const ZU_Dictionary<int, Zel_GM_LevelDefinition*>& getLevelDefinitions() const {
        return m_definitions;
    }
    // Enters a definition under its level number, replacing an earlier one.
    // False when the record cannot be created.
    bool defineLevel(int levelNr, const char* name, const char* bitmapDir, const char* bitmapFile);

    // Hierarchy file: 0 success, 1 end or failure before the levels are
    // complete (also without "#DATA:"), -1 when a definition cannot be created.
    int readhre(std::istream& is, unsigned int readLevels);
    // The same reading, telling `observer` (may be null) what it does.
    int readhre(std::istream& is, unsigned int readLevels, vedrix::model::ReadObserver* observer);
    void writehre(std::ostream& os) const;
    // Level list file: the same header rules, then the entries.
    int readlis(std::istream& is, unsigned int readLevels);
    int readlis(std::istream& is, unsigned int readLevels, vedrix::model::ReadObserver* observer);
    void writelis(std::ostream& os) const;

    // Level bitmaps: loads the bitmap of every definition into `imageList`
    // and records its images in the image slot table `images` (23 entries,
    // see item_data.h): slot n the image of level number n, slot n + 11 the
    // checked image. A definition whose bitmap cannot be loaded shows a
    // message and keeps the slots n and n + 11, the caller's defaults.
    // Returns the result of the last definition: 0 loaded, 1 not found,
    // 2 empty or unreadable (0 without definitions).
    int readBitmap(CClientDC* dc, CImageList* imageList, int* images);
    // Copies the default name of level number `levelNr` into `dst` (bounded
    // by `size`) and returns 0; 1, with `dst` untouched, when no definition
    // has that number.
    int getdeflevelname(int levelNr, char* dst, int size);

private:
    ZU_Dictionary<int, Zel_GM_LevelDefinition*> m_definitions;
};
