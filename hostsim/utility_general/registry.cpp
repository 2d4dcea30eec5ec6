// Numbers of the host's registry, kept in the configured settings file.
#include <zelkar/utility_general.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/settings.h>
#include <vedrix/hostsim/text_lines.h>

#include <string>

using namespace vedrix::hostsim;

int ZelRegGetNumber(int section, const char* key, int* value) {
    return Guarded(1, [&] {
        std::string text;
        int number = 0;
        if (key == nullptr || value == nullptr ||
            !ReadSetting(CurrentHostConfig().settingsFile, section, key, text) ||
            !ParseInt(text, number)) {
            return 1;
        }
        *value = number;
        return 0;
    });
}

int ZelRegPutNumber(int section, const char* key, int value) {
    return Guarded(1, [&] {
        if (key == nullptr || *key == '\0') {
            return 1;
        }
        return WriteSetting(CurrentHostConfig().settingsFile, section, key, std::to_string(value))
                   ? 0
                   : 1;
    });
}
