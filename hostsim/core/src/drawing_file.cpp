#include <vedrix/hostsim/drawing_file.h>

#include <vedrix/framework/file_save.h>
#include <vedrix/hostsim/binary_file.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/text_lines.h>

#include "file_handle.h"
#include "new_files.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace vedrix::hostsim {

namespace {

// The number of a name "tb" + six digits + ".zdw" (any case), else 0.
int NumberOfFileName(const char* name) {
    if (std::strlen(name) != 12 || (name[0] != 't' && name[0] != 'T') ||
        (name[1] != 'b' && name[1] != 'B') || name[8] != '.') {
        return 0;
    }
    int number = 0;
    for (int i = 2; i < 8; ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return 0;
        }
        number = number * 10 + (name[i] - '0');
    }
    for (int i = 9; i < 12; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != ".zdw"[i - 8]) {
            return 0;
        }
    }
    return number;
}

}  // namespace

// "tb" + the number in six digits + ".zdw", the digits written from the
// last: every call about a drawing file names it.
std::string DrawingFileName(int number) {
    if (number < 1 || number > ZEL_TB_NUMBER_MAX) {
        return std::string();
    }
    std::string name = "tb000000.zdw";
    for (std::size_t digit = 7; number > 0; --digit, number /= 10) {
        name[digit] = static_cast<char>('0' + number % 10);
    }
    return name;
}

std::string DrawingFilePath(const std::string& directory, int number) {
    const std::string name = DrawingFileName(number);
    return name.empty() ? name : JoinPath(directory, name);
}

bool PutDrawingFilePath(std::string& path, const std::string& directory, int number) {
    const std::string name = DrawingFileName(number);
    if (name.empty()) {
        path.clear();
        return false;
    }
    JoinPathInto(path, directory, name);
    return true;
}

std::vector<int> DrawingFileNumbers(const std::string& directory) {
    std::vector<int> numbers;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(directory, "tb*.zdw").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return numbers;
    }
    do {
        const int number = NumberOfFileName(found.cFileName);
        if (number > 0 && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            numbers.push_back(number);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

namespace {

// Reads the header record at the start of the file into `record` and checks
// it (only meaningful on ZEL_TB_OK): the one reading and checking of a
// header, which the name lookups do for every drawing file of a structure.
int ReadCheckedHeader(const FileHandle& file, char* record) {
    if (!file.open()) {
        return file.missing() ? ZEL_TB_NO_RECORD : ZEL_TB_UNREADABLE;
    }
    const long got = file.read(record, ZEL_TB_RECORD_SIZE);
    if (got < 0) {
        return ZEL_TB_UNREADABLE;
    }
    if (got == 0) {
        return ZEL_TB_NO_RECORD;
    }
    if (got < ZEL_TB_RECORD_SIZE || !IsHeaderRecord(record)) {
        return ZEL_TB_DAMAGED;
    }
    return ZEL_TB_OK;
}

// A drawing file's bytes: the header record, then the content.
std::string DrawingFileBytes(const char* record, std::string_view content) {
    std::string bytes(record, ZEL_TB_RECORD_SIZE);
    bytes.append(content);
    return bytes;
}

// Saves the whole file (bytes beginning with its header record), whose
// header this process then knows.
int WriteNotedFile(const std::string& path, const std::string& bytes) {
    if (!WriteWholeFile(path, bytes)) {
        return ZEL_TB_WRITE_FAILED;
    }
    NoteWrittenHeader(path, bytes.data());
    return ZEL_TB_OK;
}

// A header this process has just written into the file is not read again.
int ReadCheckedHeader(const std::string& path, char* record) {
    if (KnownHeader(path, record)) {
        return IsHeaderRecord(record) ? ZEL_TB_OK : ZEL_TB_DAMAGED;
    }
    const FileHandle file(path, GENERIC_READ, OPEN_EXISTING);
    return ReadCheckedHeader(file, record);
}

}  // namespace

int ReadHeaderRecord(const std::string& path, char* record) {
    char buffer[ZEL_TB_RECORD_SIZE];
    const int result = ReadCheckedHeader(path, buffer);
    if (result == ZEL_TB_OK) {
        std::memcpy(record, buffer, ZEL_TB_RECORD_SIZE);
    }
    return result;
}

int ReadHeader(const std::string& path, DrawingHeader& header) {
    char record[ZEL_TB_RECORD_SIZE];
    const int result = ReadCheckedHeader(path, record);
    if (result == ZEL_TB_OK) {
        DecodeHeader(record, header);
    }
    return result;
}

// The header record is changed by saving the whole file anew, so that a
// crash leaves the old or the new drawing file, never a torn header. A
// drawing file just made where none was, and still as it was left, holds
// nothing of the person's yet: its header is written in place.
int WriteHeaderRecord(const std::string& path, const char* record) {
    if (TakeNewFile(path)) {
        FileHandle file(path, GENERIC_WRITE, OPEN_EXISTING);
        if (file.open() && file.write(record, ZEL_TB_RECORD_SIZE)) {
            file.close();
            NoteWrittenHeader(path, record);
            return ZEL_TB_OK;
        }
    }
    std::string bytes;
    {
        FileHandle file(path, GENERIC_READ, OPEN_EXISTING);
        if (!file.open()) {
            return file.missing() ? ZEL_TB_NO_RECORD : ZEL_TB_WRITE_FAILED;
        }
        if (!file.readRest(bytes)) {
            return ZEL_TB_WRITE_FAILED;
        }
    }
    if (bytes.size() < ZEL_TB_RECORD_SIZE) {
        bytes.resize(ZEL_TB_RECORD_SIZE);
    }
    bytes.replace(0, ZEL_TB_RECORD_SIZE, record, ZEL_TB_RECORD_SIZE);
    return WriteNotedFile(path, bytes);
}

// Where no file is, the drawing file is made in place without a flush: there
// is nothing old to keep, and nothing refers to it yet.
int WriteNewDrawingFile(const std::string& path, const char* record, std::string_view content) {
    const std::string bytes = DrawingFileBytes(record, content);
    switch (framework::WriteNewFile(path.c_str(), bytes.data(), bytes.size())) {
        case framework::NewFileResult::kCreated:
            NoteNewFile(path, record);
            return ZEL_TB_OK;
        case framework::NewFileResult::kExists:
            return ZEL_TB_EXISTS;
        case framework::NewFileResult::kFailed:
            break;
    }
    return ZEL_TB_WRITE_FAILED;
}

int ReplaceDrawingFile(const std::string& path, const char* record, std::string_view content) {
    return WriteNotedFile(path, DrawingFileBytes(record, content));
}

int WriteDrawingFile(const std::string& path, const char* record, std::string_view content) {
    const int result = WriteNewDrawingFile(path, record, content);
    return result == ZEL_TB_EXISTS ? ReplaceDrawingFile(path, record, content) : result;
}

bool DeleteDrawingFile(const std::string& path) {
    ForgetFile(path);
    return DeleteFileA(path.c_str()) != FALSE;
}

int ReadDrawingFile(const std::string& path, char* record, std::string* content) {
    const FileHandle file(path, GENERIC_READ, OPEN_EXISTING);
    char buffer[ZEL_TB_RECORD_SIZE];
    const int result = ReadCheckedHeader(file, buffer);
    if (result != ZEL_TB_OK) {
        return result;
    }
    std::string rest;
    if (content != nullptr && !file.readRest(rest)) {
        return ZEL_TB_UNREADABLE;
    }
    std::memcpy(record, buffer, ZEL_TB_RECORD_SIZE);
    if (content != nullptr) {
        *content = std::move(rest);
    }
    return ZEL_TB_OK;
}

void UuidToHalves(const UUID& uuid, double halves[2]) {
    static_assert(sizeof(UUID) == 2 * sizeof(double));
    std::memcpy(halves, &uuid, sizeof uuid);
}

UUID HalvesToUuid(double first, double second) {
    const double halves[2] = {first, second};
    UUID uuid;
    std::memcpy(&uuid, halves, sizeof uuid);
    return uuid;
}

bool NewIdentifier(double halves[2]) {
    UUID uuid;
    if (UuidCreate(&uuid) != RPC_S_OK) {
        return false;
    }
    UuidToHalves(uuid, halves);
    return true;
}

}  // namespace vedrix::hostsim
