// Drawing files on disk: "tb" and the six-digit number, ".zdw", in the
// project directory; a header record of ZEL_TB_RECORD_SIZE bytes
// (<zelkar/file_access.h> names its fields) followed by free content.
#pragma once

#include <vedrix/hostsim/drawing_header.h>
#include <vedrix/hostsim/export.h>

#include <zelkar/file_access.h>

#include <string>
#include <string_view>
#include <vector>

namespace vedrix::hostsim {

// "tb000042.zdw"; "" for a number out of 1 to ZEL_TB_NUMBER_MAX.
VEDRIX_HOSTSIM_API std::string DrawingFileName(int number);
VEDRIX_HOSTSIM_API std::string DrawingFilePath(const std::string& directory, int number);
// DrawingFilePath into `path`, whose storage is reused; false (and `path`
// empty) for a number out of range.
VEDRIX_HOSTSIM_API bool PutDrawingFilePath(std::string& path, const std::string& directory,
                                           int number);

// The numbers of the drawing files in `directory` (names "tb", six digits,
// ".zdw", in any case), ascending.
VEDRIX_HOSTSIM_API std::vector<int> DrawingFileNumbers(const std::string& directory);

// Reads the header record of the file at `path` into `record`:
// ZEL_TB_OK, ZEL_TB_NO_RECORD (no file, or an empty one), ZEL_TB_DAMAGED
// (too short, or no header) or ZEL_TB_UNREADABLE. `record` is changed only
// on ZEL_TB_OK.
VEDRIX_HOSTSIM_API int ReadHeaderRecord(const std::string& path, char* record);
// Reads the header of the file at `path` as values; the results of
// ReadHeaderRecord, `header` changed only on ZEL_TB_OK.
VEDRIX_HOSTSIM_API int ReadHeader(const std::string& path, DrawingHeader& header);
// Rewrites the header record of an existing file, keeping what follows it:
// ZEL_TB_OK, ZEL_TB_NO_RECORD when there is no file, ZEL_TB_WRITE_FAILED.
VEDRIX_HOSTSIM_API int WriteHeaderRecord(const std::string& path, const char* record);
// Writes a whole drawing file, header and content, replacing any file there.
// Where there was no file, the new one is written in place and not flushed
// (nothing refers to it yet), and its header's first rewrite writes the
// record in place too; whoever makes it part of the person's data flushes it.
VEDRIX_HOSTSIM_API int WriteDrawingFile(const std::string& path, const char* record,
                                        std::string_view content);
// WriteDrawingFile where no file is; ZEL_TB_EXISTS, touching nothing, where
// one is.
VEDRIX_HOSTSIM_API int WriteNewDrawingFile(const std::string& path, const char* record,
                                           std::string_view content);
// WriteDrawingFile where a file is: the whole file saved anew in its place.
VEDRIX_HOSTSIM_API int ReplaceDrawingFile(const std::string& path, const char* record,
                                          std::string_view content);
// Deletes the drawing file at `path` (DeleteFileA); what this process knew
// of its header goes with it.
VEDRIX_HOSTSIM_API bool DeleteDrawingFile(const std::string& path);
// Reads the header record into `record` with the results of
// ReadHeaderRecord, and on ZEL_TB_OK, when `content` is given, the content
// after it too, from one opening of the file: ZEL_TB_UNREADABLE when that
// cannot be read. `record` and `content` are changed only on ZEL_TB_OK.
VEDRIX_HOSTSIM_API int ReadDrawingFile(const std::string& path, char* record, std::string* content);

// A header identifier's two halves are the UUID's 16 bytes in memory order.
VEDRIX_HOSTSIM_API void UuidToHalves(const UUID& uuid, double halves[2]);
VEDRIX_HOSTSIM_API UUID HalvesToUuid(double first, double second);
// A new random identifier as two halves. False when none could be made.
VEDRIX_HOSTSIM_API bool NewIdentifier(double halves[2]);

}  // namespace vedrix::hostsim
