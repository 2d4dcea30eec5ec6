// The search for a drawing-file number that nothing in the project uses:
// not marked by the caller, not taken by a drawing, without a drawing file
// that has content, and without a file that could not be written over.
#include <vedrix/fman/free_tb_number.h>

#include <vedrix/fman/system_error_text.h>
#include <vedrix/fman/tb_file_path.h>

#include <zelkar/file_access.h>
#include <zelkar/utility_general.h>

#include <io.h>
#include <windows.h>

#include <memory>

namespace {

// kpvtzs mode that steps through the drawings using a drawing file.
constexpr int kDrawingsUsingTb = 2;

// True when a drawing of the host takes drawing file `number`.
bool TakenByDrawing(int unit, int number) {
    int drawing = 0;
    int counter = 0;
    kpvtzs(unit, number, &drawing, &counter, kDrawingsUsingTb);
    if (counter <= 0) {
        return false;
    }
    lfperrC("---> GetNextFreeTbNr(%d) skipped, TB(%d) is assigned by drawing (%d)!\n", number,
            number, drawing);
    return true;
}

// True when the drawing file's header record rules the number out: a header
// that is there but cannot be read, or one that says the drawing file has
// content. A number without header record passes.
bool TakenByHeader(int unit, int number) {
    char record[ZEL_TB_RECORD_SIZE] = {};
    const int result = read_teilbild_rec(unit, number, record);
    if (result != ZEL_TB_OK && result != ZEL_TB_NO_RECORD) {
        lfperrC("---> GetNextFreeTbNr(%d) skipped, TB(%d) already exists!\n", number, number);
        return true;
    }
    if (result == ZEL_TB_OK && record[ZEL_TB_REC_CONTENT] != 0) {
        lfperrC("---> GetNextFreeTbNr(%d) skipped, TB(%d) is not empty!\n", number, number);
        return true;
    }
    return false;
}

// Opens an existing file for appending and closes it again without writing:
// whether the number's file could take a drawing file. Never creates a file.
// On false, the system's last error says why.
bool OpensForAppending(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// True when the number's own file leaves it free: the host names no file for
// it, there is no file, or the file can be written. A path that cannot be
// built counts as taken, silently; a file that cannot be written is reported
// with the system's reason.
bool FileLeavesNumberFree(int number) {
    std::unique_ptr<char[]> path;
    switch (GetTbFilePath(number, path)) {
        case TbFilePathResult::kNoFile:
            return true;
        case TbFilePathResult::kFailed:
            return false;
        case TbFilePathResult::kFound:
            break;
    }
    if (_access(path.get(), 0) != 0 || OpensForAppending(path.get())) {
        return true;
    }
    const DWORD reason = GetLastError();
    lfperrC("---> GetNextFreeTbNr(%d) skipped, TB(%d) \"%s\" is not accessable:\n", number, number,
            path.get());
    lfperrC("---> %s\n", GetSystemErrorText(reason));
    return false;
}

}  // namespace

int GetNextFreeTbNr(int start, const TbNumberSlot* table) {
    const int unit = kgunit();
    for (int number = start < 1 ? 1 : start; number < kTbNumberEnd; ++number) {
        if (table != nullptr && table[number].taken != kTbFree) {
            continue;
        }
        if (TakenByDrawing(unit, number) || TakenByHeader(unit, number)) {
            continue;
        }
        if (FileLeavesNumberFree(number)) {
            return number;
        }
    }
    return -1;
}
