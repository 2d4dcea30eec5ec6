#include <vedrix/hostsim/unit_files.h>

#include <vedrix/hostsim/drawing_file.h>

namespace vedrix::hostsim {

bool UnitDrawingFile(const HostConfig& config, int unit, int number, std::string& path) {
    if (unit != config.unit || number < 1 || number > ZEL_TB_NUMBER_MAX) {
        return false;
    }
    path = DrawingFilePath(config.project, number);
    return true;
}

}  // namespace vedrix::hostsim
