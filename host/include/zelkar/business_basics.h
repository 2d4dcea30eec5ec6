// The host's business library, "Zelkar_BusinessBasics10.dll": copying,
// deleting and describing drawing files, the drawings made of drawing files,
// and the facility-management view file and drawing-file information file of
// the current project.
#pragma once

#include <zelkar/api.h>
#include <zelkar/file_access.h>

#if defined(ZELKAR_BUSINESSBASICS_BUILDING)
#define ZELKAR_BUSINESSBASICS_API ZELKAR_EXPORT
#else
#define ZELKAR_BUSINESSBASICS_API ZELKAR_IMPORT
#endif

// What vw_tb_getinfo tells about a drawing file.
struct ZelTbInfo {
    int number;
    // The drawing-file name, blank padded to ZEL_TB_NAME_LENGTH characters.
    char name[ZEL_TB_NAME_LENGTH + 1];
    // Non-zero when the drawing file has content.
    int content;
    // Own and reference identifier halves as the header record keeps them.
    double uuid[2];
    double refUuid[2];
};

// Names of drawings are ZEL_DRAWING_NAME_LENGTH characters, blank padded.
#define ZEL_DRAWING_NAME_LENGTH 70

// Results of ze_create_with_activeTbList.
#define ZEL_ZE_CREATED 0
#define ZEL_ZE_CREATED_NAME_CUT 1
#define ZEL_ZE_NAME_EXISTS (-2)
#define ZEL_ZE_REFUSED (-3)

extern "C" {

// Deletes the drawing file. ZEL_TB_OK, ZEL_TB_NO_RECORD when there is none,
// or another header record result.
ZELKAR_BUSINESSBASICS_API int vw_tb_delete(ZelTbRef tb);
// Describes the drawing file from its header. ZEL_TB_OK or a header record
// result (`info` is then left as it was).
ZELKAR_BUSINESSBASICS_API int vw_tb_getinfo(ZelTbRef tb, ZelTbInfo* info);
// Copies drawing file `source` to `target`, which must not be a drawing file
// with content yet (ZEL_TB_EXISTS); a drawing file without content is
// replaced. The copy's header carries its own number, a new identifier of its
// own, the source's reference identifier and, when `name` is not null, that
// name (cut or blank padded to ZEL_TB_NAME_LENGTH).
// `withContent` 1 copies the content after the header as well, 0 makes an
// empty drawing file (content byte 0).
ZELKAR_BUSINESSBASICS_API int vw_tb_copy(ZelTbRef source, ZelTbRef target, const char* name,
                                         int withContent);

// The number of the drawing of that name (kind 1, drawings of a unit) into
// `*number`: 0 when there is one, 1 when not, 2 for another kind or unit or a
// list that cannot be read. `name` is a zero-terminated text; names compare
// without their trailing blanks and cut to ZEL_DRAWING_NAME_LENGTH.
ZELKAR_BUSINESSBASICS_API int vw_ze_get_nr(int kind, int unit, const char* name, int* number);
// Deletes the drawing: 0, 1 when there is no such drawing, 2 as above.
ZELKAR_BUSINESSBASICS_API int vw_ze_delete(int kind, int unit, int number);
// Makes a drawing of the current unit named `name` (a zero-terminated
// text, trailing blanks dropped) from the drawing files `numbers`; its number
// goes to `*number`. ZEL_ZE_CREATED; ZEL_ZE_CREATED_NAME_CUT when the name
// was longer than ZEL_DRAWING_NAME_LENGTH characters and was cut;
// ZEL_ZE_NAME_EXISTS; ZEL_ZE_REFUSED for an empty name or list, more than
// kgtbls() drawing files, a drawing file without header, or a list that
// cannot be written.
ZELKAR_BUSINESSBASICS_API int ze_create_with_activeTbList(const char* name, const int* numbers,
                                                          int count, int* number);
}

// The facility-management view file of the current project: one item per
// view. Built with a null path it reads the project's view file (another
// path: that file). Reading positions on nothing; MoveToFirstItem and
// MoveToNextItem step. The readers give the current item's texts ("" without
// a current item); the setters change the current item (nothing without
// one). Changes stay in the object until WriteFmViewInfoFile.
class ZELKAR_BUSINESSBASICS_API CfmViewInfo {
public:
    explicit CfmViewInfo(const char* path = nullptr);
    ~CfmViewInfo();
    CfmViewInfo(const CfmViewInfo&) = delete;
    CfmViewInfo& operator=(const CfmViewInfo&) = delete;

    // The code path of a view that has none.
    static const char* cs_withoutPath();
    // The replication date of a view under data maintenance.
    static const char* cs_DATWA();

    bool MoveToFirstItem();
    // False, and no current item, after the last one.
    bool MoveToNextItem();

    const char* ActiveFlag() const;
    const char* NameOfView() const;
    const char* UUID() const;
    const char* FileSetNumber() const;
    const char* CodePath() const;
    const char* DateOfReplication() const;
    const char* UUID_Original() const;
    const char* LockFlag() const;

    void ActiveFlag(const char* text);
    void NameOfView(const char* text);
    void UUID(const char* text);
    void FileSetNumber(const char* text);
    void CodePath(const char* text);
    void DateOfReplication(const char* text);
    void UUID_Original(const char* text);
    void LockFlag(const char* text);

    // Forgets every item.
    void ClearFmViewInfo();
    // Appends an empty item and makes it the current one.
    void InsertItem();
    // Replaces the file by the items held. False when it cannot be written
    // (the old file then stays).
    bool WriteFmViewInfoFile();

private:
    struct Items;
    Items* m_pItems;
};

// The drawing-file information file of the current project: one item per
// drawing file placed in the facility-management structure. Built with a null
// path it reads the project's file and positions on its first item (none when
// it is empty); otherwise as CfmViewInfo.
class ZELKAR_BUSINESSBASICS_API CfmTbInfo {
public:
    explicit CfmTbInfo(const char* path = nullptr);
    ~CfmTbInfo();
    CfmTbInfo(const CfmTbInfo&) = delete;
    CfmTbInfo& operator=(const CfmTbInfo&) = delete;

    bool MoveToFirstItem();
    bool MoveToNextItem();

    const char* TBNumber() const;
    const char* ParentID() const;
    const char* UUID_Tb() const;
    const char* UUID_Ref() const;
    const char* InsertFlag() const;
    const char* FernoFlag() const;

    void TBNumber(const char* text);
    void ParentID(const char* text);
    void UUID_Tb(const char* text);
    void UUID_Ref(const char* text);
    void InsertFlag(const char* text);
    void FernoFlag(const char* text);

    void ClearFmTbInfo();
    void InsertItem();
    // Replaces the file by the items held when they changed since reading,
    // or always with `always`. True when the file holds the items afterwards.
    bool WriteFmTbInfoFile(bool always);

private:
    struct Items;
    Items* m_pItems;
};
