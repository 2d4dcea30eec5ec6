// The drawings of the current unit, kept in the project's drawings list.
#include <zelkar/business_basics.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/failures.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/text_lines.h>
#include <vedrix/hostsim/unit_files.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace vedrix::hostsim;

namespace {

constexpr int kFound = 0;
constexpr int kNone = 1;
constexpr int kBadRequest = 2;

// A drawing's name as the list keeps it: at most the field's length,
// trailing blanks dropped.
std::string DrawingName(const char* name) {
    std::string_view text(name);
    if (text.size() > ZEL_DRAWING_NAME_LENGTH) {
        text = text.substr(0, ZEL_DRAWING_NAME_LENGTH);
    }
    return TrimTrailingBlanks(text);
}

bool ReadUnitDrawings(const HostConfig& config, int kind, int unit,
                      std::vector<Drawing>& drawings) {
    return kind == 1 && unit == config.unit &&
           ReadDrawings(ProjectFile(config, kDrawingsFileName), drawings);
}

bool HasHeader(const HostConfig& config, int number) {
    std::string path;
    DrawingHeader header;
    return UnitDrawingFile(config, config.unit, number, path) &&
           ReadHeader(path, header) == ZEL_TB_OK;
}

}  // namespace

int vw_ze_get_nr(int kind, int unit, const char* name, int* number) {
    return Guarded(kBadRequest, [&] {
        const HostConfig config = CurrentHostConfig();
        std::vector<Drawing> drawings;
        if (name == nullptr || number == nullptr ||
            !ReadUnitDrawings(config, kind, unit, drawings)) {
            return kBadRequest;
        }
        const std::string wanted = DrawingName(name);
        for (const Drawing& drawing : drawings) {
            if (drawing.name == wanted) {
                *number = drawing.number;
                return kFound;
            }
        }
        return kNone;
    });
}

int vw_ze_delete(int kind, int unit, int number) {
    return Guarded(kBadRequest, [&] {
        const HostConfig config = CurrentHostConfig();
        std::vector<Drawing> drawings;
        if (!ReadUnitDrawings(config, kind, unit, drawings)) {
            return kBadRequest;
        }
        const auto found = std::find_if(drawings.begin(), drawings.end(),
                                        [&](const Drawing& d) { return d.number == number; });
        if (found == drawings.end()) {
            return kNone;
        }
        drawings.erase(found);
        return WriteDrawings(ProjectFile(config, kDrawingsFileName), drawings) ? kFound
                                                                               : kBadRequest;
    });
}

int ze_create_with_activeTbList(const char* name, const int* numbers, int count, int* number) {
    return Guarded(ZEL_ZE_REFUSED, [&] {
        const HostConfig config = CurrentHostConfig();
        int injected = 0;
        if (TakeInjectedFailure(config, "ze_create_with_activeTbList", injected)) {
            return injected;
        }
        if (name == nullptr || numbers == nullptr || number == nullptr || count <= 0 ||
            count > config.drawingLimit) {
            return ZEL_ZE_REFUSED;
        }
        const std::string drawingName = DrawingName(name);
        std::vector<Drawing> drawings;
        if (drawingName.empty() || !ReadUnitDrawings(config, 1, config.unit, drawings)) {
            return ZEL_ZE_REFUSED;
        }
        for (const Drawing& drawing : drawings) {
            if (drawing.name == drawingName) {
                return ZEL_ZE_NAME_EXISTS;
            }
        }
        Drawing made;
        made.name = drawingName;
        for (int i = 0; i < count; ++i) {
            if (!HasHeader(config, numbers[i])) {
                return ZEL_ZE_REFUSED;
            }
            made.drawingFiles.push_back(numbers[i]);
        }
        made.number = 1;
        for (const Drawing& drawing : drawings) {
            made.number = std::max(made.number, drawing.number + 1);
        }
        drawings.push_back(made);
        if (!WriteDrawings(ProjectFile(config, kDrawingsFileName), drawings)) {
            return ZEL_ZE_REFUSED;
        }
        *number = made.number;
        return std::strlen(name) > ZEL_DRAWING_NAME_LENGTH ? ZEL_ZE_CREATED_NAME_CUT
                                                           : ZEL_ZE_CREATED;
    });
}
