// The symbolic constants that the resource source may use, with the platform's
// values. The generator carries its own table so that it depends on no
// platform header; the .rc output keeps the names.
#include <cctype>
#include <cstdlib>
#include <unordered_map>

#include "resgen.h"

namespace resgen {

namespace {

const std::unordered_map<std::string, std::uint32_t>& symbolTable() {
    static const std::unordered_map<std::string, std::uint32_t> table = {
        // Dialog result and control identifiers.
        {"IDOK", 1},
        {"IDCANCEL", 2},
        {"IDC_STATIC", 0xFFFF},
        // Window styles.
        {"WS_OVERLAPPED", 0x00000000},
        {"WS_POPUP", 0x80000000},
        {"WS_CHILD", 0x40000000},
        {"WS_MINIMIZE", 0x20000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_CLIPSIBLINGS", 0x04000000},
        {"WS_CLIPCHILDREN", 0x02000000},
        {"WS_MAXIMIZE", 0x01000000},
        {"WS_CAPTION", 0x00C00000},
        {"WS_BORDER", 0x00800000},
        {"WS_DLGFRAME", 0x00400000},
        {"WS_VSCROLL", 0x00200000},
        {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"WS_MINIMIZEBOX", 0x00020000},
        {"WS_MAXIMIZEBOX", 0x00010000},
        // Extended window styles.
        {"WS_EX_DLGMODALFRAME", 0x00000001},
        {"WS_EX_NOPARENTNOTIFY", 0x00000004},
        {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_ACCEPTFILES", 0x00000010},
        {"WS_EX_TRANSPARENT", 0x00000020},
        {"WS_EX_TOOLWINDOW", 0x00000080},
        {"WS_EX_WINDOWEDGE", 0x00000100},
        {"WS_EX_CLIENTEDGE", 0x00000200},
        {"WS_EX_CONTEXTHELP", 0x00000400},
        {"WS_EX_STATICEDGE", 0x00020000},
        {"WS_EX_APPWINDOW", 0x00040000},
        // Dialog styles.
        {"DS_ABSALIGN", 0x0001},
        {"DS_SYSMODAL", 0x0002},
        {"DS_3DLOOK", 0x0004},
        {"DS_FIXEDSYS", 0x0008},
        {"DS_NOFAILCREATE", 0x0010},
        {"DS_LOCALEDIT", 0x0020},
        {"DS_SETFONT", 0x0040},
        {"DS_MODALFRAME", 0x0080},
        {"DS_NOIDLEMSG", 0x0100},
        {"DS_SETFOREGROUND", 0x0200},
        {"DS_CONTROL", 0x0400},
        {"DS_CENTER", 0x0800},
        {"DS_CENTERMOUSE", 0x1000},
        {"DS_CONTEXTHELP", 0x2000},
        {"DS_SHELLFONT", 0x0048},
        // Button styles.
        {"BS_PUSHBUTTON", 0x0000},
        {"BS_DEFPUSHBUTTON", 0x0001},
        {"BS_CHECKBOX", 0x0002},
        {"BS_AUTOCHECKBOX", 0x0003},
        {"BS_RADIOBUTTON", 0x0004},
        {"BS_3STATE", 0x0005},
        {"BS_AUTO3STATE", 0x0006},
        {"BS_GROUPBOX", 0x0007},
        {"BS_AUTORADIOBUTTON", 0x0009},
        {"BS_OWNERDRAW", 0x000B},
        {"BS_LEFTTEXT", 0x0020},
        {"BS_TEXT", 0x0000},
        {"BS_ICON", 0x0040},
        {"BS_BITMAP", 0x0080},
        {"BS_LEFT", 0x0100},
        {"BS_RIGHT", 0x0200},
        {"BS_CENTER", 0x0300},
        {"BS_TOP", 0x0400},
        {"BS_BOTTOM", 0x0800},
        {"BS_VCENTER", 0x0C00},
        {"BS_MULTILINE", 0x2000},
        {"BS_NOTIFY", 0x4000},
        {"BS_FLAT", 0x8000},
        // Static styles.
        {"SS_LEFT", 0x0000},
        {"SS_CENTER", 0x0001},
        {"SS_RIGHT", 0x0002},
        {"SS_ICON", 0x0003},
        {"SS_BLACKRECT", 0x0004},
        {"SS_GRAYRECT", 0x0005},
        {"SS_WHITERECT", 0x0006},
        {"SS_BLACKFRAME", 0x0007},
        {"SS_GRAYFRAME", 0x0008},
        {"SS_WHITEFRAME", 0x0009},
        {"SS_SIMPLE", 0x000B},
        {"SS_LEFTNOWORDWRAP", 0x000C},
        {"SS_BITMAP", 0x000E},
        {"SS_ETCHEDHORZ", 0x0010},
        {"SS_ETCHEDVERT", 0x0011},
        {"SS_ETCHEDFRAME", 0x0012},
        {"SS_NOPREFIX", 0x0080},
        {"SS_NOTIFY", 0x0100},
        {"SS_CENTERIMAGE", 0x0200},
        {"SS_SUNKEN", 0x1000},
        {"SS_ENDELLIPSIS", 0x4000},
        {"SS_PATHELLIPSIS", 0x8000},
        {"SS_WORDELLIPSIS", 0xC000},
        // Edit styles.
        {"ES_LEFT", 0x0000},
        {"ES_CENTER", 0x0001},
        {"ES_RIGHT", 0x0002},
        {"ES_MULTILINE", 0x0004},
        {"ES_UPPERCASE", 0x0008},
        {"ES_LOWERCASE", 0x0010},
        {"ES_PASSWORD", 0x0020},
        {"ES_AUTOVSCROLL", 0x0040},
        {"ES_AUTOHSCROLL", 0x0080},
        {"ES_NOHIDESEL", 0x0100},
        {"ES_OEMCONVERT", 0x0400},
        {"ES_READONLY", 0x0800},
        {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        // Combo box styles.
        {"CBS_SIMPLE", 0x0001},
        {"CBS_DROPDOWN", 0x0002},
        {"CBS_DROPDOWNLIST", 0x0003},
        {"CBS_OWNERDRAWFIXED", 0x0010},
        {"CBS_OWNERDRAWVARIABLE", 0x0020},
        {"CBS_AUTOHSCROLL", 0x0040},
        {"CBS_OEMCONVERT", 0x0080},
        {"CBS_SORT", 0x0100},
        {"CBS_HASSTRINGS", 0x0200},
        {"CBS_NOINTEGRALHEIGHT", 0x0400},
        {"CBS_DISABLENOSCROLL", 0x0800},
        {"CBS_UPPERCASE", 0x2000},
        {"CBS_LOWERCASE", 0x4000},
        // Scroll bar styles.
        {"SBS_HORZ", 0x0000},
        {"SBS_VERT", 0x0001},
        {"SBS_TOPALIGN", 0x0002},
        {"SBS_LEFTALIGN", 0x0002},
        {"SBS_BOTTOMALIGN", 0x0004},
        {"SBS_RIGHTALIGN", 0x0004},
        // Tree view styles.
        {"TVS_HASBUTTONS", 0x0001},
        {"TVS_HASLINES", 0x0002},
        {"TVS_LINESATROOT", 0x0004},
        {"TVS_EDITLABELS", 0x0008},
        {"TVS_DISABLEDRAGDROP", 0x0010},
        {"TVS_SHOWSELALWAYS", 0x0020},
        {"TVS_RTLREADING", 0x0040},
        {"TVS_NOTOOLTIPS", 0x0080},
        {"TVS_CHECKBOXES", 0x0100},
        {"TVS_TRACKSELECT", 0x0200},
        {"TVS_SINGLEEXPAND", 0x0400},
        {"TVS_INFOTIP", 0x0800},
        {"TVS_FULLROWSELECT", 0x1000},
        {"TVS_NOSCROLL", 0x2000},
        {"TVS_NONEVENHEIGHT", 0x4000},
        {"TVS_NOHSCROLL", 0x8000},
        // List view styles.
        {"LVS_ICON", 0x0000},
        {"LVS_REPORT", 0x0001},
        {"LVS_SMALLICON", 0x0002},
        {"LVS_LIST", 0x0003},
        {"LVS_SINGLESEL", 0x0004},
        {"LVS_SHOWSELALWAYS", 0x0008},
        {"LVS_SORTASCENDING", 0x0010},
        {"LVS_SORTDESCENDING", 0x0020},
        {"LVS_SHAREIMAGELISTS", 0x0040},
        {"LVS_NOLABELWRAP", 0x0080},
        {"LVS_AUTOARRANGE", 0x0100},
        {"LVS_EDITLABELS", 0x0200},
        {"LVS_OWNERDRAWFIXED", 0x0400},
        {"LVS_ALIGNLEFT", 0x0800},
        {"LVS_OWNERDATA", 0x1000},
        {"LVS_NOSCROLL", 0x2000},
        {"LVS_NOCOLUMNHEADER", 0x4000},
        {"LVS_NOSORTHEADER", 0x8000},
        // Header styles.
        {"HDS_HORZ", 0x0000},
        {"HDS_BUTTONS", 0x0002},
        {"HDS_HOTTRACK", 0x0004},
        {"HDS_HIDDEN", 0x0008},
        {"HDS_DRAGDROP", 0x0040},
        {"HDS_FULLDRAG", 0x0080},
        // Menu item flags.
        {"MF_STRING", 0x0000},
        {"MF_ENABLED", 0x0000},
        {"MF_GRAYED", 0x0001},
        {"MF_DISABLED", 0x0002},
        {"MF_CHECKED", 0x0008},
        {"MF_MENUBARBREAK", 0x0020},
        {"MF_MENUBREAK", 0x0040},
        {"MF_HELP", 0x4000},
    };
    return table;
}

std::string trim(const std::string& s) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) {
        ++b;
    }
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) {
        --e;
    }
    return s.substr(b, e - b);
}

}  // namespace

bool lookupSymbol(const std::string& name, std::uint32_t& value) {
    const auto& table = symbolTable();
    auto it = table.find(name);
    if (it == table.end()) {
        return false;
    }
    value = it->second;
    return true;
}

std::uint32_t evalExpression(const std::string& expr, const Location& where) {
    std::uint32_t value = 0;
    std::size_t start = 0;
    if (trim(expr).empty()) {
        throw SourceError(where, "empty style expression");
    }
    while (start <= expr.size()) {
        std::size_t bar = expr.find('|', start);
        if (bar == std::string::npos) {
            bar = expr.size();
        }
        const std::string term = trim(expr.substr(start, bar - start));
        if (term.empty()) {
            throw SourceError(where, "malformed style expression \"" + expr + "\"");
        }
        std::uint32_t termValue = 0;
        if (std::isdigit(static_cast<unsigned char>(term[0]))) {
            char* end = nullptr;
            const unsigned long long n = std::strtoull(term.c_str(), &end, 0);
            if (*end != '\0' || n > 0xFFFFFFFFull) {
                throw SourceError(where, "bad number \"" + term + "\" in style expression");
            }
            termValue = static_cast<std::uint32_t>(n);
        } else if (!lookupSymbol(term, termValue)) {
            throw SourceError(where, "unknown constant \"" + term + "\"");
        }
        value |= termValue;
        start = bar + 1;
    }
    return value;
}

}  // namespace resgen
