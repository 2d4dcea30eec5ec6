// What the list browser shows when it opens, on projects whose files are
// missing or odd: no hierarchy file, no level list file, drawing files that
// cannot be read or carry no name, upper-case and non-numeric file names.
#include <vedrix/vedrix.h>

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "launch_fixture.h"
#include "list_project.h"

using namespace vedrix::automation;
using namespace entry_tests;
using namespace listbrowser_tests;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;

namespace {

// What the person reads in the three controls.
struct Shown {
    std::vector<std::string> roots, children, palette, files, names;
    std::vector<int> childStates;
};

Script look(Shown& shown, bool confirm) {
    return [&shown, confirm](Dialog& d) {
        TreeView tree = d.tree(1001);
        for (const TreeItem& item : tree.roots()) {
            shown.roots.push_back(item.text());
        }
        for (const TreeItem& level : tree.root().children()) {
            for (const TreeItem& item : level.children()) {
                shown.children.push_back(item.text());
                shown.childStates.push_back(item.stateImage());
            }
        }
        shown.palette = d.list(1000).columnTexts();
        shown.files = d.list(1002).columnTexts();
        shown.names = d.list(1002).columnTexts(1);
        if (confirm) {
            d.ok();
        } else {
            d.cancel();
        }
    };
}

// Drawing files of every odd kind: one under an upper-case name, one that
// is no drawing file, one without a name, one whose name has no number, and
// files that do not match the search.
void writeOddFiles(const fs::path& project) {
    writeDrawingFile(project, 5, "Upper five", "TB000005.ZDW");
    writeFile(project / "tb000008.zdw", "not a drawing file");
    writeDrawingFile(project, 9, "");
    writeFile(project / "tb0abc.zdw", "no number");
    writeDrawingFile(project, 100001, "Too far");
    writeFile(project / "readme.txt", "notes");
}

const char* const kLookupError = "error from DLL vedada.dll in function read_object_name\n";

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

TEST_F(LaunchTest, AProjectWithoutStructureFilesShowsTheRootAndEveryDrawingFileFree) {
    writeOddFiles(project);
    Shown shown;
    person.onDialog(101, look(shown, true));
    ConsoleCapture console;
    const int result =
        tb_list_browser(nullptr, "en", project.string().c_str(), "Odd", "odd.lis", "");
    console.stop();

    EXPECT_EQ(result, IDOK);
    EXPECT_THAT(shown.roots, ElementsAre("Odd"));
    EXPECT_THAT(shown.children, IsEmpty());
    EXPECT_THAT(shown.palette, IsEmpty());
    EXPECT_THAT(shown.files,
                ElementsAre("tb000005.zdw", "tb000008.zdw", "tb000009.zdw", "tb0abc.zdw"));
    EXPECT_THAT(shown.names, ElementsAre("Upper five", "", "", ""));
    EXPECT_EQ(countOf(console.out(), kLookupError), 3);
    // The launch's failed template copy is the only message.
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_THAT(person.messageBoxes()[0].text, StartsWith("Error copying file"));
    // Confirming writes a structure of the root alone.
    EXPECT_EQ(readFile(project / "odd.hre"), "#DATA:\n#ATTRIBUTES:\n");
    EXPECT_EQ(readFile(project / "odd.lis"), "#DATA:\n");
}

TEST_F(LaunchTest, ALevelListWithoutHierarchyFileLeavesTheTreeEmpty) {
    writeDrawingFile(project, 1, "One");
    writeFile(project / "odd.lis", "#DATA:\n1\t0\t1\t\n");
    writeFile(project / "listunit.def", "#DATA:\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Odd", "odd.lis", ""),
              IDCANCEL);
    // Drawing file 1 hangs directly below the root, so it is no free file.
    EXPECT_THAT(shown.roots, ElementsAre("Odd"));
    EXPECT_THAT(shown.files, IsEmpty());
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_EQ(readFile(project / "odd.lis"), "#DATA:\n1\t0\t1\t\n");
}

TEST_F(LaunchTest, AHierarchyWithoutLevelListLeavesEveryDrawingFileFree) {
    putLevelBitmaps(project);
    writeDrawingFile(project, 1, "One");
    writeDrawingFile(project, 2, "Two");
    writeFile(project / "odd.hre", levelDefinitions(project) + "\t1\t1\t0\t2\tHouse\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Odd", "odd.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown.children, IsEmpty());
    EXPECT_THAT(shown.palette, ElementsAre("Building", "Storey", "Part of storey"));
    EXPECT_THAT(shown.files, ElementsAre("tb000001.zdw", "tb000002.zdw"));
    EXPECT_THAT(shown.names, ElementsAre("One", "Two"));
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
    EXPECT_FALSE(fs::exists(project / "odd.lis"));
}

TEST_F(LaunchTest, DrawingFilesInTheStructureShowWhatTheLookupAndTheDiskSay) {
    putLevelBitmaps(project);
    writeOddFiles(project);
    writeFile(project / "odd.hre", levelDefinitions(project) + "\t1\t1\t0\t3\tHouse\n");
    writeFile(project / "odd.lis", "#DATA:\n5\t1\t1\t\n8\t1\t0\t\n12\t1\t1\t\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    ConsoleCapture console;
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Odd", "odd.lis", ""),
              IDCANCEL);
    console.stop();
    // Named, not named (the file is no drawing file), missing and checked.
    EXPECT_THAT(shown.children,
                ElementsAre("tb000005.zdw  Upper five", "tb000008.zdw", "tb000012.zdw"));
    EXPECT_THAT(shown.childStates, ElementsAre(2, 1, 4));
    // Drawing file 5 is in the structure whatever its file name's case.
    EXPECT_THAT(shown.files, ElementsAre("tb000009.zdw", "tb0abc.zdw"));
    EXPECT_THAT(console.out(), HasSubstr(kLookupError));
    EXPECT_THAT(person.messageBoxes(), IsEmpty());
}

// An entry's text is its file name, two blanks and the name the lookup
// gives, converted from the host's code page ("\x84", a-umlaut, shows as
// "\xe4"), without blanks at the text's end (those before the name stay);
// a number beyond six digits or below zero is named with the format's full
// width (the lookup names neither), a name is read as atoi reads it ("+9"
// is drawing file 9), and the status images say whether the file lies in
// the project directory.
TEST_F(LaunchTest, EntryTextsConvertTheNameAndNameEveryNumber) {
    writeDrawingFile(project, 3, "  M\x84rz  ");
    writeDrawingFile(project, 1234567, "Seven digits", "tb1234567.zdw");
    writeFile(project / "names.hre", "#DATA:\n\t1\t1\t0\t0\tHouse\n");
    writeFile(project / "names.lis",
              "#DATA:\n3\t1\t0\t\n1234567\t1\t0\t\n-5\t1\t0\t\n+9\t1\t0\t\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Names", "names.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown.children, UnorderedElementsAre("tb000003.zdw    M\xe4rz", "tb1234567.zdw",
                                                     "tb-00005.zdw", "tb000009.zdw"));
    EXPECT_THAT(shown.childStates, UnorderedElementsAre(1, 1, 3, 3));
}

// A structure that holds drawing file 0 keeps a file whose name has no
// number out of the free list.
TEST_F(LaunchTest, AFileNameWithoutNumberStandsForDrawingFileZero) {
    writeFile(project / "tb0abc.zdw", "no number");
    writeFile(project / "zero.hre", "#DATA:\n\t1\t1\t0\t0\tHouse\n");
    writeFile(project / "zero.lis", "#DATA:\n0\t1\t0\t\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Zero", "zero.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown.children, ElementsAre("tb000000.zdw"));
    EXPECT_THAT(shown.files, IsEmpty());
}

// A structure entry takes a drawing file out of the free list only when its
// text is the number as written in decimal: "007" shows drawing file 7 in
// the tree but leaves it free, "8" takes drawing file 8 out.
TEST_F(LaunchTest, OnlyAnEntryWrittenAsItsNumberTakesTheFileOutOfTheFreeList) {
    for (const char* name : {"tb000007.zdw", "tb000008.zdw", "tb000009.zdw"}) {
        writeFile(project / name, "no header");
    }
    writeFile(project / "texts.hre", "#DATA:\n\t1\t1\t0\t0\tHouse\n");
    writeFile(project / "texts.lis", "#DATA:\n007\t1\t0\t\n8\t1\t0\t\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Texts", "texts.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown.children, ElementsAre("tb000007.zdw", "tb000008.zdw"));
    EXPECT_THAT(shown.files, UnorderedElementsAre("tb000007.zdw", "tb000009.zdw"));
}

TEST_F(LaunchTest, OnlyTheLevelTypesWithImagesAreOffered) {
    putLevelBitmaps(project);
    writeFile(project / "types.hre", "#BITMAP_PATH:\t" + project.string() +
                                         "\\bitmaps\\\n"
                                         "#DEFINED_LEVEL:\t5\tRoom\tpart.bmp\n"
                                         "#DEFINED_LEVEL:\t1\tSite\tbuilding.bmp\n"
                                         "#DEFINED_LEVEL:\t3\tWing\tstorey.bmp\n"
                                         "#DATA:\n");
    Shown shown;
    person.onDialog(101, look(shown, false));
    EXPECT_EQ(tb_list_browser(nullptr, "en", project.string().c_str(), "Types", "types.lis", ""),
              IDCANCEL);
    EXPECT_THAT(shown.palette, ElementsAre("Site", "Wing", "Room"));
}

}  // namespace
