// The resource generator refuses faulty sources with a message that names
// the fault and its place, and then writes nothing; a sound source gives a
// table and a script per language.
#include <gtest/gtest.h>

#if VEDRIX_HEADLESS
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/headless_only.h"

namespace {

namespace fs = std::filesystem;

const char kSource[] = R"(# a small source
text 100 -  "caption"
text 101 %s "names the project"
class CUSTOMCLASS "registered by the test"
palette p
    .  FFFFFF
    K  000000
end
bitmap 7 "two images"
    bits 24
    palette p
    image 2 2
        .K
        K.
    image 2 2
        KK
        ..
end
dialog 50 "a dialog"
    rect 0 0 100 60
    style DS_SETFONT | WS_POPUP | WS_CAPTION
    caption @100
    font 8 "MS Shell Dlg"
    control 10   Static       $label  5  5 90 9   WS_CHILD | WS_VISIBLE | SS_LEFT
    control 11   CUSTOMCLASS  ""      5 16 90 20  WS_CHILD | WS_VISIBLE
    control IDOK Button       "OK"   45 40 50 14  WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON
end
menu 60 "a menu"
    popup $popup
        item 40000 $command MF_GRAYED
    end
end
)";

const char kEnglish[] = R"(language en LANG_ENGLISH SUBLANG_ENGLISH_US
100 "Caption"
101 "Project: %s"
label "Label:"
popup "Popup"
command "&Command"
)";

const char kGerman[] = R"(language de LANG_GERMAN SUBLANG_GERMAN
100 "Überschrift"
101 "Projekt: %s"
label "Beschriftung:"
popup "Aufklapp"
command "&Befehl"
)";

struct Outcome {
    int status = -1;
    std::string messages;
};

class ResourceGenerator : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("resgen_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "lang");
        source_ = kSource;
        english_ = kEnglish;
        german_ = kGerman;
    }

    void TearDown() override { fs::remove_all(dir_); }

    static void write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }

    static void replace(std::string& text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }

    Outcome run() {
        write(dir_ / "src.res", source_);
        write(dir_ / "lang" / "en.txt", english_);
        write(dir_ / "lang" / "de.txt", german_);
        const fs::path log = dir_ / "messages.txt";
        Outcome r;
#if VEDRIX_HEADLESS
        const std::string cmd =
            std::string("'") + VEDRIX_RESGEN + "' '" + (dir_ / "src.res").string() + "' '" +
            (dir_ / "out").string() + "' '" + (dir_ / "lang" / "en.txt").string() + "' '" +
            (dir_ / "lang" / "de.txt").string() + "' >'" + log.string() + "' 2>&1";
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#else
        r.status = -1;  // the generator runs on the build machine only
#endif
        std::ifstream in(log);
        std::ostringstream s;
        s << in.rdbuf();
        r.messages = s.str();
        return r;
    }

    // Runs the generator on the sources and expects it to refuse them with a
    // message holding every one of `expected`, writing nothing.
    void expectRefused(std::initializer_list<const char*> expected) {
        const Outcome r = run();
        EXPECT_EQ(r.status, 1) << r.messages;
        for (const char* e : expected) {
            EXPECT_NE(r.messages.find(e), std::string::npos) << "message lacks \"" << e << "\":\n"
                                                             << r.messages;
        }
        EXPECT_FALSE(fs::exists(dir_ / "out" / "vedr_en_table.cpp"));
        EXPECT_FALSE(fs::exists(dir_ / "out" / "vedr_de.rc"));
    }

    fs::path dir_;
    std::string source_, english_, german_;
};

TEST_F(ResourceGenerator, WritesTablesScriptsAndPicturesForASoundSource) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    const Outcome r = run();
    ASSERT_EQ(r.status, 0) << r.messages;
    for (const char* f :
         {"vedr_en_table.cpp", "vedr_de_table.cpp", "vedr_en.rc", "vedr_de.rc", "bitmaps/7.bmp"}) {
        EXPECT_TRUE(fs::exists(dir_ / "out" / f)) << f;
    }
    std::ifstream in(dir_ / "out" / "vedr_de_table.cpp");
    std::ostringstream s;
    s << in.rdbuf();
    // The German text in the host's code page (0xDC is U+00DC), the style
    // as its value, the table in type order.
    EXPECT_NE(s.str().find("\"\\334berschrift\""), std::string::npos);
    EXPECT_NE(s.str().find("0x50000000u"), std::string::npos);
    EXPECT_LT(s.str().find("{2, 7, "), s.str().find("{4, 60, "));
    EXPECT_LT(s.str().find("{4, 60, "), s.str().find("{5, 50, "));
    EXPECT_LT(s.str().find("{5, 50, "), s.str().find("{6, 100, "));
}

TEST_F(ResourceGenerator, RefusesATextMissingInOneLanguage) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(german_, "100 \"Überschrift\"\n", "");
    expectRefused({"de.txt", "text 100 is missing", "present in", "en.txt"});
}

TEST_F(ResourceGenerator, RefusesDifferingStringArguments) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(german_, "\"Projekt: %s\"", "\"Projekt\"");
    expectRefused({"de.txt:3", "text 101", "%s"});
}

TEST_F(ResourceGenerator, RefusesArgumentsTheDeclarationDoesNotGive) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(english_, "\"Caption\"", "\"Caption %s\"");
    replace(german_, "\"Überschrift\"", "\"Überschrift %s\"");
    expectRefused({"en.txt:2", "de.txt:2", "text 100"});
}

TEST_F(ResourceGenerator, FrameworkArgumentPlacesMayMoveButNotGoMissing) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    source_ += "text 102 %1%2 \"a range\"\n";
    english_ += "102 \"From %1 to %2.\"\n";
    german_ += "102 \"Bis %2, ab %1.\"\n";  // another order is another language's right
    const Outcome r = run();
    ASSERT_EQ(r.status, 0) << r.messages;

    fs::remove_all(dir_ / "out");
    replace(german_, "\"Bis %2, ab %1.\"", "\"Bis %2.\"");
    expectRefused({"text 102", "%1%2"});
}

TEST_F(ResourceGenerator, RefusesTextsNobodyDeclaredOrUses) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    english_ += "102 \"stray\"\nstray \"stray\"\n";
    expectRefused({"text 102 is not declared", "text stray is used by no template or menu"});
}

TEST_F(ResourceGenerator, RefusesANamedTextMissingInOneLanguage) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(german_, "label \"Beschriftung:\"\n", "");
    expectRefused({"de.txt", "$label", "src.res:24"});
}

TEST_F(ResourceGenerator, RefusesCharactersOutsideTheCodePage) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(german_, "\"Aufklapp\"", "\"Aufklapp \xE2\x86\x92\"");  // U+2192
    expectRefused({"de.txt:5", "U+2192", "code page"});
}

TEST_F(ResourceGenerator, RefusesMalformedSources) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    struct Case {
        const char* from;
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"\"caption\"", "\"caption", "unterminated quoted string"},
        {"        .K\n", "        .KK\n", "image row has 3 pixels"},
        {"        .K\n", "        .X\n", "pixel 'X' is not in palette p"},
        {"WS_CHILD | WS_VISIBLE | SS_LEFT", "WS_CHILD | WS_VISIBEL | SS_LEFT",
         "unknown constant \"WS_VISIBEL\""},
        {"menu 60", "manu 60", "unknown statement \"manu\""},
        {"  5 16 90 20", "  5 16 90 x", "expected height"},
        {"    bits 24\n", "    bits 3\n", "bits per pixel must be 1, 4, 8 or 24"},
        {"    end\nend\n", "    end\n", "has no \"end\""},
    };
    const std::string original = source_;
    for (const Case& c : cases) {
        source_ = original;
        replace(source_, c.from, c.to);
        SCOPED_TRACE(c.message);
        expectRefused({c.message, "src.res:"});
    }
}

TEST_F(ResourceGenerator, RefusesUnsoundTemplates) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    struct Case {
        const char* from;
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"45 40 50 14", "65 40 50 14", "control 1 lies outside the dialog"},
        {"control 11 ", "control 10 ", "control 10: the identifier is used twice"},
        {"CUSTOMCLASS  \"\"", "OTHERCLASS   \"\"", "unknown window class \"OTHERCLASS\""},
        {"WS_CHILD | WS_VISIBLE\n", "WS_VISIBLE\n", "control 11 lacks WS_CHILD"},
        {"style DS_SETFONT | ", "style ", "DS_SETFONT and a font statement go together"},
    };
    const std::string original = source_;
    for (const Case& c : cases) {
        source_ = original;
        replace(source_, c.from, c.to);
        SCOPED_TRACE(c.message);
        expectRefused({c.message, "src.res:"});
    }
}

TEST_F(ResourceGenerator, RefusesALanguageFileNamedAfterAnotherCode) {
    HEADLESS_ONLY("runs the resource generator, a tool of the build machine");
    replace(german_, "language de", "language fr");
    expectRefused({"de.txt:1", "\"fr\" differs from the file name"});
}

}  // namespace
