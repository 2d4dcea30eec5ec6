// Loading the language libraries and reading their data for the tests.
#include "resource_library.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace restest {

namespace {

std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

unsigned read16(const std::uint8_t* p) {
    return static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8);
}

std::vector<LoadedMenuItem> readMenu(HMENU menu) {
    std::vector<LoadedMenuItem> out;
    const int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        LoadedMenuItem item;
        const auto at = static_cast<UINT>(pos);
        char text[256];
        const int n = GetMenuStringA(menu, at, text, sizeof text, MF_BYPOSITION);
        item.text.assign(text, n > 0 ? static_cast<std::size_t>(n) : 0U);
        if (HMENU popup = GetSubMenu(menu, pos); popup != nullptr) {
            item.flags = kMfPopup;
            item.items = readMenu(popup);
        } else {
            item.flags = GetMenuState(menu, at, MF_BYPOSITION) & kMfSeparator;
            item.id = item.flags == 0 ? GetMenuItemID(menu, pos) : 0U;
        }
        out.push_back(std::move(item));
    }
    return out;
}

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

}  // namespace

std::string programDirectory() {
    char buf[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) {
        return ".";
    }
    const std::string path(buf, n);
    return path.substr(0, path.find_last_of("\\/"));
}

// The library is loaded by its bare file name, so the platform's loader
// searches for it as it does for the host: beside the program first.
ResourceLibrary::ResourceLibrary(const std::string& fileName) : fileName_(fileName) {
    module_ = LoadLibraryA(fileName.c_str());
    if (module_ == nullptr) {
        error_ = "cannot load " + fileName + ": error " + std::to_string(GetLastError());
        return;
    }
#if VEDRIX_HEADLESS
    auto proc = reinterpret_cast<VedrixResourceTableProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "VedrixResourceTable")));
    if (proc == nullptr) {
        error_ = fileName + " does not export VedrixResourceTable";
        return;
    }
    table_ = proc();
    if (table_ == nullptr) {
        error_ = fileName + " returns no table";
    }
#endif
}

ResourceLibrary::~ResourceLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

const VedrixResource* ResourceLibrary::find(WORD type, WORD id) const {
    if (table_ == nullptr) {
        return nullptr;
    }
    for (DWORD i = 0; i < table_->count; ++i) {
        if (table_->entries[i].type == type && table_->entries[i].id == id) {
            return &table_->entries[i];
        }
    }
    return nullptr;
}

std::string ResourceLibrary::text(WORD id) const {
    if (module_ == nullptr) {
        return {};
    }
    // A string-table entry holds at most 65535 characters; the dialogs'
    // texts are far shorter, and a cut text would fail the checks.
    std::string buf(4096, '\0');
    const int n = LoadStringA(module_, id, buf.data(), static_cast<int>(buf.size()));
    buf.resize(n > 0 ? static_cast<std::size_t>(n) : 0U);
    return buf;
}

const VedrixDialogTemplate* ResourceLibrary::dialog(WORD id) const {
    DWORD size = 0;
    const void* data = lock(kRtDialog, id, size);
    if (data == nullptr) {
        return nullptr;
    }
#if VEDRIX_HEADLESS
    // The headless platform's resources hold the template already read.
    return static_cast<const VedrixDialogTemplate*>(data);
#else
    std::unique_ptr<ParsedDialog>& parsed = dialogs_[id];
    if (parsed == nullptr) {
        parsed = std::make_unique<ParsedDialog>();
        if (!parseDialogTemplate(static_cast<const std::uint8_t*>(data), size, *parsed)) {
            parsed.reset();
            return nullptr;
        }
    }
    return &parsed->dialog;
#endif
}

const VedrixMenu* ResourceLibrary::menu(WORD id) const {
    const VedrixResource* r = find(kRtMenu, id);
    return r == nullptr ? nullptr : static_cast<const VedrixMenu*>(r->data);
}

std::vector<LoadedMenuItem> ResourceLibrary::loadMenu(WORD id) const {
    HMENU menu = module_ != nullptr ? LoadMenuA(module_, MAKEINTRESOURCEA(id)) : nullptr;
    if (menu == nullptr) {
        return {};
    }
    std::vector<LoadedMenuItem> items = readMenu(menu);
    DestroyMenu(menu);
    return items;
}

std::vector<WORD> ResourceLibrary::names(WORD type) const {
    std::vector<WORD> out;
    if (module_ != nullptr) {
        EnumResourceNamesA(module_, MAKEINTRESOURCEA(type), collectName,
                           reinterpret_cast<LONG_PTR>(&out));
    }
    return out;
}

std::vector<WORD> ResourceLibrary::textIds() const {
    std::vector<WORD> out;
    for (WORD block : names(kRtString)) {
        for (unsigned k = 0; k < 16; ++k) {
            const auto id = static_cast<WORD>((block - 1U) * 16U + k);
            if (hasText(id)) {
                out.push_back(id);
            }
        }
    }
    return out;
}

const void* ResourceLibrary::lock(WORD type, WORD id, DWORD& size) const {
    HRSRC info = module_ != nullptr
                     ? FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type))
                     : nullptr;
    HGLOBAL handle = info != nullptr ? LoadResource(module_, info) : nullptr;
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    size = data != nullptr ? SizeofResource(module_, info) : 0U;
    return data;
}

std::vector<std::uint8_t> ResourceLibrary::data(WORD type, WORD id) const {
    DWORD size = 0;
    const auto* p = static_cast<const std::uint8_t*>(lock(type, id, size));
    return p == nullptr ? std::vector<std::uint8_t>() : std::vector<std::uint8_t>(p, p + size);
}

const ResourceLibrary& english() {
    static const ResourceLibrary lib("vedr_en.dll");
    return lib;
}

const ResourceLibrary& german() {
    static const ResourceLibrary lib("vedr_de.dll");
    return lib;
}

const std::vector<const ResourceLibrary*>& libraries() {
    static const std::vector<const ResourceLibrary*> all = {&english(), &german()};
    return all;
}

Bmp parseDib(const std::uint8_t* data, std::size_t size, int heightDivisor) {
    Bmp bmp;
    if (size < 40 || read32(data) != 40) {
        bmp.fault = "no BITMAPINFOHEADER";
        return bmp;
    }
    const auto width = static_cast<std::int32_t>(read32(data + 4));
    const auto rawHeight = static_cast<std::int32_t>(read32(data + 8));
    const unsigned planes = read16(data + 12);
    bmp.bits = static_cast<int>(read16(data + 14));
    const std::uint32_t compression = read32(data + 16);
    const std::uint32_t imageSize = read32(data + 20);
    std::uint32_t colours = read32(data + 32);
    if (width <= 0 || rawHeight == 0 || rawHeight % heightDivisor != 0) {
        bmp.fault = "bad size";
        return bmp;
    }
    if (planes != 1 || compression != 0) {
        bmp.fault = "planes must be 1 and the data uncompressed";
        return bmp;
    }
    if (bmp.bits != 1 && bmp.bits != 4 && bmp.bits != 8 && bmp.bits != 24) {
        bmp.fault = "unsupported bits per pixel";
        return bmp;
    }
    if (bmp.bits <= 8 && colours == 0) {
        colours = 1U << bmp.bits;
    }
    if (bmp.bits <= 8 && colours > (1U << bmp.bits)) {
        bmp.fault = "more colours than the bits can index";
        return bmp;
    }
    const bool bottomUp = rawHeight > 0;
    bmp.width = width;
    bmp.height = (bottomUp ? rawHeight : -rawHeight) / heightDivisor;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bmp.bits + 31) / 32) * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(bmp.height);
    const std::size_t tableBytes = bmp.bits <= 8 ? colours * 4 : 0;
    if (imageSize != 0 && imageSize != pixelBytes) {
        bmp.fault = "biSizeImage differs from the rows' size";
        return bmp;
    }
    if (40 + tableBytes + pixelBytes > size) {
        bmp.fault = "the data is shorter than the header says";
        return bmp;
    }
    const std::uint8_t* table = data + 40;
    const std::uint8_t* rows = table + tableBytes;
    bmp.pixels.resize(static_cast<std::size_t>(bmp.width) * static_cast<std::size_t>(bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        const int fileRow = bottomUp ? bmp.height - 1 - y : y;
        const std::uint8_t* row = rows + stride * static_cast<std::size_t>(fileRow);
        for (int x = 0; x < bmp.width; ++x) {
            std::uint32_t rgb = 0;
            if (bmp.bits == 24) {
                const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
                rgb = (static_cast<std::uint32_t>(p[2]) << 16) |
                      (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
            } else {
                const std::size_t bit =
                    static_cast<std::size_t>(x) * static_cast<std::size_t>(bmp.bits);
                const unsigned index =
                    (row[bit / 8] >> (8 - bmp.bits - static_cast<int>(bit % 8))) &
                    ((1U << bmp.bits) - 1);
                if (index >= colours) {
                    bmp.fault = "a pixel indexes past the colour table";
                    return bmp;
                }
                const std::uint8_t* q = table + index * 4;
                rgb = (static_cast<std::uint32_t>(q[2]) << 16) |
                      (static_cast<std::uint32_t>(q[1]) << 8) | q[0];
            }
            bmp.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(bmp.width) +
                       static_cast<std::size_t>(x)] = rgb;
        }
    }
    return bmp;
}

Bmp parseBmp(const std::uint8_t* data, std::size_t size) {
    Bmp bmp;
    if (size < 14 + 40 || data[0] != 'B' || data[1] != 'M') {
        bmp.fault = "no BMP file header";
        return bmp;
    }
    if (read32(data + 2) != size) {
        bmp.fault = "bfSize differs from the file's size";
        return bmp;
    }
    const std::uint32_t offBits = read32(data + 10);
    const unsigned bits = read16(data + 14 + 14);
    std::uint32_t colours = read32(data + 14 + 32);
    if (bits <= 8 && colours == 0) {
        colours = 1U << bits;
    }
    const std::uint32_t expected = 14 + 40 + (bits <= 8 ? colours * 4 : 0);
    if (offBits != expected) {
        bmp.fault = "bfOffBits does not point behind the colour table";
        return bmp;
    }
    bmp = parseDib(data + 14, size - 14, 1);
    if (bmp.fault.empty()) {
        const std::size_t stride = ((static_cast<std::size_t>(bmp.width) * bmp.bits + 31) / 32) * 4;
        if (offBits + stride * static_cast<std::size_t>(bmp.height) != size) {
            bmp.fault = "the file is longer than its rows";
        }
    }
    return bmp;
}

bool parseDlgInit(const std::vector<std::uint8_t>& block, std::vector<DlgInitEntry>& out) {
    std::size_t p = 0;
    while (p + 2 <= block.size()) {
        const WORD control = static_cast<WORD>(read16(&block[p]));
        if (control == 0) {
            return p + 2 == block.size();
        }
        if (p + 8 > block.size()) {
            return false;
        }
        DlgInitEntry e;
        e.control = control;
        e.message = static_cast<WORD>(read16(&block[p + 2]));
        const std::uint32_t len = read32(&block[p + 4]);
        p += 8;
        if (len == 0 || p + len > block.size() || block[p + len - 1] != 0) {
            return false;
        }
        e.text.assign(reinterpret_cast<const char*>(&block[p]), len - 1);
        p += len;
        out.push_back(e);
    }
    return false;
}

const VedrixDialogItem* findItem(const VedrixDialogTemplate& dlg, WORD id) {
    for (WORD i = 0; i < dlg.itemCount; ++i) {
        if (dlg.items[i].id == id) {
            return &dlg.items[i];
        }
    }
    return nullptr;
}

bool sameClass(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

int textWidth(const std::string& text) {
    int chars = 0;
    for (char c : text) {
        if (c != '&') {  // an access-key marker is not drawn
            ++chars;
        }
    }
    return 7 * chars;
}

void collectMenuItems(const VedrixMenuItem* items, WORD count,
                      std::vector<const VedrixMenuItem*>& out) {
    for (WORD i = 0; i < count; ++i) {
        out.push_back(&items[i]);
        if ((items[i].flags & kMfPopup) != 0) {
            collectMenuItems(items[i].items, items[i].itemCount, out);
        }
    }
}

std::u16string toUtf16(const std::string& cp1252) {
    static const char16_t high[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::u16string out;
    for (char ch : cp1252) {
        const auto c = static_cast<unsigned char>(ch);
        out += c >= 0x80 && c < 0xA0 ? high[c - 0x80] : static_cast<char16_t>(c);
    }
    return out;
}

}  // namespace restest
