// Readers of the resource source (vedrix.res) and of the language files
// (lang/<code>.txt). Both are line-based: a line holds words and quoted
// strings, "#" starts a comment outside quotes, and blocks end with "end".
// The rows of an image are read as they stand, one row a line.
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "resgen.h"

namespace resgen {

namespace {

struct Token {
    bool quoted = false;
    std::string text;
};

// The lines of one file with a read position.
class Lines {
public:
    explicit Lines(const std::string& path) : path_(path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            throw SourceError(Location{path, 0}, "cannot open the file");
        }
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines_.push_back(line);
        }
    }

    bool atEnd() const { return next_ >= lines_.size(); }
    Location where() const { return Location{path_, static_cast<int>(current_ + 1)}; }
    const std::string& path() const { return path_; }

    // The next line that holds a token, tokenized; false at the end.
    bool nextTokens(std::vector<Token>& tokens) {
        while (next_ < lines_.size()) {
            current_ = next_++;
            tokens = tokenize(lines_[current_]);
            if (!tokens.empty()) {
                return true;
            }
        }
        return false;
    }

    // Peek whether the next non-blank line begins with a quoted string
    // (continuation of a text).
    bool nextIsContinuation() const {
        for (std::size_t i = next_; i < lines_.size(); ++i) {
            const std::string& l = lines_[i];
            std::size_t p = l.find_first_not_of(" \t");
            if (p == std::string::npos) {
                continue;
            }
            return l[p] == '"';
        }
        return false;
    }

    // The next physical line, trimmed, for image rows.
    std::string rawLine() {
        if (next_ >= lines_.size()) {
            throw SourceError(where(), "the file ends inside an image");
        }
        current_ = next_++;
        const std::string& l = lines_[current_];
        std::size_t b = l.find_first_not_of(" \t");
        std::size_t e = l.find_last_not_of(" \t");
        return b == std::string::npos ? std::string() : l.substr(b, e - b + 1);
    }

private:
    std::vector<Token> tokenize(const std::string& line) const {
        std::vector<Token> out;
        std::size_t i = 0;
        const Location loc{path_, static_cast<int>(current_ + 1)};
        while (i < line.size()) {
            const char c = line[i];
            if (c == ' ' || c == '\t') {
                ++i;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                Token t;
                t.quoted = true;
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    const char d = line[i++];
                    if (d == '"') {
                        closed = true;
                        break;
                    }
                    if (d == '\\') {
                        if (i >= line.size()) {
                            break;
                        }
                        const char e = line[i++];
                        switch (e) {
                            case 'n':
                                t.text += '\n';
                                break;
                            case 't':
                                t.text += '\t';
                                break;
                            case '"':
                                t.text += '"';
                                break;
                            case '\\':
                                t.text += '\\';
                                break;
                            default:
                                throw SourceError(loc, std::string("unknown escape \\") + e +
                                                           " (known: \\n \\t \\\" \\\\)");
                        }
                    } else {
                        t.text += d;
                    }
                }
                if (!closed) {
                    throw SourceError(loc, "unterminated quoted string");
                }
                out.push_back(t);
            } else {
                Token t;
                while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '"' &&
                       line[i] != '#') {
                    t.text += line[i++];
                }
                out.push_back(t);
            }
        }
        return out;
    }

    std::string path_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::size_t current_ = 0;
};

int toInt(const Token& t, const Location& where, const char* what, long lo, long hi) {
    if (t.quoted || t.text.empty()) {
        throw SourceError(where, std::string("expected ") + what + ", found \"" + t.text + "\"");
    }
    std::uint32_t sym = 0;
    if (!std::isdigit(static_cast<unsigned char>(t.text[0])) && t.text[0] != '-' &&
        lookupSymbol(t.text, sym)) {
        if (static_cast<long>(sym) < lo || static_cast<long>(sym) > hi) {
            throw SourceError(where, std::string(what) + " " + t.text + " out of range");
        }
        return static_cast<int>(sym);
    }
    char* end = nullptr;
    const long n = std::strtol(t.text.c_str(), &end, 0);
    if (*end != '\0') {
        throw SourceError(where, std::string("expected ") + what + ", found \"" + t.text + "\"");
    }
    if (n < lo || n > hi) {
        throw SourceError(where, std::string(what) + " " + t.text + " out of range " +
                                     std::to_string(lo) + ".." + std::to_string(hi));
    }
    return static_cast<int>(n);
}

void expectCount(const std::vector<Token>& t, std::size_t lo, std::size_t hi, const Location& where,
                 const char* form) {
    if (t.size() < lo || t.size() > hi) {
        throw SourceError(where, std::string("expected: ") + form);
    }
}

std::string quoted(const Token& t, const Location& where, const char* what) {
    if (!t.quoted) {
        throw SourceError(where, std::string("expected ") + what + " in quotes, found " + t.text);
    }
    return t.text;
}

TextRef textRef(const Token& t, const Location& where) {
    TextRef r;
    r.where = where;
    if (t.quoted) {
        r.kind = TextRef::Kind::Literal;
        r.literal = t.text;
    } else if (t.text.size() > 1 && t.text[0] == '@') {
        r.kind = TextRef::Kind::Number;
        Token n{false, t.text.substr(1)};
        r.number = toInt(n, where, "text number", 1, 65535);
    } else if (t.text.size() > 1 && t.text[0] == '$') {
        r.kind = TextRef::Kind::Name;
        r.name = t.text.substr(1);
    } else {
        throw SourceError(where, "expected a text: \"literal\", @number or $name; found " + t.text);
    }
    return r;
}

std::string joinWords(const std::vector<Token>& t, std::size_t from, std::size_t to) {
    std::string s;
    for (std::size_t i = from; i < to; ++i) {
        if (!s.empty()) {
            s += ' ';
        }
        s += t[i].text;
    }
    return s;
}

// Words "A | B" or "A|B" become the expression "A | B".
std::string normalizeExpr(const std::string& s) {
    std::string out;
    std::string term;
    auto flush = [&] {
        if (!term.empty()) {
            if (!out.empty()) {
                out += " | ";
            }
            out += term;
            term.clear();
        }
    };
    for (char c : s) {
        if (c == '|') {
            flush();
        } else if (c != ' ' && c != '\t') {
            term += c;
        }
    }
    flush();
    return out;
}

Image readImage(Lines& lines, const std::vector<Token>& t, const Location& where) {
    expectCount(t, 3, 4, where, "image <width> <height> [\"note\"]");
    Image img;
    img.where = where;
    img.width = toInt(t[1], where, "image width", 1, 256);
    img.height = toInt(t[2], where, "image height", 1, 256);
    if (t.size() == 4) {
        img.note = quoted(t[3], where, "note");
    }
    for (int r = 0; r < img.height; ++r) {
        std::string row = lines.rawLine();
        if (static_cast<int>(row.size()) != img.width) {
            throw SourceError(lines.where(), "image row has " + std::to_string(row.size()) +
                                                 " pixels, the image is " +
                                                 std::to_string(img.width) + " wide");
        }
        img.rows.push_back(row);
    }
    return img;
}

Palette readPalette(Lines& lines, const std::vector<Token>& head, const Location& where) {
    expectCount(head, 2, 2, where, "palette <name>");
    Palette p;
    p.name = head[1].text;
    p.where = where;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        if (!t[0].quoted && t[0].text == "end") {
            if (p.keys.empty()) {
                throw SourceError(at, "palette " + p.name + " has no colours");
            }
            return p;
        }
        expectCount(t, 2, 2, at, "<key> <RRGGBB>");
        if (t[0].quoted || t[0].text.size() != 1) {
            throw SourceError(at, "a palette key is one character");
        }
        const char key = t[0].text[0];
        char* end = nullptr;
        const unsigned long rgb = std::strtoul(t[1].text.c_str(), &end, 16);
        if (t[1].text.size() != 6 || *end != '\0') {
            throw SourceError(at, "a colour is six hexadecimal digits RRGGBB");
        }
        if (p.rgb.count(key) != 0U) {
            throw SourceError(at, std::string("palette key '") + key + "' given twice");
        }
        p.keys.push_back(key);
        p.rgb[key] = static_cast<std::uint32_t>(rgb);
    }
    throw SourceError(where, "palette " + p.name + " has no \"end\"");
}

Bitmap readBitmap(Lines& lines, const std::vector<Token>& head, const Location& where) {
    expectCount(head, 3, 3, where, "bitmap <id> \"role\"");
    Bitmap b;
    b.id = toInt(head[1], where, "bitmap id", 1, 65535);
    b.role = quoted(head[2], where, "role");
    b.where = where;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        const std::string& kw = t[0].text;
        if (kw == "end") {
            return b;
        } else if (kw == "bits") {
            expectCount(t, 2, 2, at, "bits <1|4|8|24>");
            b.bits = toInt(t[1], at, "bits per pixel", 1, 24);
            if (b.bits != 1 && b.bits != 4 && b.bits != 8 && b.bits != 24) {
                throw SourceError(at, "bits per pixel must be 1, 4, 8 or 24");
            }
        } else if (kw == "palette") {
            expectCount(t, 2, 2, at, "palette <name>");
            b.palette = t[1].text;
        } else if (kw == "image") {
            b.images.push_back(readImage(lines, t, at));
        } else {
            throw SourceError(at, "unknown bitmap statement \"" + kw + "\"");
        }
    }
    throw SourceError(where, "bitmap " + std::to_string(b.id) + " has no \"end\"");
}

Icon readIcon(Lines& lines, const std::vector<Token>& head, const Location& where) {
    expectCount(head, 3, 3, where, "icon <id> \"role\"");
    Icon ic;
    ic.id = toInt(head[1], where, "icon id", 1, 65535);
    ic.role = quoted(head[2], where, "role");
    ic.where = where;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        const std::string& kw = t[0].text;
        if (kw == "end") {
            return ic;
        } else if (kw == "palette") {
            expectCount(t, 2, 2, at, "palette <name>");
            ic.palette = t[1].text;
        } else if (kw == "transparent") {
            expectCount(t, 2, 2, at, "transparent <key>");
            if (t[1].text.size() != 1) {
                throw SourceError(at, "a palette key is one character");
            }
            ic.transparent = t[1].text[0];
        } else if (kw == "image") {
            ic.images.push_back(readImage(lines, t, at));
        } else {
            throw SourceError(at, "unknown icon statement \"" + kw + "\"");
        }
    }
    throw SourceError(where, "icon " + std::to_string(ic.id) + " has no \"end\"");
}

Control readControl(const std::vector<Token>& t, const Location& at) {
    const char* form =
        "control <id> <class> <text> <x> <y> <cx> <cy> <style> [ex <exstyle>] [items \"...\"...]";
    if (t.size() < 9) {
        throw SourceError(at, std::string("expected: ") + form);
    }
    Control c;
    c.where = at;
    c.unnamedId = !t[1].quoted && t[1].text == "IDC_STATIC";
    c.id = toInt(t[1], at, "control id", 0, 65535);
    if (t[2].quoted) {
        throw SourceError(at, "the window class is a word, not a quoted string");
    }
    c.windowClass = t[2].text;
    c.text = textRef(t[3], at);
    c.x = toInt(t[4], at, "x", -32768, 32767);
    c.y = toInt(t[5], at, "y", -32768, 32767);
    c.cx = toInt(t[6], at, "width", 0, 32767);
    c.cy = toInt(t[7], at, "height", 0, 32767);
    std::size_t i = 8;
    std::size_t styleEnd = i;
    while (styleEnd < t.size() && !(t[styleEnd].text == "ex" || t[styleEnd].text == "items")) {
        if (t[styleEnd].quoted) {
            throw SourceError(at, "unexpected quoted string in the style");
        }
        ++styleEnd;
    }
    c.styleExpr = normalizeExpr(joinWords(t, i, styleEnd));
    if (c.styleExpr.empty()) {
        throw SourceError(at, "the control has no style");
    }
    c.style = evalExpression(c.styleExpr, at);
    i = styleEnd;
    if (i < t.size() && !t[i].quoted && t[i].text == "ex") {
        std::size_t exEnd = i + 1;
        while (exEnd < t.size() && t[exEnd].text != "items") {
            ++exEnd;
        }
        c.exStyleExpr = normalizeExpr(joinWords(t, i + 1, exEnd));
        c.exStyle = evalExpression(c.exStyleExpr, at);
        i = exEnd;
    }
    if (i < t.size() && !t[i].quoted && t[i].text == "items") {
        for (++i; i < t.size(); ++i) {
            c.items.push_back(quoted(t[i], at, "list entry"));
        }
        if (c.items.empty()) {
            throw SourceError(at, "\"items\" without entries");
        }
    }
    return c;
}

Dialog readDialog(Lines& lines, const std::vector<Token>& head, const Location& where) {
    expectCount(head, 3, 3, where, "dialog <id> \"role\"");
    Dialog d;
    d.id = toInt(head[1], where, "dialog id", 1, 65535);
    d.role = quoted(head[2], where, "role");
    d.where = where;
    bool haveRect = false;
    bool haveStyle = false;
    bool haveCaption = false;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        const std::string& kw = t[0].text;
        if (kw == "end") {
            if (!haveRect || !haveStyle || !haveCaption) {
                throw SourceError(
                    where, "dialog " + std::to_string(d.id) + " needs rect, style and caption");
            }
            return d;
        } else if (kw == "rect") {
            expectCount(t, 5, 5, at, "rect <x> <y> <cx> <cy>");
            d.x = toInt(t[1], at, "x", -32768, 32767);
            d.y = toInt(t[2], at, "y", -32768, 32767);
            d.cx = toInt(t[3], at, "width", 1, 32767);
            d.cy = toInt(t[4], at, "height", 1, 32767);
            haveRect = true;
        } else if (kw == "style") {
            d.styleExpr = normalizeExpr(joinWords(t, 1, t.size()));
            d.style = evalExpression(d.styleExpr, at);
            haveStyle = true;
        } else if (kw == "exstyle") {
            d.exStyleExpr = normalizeExpr(joinWords(t, 1, t.size()));
            d.exStyle = evalExpression(d.exStyleExpr, at);
        } else if (kw == "caption") {
            expectCount(t, 2, 2, at, "caption <text>");
            d.caption = textRef(t[1], at);
            haveCaption = true;
        } else if (kw == "font") {
            expectCount(t, 3, 3, at, "font <size> \"name\"");
            d.fontSize = toInt(t[1], at, "font size", 1, 72);
            d.fontName = quoted(t[2], at, "font name");
        } else if (kw == "control") {
            d.controls.push_back(readControl(t, at));
        } else {
            throw SourceError(at, "unknown dialog statement \"" + kw + "\"");
        }
    }
    throw SourceError(where, "dialog " + std::to_string(d.id) + " has no \"end\"");
}

std::vector<MenuItem> readMenuItems(Lines& lines, const Location& where, const std::string& what) {
    std::vector<MenuItem> items;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        const std::string& kw = t[0].text;
        if (kw == "end") {
            if (items.empty()) {
                throw SourceError(where, what + " has no items");
            }
            return items;
        }
        MenuItem m;
        m.where = at;
        if (kw == "item") {
            if (t.size() < 3) {
                throw SourceError(at, "expected: item <command id> <text> [flags]");
            }
            m.kind = MenuItem::Kind::Command;
            m.id = toInt(t[1], at, "command id", 1, 65535);
            m.text = textRef(t[2], at);
            if (t.size() > 3) {
                m.flagsExpr = normalizeExpr(joinWords(t, 3, t.size()));
                m.flags = evalExpression(m.flagsExpr, at);
            }
        } else if (kw == "separator") {
            expectCount(t, 1, 1, at, "separator");
            m.kind = MenuItem::Kind::Separator;
        } else if (kw == "popup") {
            expectCount(t, 2, 2, at, "popup <text>");
            m.kind = MenuItem::Kind::Popup;
            m.text = textRef(t[1], at);
            m.items = readMenuItems(lines, at, "popup");
        } else {
            throw SourceError(at, "unknown menu statement \"" + kw + "\"");
        }
        items.push_back(std::move(m));
    }
    throw SourceError(where, what + " has no \"end\"");
}

Menu readMenu(Lines& lines, const std::vector<Token>& head, const Location& where) {
    expectCount(head, 3, 3, where, "menu <id> \"role\"");
    Menu m;
    m.id = toInt(head[1], where, "menu id", 1, 65535);
    m.role = quoted(head[2], where, "role");
    m.where = where;
    m.items = readMenuItems(lines, where, "menu " + std::to_string(m.id));
    return m;
}

// Checks that only the whole source can make: palettes of bitmaps and icons,
// pixel keys, image sizes within a strip, and identifiers used twice.
void checkImages(const Source& src) {
    std::set<int> bitmapIds;
    for (const Bitmap& b : src.bitmaps) {
        if (!bitmapIds.insert(b.id).second) {
            throw SourceError(b.where, "bitmap " + std::to_string(b.id) + " defined twice");
        }
        const Palette* p = src.palette(b.palette);
        if (p == nullptr) {
            throw SourceError(b.where, "bitmap " + std::to_string(b.id) +
                                           " names no known palette (\"" + b.palette + "\")");
        }
        if (b.bits < 24 && p->keys.size() > (1U << b.bits)) {
            throw SourceError(b.where, "palette " + p->name + " has more colours than " +
                                           std::to_string(b.bits) + " bits can hold");
        }
        if (b.images.empty()) {
            throw SourceError(b.where, "bitmap " + std::to_string(b.id) + " has no image");
        }
        for (const Image& img : b.images) {
            if (img.height != b.images[0].height) {
                throw SourceError(img.where, "all images of a bitmap have the same height");
            }
            for (const std::string& row : img.rows) {
                for (char c : row) {
                    if (p->rgb.count(c) == 0U) {
                        throw SourceError(img.where, std::string("pixel '") + c +
                                                         "' is not in palette " + p->name);
                    }
                }
            }
        }
    }
    std::set<int> iconIds;
    for (const Icon& ic : src.icons) {
        if (!iconIds.insert(ic.id).second) {
            throw SourceError(ic.where, "icon " + std::to_string(ic.id) + " defined twice");
        }
        const Palette* p = src.palette(ic.palette);
        if (p == nullptr) {
            throw SourceError(ic.where, "icon " + std::to_string(ic.id) +
                                            " names no known palette (\"" + ic.palette + "\")");
        }
        if (ic.images.empty()) {
            throw SourceError(ic.where, "icon " + std::to_string(ic.id) + " has no image");
        }
        if (ic.transparent != 0 && p->rgb.count(ic.transparent) == 0U) {
            throw SourceError(ic.where, "the transparent key is not in the palette");
        }
        for (const Image& img : ic.images) {
            for (const std::string& row : img.rows) {
                for (char c : row) {
                    if (p->rgb.count(c) == 0U) {
                        throw SourceError(img.where, std::string("pixel '") + c +
                                                         "' is not in palette " + p->name);
                    }
                }
            }
        }
    }
}

}  // namespace

const Palette* Source::palette(const std::string& name) const {
    for (const Palette& p : palettes) {
        if (p.name == name) {
            return &p;
        }
    }
    return nullptr;
}

Source readSource(const std::string& path) {
    Lines lines(path);
    Source src;
    std::set<int> textNumbers, dialogIds, menuIds;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        const std::string& kw = t[0].text;
        if (t[0].quoted) {
            throw SourceError(at, "a statement begins with a keyword");
        }
        if (kw == "text") {
            expectCount(t, 4, 4, at, "text <number> <conversions or -> \"role\"");
            TextDecl d;
            d.where = at;
            d.number = toInt(t[1], at, "text number", 1, 65535);
            d.conversions = t[2].text == "-" ? std::string() : t[2].text;
            if (conversionsOf(d.conversions) != d.conversions) {
                throw SourceError(at,
                                  "the conversions are written as printf conversions, "
                                  "e.g. %s, or - for none");
            }
            d.role = quoted(t[3], at, "role");
            if (!textNumbers.insert(d.number).second) {
                throw SourceError(at, "text " + std::to_string(d.number) + " declared twice");
            }
            src.texts.push_back(d);
        } else if (kw == "class") {
            expectCount(t, 3, 3, at, "class <window class name> \"role\"");
            src.windowClasses.push_back(WindowClassDecl{t[1].text, quoted(t[2], at, "role"), at});
        } else if (kw == "palette") {
            Palette p = readPalette(lines, t, at);
            if (src.palette(p.name) != nullptr) {
                throw SourceError(at, "palette " + p.name + " defined twice");
            }
            src.palettes.push_back(std::move(p));
        } else if (kw == "bitmap") {
            src.bitmaps.push_back(readBitmap(lines, t, at));
        } else if (kw == "icon") {
            src.icons.push_back(readIcon(lines, t, at));
        } else if (kw == "dialog") {
            Dialog d = readDialog(lines, t, at);
            if (!dialogIds.insert(d.id).second) {
                throw SourceError(at, "dialog " + std::to_string(d.id) + " defined twice");
            }
            src.dialogs.push_back(std::move(d));
        } else if (kw == "menu") {
            Menu m = readMenu(lines, t, at);
            if (!menuIds.insert(m.id).second) {
                throw SourceError(at, "menu " + std::to_string(m.id) + " defined twice");
            }
            src.menus.push_back(std::move(m));
        } else {
            throw SourceError(at, "unknown statement \"" + kw +
                                      "\" (text, class, palette, bitmap, icon, dialog, menu)");
        }
    }
    checkImages(src);
    return src;
}

Language readLanguage(const std::string& path) {
    Lines lines(path);
    Language lang;
    bool haveHead = false;
    std::vector<Token> t;
    while (lines.nextTokens(t)) {
        const Location at = lines.where();
        if (t[0].quoted) {
            throw SourceError(at, "a quoted string continues a text only right after it");
        }
        if (t[0].text == "language") {
            expectCount(t, 4, 4, at, "language <code> <LANG_...> <SUBLANG_...>");
            if (haveHead) {
                throw SourceError(at, "\"language\" given twice");
            }
            lang.code = t[1].text;
            lang.rcLanguage = t[2].text;
            lang.rcSublanguage = t[3].text;
            lang.where = at;
            haveHead = true;
            continue;
        }
        if (!haveHead) {
            throw SourceError(at,
                              "the file begins with \"language <code> <LANG_...> "
                              "<SUBLANG_...>\"");
        }
        expectCount(t, 2, 2, at, "<number or name> \"text\"");
        LangText text;
        text.where = at;
        text.utf8 = quoted(t[1], at, "text");
        while (lines.nextIsContinuation()) {
            std::vector<Token> more;
            lines.nextTokens(more);
            for (const Token& m : more) {
                text.utf8 += quoted(m, lines.where(), "continued text");
            }
        }
        const std::string& key = t[0].text;
        if (std::isdigit(static_cast<unsigned char>(key[0]))) {
            const int n = toInt(t[0], at, "text number", 1, 65535);
            if (!lang.numbered.emplace(n, text).second) {
                throw SourceError(at, "text " + key + " given twice");
            }
        } else {
            for (char c : key) {
                if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') {
                    throw SourceError(at, "a text name holds letters, digits, '_' and '.'");
                }
            }
            if (!lang.named.emplace(key, text).second) {
                throw SourceError(at, "text " + key + " given twice");
            }
        }
    }
    if (!haveHead) {
        throw SourceError(Location{path, 1}, "the file has no \"language\" line");
    }
    return lang;
}

}  // namespace resgen
