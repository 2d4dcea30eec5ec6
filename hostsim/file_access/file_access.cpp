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
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

using namespace vedrix::hostsim;

int kgunit(void) {
    return Guarded(0, [] { return SharedHostConfig()->unit; });
}

int kgtbls(void) {
    return Guarded(0, [] { return SharedHostConfig()->drawingLimit; });
}

int read_teilbild_rec(int unit, int number, char* record) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        std::string path;
        if (record == nullptr || !UnitDrawingFile(*SharedHostConfig(), unit, number, path)) {
            return ZEL_TB_BAD_REFERENCE;
        }
        return ReadHeaderRecord(path, record);
    });
}

int update_teilbild_rec(int unit, const char* record) {
    return Guarded(ZEL_TB_WRITE_FAILED, [&] {
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
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
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
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
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
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

namespace {

// For each drawing file, the drawings that use it, in the list's order: built
// once for each drawings list read, so that asking about one drawing file
// does not walk every drawing of the list.
class DrawingUsers {
public:
    const std::vector<int>* of(const std::shared_ptr<const std::vector<Drawing>>& drawings,
                               int number) {
        if (drawings != m_indexed) {
            m_users.clear();
            for (const Drawing& candidate : *drawings) {
                for (const int used : candidate.drawingFiles) {
                    // A drawing that names a file twice uses it once.
                    const Drawing*& last = m_lastUser[used];
                    if (last != &candidate) {
                        m_users[used].push_back(candidate.number);
                        last = &candidate;
                    }
                }
            }
            m_lastUser.clear();
            m_indexed = drawings;
        }
        const auto found = m_users.find(number);
        return found != m_users.end() ? &found->second : nullptr;
    }

private:
    std::shared_ptr<const std::vector<Drawing>> m_indexed;
    std::unordered_map<int, std::vector<int>> m_users;
    std::unordered_map<int, const Drawing*> m_lastUser;
};

}  // namespace

int kpvtzs(int unit, int number, int* drawing, int* counter, int mode) {
    return Guarded(2, [&] {
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
        if (mode != 2 || drawing == nullptr || counter == nullptr || *counter < 0 ||
            unit != config.unit) {
            return 2;
        }
        const auto drawings = SharedDrawings(ProjectFile(config, kDrawingsFileName));
        if (!drawings) {
            return 2;
        }
        // The host calls its libraries on its user-interface thread only.
        static DrawingUsers index;
        const std::vector<int>* users = index.of(drawings, number);
        if (users == nullptr || static_cast<std::size_t>(*counter) >= users->size()) {
            return 1;
        }
        *drawing = (*users)[static_cast<std::size_t>(*counter)];
        ++*counter;
        return 0;
    });
}

void lfznamC(int fileClass, int number, int version, int* dirKind, int* unit, char* name,
             int* error) {
    Guarded([&] {
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
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
        directory = JoinPath(SharedHostConfig()->project, "");
        return directory.c_str();
    });
}

int ltbvhr(int unit, int number, char* name) {
    return Guarded(ZEL_TB_UNREADABLE, [&] {
        std::string path;
        if (name == nullptr || !UnitDrawingFile(*SharedHostConfig(), unit, number, path)) {
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
        const auto held = SharedHostConfig();
        const HostConfig& config = *held;
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
