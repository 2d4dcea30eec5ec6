// "Zelkar_UtilityUserInfo10.dll": user messages are shown in the platform's
// message box, with the text from the host's text table. A message the user
// does not want to see again is marked in the settings file (section 1, key
// "SuppressedMessages\<text number>" non-zero).
#include <zelkar/utility_user_info.h>

#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/guard.h>
#include <vedrix/hostsim/host_texts.h>
#include <vedrix/hostsim/settings.h>
#include <vedrix/hostsim/text_lines.h>

#include <windows.h>

#include <cstdio>
#include <string>

using namespace vedrix::hostsim;

namespace {

constexpr const char* kCaption = "Information";

// The host text with `text` in the place of its "%s", or after it on a line
// of its own; a number the table lacks is shown as "[number]".
std::string MessageText(const HostConfig& config, int textNumber, const char* text) {
    std::string message;
    if (!LookUpHostText(TextTablePath(config), static_cast<unsigned int>(textNumber), 0, message)) {
        // (made in a buffer and moved in: one cross compiler's optimiser
        // warns falsely about overlapping copies when a string is assigned
        // or concatenated in place here)
        char fallback[16];
        std::snprintf(fallback, sizeof fallback, "[%d]", textNumber);
        message = std::string(fallback);
    }
    const std::string insert = text != nullptr ? text : "";
    const std::size_t place = message.find("%s");
    if (place != std::string::npos) {
        message.replace(place, 2, insert);
    } else if (!insert.empty()) {
        message += "\n" + insert;
    }
    return message;
}

int Show(const HostConfig& config, int textNumber, const char* text) {
    const std::string message = MessageText(config, textNumber, text);
    return MessageBoxA(nullptr, message.c_str(), kCaption,
                       MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

bool Suppressed(const HostConfig& config, int textNumber) {
    std::string value;
    int flag = 0;
    return ReadSetting(config.settingsFile, 1, "SuppressedMessages\\" + std::to_string(textNumber),
                       value) &&
           ParseInt(value, flag) && flag != 0;
}

}  // namespace

int sendGuiMessage(int textNumber, const char* text) {
    return Guarded(0, [&] { return Show(CurrentHostConfig(), textNumber, text); });
}

int sendGuiMessageSuppress(int textNumber, const char* text) {
    return Guarded(0, [&] {
        const HostConfig config = CurrentHostConfig();
        return Suppressed(config, textNumber) ? 0 : Show(config, textNumber, text);
    });
}
