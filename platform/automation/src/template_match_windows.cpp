// Which dialog template a dialog window was made from, on a real screen: the
// window keeps the module it was created with (GWLP_HINSTANCE), and of that
// module's RT_DIALOG resources the one whose controls the window holds, most
// of them, is the template. Its caption decides between templates with the
// same controls.
#include "windows_queue.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace vedrix::automation::windows {

namespace {

struct TemplateSummary {
    int id = 0;
    std::wstring caption;
    std::vector<int> controls;  // identifiers other than the unnumbered (-1, 0xFFFF)
};

// Reads a template's words one after the other, within its size.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    WORD word() { return static_cast<WORD>(take(2)); }
    DWORD dword() { return take(4); }
    void skip(DWORD bytes) {
        if (at_ + bytes > size_) {
            ok_ = false;
            at_ = size_;
            return;
        }
        at_ += bytes;
    }
    void alignTo(DWORD unit) { skip((unit - at_ % unit) % unit); }
    // A name or a number (0xFFFF then the number); the name's text, "" for a number.
    std::wstring nameOrNumber() {
        WORD first = word();
        if (first == 0xFFFF) {
            word();
            return L"";
        }
        std::wstring text;
        for (WORD c = first; ok_ && c != 0; c = word()) {
            text.push_back(static_cast<wchar_t>(c));
        }
        return text;
    }
    std::wstring text() {
        std::wstring out;
        for (WORD c = word(); ok_ && c != 0; c = word()) {
            out.push_back(static_cast<wchar_t>(c));
        }
        return out;
    }

private:
    DWORD take(DWORD bytes) {
        if (at_ + bytes > size_) {
            ok_ = false;
            at_ = size_;
            return 0;
        }
        DWORD value = 0;
        std::memcpy(&value, data_ + at_, bytes);
        at_ += bytes;
        return value;
    }

    const BYTE* data_;
    DWORD size_;
    DWORD at_ = 0;
    bool ok_ = true;
};

// The caption and control identifiers of a DLGTEMPLATE or DLGTEMPLATEEX.
bool summarise(const BYTE* data, DWORD size, TemplateSummary& out) {
    TemplateReader r(data, size);
    bool extended = size >= 4 && data[2] == 0xFF && data[3] == 0xFF;
    DWORD style = 0;
    WORD count = 0;
    if (extended) {
        r.skip(4 + 4 + 4);  // version and signature, help id, extended style
        style = r.dword();
    } else {
        style = r.dword();
        r.skip(4);  // extended style
    }
    count = r.word();
    r.skip(4 * 2);     // x, y, cx, cy
    r.nameOrNumber();  // menu
    r.nameOrNumber();  // class
    out.caption = r.text();
    if (style & (DS_SETFONT | DS_FIXEDSYS)) {
        r.skip(extended ? 2 + 2 + 1 + 1 : 2);  // point size (weight, italic, charset)
        r.text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.alignTo(4);
        int id = 0;
        if (extended) {
            r.skip(4 + 4 + 4 + 4 * 2);  // help id, extended style, style, position
            id = static_cast<int>(r.dword());
        } else {
            r.skip(4 + 4 + 4 * 2);  // style, extended style, position
            id = static_cast<int>(static_cast<short>(r.word()));
        }
        r.nameOrNumber();  // class
        r.nameOrNumber();  // title
        r.skip(r.word());  // creation data
        if (id != -1 && id != 0xFFFF) {
            out.controls.push_back(id);
        }
    }
    return r.ok();
}

BOOL CALLBACK collectTemplate(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    if (!IS_INTRESOURCE(name)) {
        return TRUE;
    }
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        return TRUE;
    }
    TemplateSummary summary;
    summary.id = static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
    if (summarise(static_cast<const BYTE*>(data), SizeofResource(module, found), summary)) {
        reinterpret_cast<std::vector<TemplateSummary>*>(param)->push_back(std::move(summary));
    }
    return TRUE;
}

std::wstring windowCaption(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

}  // namespace

int templateOf(HWND dialog) {
    // A dialog created without a module takes its template from the program.
    auto module = reinterpret_cast<HMODULE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    if (!module) {
        module = GetModuleHandleW(nullptr);
    }
    std::vector<TemplateSummary> templates;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, collectTemplate,
                       reinterpret_cast<LONG_PTR>(&templates));
    std::set<int> present;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        present.insert(GetDlgCtrlID(child));
    }
    std::wstring caption = windowCaption(dialog);
    int best = 0;
    long bestScore = -1;
    for (const TemplateSummary& t : templates) {
        bool allThere = true;
        for (int id : t.controls) {
            allThere = allThere && present.count(id) > 0;
        }
        if (!allThere) {
            continue;
        }
        long score = static_cast<long>(t.controls.size()) * 2 + (t.caption == caption ? 1 : 0);
        if (score > bestScore) {
            bestScore = score;
            best = t.id;
        }
    }
    return best;
}

}  // namespace vedrix::automation::windows
