// "Zelkar_FileAccess20.dll" over the project on disk: header records are the
// first ZEL_TB_RECORD_SIZE bytes of the drawing files, the drawings list
// says which drawings use a drawing file, the configuration gives the unit,
// the drawing limit and the loaded drawing files.
#include <zelkar/file_access.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/failures.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/text_lines.h>
#include <vedrix/hostsim/unit_files.h>

#include <cstring>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

int kgunit(void) {
    return Guarded(0, [] { return CurrentHostConfig().unit; });
}

int kgtbls(void) {
    return Guarded(0, [] { return CurrentHostConfig().drawingLimit; });
}

int read_teilbild_rec(int unit, int number, char* record) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        std::string path;
        if (record == nullptr || !UnitDrawingFile(CurrentHostConfig(), unit, number, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        return ReadHeaderRecord(path, record);
    });
}

int update_teilbild_rec(int unit, const char* record) {
    return Guarded(ZEL_TB_WRITE_FAILED, [&] {
        const HostConfig config = CurrentHostConfig();
        int injected = 0;
        if (TakeInjectedFailure(config, "update_teilbild_rec", injected)) {
            return injected;
        }
        DrawingHeader header;
        if (record == nullptr) {
            return ZEL_TB_BAD_REFERENCE;
        }
        if (!DecodeHeader(record, header)) {
            return ZEL_TB_DAMAGED;
        }
        std::string path;
        if (!UnitDrawingFile(config, unit, header.number, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        return WriteHeaderRecord(path, record);
    });
}

int get_teilbild_zahl(int unit) {
    return Guarded(0, [&] {
        const HostConfig config = CurrentHostConfig();
        if (unit != config.unit) {
            return 0;
        }
        std::vector<char> record(ZEL_TB_RECORD_SIZE);
        int count = 0;
        for (const int number : DrawingFileNumbers(config.project)) {
            if (ReadHeaderRecord(DrawingFilePath(config.project, number), record.data()) ==
                ZEL_TB_OK) {
                ++count;
            }
        }
        return count;
    });
}

int read_teilbild_next(int unit, int* number, char* record) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        const HostConfig config = CurrentHostConfig();
        if (number == nullptr || record == nullptr || unit != config.unit) {
            return ZEL_TB_BAD_REFERENCE;
        }
        for (const int next : DrawingFileNumbers(config.project)) {
            if (next > *number &&
                ReadHeaderRecord(DrawingFilePath(config.project, next), record) == ZEL_TB_OK) {
                *number = next;
                return ZEL_TB_OK;
            }
        }
        return ZEL_TB_END;
    });
}

void convertdoubledouble2UUID(double first, double second, UUID* uuid) {
    if (uuid != nullptr) {
        *uuid = HalvesToUuid(first, second);
    }
}

int kpvtzs(int unit, int number, int* drawing, int* counter, int mode) {
    return Guarded(2, [&] {
        const HostConfig config = CurrentHostConfig();
        std::vector<Drawing> drawings;
        if (mode != 2 || drawing == nullptr || counter == nullptr || *counter < 0 ||
            unit != config.unit ||
            !ReadDrawings(ProjectFile(config, kDrawingsFileName), drawings)) {
            return 2;
        }
        int seen = 0;
        for (const Drawing& candidate : drawings) {
            bool uses = false;
            for (const int used : candidate.drawingFiles) {
                uses = uses || used == number;
            }
            if (uses && seen++ == *counter) {
                *drawing = candidate.number;
                ++*counter;
                return 0;
            }
        }
        return 1;
    });
}

void lfznamC(int fileClass, int number, int version, int* dirKind, int* unit, char* name,
             int* error) {
    Guarded([&] {
        const HostConfig config = CurrentHostConfig();
        int injected = 0;
        if (TakeInjectedFailure(config, "lfznamC", injected)) {
            if (error != nullptr) {
                *error = injected;
            }
            return;
        }
        const std::string fileName = DrawingFileName(number);
        const bool valid = fileClass == 0 && version == 0 && !fileName.empty() &&
                           dirKind != nullptr && unit != nullptr && name != nullptr;
        if (error != nullptr) {
            *error = valid ? 0 : 1;
        }
        if (!valid) {
            return;
        }
        *dirKind = ZEL_DIR_KIND_PROJECT;
        *unit = config.unit;
        CopyBounded(name, ZEL_TB_FILE_NAME_SIZE, fileName);
    });
}

const char* lfinigC(int dirKind) {
    static std::string directory;
    return Guarded(static_cast<const char*>(nullptr), [&]() -> const char* {
        if (dirKind != ZEL_DIR_KIND_PROJECT) {
            return nullptr;
        }
        // The directory with its separator, as JoinPath puts it before a name.
        directory = JoinPath(CurrentHostConfig().project, "");
        return directory.c_str();
    });
}

int ltbvhr(int unit, int number, char* name) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        std::string path;
        if (name == nullptr || !UnitDrawingFile(CurrentHostConfig(), unit, number, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        DrawingHeader header;
        const int result = ReadHeader(path, header);
        if (result != ZEL_TB_OK) {
            return result;
        }
        CopyPadded(name, header.name, ZEL_TB_NAME_LENGTH);
        return ZEL_TB_OK;
    });
}

int kg_GetTbLoadedList(int kind, int* numbers, int* kinds, int window, int* count) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        if (kind != ZEL_TB_REF_KIND || window != 0 || numbers == nullptr || kinds == nullptr ||
            count == nullptr) {
            return ZEL_TB_BAD_REFERENCE;
        }
        const HostConfig config = CurrentHostConfig();
        int n = 0;
        for (const LoadedDrawingFile& loaded : config.loaded) {
            if (n == ZEL_TB_LOADED_MAX) {
                break;
            }
            numbers[n] = loaded.number;
            kinds[n] = loaded.kind;
            ++n;
        }
        *count = n;
        return ZEL_TB_OK;
    });
}
