// Dialog templates: a resource table's templates, and the platform's binary
// layout (header, then menu, class and title as 0x0000, 0xFFFF + ordinal or a
// UTF-16 string, the font when DS_SETFONT, then DWORD-aligned items with their
// class, title and creation data). Characters beyond 8 bits become '?'.
#include "dialog/template.h"

#include <cstring>

namespace vedrix::winapi {
namespace {

class Reader {
public:
    explicit Reader(const void* data) : p_(static_cast<const unsigned char*>(data)) {}

    WORD word() {
        WORD w;
        std::memcpy(&w, p_, sizeof(w));
        p_ += sizeof(w);
        return w;
    }
    DWORD dword() {
        DWORD d;
        std::memcpy(&d, p_, sizeof(d));
        p_ += sizeof(d);
        return d;
    }
    short shortValue() { return static_cast<short>(word()); }
    BYTE byte() { return *p_++; }

    std::string string() {
        std::string s;
        for (WORD c = word(); c; c = word()) {
            s.push_back(c < 256 ? static_cast<char>(c) : '?');
        }
        return s;
    }

    // A menu, class or title field: nothing, an ordinal, or a string.
    std::string nameOrOrdinal(WORD* ordinal) {
        *ordinal = 0;
        WORD first;
        std::memcpy(&first, p_, sizeof(first));
        if (first == 0) {
            p_ += 2;
            return "";
        }
        if (first == 0xFFFF) {
            p_ += 2;
            *ordinal = word();
            return "";
        }
        return string();
    }

    void alignDword(const void* base) {
        auto offset = static_cast<size_t>(p_ - static_cast<const unsigned char*>(base));
        p_ += (4 - offset % 4) % 4;
    }
    void skip(size_t n) { p_ += n; }

private:
    const unsigned char* p_;
};

std::string predefinedClass(WORD atom) {
    switch (atom) {
        case 0x0080:
            return "Button";
        case 0x0081:
            return "Edit";
        case 0x0082:
            return "Static";
        case 0x0083:
            return "ListBox";
        case 0x0084:
            return "ScrollBar";
        case 0x0085:
            return "ComboBox";
        default:
            return "#" + std::to_string(atom);
    }
}

}  // namespace

DialogLayout specFromTable(const VedrixDialogTemplate& t, int templateId) {
    DialogLayout s;
    s.style = t.style;
    s.exStyle = t.exStyle;
    s.x = t.x;
    s.y = t.y;
    s.cx = t.cx;
    s.cy = t.cy;
    s.caption = t.caption ? t.caption : "";
    s.fontName = t.fontName ? t.fontName : "";
    s.fontSize = t.fontSize;
    s.templateId = templateId;
    for (WORD i = 0; t.items && i < t.itemCount; ++i) {
        const VedrixDialogItem& it = t.items[i];
        DialogItemSpec d;
        d.id = it.id;
        d.windowClass = it.windowClass ? it.windowClass : "";
        d.text = it.text ? it.text : "";
        d.style = it.style;
        d.exStyle = it.exStyle;
        d.x = it.x;
        d.y = it.y;
        d.cx = it.cx;
        d.cy = it.cy;
        s.items.push_back(d);
    }
    return s;
}

DialogLayout specFromBinary(const void* data) {
    DialogLayout s;
    Reader r(data);
    WORD first = r.word();
    WORD second = r.word();
    bool extended = first == 1 && second == 0xFFFF;
    WORD count;
    if (extended) {
        r.dword();  // help identifier
        s.exStyle = r.dword();
        s.style = r.dword();
    } else {
        s.style = static_cast<DWORD>(first) | (static_cast<DWORD>(second) << 16);
        s.exStyle = r.dword();
    }
    count = r.word();
    s.x = r.shortValue();
    s.y = r.shortValue();
    s.cx = r.shortValue();
    s.cy = r.shortValue();
    WORD ordinal;
    r.nameOrOrdinal(&ordinal);  // menu: dialogs here have none
    s.windowClass = r.nameOrOrdinal(&ordinal);
    if (ordinal) {
        s.windowClass = predefinedClass(ordinal);
    }
    s.caption = r.string();
    if (s.style & DS_SETFONT) {
        s.fontSize = r.word();
        if (extended) {
            r.word();  // weight
            r.byte();  // italic
            r.byte();  // character set
        }
        s.fontName = r.string();
    }
    for (WORD i = 0; i < count; ++i) {
        r.alignDword(data);
        DialogItemSpec d;
        if (extended) {
            r.dword();  // help identifier
            d.exStyle = r.dword();
            d.style = r.dword();
        } else {
            d.style = r.dword();
            d.exStyle = r.dword();
        }
        d.x = r.shortValue();
        d.y = r.shortValue();
        d.cx = r.shortValue();
        d.cy = r.shortValue();
        d.id = extended ? static_cast<WORD>(r.dword()) : r.word();
        d.windowClass = r.nameOrOrdinal(&ordinal);
        if (ordinal) {
            d.windowClass = predefinedClass(ordinal);
        }
        d.text = r.nameOrOrdinal(&ordinal);
        if (ordinal) {
            d.text = "#" + std::to_string(ordinal);
        }
        // The creation data's size counts its own size word in the old layout.
        WORD extra = r.word();
        r.skip(extended ? extra : (extra >= 2 ? extra - 2u : 0u));
        s.items.push_back(d);
    }
    return s;
}

}  // namespace vedrix::winapi
