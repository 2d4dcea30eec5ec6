// Reading a compiled extended dialog template.
#include "dialog_template.h"

namespace restest {

namespace {

constexpr DWORD kDsSetFontBit = 0x40;  // also part of DS_SHELLFONT

// A cursor over the template's bytes; every read checks the bounds.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }

    unsigned word() {
        if (!need(2)) {
            return 0;
        }
        const unsigned v =
            static_cast<unsigned>(data_[at_]) | (static_cast<unsigned>(data_[at_ + 1]) << 8);
        at_ += 2;
        return v;
    }

    DWORD dword() {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }

    short coordinate() { return static_cast<short>(static_cast<std::uint16_t>(word())); }

    void byte() {
        if (need(1)) {
            ++at_;
        }
    }

    // A zero-terminated UTF-16 string, its characters below 256 kept as
    // code-page bytes (the templates' texts are Windows-1252).
    std::string text() {
        std::string out;
        for (unsigned c = word(); ok_ && c != 0; c = word()) {
            out += static_cast<char>(c < 0x100 ? c : '?');
        }
        return out;
    }

    // A menu, class or title field: empty (0), an ordinal (0xFFFF, n) or a
    // string. An ordinal is given as "#n".
    std::string nameOrOrdinal() {
        if (!need(2)) {
            return {};
        }
        const unsigned first =
            static_cast<unsigned>(data_[at_]) | (static_cast<unsigned>(data_[at_ + 1]) << 8);
        if (first == 0xFFFF) {
            word();
            return "#" + std::to_string(word());
        }
        return text();
    }

    void skip(std::size_t n) {
        if (need(n)) {
            at_ += n;
        }
    }

    void alignToDword() { skip((4 - at_ % 4) % 4); }

private:
    bool need(std::size_t n) {
        ok_ = ok_ && n <= size_ - at_;
        return ok_;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// The predefined classes that a template names by ordinal.
std::string className(const std::string& field) {
    static const char* const names[] = {"Button",  "Edit",      "Static",
                                        "ListBox", "ScrollBar", "ComboBox"};
    if (field.size() > 1 && field[0] == '#') {
        const unsigned ordinal = static_cast<unsigned>(std::stoul(field.substr(1)));
        if (ordinal >= 0x80 && ordinal < 0x86) {
            return names[ordinal - 0x80];
        }
    }
    return field;
}

}  // namespace

bool parseDialogTemplate(const std::uint8_t* data, std::size_t size, ParsedDialog& out) {
    Reader in(data, size);
    if (in.word() != 1 || in.word() != 0xFFFF) {
        return false;  // not the extended form
    }
    VedrixDialogTemplate& d = out.dialog;
    in.dword();  // help context
    d.exStyle = in.dword();
    d.style = in.dword();
    const unsigned count = in.word();
    d.x = in.coordinate();
    d.y = in.coordinate();
    d.cx = in.coordinate();
    d.cy = in.coordinate();
    in.nameOrOrdinal();  // menu
    in.nameOrOrdinal();  // window class
    d.caption = out.strings.emplace_back(in.text()).c_str();
    d.fontName = "";
    if ((d.style & kDsSetFontBit) != 0) {
        d.fontSize = static_cast<WORD>(in.word());
        in.word();  // weight
        in.byte();  // italic
        in.byte();  // character set
        d.fontName = out.strings.emplace_back(in.text()).c_str();
    }
    for (unsigned i = 0; i < count && in.ok(); ++i) {
        in.alignToDword();
        VedrixDialogItem item{};
        in.dword();  // help context
        item.exStyle = in.dword();
        item.style = in.dword();
        item.x = in.coordinate();
        item.y = in.coordinate();
        item.cx = in.coordinate();
        item.cy = in.coordinate();
        item.id = static_cast<WORD>(in.dword());
        item.windowClass = out.strings.emplace_back(className(in.nameOrOrdinal())).c_str();
        item.text = out.strings.emplace_back(in.nameOrOrdinal()).c_str();
        in.skip(in.word());  // creation data
        if (in.ok()) {
            out.items.push_back(item);
        }
    }
    d.itemCount = static_cast<WORD>(out.items.size());
    d.items = out.items.data();
    return in.ok() && out.items.size() == count;
}

}  // namespace restest
