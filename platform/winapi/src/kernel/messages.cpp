// The last error and the system's message texts: FormatMessageA over the
// system table, a module's message table or a given string.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <vedrix/headless/modules.h>
#include <windows.h>

#include "kernel/format.h"
#include "kernel/modules.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

// The system table: the platform's English texts.
const VedrixMessageEntry kSystemMessages[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_INVALID_FUNCTION, "Incorrect function.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY,
     "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_INVALID_DATA, "The data is invalid.\r\n"},
    {ERROR_OUTOFMEMORY,
     "Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_INVALID_DRIVE, "The system cannot find the drive specified.\r\n"},
    {ERROR_CURRENT_DIRECTORY, "The directory cannot be removed.\r\n"},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive.\r\n"},
    {ERROR_NO_MORE_FILES, "There are no more files.\r\n"},
    {ERROR_WRITE_PROTECT, "The media is write protected.\r\n"},
    {ERROR_GEN_FAILURE, "A device attached to the system is not functioning.\r\n"},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_LOCK_VIOLATION,
     "The process cannot access the file because another process has locked a portion of the "
     "file.\r\n"},
    {ERROR_HANDLE_EOF, "Reached the end of the file.\r\n"},
    {ERROR_HANDLE_DISK_FULL, "The disk is full.\r\n"},
    {ERROR_NOT_SUPPORTED, "The request is not supported.\r\n"},
    {ERROR_FILE_EXISTS, "The file exists.\r\n"},
    {ERROR_CANNOT_MAKE, "The directory or file cannot be created.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_BROKEN_PIPE, "The pipe has been ended.\r\n"},
    {ERROR_DISK_FULL, "There is not enough space on the disk.\r\n"},
    {ERROR_CALL_NOT_IMPLEMENTED, "This function is not supported on this system.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.\r\n"},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, "The specified procedure could not be found.\r\n"},
    {ERROR_NEGATIVE_SEEK,
     "An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty.\r\n"},
    {ERROR_NOT_LOCKED, "The segment is already unlocked.\r\n"},
    {ERROR_BAD_PATHNAME, "The specified path is invalid.\r\n"},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists.\r\n"},
    {ERROR_BAD_EXE_FORMAT, "%1 is not a valid Win32 application.\r\n"},
    {ERROR_ENVVAR_NOT_FOUND,
     "The system could not find the environment option that was entered.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long.\r\n"},
    {ERROR_MORE_DATA, "More data is available.\r\n"},
    {ERROR_NO_MORE_ITEMS, "No more data is available.\r\n"},
    {ERROR_DIRECTORY, "The directory name is invalid.\r\n"},
    {ERROR_MR_MID_NOT_FOUND,
     "The system cannot find message text for message number 0x%1 in the message file for "
     "%2.\r\n"},
    {ERROR_INVALID_ADDRESS, "Attempt to access invalid address.\r\n"},
    {ERROR_INVALID_FLAGS, "Invalid flags.\r\n"},
    {ERROR_NOT_FOUND, "Element not found.\r\n"},
    {ERROR_CANCELLED, "The operation was canceled by the user.\r\n"},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.\r\n"},
    {ERROR_INVALID_MENU_HANDLE, "Invalid menu handle.\r\n"},
    {ERROR_INVALID_CURSOR_HANDLE, "Invalid cursor handle.\r\n"},
    {ERROR_INVALID_ACCEL_HANDLE, "Invalid accelerator table handle.\r\n"},
    {ERROR_INVALID_HOOK_HANDLE, "Invalid hook handle.\r\n"},
    {ERROR_INVALID_DWP_HANDLE, "Invalid handle to a multiple-window position structure.\r\n"},
    {ERROR_TLW_WITH_WSCHILD, "Cannot create a top-level child window.\r\n"},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.\r\n"},
    {ERROR_WINDOW_OF_OTHER_THREAD, "Invalid window; it belongs to other thread.\r\n"},
    {ERROR_HOTKEY_ALREADY_REGISTERED, "Hot key is already registered.\r\n"},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists.\r\n"},
    {ERROR_CLASS_DOES_NOT_EXIST, "Class does not exist.\r\n"},
    {ERROR_CLASS_HAS_WINDOWS, "Class still has open windows.\r\n"},
    {ERROR_INVALID_INDEX, "Invalid index.\r\n"},
    {ERROR_INVALID_ICON_HANDLE, "Invalid icon handle.\r\n"},
    {ERROR_CONTROL_ID_NOT_FOUND, "Control ID not found.\r\n"},
    {ERROR_TIMEOUT, "This operation returned because the timeout period expired.\r\n"},
    {ERROR_RESOURCE_DATA_NOT_FOUND,
     "The specified image file did not contain a resource section.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND,
     "The specified resource type cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_NAME_NOT_FOUND,
     "The specified resource name cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_LANG_NOT_FOUND,
     "The specified resource language ID cannot be found in the image file.\r\n"},
    {ERROR_NOT_ENOUGH_QUOTA, "Not enough quota is available to process this command.\r\n"},
    {ERROR_CANT_RESOLVE_FILENAME, "The name of the file cannot be resolved by the system.\r\n"},
    {1705, "The string universal unique identifier (UUID) is invalid.\r\n"},
    {0, nullptr},
};

const char* FindMessage(const VedrixMessageEntry* table, DWORD id) {
    if (table == nullptr) {
        return nullptr;
    }
    for (const VedrixMessageEntry* entry = table; entry->text != nullptr; ++entry) {
        if (entry->id == id) {
            return entry->text;
        }
    }
    return nullptr;
}

// Insert values: pointer-sized slots, from an array or read off a va_list.
class SlotArguments : public vedrix::winapi::kernel::FormatArguments {
public:
    SlotArguments(const std::vector<DWORD_PTR>& slots, size_t first)
        : m_slots(slots), m_next(first) {}
    std::int32_t NextInt32() override { return static_cast<std::int32_t>(Next()); }
    std::int64_t NextInt64() override { return static_cast<std::int64_t>(Next()); }
    const void* NextPointer() override { return reinterpret_cast<const void*>(Next()); }

private:
    DWORD_PTR Next() { return m_next < m_slots.size() ? m_slots[m_next++] : 0; }
    const std::vector<DWORD_PTR>& m_slots;
    size_t m_next;
};

// Reads an insert number (1 to 99) at p; returns the digits used, 0 if none.
size_t InsertNumber(const char* p, int& number) {
    if (*p < '1' || *p > '9') {
        return 0;
    }
    number = *p - '0';
    if (p[1] >= '0' && p[1] <= '9') {
        number = number * 10 + (p[1] - '0');
        return 2;
    }
    return 1;
}

// How many argument slots the text's inserts use (a "*" in an insert's
// format takes the slots after the insert's own).
size_t SlotsNeeded(const char* text) {
    size_t needed = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p != '%') {
            continue;
        }
        int number = 0;
        const size_t digits = InsertNumber(p + 1, number);
        if (digits == 0) {
            if (p[1] != '\0') {
                ++p;
            }
            continue;
        }
        size_t used = static_cast<size_t>(number);
        const char* q = p + 1 + digits;
        if (*q == '!') {
            const char* end = std::strchr(q + 1, '!');
            for (const char* s = q + 1; end != nullptr && s < end; ++s) {
                used += *s == '*' ? 1 : 0;
            }
        }
        needed = std::max(needed, used);
        p = q - 1;
    }
    return needed;
}

bool IsLineBreak(const char* p, size_t& length) {
    if (p[0] == '\r' && p[1] == '\n') {
        length = 2;
        return true;
    }
    if (p[0] == '\n') {
        length = 1;
        return true;
    }
    return false;
}

// Breaks lines longer than width at their last blank within the width (or
// within the word when there is none).
std::string Wrap(const std::string& text, size_t width) {
    std::string result;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find("\r\n", lineStart);
        const bool last = lineEnd == std::string::npos;
        if (last) {
            lineEnd = text.size();
        }
        std::string line = text.substr(lineStart, lineEnd - lineStart);
        while (line.size() > width) {
            size_t cut = line.rfind(' ', width);
            if (cut == std::string::npos || cut == 0) {
                result += line.substr(0, width) + "\r\n";
                line.erase(0, width);
            } else {
                result += line.substr(0, cut) + "\r\n";
                line.erase(0, cut + 1);
            }
        }
        result += line;
        if (last) {
            break;
        }
        result += "\r\n";
        lineStart = lineEnd + 2;
    }
    return result;
}

// Expands the message text. Returns false when an insert has no arguments.
bool Expand(const char* text, DWORD flags, va_list* arguments, std::string& out) {
    const DWORD widthMask = flags & FORMAT_MESSAGE_MAX_WIDTH_MASK;
    const bool ignoreInserts = (flags & FORMAT_MESSAGE_IGNORE_INSERTS) != 0;
    std::vector<DWORD_PTR> slots;
    if (!ignoreInserts) {
        const size_t needed = SlotsNeeded(text);
        if (needed > 0) {
            if (arguments == nullptr) {
                return false;
            }
            if ((flags & FORMAT_MESSAGE_ARGUMENT_ARRAY) != 0) {
                const DWORD_PTR* array = reinterpret_cast<const DWORD_PTR*>(arguments);
                slots.assign(array, array + needed);
            } else {
                va_list copy;
                va_copy(copy, *arguments);
                for (size_t i = 0; i < needed; ++i) {
                    slots.push_back(va_arg(copy, DWORD_PTR));
                }
                va_end(copy);
            }
        }
    }
    for (const char* p = text; *p != '\0';) {
        size_t breakLength = 0;
        if (IsLineBreak(p, breakLength)) {
            // A line break of the text itself: kept, or a blank when the
            // caller limits the width.
            out += widthMask != 0 ? std::string(" ") : std::string(p, breakLength);
            p += breakLength;
            continue;
        }
        if (*p != '%' || ignoreInserts) {
            out.push_back(*p++);
            continue;
        }
        const char code = p[1];
        if (code == '\0') {
            out.push_back('%');
            ++p;
            continue;
        }
        int number = 0;
        const size_t digits = InsertNumber(p + 1, number);
        if (digits != 0) {
            const char* q = p + 1 + digits;
            std::string conv = "s";
            if (*q == '!') {
                const char* end = std::strchr(q + 1, '!');
                if (end != nullptr) {
                    conv.assign(q + 1, end);
                    q = end + 1;
                }
            }
            SlotArguments args(slots, static_cast<size_t>(number) - 1);
            if (vedrix::winapi::kernel::FormatConversion(conv.data(), conv.data() + conv.size(),
                                                         args, out) == 0) {
                out += conv;
            }
            p = q;
            continue;
        }
        switch (code) {
            case '0':
                return true;  // the end of the message, without a line break
            case 'n':
                out += "\r\n";
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'b':
                out.push_back(' ');
                break;
            default:
                out.push_back(code);  // "%%", "% ", "%.", "%!" and the rest
                break;
        }
        p += 2;
    }
    if (widthMask != 0 && widthMask != FORMAT_MESSAGE_MAX_WIDTH_MASK) {
        out = Wrap(out, widthMask);
    }
    return true;
}

bool LanguageAccepted(DWORD languageId) {
    const DWORD primary = PRIMARYLANGID(languageId);
    return languageId == 0 || primary == LANG_NEUTRAL || primary == LANG_ENGLISH;
}

}  // namespace

extern "C" VEDRIX_WINAPI_VISIBLE const VedrixMessageEntry* VedrixMessageTable() {
    return kSystemMessages;
}

DWORD WINAPI GetLastError(void) {
    return t_lastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
    t_lastError = dwErrCode;
}

DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId,
                            LPSTR lpBuffer, DWORD nSize, va_list* Arguments) {
    if (lpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* text = nullptr;
    if ((dwFlags & FORMAT_MESSAGE_FROM_STRING) != 0) {
        text = static_cast<const char*>(lpSource);
        if (text == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
    } else {
        const bool fromModule = (dwFlags & FORMAT_MESSAGE_FROM_HMODULE) != 0;
        const bool fromSystem = (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) != 0;
        if (!fromModule && !fromSystem) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        if (!LanguageAccepted(dwLanguageId)) {
            SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
            return 0;
        }
        if (fromModule) {
            HMODULE module = static_cast<HMODULE>(const_cast<void*>(lpSource));
            text = FindMessage(vedrix::winapi::kernel::ModuleMessageTable(module), dwMessageId);
        }
        if (text == nullptr && fromSystem) {
            text = FindMessage(kSystemMessages, dwMessageId);
        }
        if (text == nullptr) {
            SetLastError(ERROR_MR_MID_NOT_FOUND);
            return 0;
        }
    }
    std::string out;
    if (!Expand(text, dwFlags, Arguments, out)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if ((dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
        const size_t size = std::max<size_t>(nSize, out.size() + 1);
        char* block = static_cast<char*>(LocalAlloc(LMEM_FIXED, size));
        if (block == nullptr) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 0;
        }
        std::memcpy(block, out.c_str(), out.size() + 1);
        *reinterpret_cast<char**>(lpBuffer) = block;
        return static_cast<DWORD>(out.size());
    }
    if (out.size() + 1 > nSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpBuffer, out.c_str(), out.size() + 1);
    return static_cast<DWORD>(out.size());
}
