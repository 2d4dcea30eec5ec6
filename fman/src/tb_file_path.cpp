#include <vedrix/fman/tb_file_path.h>

#include <zelkar/file_access.h>
#include <zelkar/utility_general.h>

#include <windows.h>

#include <cstring>
#include <new>

TbFilePathResult GetTbFilePath(int number, std::unique_ptr<char[]>& path) {
    int dirKind = 0;
    int unit = 0;
    int error = 0;
    char name[ZEL_TB_FILE_NAME_SIZE] = {};
    lfznamC(0, number, 0, &dirKind, &unit, name, &error);
    if (error != 0) {
        return TbFilePathResult::kNoFile;
    }
    name[sizeof name - 1] = '\0';
    const char* directory = lfinigC(dirKind);
    if (directory == nullptr) {
        return TbFilePathResult::kFailed;
    }
    const std::size_t directoryLength = std::strlen(directory);
    const std::size_t nameLength = std::strlen(name);
    path.reset(new (std::nothrow) char[directoryLength + nameLength + 1]);
    if (!path) {
        return TbFilePathResult::kFailed;
    }
    std::memcpy(path.get(), directory, directoryLength);
    std::memcpy(path.get() + directoryLength, name, nameLength + 1);
    return TbFilePathResult::kFound;
}

bool FlushTbFiles(const unsigned int* numbers, int count) {
    bool flushed = true;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<char[]> path;
        if (GetTbFilePath(static_cast<int>(numbers[i]), path) != TbFilePathResult::kFound) {
            flushed = false;
            continue;
        }
        HANDLE file = CreateFileA(path.get(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            flushed = false;
            continue;
        }
        flushed = FlushFileBuffers(file) && flushed;
        CloseHandle(file);
    }
    return flushed;
}
