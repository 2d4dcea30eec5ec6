// The host's drawing-file library, "Zelkar_FileAccess20.dll": the current
// unit, the header records of the drawing files, their file names and
// directories, the drawings that use a drawing file and the drawing files the
// host has loaded.
//
// Plain C functions of a 32-bit Windows program: int is 32 bits, buffers are
// owned by the caller and sized as the comments say.
#pragma once

#include <zelkar/api.h>

#include <rpc.h>

#include <cstring>

#if defined(ZELKAR_FILEACCESS_BUILDING)
#define ZELKAR_FILEACCESS_API ZELKAR_EXPORT
#else
#define ZELKAR_FILEACCESS_API ZELKAR_IMPORT
#endif

// A drawing file handed to the host by value: the kind (always
// ZEL_TB_REF_KIND, a drawing file of a unit), the unit and the number.
#define ZEL_TB_REF_KIND 1
struct ZelTbRef {
    int kind;
    int unit;
    int number;
};
inline ZelTbRef ZelMakeTbRef(int unit, int number) {
    return ZelTbRef{ZEL_TB_REF_KIND, unit, number};
}

// Drawing-file numbers are six decimal digits: 1 to 999999.
#define ZEL_TB_NUMBER_MAX 999999

// The header record at the start of every drawing file, ZEL_TB_RECORD_SIZE
// bytes. Integers are 32-bit and floats 64-bit, both little endian; texts are
// blank padded without terminator. Bytes not named here are reserved (zero).
#define ZEL_TB_RECORD_SIZE 1024
#define ZEL_TB_REC_SIGNATURE 0         // 8 bytes, ZEL_TB_SIGNATURE
#define ZEL_TB_REC_NUMBER 8            // int: the drawing-file number
#define ZEL_TB_REC_VERSION 12          // int: ZEL_TB_RECORD_VERSION
#define ZEL_TB_REC_CONTENT 132         // byte: non-zero when the drawing file has content
#define ZEL_TB_REC_NAME 136            // ZEL_TB_NAME_LENGTH characters: the drawing-file name
#define ZEL_TB_REC_UUID_FIRST 264      // float: first half of the drawing file's identifier
#define ZEL_TB_REC_UUID_SECOND 272     // float: second half
#define ZEL_TB_REC_REFUUID_FIRST 560   // float: first half of the reference identifier
#define ZEL_TB_REC_REFUUID_SECOND 568  // float: second half
#define ZEL_TB_SIGNATURE "ZELTBHD1"
#define ZEL_TB_SIGNATURE_LENGTH 8
#define ZEL_TB_RECORD_VERSION 1
#define ZEL_TB_NAME_LENGTH 70

// A 64-bit float field of a header record (records are byte buffers, so the
// field is copied, never read in place).
inline double ZelTbRecordDouble(const char* record, int offset) {
    double value = 0;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}
inline void ZelTbRecordSetDouble(char* record, int offset, double value) {
    std::memcpy(record + offset, &value, sizeof value);
}

// Results of the header record functions.
#define ZEL_TB_OK 0
#define ZEL_TB_NO_RECORD 101      // no such drawing file, or an empty file without header
#define ZEL_TB_DAMAGED 102        // shorter than a header record, or not a drawing-file header
#define ZEL_TB_UNREADABLE 103     // the file exists but cannot be opened or read
#define ZEL_TB_WRITE_FAILED 104   // the file could not be written
#define ZEL_TB_BAD_REFERENCE 105  // not the current unit, a number out of range, a wrong kind
#define ZEL_TB_EXISTS 106         // the target already is a drawing file with a header
#define ZEL_TB_END 107            // no further drawing file

// The most loaded drawing files kg_GetTbLoadedList reports.
#define ZEL_TB_LOADED_MAX 256
// The size of a drawing file's name from lfznamC ("tb000042.zdw" and its zero).
#define ZEL_TB_FILE_NAME_SIZE 16
// The directory kind of lfznamC and lfinigC for the unit's drawing files.
#define ZEL_DIR_KIND_PROJECT 1

extern "C" {

// The current unit.
ZELKAR_FILEACCESS_API int kgunit(void);
// The most drawing files one drawing may take.
ZELKAR_FILEACCESS_API int kgtbls(void);

// Reads the header record of drawing file `number` of `unit` into `record`
// (ZEL_TB_RECORD_SIZE bytes). ZEL_TB_OK when read; otherwise one of the
// results above and `record` is left as it was.
ZELKAR_FILEACCESS_API int read_teilbild_rec(int unit, int number, char* record);
// Writes `record` back as the header of the drawing file whose number the
// record carries (ZEL_TB_REC_NUMBER); the content after the header stays.
ZELKAR_FILEACCESS_API int update_teilbild_rec(int unit, const char* record);

// The number of drawing files of `unit` whose header record reads.
ZELKAR_FILEACCESS_API int get_teilbild_zahl(int unit);
// Steps through those drawing files in ascending number: given the number of
// the previous one in `*number` (0 to start), reads the next one's header
// into `record` and sets `*number` to it. ZEL_TB_END after the last one.
ZELKAR_FILEACCESS_API int read_teilbild_next(int unit, int* number, char* record);

// The identifier that a header record keeps as two floats: the UUID's 16
// bytes in their memory order, the first eight in `first`.
ZELKAR_FILEACCESS_API void convertdoubledouble2UUID(double first, double second, UUID* uuid);

// The drawings that use drawing file `number`. Mode 2 steps through them:
// `*counter` holds how many were reported before (0 on the first call); the
// next one's number goes to `*drawing` and `*counter` grows by one. 0 when
// one was found; 1 when there is none further (counter unchanged); 2 for
// another mode or unit, or a list that cannot be read.
ZELKAR_FILEACCESS_API int kpvtzs(int unit, int number, int* drawing, int* counter, int mode);

// The file name of drawing file `number` (class 0: drawing files; version 0:
// the current one) into `name` (ZEL_TB_FILE_NAME_SIZE bytes), its directory
// kind into `*dirKind` and the current unit into `*unit`. `*error` is 0, or
// non-zero for another class or version or a number out of range (nothing
// else is written then).
ZELKAR_FILEACCESS_API void lfznamC(int fileClass, int number, int version, int* dirKind, int* unit,
                                   char* name, int* error);
// The directory of a directory kind, ending with its separator, so that a
// name from lfznamC follows directly; "" for the current directory. Null for
// an unknown kind. The text belongs to the library until the next call.
ZELKAR_FILEACCESS_API const char* lfinigC(int dirKind);

// The drawing-file name of drawing file `number` into `name`
// (ZEL_TB_NAME_LENGTH + 1 bytes): blank padded to ZEL_TB_NAME_LENGTH
// characters and zero-terminated. ZEL_TB_OK or a header record result.
ZELKAR_FILEACCESS_API int ltbvhr(int unit, int number, char* name);

// The drawing files the host has loaded (kind ZEL_TB_REF_KIND; window 0:
// every window): their numbers and the kind under which each is loaded,
// at most ZEL_TB_LOADED_MAX entries into each array, their count into
// `*count`. 0, or ZEL_TB_BAD_REFERENCE for another kind or window.
ZELKAR_FILEACCESS_API int kg_GetTbLoadedList(int kind, int* numbers, int* kinds, int window,
                                             int* count);
}
