// Everything the dialogs load from a language library, checked in both
// libraries: the texts with their format arguments, the templates with their
// controls, the bitmaps with their image counts and sizes, the icon and the
// menus with their popups and commands. Texts must also fit the controls that
// show them, with the platform's fixed metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "resource_library.h"
#include "support/headless_only.h"

namespace {

using restest::findItem;
using restest::libraries;

// ---- Texts -----------------------------------------------------------------

// Every text number the dialogs load, with the number of "%s" it takes.
struct TextNeeds {
    WORD id;
    int stringArgs;
};
const TextNeeds kTexts[] = {
    {2000, 0}, {2001, 0}, {2002, 0}, {2003, 0}, {2004, 0}, {2005, 0}, {2006, 0}, {2007, 0},
    {2008, 0}, {2009, 0}, {2010, 0}, {2011, 1}, {2012, 1}, {2013, 0}, {2014, 0}, {2015, 1},
    {2016, 0}, {2017, 0}, {2018, 0}, {2019, 0}, {2020, 0}, {2021, 0}, {2023, 0}, {2024, 0},
    {2025, 0}, {2026, 0}, {2029, 0}, {2030, 0}, {2031, 0}, {2032, 0}, {2033, 0}, {2034, 0},
    {2035, 0}, {2036, 0}, {2037, 0}, {2038, 0}, {2039, 0}, {2041, 0}, {2042, 0}, {2043, 0},
    {2044, 0}, {2045, 0}, {2046, 0}, {2047, 0}, {2048, 0}, {2049, 0},
};

int countOf(const std::string& s, const std::string& what) {
    int n = 0;
    for (std::size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + 1)) {
        ++n;
    }
    return n;
}

TEST(ResourceTexts, EveryTextNumberExistsWithItsFormatArguments) {
    for (const auto* lib : libraries()) {
        ASSERT_TRUE(lib->error().empty()) << lib->error();
        for (const TextNeeds& t : kTexts) {
            ASSERT_TRUE(lib->hasText(t.id)) << lib->fileName() << " lacks text " << t.id;
            const std::string s = lib->text(t.id);
            EXPECT_FALSE(s.empty()) << "text " << t.id;
            EXPECT_EQ(countOf(s, "%s"), t.stringArgs) << lib->fileName() << " text " << t.id;
            // The texts with an argument are formats, the others are shown as
            // they are: no other '%' may appear in either.
            EXPECT_EQ(countOf(s, "%"), t.stringArgs) << lib->fileName() << " text " << t.id;
        }
    }
}

TEST(ResourceTexts, TheFrameworksMessagesAreInEveryLanguageWithTheirArguments) {
    // AFX_IDP_PARSE_INT .. AFX_IDP_INTERNAL_FAILURE, with the framework's
    // argument places %1 and %2 (range) or %1 (length).
    const std::map<WORD, std::vector<const char*>> places = {
        {57600, {}},     {57601, {}}, {57602, {"%1", "%2"}}, {57603, {"%1", "%2"}},
        {57604, {"%1"}}, {57605, {}}, {57606, {}},
    };
    for (const auto* lib : libraries()) {
        for (const auto& [id, wanted] : places) {
            ASSERT_TRUE(lib->hasText(id)) << lib->fileName() << " lacks text " << id;
            const std::string s = lib->text(id);
            EXPECT_EQ(countOf(s, "%"), static_cast<int>(wanted.size())) << lib->fileName() << id;
            for (const char* place : wanted) {
                EXPECT_EQ(countOf(s, place), 1) << lib->fileName() << " text " << id;
            }
        }
    }
    EXPECT_NE(restest::english().text(57600), restest::german().text(57600));
}

TEST(ResourceTexts, LanguagesAgreeOnFormatArguments) {
    const auto& en = restest::english();
    const auto& de = restest::german();
    const std::vector<WORD> ids = en.textIds();
    EXPECT_GT(ids.size(), std::size(kTexts));
    EXPECT_EQ(ids, de.textIds());
    for (WORD id : ids) {
        EXPECT_EQ(countOf(en.text(id), "%s"), countOf(de.text(id), "%s")) << "text " << id;
    }
}

TEST(ResourceTexts, TheLimitMessageCarriesThePlaceholderTheProgramReplaces) {
    // The browser puts the host's limit in place of "(40)" and formats the
    // result.
    for (const auto* lib : libraries()) {
        EXPECT_EQ(countOf(lib->text(2041), "(40)"), 1) << lib->fileName();
    }
}

TEST(ResourceTexts, NameStemsEndInALetter) {
    // A number is appended to 2013 directly and to 2037 after a space.
    for (const auto* lib : libraries()) {
        for (WORD id : {2013, 2036, 2037}) {
            const std::string s = lib->text(id);
            ASSERT_FALSE(s.empty());
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(s.back())) ||
                        static_cast<unsigned char>(s.back()) >= 0xC0)
                << lib->fileName() << " text " << id << " \"" << s << "\"";
        }
        // The level rename limit is 50 characters; stems must leave room.
        EXPECT_LT(lib->text(2037).size() + 4, 50U);
    }
}

// ---- Dialog templates ------------------------------------------------------

struct ControlNeeds {
    WORD id;
    const char* windowClass;  // nullptr: any class
    DWORD styleBits;          // bits the control's style must include
    bool visible;
};

struct DialogNeeds {
    WORD id;
    int minWidthPx;  // the dialog's minimum tracking size, 0 when it has none
    int minHeightPx;
    std::vector<ControlNeeds> controls;
    std::vector<WORD> closeButtons;  // the visible buttons that confirm and cancel
};

constexpr DWORD kLvsReport = 0x0001;
constexpr DWORD kTvsTree = 0x0001 | 0x0002;  // TVS_HASBUTTONS | TVS_HASLINES
constexpr DWORD kTvsEditLabels = 0x0008;
constexpr DWORD kBsBitmap = 0x0080;
constexpr DWORD kLvsSingleSel = 0x0004;

const std::vector<DialogNeeds>& dialogNeeds() {
    static const std::vector<DialogNeeds> needs = {
        {101,
         500,
         450,
         {{1000, "SysListView32", kLvsReport, true},
          {1001, "SysTreeView32", kTvsTree | kTvsEditLabels, true},
          {1002, "SysListView32", kLvsReport, true},
          {1003, "Button", 0, true},
          {1004, "Static", 0, true},
          {1005, "Static", 0, true},
          {1006, "Static", 0, true},
          {1007, "Button", 0, true},
          {1008, "Static", 0, true},
          {1009, "Static", 0, true}},
         {1003, 1007}},
        {102,
         0,
         0,
         {{1018, "MORVALTREELISTCTRL", 0, true}, {1022, "Static", 0, true}},
         {restest::kIdOk, restest::kIdCancel}},
        {103,
         0,
         0,
         {{1016, "Static", 0, true},
          {1017, "Static", 0, true},
          {1018, "Edit", 0, true},
          {1019, "Edit", 0, true},
          {1020, "ComboBox", 0, true},
          {1003, nullptr, 0, false},
          {1007, nullptr, 0, false}},
         {restest::kIdOk, restest::kIdCancel}},
        {104,
         0,
         0,
         {{1020, "SysListView32", kLvsReport, true},
          {1003, nullptr, 0, false},
          {1007, nullptr, 0, false}},
         {restest::kIdOk, restest::kIdCancel}},
        {124, 0, 0, {{1016, "Edit", 0, true}}, {restest::kIdOk, restest::kIdCancel}},
        {127,
         500,
         450,
         {{1025, "SysTreeView32", kTvsTree | kTvsEditLabels, true},
          {1026, "SysListView32", kLvsReport, true},
          {1027, "Button", kBsBitmap, true},
          {1028, "Static", 0, true},
          {1035, "Static", 0, true},
          {1036, "Static", 0, true},
          {1037, "Static", 0, true},
          {1039, "Edit", 0, true}},
         {restest::kIdOk, 1007}},
        {139,
         347,
         367,
         {{1029, "SysTreeView32", kTvsTree, true},
          {1030, "Static", 0, true},
          {1031, nullptr, 0, true},
          {1032, nullptr, 0, true},
          {1033, "Static", 0, true},
          {1034, "Static", 0, true}},
         {restest::kIdOk, restest::kIdCancel}},
    };
    return needs;
}

bool isButton(const VedrixDialogItem& c) {
    return restest::sameClass(c.windowClass, "Button");
}

bool isDefaultPushButton(const VedrixDialogItem& c) {
    return isButton(c) && (c.style & 0xF) == 1;  // BS_DEFPUSHBUTTON
}

TEST(ResourceDialogs, EveryTemplateHasItsControls) {
    for (const auto* lib : libraries()) {
        for (const DialogNeeds& need : dialogNeeds()) {
            const VedrixDialogTemplate* dlg = lib->dialog(need.id);
            ASSERT_NE(dlg, nullptr) << lib->fileName() << " lacks template " << need.id;
            for (const ControlNeeds& c : need.controls) {
                const VedrixDialogItem* item = findItem(*dlg, c.id);
                ASSERT_NE(item, nullptr) << "template " << need.id << " lacks control " << c.id;
                if (c.windowClass != nullptr) {
                    EXPECT_TRUE(restest::sameClass(item->windowClass, c.windowClass))
                        << "template " << need.id << " control " << c.id << " is a "
                        << item->windowClass;
                }
                EXPECT_EQ(item->style & c.styleBits, c.styleBits)
                    << "template " << need.id << " control " << c.id;
                EXPECT_EQ((item->style & restest::kWsVisible) != 0, c.visible)
                    << "template " << need.id << " control " << c.id;
            }
            for (WORD id : need.closeButtons) {
                const VedrixDialogItem* item = findItem(*dlg, id);
                ASSERT_NE(item, nullptr) << "template " << need.id << " lacks button " << id;
                EXPECT_TRUE(isButton(*item) && (item->style & restest::kWsVisible) != 0 &&
                            (item->style & 0xF) <= 1)
                    << "template " << need.id << ": control " << id << " is no push button";
            }
            // Enter confirms: the confirming button is the one default button.
            int defaults = 0;
            for (WORD i = 0; i < dlg->itemCount; ++i) {
                defaults += isDefaultPushButton(dlg->items[i]) ? 1 : 0;
            }
            EXPECT_EQ(defaults, 1) << "template " << need.id;
            EXPECT_TRUE(isDefaultPushButton(*findItem(*dlg, need.closeButtons[0])))
                << "template " << need.id;
            // Template sizes in dialog units are 2 pixels each way.
            EXPECT_GE(dlg->cx * 2, need.minWidthPx) << "template " << need.id;
            EXPECT_GE(dlg->cy * 2, need.minHeightPx) << "template " << need.id;
        }
    }
}

TEST(ResourceDialogs, ListsThatDragSeveralRowsAllowSeveralSelected) {
    for (const auto* lib : libraries()) {
        EXPECT_EQ(findItem(*lib->dialog(101), 1002)->style & kLvsSingleSel, 0U);
        EXPECT_EQ(findItem(*lib->dialog(127), 1026)->style & kLvsSingleSel, 0U);
        // The view selection is read-only: no label editing there.
        EXPECT_EQ(findItem(*lib->dialog(139), 1029)->style & kTvsEditLabels, 0U);
    }
}

// Every dialog template the library holds, as read; a library without
// templates, or a template named but not read, fails the test.
std::vector<std::pair<WORD, const VedrixDialogTemplate*>> dialogsOf(
    const restest::ResourceLibrary& lib) {
    std::vector<std::pair<WORD, const VedrixDialogTemplate*>> read;
    const std::vector<WORD> dialogs = lib.names(restest::kRtDialog);
    EXPECT_FALSE(dialogs.empty()) << lib.fileName();
    for (WORD dlgId : dialogs) {
        const VedrixDialogTemplate* found = lib.dialog(dlgId);
        EXPECT_NE(found, nullptr) << lib.fileName() << " template " << dlgId;
        if (found != nullptr) {
            read.emplace_back(dlgId, found);
        }
    }
    return read;
}

TEST(ResourceDialogs, ControlsAreUniqueInsideTheirDialogAndOfKnownClasses) {
    const char* const known[] = {"Button",        "Static",      "Edit",
                                 "ComboBox",      "ScrollBar",   "SysTreeView32",
                                 "SysListView32", "SysHeader32", "MORVALTREELISTCTRL"};
    for (const auto* lib : libraries()) {
        for (const auto& [dlgId, found] : dialogsOf(*lib)) {
            const VedrixDialogTemplate& dlg = *found;
            EXPECT_EQ((dlg.style & restest::kDsSetFont) != 0, dlg.fontName[0] != '\0')
                << "template " << dlgId;
            EXPECT_NE(dlg.caption[0], '\0') << "template " << dlgId;
            std::set<WORD> ids;
            for (WORD k = 0; k < dlg.itemCount; ++k) {
                const VedrixDialogItem& c = dlg.items[k];
                if (c.id != restest::kIdStatic) {
                    EXPECT_TRUE(ids.insert(c.id).second)
                        << "template " << dlgId << ": id " << c.id << " twice";
                }
                EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.cx <= dlg.cx && c.y + c.cy <= dlg.cy)
                    << "template " << dlgId << ": control " << c.id << " outside";
                EXPECT_GT(c.cx, 0);
                EXPECT_GT(c.cy, 0);
                EXPECT_NE(c.style & restest::kWsChild, 0U)
                    << "template " << dlgId << ": control " << c.id;
                EXPECT_TRUE(std::any_of(
                    std::begin(known), std::end(known),
                    [&](const char* k2) { return restest::sameClass(c.windowClass, k2); }))
                    << "template " << dlgId << ": control " << c.id << " of class "
                    << c.windowClass;
            }
        }
    }
}

// A combo box's template height includes its drop-down list; what lies on
// the dialog is its edit field.
int shownHeight(const VedrixDialogItem& c) {
    return restest::sameClass(c.windowClass, "ComboBox") ? std::min<int>(c.cy, 14) : c.cy;
}

TEST(ResourceDialogs, VisibleControlsDoNotOverlap) {
    const auto& lib = restest::english();  // one layout for both languages
    for (const DialogNeeds& need : dialogNeeds()) {
        const VedrixDialogTemplate& dlg = *lib.dialog(need.id);
        for (WORD a = 0; a < dlg.itemCount; ++a) {
            for (WORD b = static_cast<WORD>(a + 1); b < dlg.itemCount; ++b) {
                const VedrixDialogItem& p = dlg.items[a];
                const VedrixDialogItem& q = dlg.items[b];
                if ((p.style & q.style & restest::kWsVisible) == 0) {
                    continue;
                }
                const bool apart = p.x + p.cx <= q.x || q.x + q.cx <= p.x ||
                                   p.y + shownHeight(p) <= q.y || q.y + shownHeight(q) <= p.y;
                EXPECT_TRUE(apart) << "template " << need.id << ": controls " << p.id << " and "
                                   << q.id << " overlap";
            }
        }
    }
}

TEST(ResourceDialogs, TheComboBoxOffersTheAttributeTypes) {
    for (const auto* lib : libraries()) {
        std::vector<restest::DlgInitEntry> entries;
        ASSERT_TRUE(restest::parseDlgInit(lib->data(restest::kRtDlgInit, 103), entries));
        std::vector<std::string> texts;
        for (const auto& e : entries) {
            EXPECT_EQ(e.control, 1020);
            EXPECT_EQ(e.message, 0x0143);  // CB_ADDSTRING
            texts.push_back(e.text);
        }
        // The type words are those of the hierarchy file, in every language.
        EXPECT_EQ(texts, (std::vector<std::string>{"String", "Number", "Universal"}));
    }
}

// Lines a text takes in a control `widthPx` wide, breaking at spaces and line
// ends as a static text does.
int linesNeeded(const std::string& text, int widthPx) {
    int lines = 1;
    int used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n') {
            ++lines;
            used = 0;
            ++i;
            continue;
        }
        std::size_t end = text.find_first_of(" \n", i);
        if (end == std::string::npos) {
            end = text.size();
        }
        const int word = restest::textWidth(text.substr(i, end - i));
        const int space = used == 0 ? 0 : 7;
        if (used > 0 && used + space + word > widthPx) {
            ++lines;
            used = word;
        } else {
            used += space + word;
        }
        i = end < text.size() && text[end] == ' ' ? end + 1 : end;
    }
    return lines;
}

bool fits(const VedrixDialogItem& c, const std::string& text) {
    const int widthPx = c.cx * 2 - (isButton(c) ? 8 : 0);
    const int heightPx = c.cy * 2;
    const bool singleLine = isButton(c) || (c.style & 0xF) == 0xC;  // SS_LEFTNOWORDWRAP
    if (singleLine || heightPx < 32) {
        return text.find('\n') == std::string::npos && restest::textWidth(text) <= widthPx;
    }
    return linesNeeded(text, widthPx) <= heightPx / 16;
}

TEST(ResourceDialogs, TextsFitTheControlsThatShowThem) {
    // Texts the dialogs put into controls at set-up, besides the templates'
    // own texts; formats are measured without their argument.
    struct Shown {
        WORD dialog;
        WORD control;
        WORD text;
    };
    const Shown shown[] = {
        {101, 1004, 2002}, {101, 1005, 2003}, {101, 1006, 2004}, {101, 1003, 2024},
        {101, 1007, 2025}, {101, 1008, 2011}, {101, 1009, 2012}, {127, 1028, 2004},
        {127, 1035, 2047}, {127, 1, 2024},    {127, 1007, 2025}, {139, 1030, 2013},
        {139, 1033, 2014}, {139, 1034, 2039}, {139, 1, 2024},    {139, 2, 2025},
        {103, 1016, 2030}, {103, 1017, 2031},
    };
    for (const auto* lib : libraries()) {
        for (const Shown& s : shown) {
            const VedrixDialogItem* c = findItem(*lib->dialog(s.dialog), s.control);
            ASSERT_NE(c, nullptr);
            std::string text = lib->text(s.text);
            const std::size_t arg = text.find("%s");
            if (arg != std::string::npos) {
                text.erase(arg, 2);
            }
            EXPECT_TRUE(fits(*c, text))
                << lib->fileName() << ": text " << s.text << " \"" << text
                << "\" does not fit control " << s.control << " of template " << s.dialog;
        }
        for (const auto& [dlgId, found] : dialogsOf(*lib)) {
            const VedrixDialogTemplate& dlg = *found;
            for (WORD k = 0; k < dlg.itemCount; ++k) {
                const VedrixDialogItem& c = dlg.items[k];
                const bool label = restest::sameClass(c.windowClass, "Static") || isButton(c);
                if (label && (c.style & restest::kWsVisible) != 0) {
                    EXPECT_TRUE(fits(c, c.text))
                        << lib->fileName() << ": \"" << c.text << "\" does not fit control " << c.id
                        << " of template " << dlgId;
                }
            }
            // A caption shares the title bar with the system buttons.
            EXPECT_LE(restest::textWidth(dlg.caption) + 60, dlg.cx * 2)
                << lib->fileName() << ": caption of template " << dlgId;
        }
    }
}

// ---- Bitmaps and the icon --------------------------------------------------

struct BitmapNeeds {
    WORD id;
    int imageWidth;
    int height;
    int minImages;
    int maxImages;
    std::uint32_t background;  // the mask colour the dialogs add it with
};

const BitmapNeeds kBitmaps[] = {
    {108, 24, 24, 22, 22, 0xFFFFFF},  // item images in slot order
    {126, 24, 24, 1, 1, 0xFFFFFF},    // missing drawing file
    {125, 20, 20, 5, 5, 0xFFFFFF},    // check-box state images
    {110, 24, 24, 1, 1, 0xC0C0C0},    // drag image, one drawing file
    {106, 24, 24, 1, 1, 0xC0C0C0},    // drag image, several
    {134, 24, 24, 1, 1, 0xFFFFFF},    // locked variant view
    {135, 24, 24, 1, 1, 0xFFFFFF},    // original view
    {136, 24, 24, 1, 1, 0xFFFFFF},    // locked original view
    {137, 24, 24, 1, 1, 0xFFFFFF},    // variant view
    {120, 16, 16, 2, 2, 0x000000},    // sort images of the tree-list header
};

// A bitmap as the dialogs load it. The headless table keeps the whole BMP
// file; a compiled resource section keeps the picture without the file's
// header, starting at its BITMAPINFOHEADER.
restest::Bmp bitmapOf(const restest::ResourceLibrary& lib, WORD id) {
    const std::vector<std::uint8_t> data = lib.data(restest::kRtBitmap, id);
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
        return restest::parseBmp(data.data(), data.size());
    }
    return restest::parseDib(data.data(), data.size(), 1);
}

// The pixels of image n of a strip.
std::vector<std::uint32_t> imageOf(const restest::Bmp& bmp, int width, int n) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(bmp.at(n * width + x, y));
        }
    }
    return out;
}

TEST(ResourceBitmaps, StripsHoldTheirImagesOnTheirMaskColour) {
    for (const auto* lib : libraries()) {
        for (const BitmapNeeds& need : kBitmaps) {
            const restest::Bmp bmp = bitmapOf(*lib, need.id);
            ASSERT_TRUE(bmp.fault.empty()) << "bitmap " << need.id << ": " << bmp.fault;
            EXPECT_EQ(bmp.height, need.height) << "bitmap " << need.id;
            ASSERT_EQ(bmp.width % need.imageWidth, 0) << "bitmap " << need.id;
            const int images = bmp.width / need.imageWidth;
            EXPECT_GE(images, need.minImages) << "bitmap " << need.id;
            EXPECT_LE(images, need.maxImages) << "bitmap " << need.id;
            std::set<std::vector<std::uint32_t>> distinct;
            for (int n = 0; n < images; ++n) {
                const std::vector<std::uint32_t> img = imageOf(bmp, need.imageWidth, n);
                // Drawn on the mask colour, and something drawn at all.
                EXPECT_EQ(img.front(), need.background) << "bitmap " << need.id << " image " << n;
                const auto drawn = std::count_if(
                    img.begin(), img.end(), [&](std::uint32_t p) { return p != need.background; });
                if (!(need.id == 125 && n == 0)) {  // state image 0 stands for none
                    EXPECT_GT(drawn, 10) << "bitmap " << need.id << " image " << n;
                }
                distinct.insert(img);
            }
            EXPECT_EQ(distinct.size(), static_cast<std::size_t>(images))
                << "bitmap " << need.id << ": two images are the same";
        }
    }
}

TEST(ResourceBitmaps, CheckedAndUncheckedItemsLookDifferent) {
    const restest::Bmp bmp = bitmapOf(restest::english(), 108);
    ASSERT_TRUE(bmp.fault.empty()) << bmp.fault;
    for (int t = 0; t <= 10; ++t) {
        EXPECT_NE(imageOf(bmp, 24, t), imageOf(bmp, 24, t + 11)) << "slot " << t;
    }
    // The four view images tell original, variant and locked apart.
    std::set<std::vector<std::uint32_t>> views;
    for (WORD id : {134, 135, 136, 137}) {
        views.insert(bitmapOf(restest::english(), id).pixels);
    }
    EXPECT_EQ(views.size(), 4U);
}

TEST(ResourceBitmaps, TheMaskIsMonochromeWithTheSizeOfTheLevelBitmaps) {
    for (const auto* lib : libraries()) {
        const restest::Bmp mask = bitmapOf(*lib, 105);
        ASSERT_TRUE(mask.fault.empty()) << mask.fault;
        EXPECT_EQ(mask.bits, 1);
        // The level bitmaps have the size of the item images.
        EXPECT_EQ(mask.width, 24);
        EXPECT_EQ(mask.height, 24);
        const auto kept =
            std::count(mask.pixels.begin(), mask.pixels.end(), static_cast<std::uint32_t>(0));
        EXPECT_GT(kept, 24 * 24 / 2) << "the mask hides most of a checked level";
    }
}

TEST(ResourceBitmaps, TheNewLevelPictureFitsItsButton) {
    for (const auto* lib : libraries()) {
        const restest::Bmp pic = bitmapOf(*lib, 131);
        ASSERT_TRUE(pic.fault.empty()) << pic.fault;
        const VedrixDialogItem* button = findItem(*lib->dialog(127), 1027);
        ASSERT_NE(button, nullptr);
        EXPECT_LE(pic.width + 4, button->cx * 2);
        EXPECT_LE(pic.height + 4, button->cy * 2);
    }
}

// The number of the first image of an icon group. A compiled resource section
// keeps the group as a directory (GRPICONDIR: reserved 0, type 1, count, then
// 14-byte entries ending in the image's number); the headless table keeps one
// image under the group's own number.
WORD iconImageOf(const restest::ResourceLibrary& lib, WORD group) {
    const std::vector<std::uint8_t> dir = lib.data(restest::kRtGroupIcon, group);
    const bool isDirectory = dir.size() >= 6 + 14 && dir[0] == 0 && dir[1] == 0 && dir[2] == 1 &&
                             dir[3] == 0 && (dir[4] != 0 || dir[5] != 0);
    return isDirectory ? static_cast<WORD>(dir[6 + 12] | (dir[6 + 13] << 8)) : group;
}

TEST(ResourceBitmaps, TheDialogIconIsASquarePicture) {
    for (const auto* lib : libraries()) {
        // Icon 109's image: the group of that number names it on Windows.
        const std::vector<std::uint8_t> data = lib->data(restest::kRtIcon, iconImageOf(*lib, 109));
        ASSERT_FALSE(data.empty()) << lib->fileName() << " lacks icon 109";
        // The headless table keeps a BMP file; a compiled resource section
        // the image's header, colours, pixels and mask (twice the height).
        const restest::Bmp icon = data[0] == 'B' ? restest::parseBmp(data.data(), data.size())
                                                 : restest::parseDib(data.data(), data.size(), 2);
        ASSERT_TRUE(icon.fault.empty()) << icon.fault;
        EXPECT_EQ(icon.width, icon.height);
        EXPECT_GE(icon.width, 16);
    }
}

// ---- Menus -----------------------------------------------------------------

using restest::LoadedMenuItem;

void collectCommands(const std::vector<LoadedMenuItem>& items, std::set<UINT>& out) {
    for (const LoadedMenuItem& m : items) {
        if (m.flags == restest::kMfPopup) {
            collectCommands(m.items, out);
        } else if (m.flags == 0) {
            out.insert(m.id);
        }
    }
}

// The commands of the popup at a position of a menu, its own popups'
// included; empty when there is no popup there.
std::set<UINT> popupCommands(const std::vector<LoadedMenuItem>& menu, int position) {
    std::set<UINT> out;
    const auto at = static_cast<std::size_t>(position);
    if (at < menu.size() && menu[at].flags == restest::kMfPopup) {
        collectCommands(menu[at].items, out);
    }
    return out;
}

bool holds(const std::set<UINT>& s, std::initializer_list<UINT> ids) {
    return std::all_of(ids.begin(), ids.end(), [&](UINT id) { return s.count(id) != 0U; });
}

TEST(ResourceMenus, TheAttributeMenusOfferTheirCommands) {
    for (const auto* lib : libraries()) {
        const std::vector<LoadedMenuItem> menu = lib->loadMenu(120);
        ASSERT_FALSE(menu.empty()) << lib->fileName() << " lacks menu 120";
        // First popup: the list browser's tree items; 1: groups; 2: attributes.
        EXPECT_TRUE(holds(popupCommands(menu, 0), {32772}));
        EXPECT_TRUE(holds(popupCommands(menu, 1), {32771, 32777, 32773, 32774}));
        EXPECT_TRUE(holds(popupCommands(menu, 2), {32775, 32776}));
        // Groups are renamed, attributes edited: not the other way round.
        EXPECT_EQ(popupCommands(menu, 2).count(32773), 0U);
    }
}

TEST(ResourceMenus, TheFacilityManagementMenusFitTheItems) {
    for (const auto* lib : libraries()) {
        const std::vector<LoadedMenuItem> menu = lib->loadMenu(132);
        ASSERT_FALSE(menu.empty()) << lib->fileName() << " lacks menu 132";
        const std::set<UINT> root = popupCommands(menu, 1);
        const std::set<UINT> original = popupCommands(menu, 2);
        const std::set<UINT> variant = popupCommands(menu, 3);
        const std::set<UINT> locked = popupCommands(menu, 4);
        const std::set<UINT> level = popupCommands(menu, 5);
        EXPECT_TRUE(holds(root, {32795}));
        EXPECT_TRUE(holds(original, {32791, 32783, 32793}));
        EXPECT_TRUE(holds(variant, {32792, 32783, 32793}));
        EXPECT_FALSE(locked.empty());
        EXPECT_FALSE(level.empty());
        // Original views are not renamed and levels never deleted; the
        // variant commands belong to their kind of view.
        for (UINT rename : {32796U, 32799U}) {
            EXPECT_EQ(original.count(rename), 0U);
            EXPECT_EQ(locked.count(rename), 0U);
        }
        for (UINT del : {32779U, 32801U}) {
            EXPECT_EQ(level.count(del), 0U);
            EXPECT_EQ(root.count(del), 0U);
        }
        EXPECT_EQ(original.count(32792), 0U);
        EXPECT_EQ(variant.count(32791), 0U);
        // Every command of the browser is offered somewhere.
        std::set<UINT> all;
        for (std::size_t p = 0; p < menu.size(); ++p) {
            const std::set<UINT> s = popupCommands(menu, static_cast<int>(p));
            all.insert(s.begin(), s.end());
        }
        EXPECT_TRUE(holds(all, {32779, 32783, 32791, 32792, 32793, 32795, 32796, 32799, 32801}));
    }
}

TEST(ResourceMenus, ItemsHaveTextsAndDistinctAccessKeys) {
    for (const auto* lib : libraries()) {
        for (WORD id : {120, 132}) {
            const std::vector<LoadedMenuItem> menu = lib->loadMenu(id);
            ASSERT_FALSE(menu.empty()) << lib->fileName() << " lacks menu " << id;
            for (std::size_t p = 0; p < menu.size(); ++p) {
                const LoadedMenuItem& popup = menu[p];
                ASSERT_EQ(popup.flags, restest::kMfPopup) << "menu " << id;
                ASSERT_FALSE(popup.items.empty()) << "menu " << id << " popup " << p;
                std::map<char, int> keys;
                for (const LoadedMenuItem& m : popup.items) {
                    if (m.flags == restest::kMfSeparator) {
                        continue;
                    }
                    const std::string text = m.text;
                    EXPECT_FALSE(text.empty()) << "menu " << id << " command " << m.id;
                    const std::size_t amp = text.find('&');
                    if (amp != std::string::npos && amp + 1 < text.size()) {
                        const char key = static_cast<char>(
                            std::tolower(static_cast<unsigned char>(text[amp + 1])));
                        EXPECT_EQ(++keys[key], 1) << lib->fileName() << ": menu " << id << " popup "
                                                  << p << " uses &" << key << " twice";
                    }
                }
            }
        }
    }
}

}  // namespace
