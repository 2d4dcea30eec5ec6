// The resource generator: reads the one resource source of the language
// libraries (resources/vedrix.res and lang/<code>.txt) and writes, for every
// language, the C++ source of the headless resource table and the .rc script
// for Windows, together with the BMP and ICO files that the script names.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace resgen {

// Where something was written in a source file, for messages.
struct Location {
    std::string file;
    int line = 0;

    std::string str() const { return file + ":" + std::to_string(line); }
};

// A fault in the sources. The message names the place.
class SourceError : public std::runtime_error {
public:
    SourceError(const Location& where, const std::string& what)
        : std::runtime_error(where.str() + ": " + what) {}
};

// ---- Symbols ---------------------------------------------------------------

// Value of a symbolic constant (window, dialog, control and menu styles,
// IDOK/IDCANCEL/IDC_STATIC); false when the name is unknown.
bool lookupSymbol(const std::string& name, std::uint32_t& value);

// Value of a style expression "A | B | 0x10"; throws SourceError on an unknown
// name. The expression is kept as written for the .rc output.
std::uint32_t evalExpression(const std::string& expr, const Location& where);

// ---- The language-independent source ---------------------------------------

// A text of a template or menu: a literal, a text number, or a named
// language text.
struct TextRef {
    enum class Kind { Literal, Number, Name };
    Kind kind = Kind::Literal;
    std::string literal;  // UTF-8, as written
    int number = 0;
    std::string name;
    Location where;
};

// A numbered text: its role and the printf conversions every language must
// carry, in order ("" or "%s"...).
struct TextDecl {
    int number = 0;
    std::string conversions;
    std::string role;
    Location where;
};

struct Palette {
    std::string name;
    std::vector<char> keys;  // in declaration order: the colour table order
    std::map<char, std::uint32_t> rgb;
    Location where;
};

// One picture of a bitmap strip or an icon, as rows of palette keys.
struct Image {
    int width = 0;
    int height = 0;
    std::string note;
    std::vector<std::string> rows;
    Location where;
};

struct Bitmap {
    int id = 0;
    std::string role;
    int bits = 24;
    std::string palette;
    std::vector<Image> images;  // laid side by side, left to right
    Location where;
};

struct Icon {
    int id = 0;
    std::string role;
    std::string palette;
    char transparent = 0;       // palette key that the .ico leaves transparent
    std::vector<Image> images;  // the first is the one the headless table carries
    Location where;
};

struct Control {
    int id = 0;  // 0..65535; IDC_STATIC is 65535
    bool unnamedId = false;
    std::string windowClass;
    TextRef text;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string styleExpr, exStyleExpr;
    std::uint32_t style = 0, exStyle = 0;
    std::vector<std::string> items;  // initial list entries (combo boxes)
    Location where;
};

struct Dialog {
    int id = 0;
    std::string role;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string styleExpr, exStyleExpr;
    std::uint32_t style = 0, exStyle = 0;
    TextRef caption;
    int fontSize = 0;
    std::string fontName;
    std::vector<Control> controls;
    Location where;
};

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    int id = 0;
    TextRef text;
    std::string flagsExpr;
    std::uint32_t flags = 0;
    std::vector<MenuItem> items;
    Location where;
};

struct Menu {
    int id = 0;
    std::string role;
    std::vector<MenuItem> items;
    Location where;
};

// A window class that a template may name besides the platform's own
// controls: one that the module registers before it creates the dialog.
struct WindowClassDecl {
    std::string name;
    std::string role;
    Location where;
};

struct Source {
    std::vector<TextDecl> texts;
    std::vector<WindowClassDecl> windowClasses;
    std::vector<Palette> palettes;
    std::vector<Bitmap> bitmaps;
    std::vector<Icon> icons;
    std::vector<Dialog> dialogs;
    std::vector<Menu> menus;

    const Palette* palette(const std::string& name) const;
};

// ---- A language ------------------------------------------------------------

struct LangText {
    std::string utf8;
    Location where;
};

struct Language {
    std::string code;  // "en"
    std::string rcLanguage, rcSublanguage;
    std::map<int, LangText> numbered;
    std::map<std::string, LangText> named;
    Location where;
};

// ---- Steps -----------------------------------------------------------------

Source readSource(const std::string& path);
Language readLanguage(const std::string& path);

// Every fault of the sources taken together (texts missing in a language,
// differing conversions, references to undefined texts, controls outside
// their dialog...). Empty when the sources are sound.
std::vector<std::string> checkSources(const Source& src, const std::vector<Language>& langs);

// The printf conversions of a text, in order ("%s%d"), then the framework's
// argument places %1..%9 in ascending order, however the text orders them
// ("%1%2"); "%%" is no conversion.
std::string conversionsOf(const std::string& text);

// UTF-8 to the host's 8-bit code page (Windows-1252); throws SourceError for a
// character that the code page lacks or for malformed UTF-8.
std::string toCodePage(const std::string& utf8, const Location& where);

// The text that a reference stands for in a language, in the code page.
std::string resolveText(const TextRef& ref, const Language& lang);

// BMP file bytes of a bitmap strip; ICO file bytes and the headless BMP of an
// icon.
std::vector<std::uint8_t> bitmapFile(const Bitmap& bmp, const Source& src);
std::vector<std::uint8_t> iconFile(const Icon& icon, const Source& src);
std::vector<std::uint8_t> iconBitmapFile(const Icon& icon, const Source& src);

// The initial-data block (RT_DLGINIT) of a dialog, empty when no control has
// list entries.
std::vector<std::uint8_t> dialogInitData(const Dialog& dlg);

// The outputs. `sourceName` names the inputs in the generated files' heads.
std::string emitTable(const Source& src, const Language& lang, const std::string& sourceName);
std::string emitRc(const Source& src, const Language& lang, const std::string& sourceName);

}  // namespace resgen
