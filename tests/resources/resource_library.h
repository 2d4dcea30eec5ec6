// Access to the language resource libraries for the tests: loading a library
// by its file name through the platform's loader (which finds it beside the
// program, as the host's does), reading its texts through the platform's
// resource functions, as the dialogs do, looking resources up in the table
// that a headless library exports, and readers of the data that the table
// carries (BMP files, list-entry blocks).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <vedrix/headless/resource_table.h>

#include "dialog_template.h"

namespace restest {

constexpr WORD kRtCursor = 1;
constexpr WORD kRtBitmap = 2;
constexpr WORD kRtIcon = 3;
constexpr WORD kRtMenu = 4;
constexpr WORD kRtDialog = 5;
constexpr WORD kRtString = 6;
constexpr WORD kRtGroupIcon = 14;
constexpr WORD kRtDlgInit = 240;

constexpr WORD kIdOk = 1;
constexpr WORD kIdCancel = 2;
constexpr WORD kIdStatic = 0xFFFF;

// Platform constants the checks look at.
constexpr DWORD kWsChild = 0x40000000;
constexpr DWORD kWsVisible = 0x10000000;
constexpr DWORD kDsSetFont = 0x40;
constexpr DWORD kMfPopup = 0x10;
constexpr DWORD kMfSeparator = 0x800;

// The directory of the running program.
std::string programDirectory();

// A menu item as the platform's menu functions report it after LoadMenuA.
struct LoadedMenuItem {
    UINT flags = 0;  // kMfPopup or kMfSeparator, or 0 for a command
    UINT id = 0;     // the command; 0 for popups and separators
    std::string text;
    std::vector<LoadedMenuItem> items;  // a popup's own items
};

// One loaded language library.
class ResourceLibrary {
public:
    explicit ResourceLibrary(const std::string& fileName);
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    const std::string& fileName() const { return fileName_; }
    // Empty when the library loaded and exports its table.
    const std::string& error() const { return error_; }
    HMODULE module() const { return module_; }
    // The library's headless resource table; null on a real Windows API,
    // where the resources are compiled into the library's resource section.
    const VedrixResourceDirectory* table() const { return table_; }

    const VedrixResource* find(WORD type, WORD id) const;
    // The text as LoadStringA gives it; empty when there is none.
    std::string text(WORD id) const;
    bool hasText(WORD id) const { return !text(id).empty(); }
    // The dialog template that the platform's dialog functions get from the
    // library; null when there is none or it is unsound.
    const VedrixDialogTemplate* dialog(WORD id) const;
    const VedrixMenu* menu(WORD id) const;
    // The menu that LoadMenuA builds from the library, read back through the
    // platform's menu functions; empty when the library has no such menu.
    std::vector<LoadedMenuItem> loadMenu(WORD id) const;
    // The numbers of the library's resources of a type, ascending, as
    // EnumResourceNamesA gives them.
    std::vector<WORD> names(WORD type) const;
    // The numbers of the library's texts, ascending: the string table's
    // blocks of sixteen, each number that LoadStringA finds a text for.
    std::vector<WORD> textIds() const;
    // A resource's bytes as LockResource gives them; empty when there is none.
    std::vector<std::uint8_t> data(WORD type, WORD id) const;

private:
    // The resource's data as LockResource gives it, and its size.
    const void* lock(WORD type, WORD id, DWORD& size) const;

    std::string fileName_;
    std::string error_;
    HMODULE module_ = nullptr;
    const VedrixResourceDirectory* table_ = nullptr;
    // Compiled templates read once (a real Windows API only).
    mutable std::map<WORD, std::unique_ptr<ParsedDialog>> dialogs_;
};

// The two libraries, loaded once for all tests.
const ResourceLibrary& english();
const ResourceLibrary& german();
const std::vector<const ResourceLibrary*>& libraries();

// A BMP file, checked: `fault` names the first inconsistency, empty when the
// file is sound.
struct Bmp {
    std::string fault;
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, top row first

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};
Bmp parseBmp(const std::uint8_t* data, std::size_t size);
// The pixels of a BITMAPINFOHEADER and what follows (a BMP without its file
// header, as resource files hold it); `heightDivisor` 2 for icon images.
Bmp parseDib(const std::uint8_t* data, std::size_t size, int heightDivisor);

// One entry of a list-entry block: control, message, text.
struct DlgInitEntry {
    WORD control = 0;
    WORD message = 0;
    std::string text;
};
// False when the block is malformed.
bool parseDlgInit(const std::vector<std::uint8_t>& block, std::vector<DlgInitEntry>& out);

const VedrixDialogItem* findItem(const VedrixDialogTemplate& dlg, WORD id);

// Case-insensitive comparison of window class names, as the platform does.
bool sameClass(const char* a, const char* b);

// Pixel width of a text with the headless platform's fixed metrics.
int textWidth(const std::string& text);

// The texts of a menu in tree order: popups first, then their items.
void collectMenuItems(const VedrixMenuItem* items, WORD count,
                      std::vector<const VedrixMenuItem*>& out);

// Code-page (Windows-1252) bytes to UTF-16, as the resource compiler does.
std::u16string toUtf16(const std::string& cp1252);

}  // namespace restest
