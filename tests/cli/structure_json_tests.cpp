// vedrix export and vedrix import, run as a shell runs them, on projects the
// tests write: what export writes, that import writes the same files back
// byte for byte, and that every refused document leaves the files as they
// were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include <vedrix/framework/text_file.h>
#include <vedrix/model.h>
#include <vedrix/samplegen/sample_project.h>

#include "support/program_run.h"
#include "support/scratch_directory.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;
using test_support::ReadWholeFile;
using test_support::RunProgram;

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A structure written by hand in the writers' own form, with what the files
// can hold at its edges: definitions whose bitmap directory starts empty
// and changes, a definition without a bitmap file, 8-bit names (code page
// bytes for "ä", "ß" and "€"), a level whose parent ID field differs from
// the level it stands below, a negative status, a level 3 right below a
// level 1, attributes of every type in a group, one with a type value
// outside 0 to 3, entries below the root and below another entry.
const char kTrickyHierarchy[] =
    "#DEFINED_LEVEL:\t1\tGeb\xE4ude\tbuilding.bmp\n"
    "#BITMAP_PATH:\tbitmaps\\\n"
    "#DEFINED_LEVEL:\t2\tGescho\xDF\tstorey.bmp\n"
    "#DEFINED_LEVEL:\t3\tTeil #3\t\n"
    "#DATA:\n"
    "\t1\t1\t0\t3\tHaus \x80 1\t3f2a9c1e-5b7d-4e0a-9c61-2d8b7e4f1a01\n"
    "\t3\t2\t1\t-2\tKeller\n"
    "\t2\t4\t1\t2\tErdgescho\xDF\n"
    "\t1\t9\t2\t0\tGarage\n"
    "#ATTRIBUTES:\n"
    "\t0\tProject\tDemo\t0\t0\t0\t0\n"
    "\t1\tSizes\t\t1\t1\t0\t3\n"
    "\t1\tFloor area\t420\t2\t2\t1\t1\n"
    "\t1\tNote\t  spaced value\t2\t3\t1\t2\n"
    "\t1\tAddress\tMain Street 1\t1\t4\t0\t0\n"
    "\t9\tOdd\tx\t5\t6\t7\t7\n";
// Entries get the IDs 10 to 13 in line order: 103 stands below 102 (ID 11).
const char kTrickyLevelList[] =
    "#DATA:\n"
    "101\t2\t1\t\n"
    "102\t4\t0\t\n"
    "103\t11\t5\t\n"
    "200\t0\t0\t\n";

class StructureJson : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(project_); }

    void writeTricky() {
        WriteFile(project_ / "t.hre", kTrickyHierarchy);
        WriteFile(project_ / "t.lis", kTrickyLevelList);
    }

    test_support::ProgramResult exportJson(const fs::path& project, const std::string& structure,
                                           const fs::path& json) {
        return RunProgram(VEDRIX_CLI_PATH,
                          {"export", project.string(), structure, "--json", json.string()});
    }

    // Exports the structure of project_, imports the JSON into a new, empty
    // project and expects both files there byte for byte as in project_.
    void expectRoundTrip(const std::string& structure, const std::string& hierarchy) {
        const fs::path json = base_ / "structure.json";
        const auto out = exportJson(project_, structure, json);
        ASSERT_EQ(out.status, 0) << out.err;
        const fs::path copy = base_ / "copy";
        fs::create_directories(copy);
        const auto in =
            RunProgram(VEDRIX_CLI_PATH, {"import", copy.string(), structure, json.string()});
        ASSERT_EQ(in.status, 0) << in.err;
        EXPECT_EQ(ReadWholeFile(copy / hierarchy), ReadWholeFile(project_ / hierarchy));
        EXPECT_EQ(ReadWholeFile(copy / structure), ReadWholeFile(project_ / structure));
        // Importing into the project itself leaves it as it was.
        const std::string before = ReadWholeFile(project_ / hierarchy);
        EXPECT_EQ(
            RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), structure, json.string()})
                .status,
            0);
        EXPECT_EQ(ReadWholeFile(project_ / hierarchy), before);
    }

    test_support::ScratchDirectory scratch_{"cli-json"};
    const fs::path base_ = scratch_.path();
    const fs::path project_ = base_ / "project";
};

// Gives a sample's root and some of its levels attributes of every type,
// with groups holding attributes and a group in a group, and writes the
// files back as the list browser writes them.
void AddAttributes(const fs::path& project, const std::string& name) {
    const std::string hre = (project / (name + ".hre")).string();
    const std::string lis = (project / (name + ".lis")).string();
    Zel_GM_Root root(name.c_str());
    {
        vedrix::framework::TextFileReader levels(hre.c_str());
        ASSERT_EQ(root.readhre(levels, 1), 0);
        vedrix::framework::TextFileReader entries(lis.c_str());
        ASSERT_EQ(root.readlis(entries, 1), 0);
        vedrix::framework::TextFileReader attributes(hre.c_str());
        root.readAttributes(attributes);
    }
    auto add = [](Zel_GM_Level& level, const char* attrName, const char* value, int type,
                  unsigned long id, unsigned long parent, long depth) {
        level.getAttributes().AddTail(new CAttribData(
            attrName, value, static_cast<CAttribData::enAttribType>(type), id, parent, depth));
    };
    add(root, "Owner", "City of Example", CAttribData::String, 1, 0, 1);
    int count = 0;
    for (const auto& node : root.GetSublevels()) {
        Zel_GM_Level& building = *node.value;
        add(building, "Dimensions", "", CAttribData::Group, 1, 0, 1);
        add(building, "Floor area", std::to_string(400 + count).c_str(), CAttribData::Number, 2, 1,
            2);
        add(building, "Heights", "", CAttribData::Group, 3, 1, 2);
        add(building, "Eaves", "7.5 m", CAttribData::Universal, 4, 3, 3);
        add(building, "Architect", "Studio Nord", CAttribData::String, 5, 0, 1);
        building.addAttributeItem("Added by a module", "yes", CAttribData::Universal);
        ++count;
    }
    vedrix::framework::TextFileWriter levels(hre.c_str());
    root.writehre(levels);
    levels << "#ATTRIBUTES:\n";
    root.writeAttributes(levels);
    ASSERT_TRUE(levels.Commit());
    vedrix::framework::TextFileWriter entries(lis.c_str());
    root.writelis(entries);
    ASSERT_TRUE(entries.Commit());
}

TEST_F(StructureJson, SampleProjectsComeBackByteForByte) {
    vedrix::samplegen::SampleSummary summary;
    std::string error;
    {
        SCOPED_TRACE("list-browser sample");
        vedrix::samplegen::StructureSample sample;
        sample.name = "lb";
        ASSERT_TRUE(WriteStructureSample(project_.string(), sample, summary, error)) << error;
        expectRoundTrip("lb.lis", "lb.hre");
    }
    {
        SCOPED_TRACE("list-browser sample with attributes and groups");
        AddAttributes(project_, "lb");
        const std::string hre = ReadWholeFile(project_ / "lb.hre");
        ASSERT_NE(hre.find("\tHeights\t\t2\t3\t1\t3\n"), std::string::npos) << hre;
        expectRoundTrip("lb.lis", "lb.hre");
    }
    {
        SCOPED_TRACE("facility-management sample with attributes");
        vedrix::samplegen::FmSample sample;
        sample.name = "fm";
        sample.buildings = 3;
        sample.viewsPerBuilding = 3;
        ASSERT_TRUE(WriteFmSample(project_.string(), sample, summary, error)) << error;
        AddAttributes(project_, "fm");
        expectRoundTrip("fm.lis", "fm.hre");
    }
}

TEST_F(StructureJson, AStructureAtTheFormatsEdgesComesBackByteForByte) {
    writeTricky();
    expectRoundTrip("t.lis", "t.hre");
}

TEST_F(StructureJson, ExportWritesTheDocumentedFields) {
    writeTricky();
    const auto run = RunProgram(VEDRIX_CLI_PATH, {"export", project_.string(), "t.lis"});
    ASSERT_EQ(run.status, 0) << run.err;
    const ordered_json doc = ordered_json::parse(run.out);
    EXPECT_EQ(doc["version"], 1);

    ASSERT_EQ(doc["definitions"].size(), 3u);
    EXPECT_EQ(doc["definitions"][0]["name"], "Geb\u00e4ude");
    EXPECT_EQ(doc["definitions"][0]["bitmapDirectory"], "");
    EXPECT_EQ(doc["definitions"][1]["bitmapDirectory"], "bitmaps\\");
    EXPECT_EQ(doc["definitions"][2]["bitmapDirectory"], "bitmaps\\");
    EXPECT_EQ(doc["definitions"][2]["name"], "Teil #3");
    EXPECT_EQ(doc["definitions"][2]["bitmapFile"], "");

    EXPECT_EQ(doc["attributes"],
              ordered_json::parse(R"([{"name":"Project","value":"Demo","type":"String",
                                       "levelNr":0,"id":0,"parentId":0}])"));

    const ordered_json& house = doc["levels"][0];
    EXPECT_EQ(house["name"], "Haus \u20ac 1");
    EXPECT_EQ(house["status"], 3);
    EXPECT_EQ(house["uuid"], "3f2a9c1e-5b7d-4e0a-9c61-2d8b7e4f1a01");
    EXPECT_FALSE(house.contains("parentId"));  // it stands below the level its field names
    ASSERT_EQ(house["attributes"].size(), 4u);
    EXPECT_EQ(house["attributes"][0]["type"], "Group");
    EXPECT_EQ(house["attributes"][1]["type"], "Number");
    EXPECT_EQ(house["attributes"][1]["parentId"], 1);
    EXPECT_EQ(house["attributes"][2]["type"], "Universal");
    EXPECT_EQ(house["attributes"][2]["value"], "  spaced value");

    // Sublevels in ID order; each level's entries apart from its levels.
    ASSERT_EQ(house["levels"].size(), 2u);
    EXPECT_EQ(house["levels"][0]["levelNr"], 3);
    EXPECT_EQ(house["levels"][0]["status"], -2);
    EXPECT_EQ(house["levels"][0]["entries"], ordered_json::parse(R"([{"number":101,"status":1}])"));
    EXPECT_FALSE(house["levels"][0].contains("uuid"));
    EXPECT_EQ(house["levels"][1]["entries"],
              ordered_json::parse(
                  R"([{"number":102,"status":0,"entries":[{"number":103,"status":5}]}])"));

    const ordered_json& garage = doc["levels"][1];
    EXPECT_EQ(garage["parentId"], 2);
    EXPECT_EQ(garage["attributes"][0]["type"], 7);
    EXPECT_EQ(doc["entries"], ordered_json::parse(R"([{"number":200,"status":0}])"));

    // --json writes the same document to a file.
    const fs::path json = base_ / "out.json";
    ASSERT_EQ(exportJson(project_, "t.lis", json).status, 0);
    EXPECT_EQ(ReadWholeFile(json), run.out);
}

TEST_F(StructureJson, ExportSaysWhatItCouldNotReadOrCarry) {
    {
        SCOPED_TRACE("no hierarchy file");
        const auto run = RunProgram(VEDRIX_CLI_PATH, {"export", project_.string(), "none.lis"});
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    {
        SCOPED_TRACE("a hierarchy file whose last line has no newline");
        WriteFile(project_ / "cut.hre", "#DATA:\n\t1\t1\t0\t0\tHouse\n\t2\t2\t1\t0\tFloor");
        const auto run = RunProgram(VEDRIX_CLI_PATH, {"export", project_.string(), "cut.lis"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("cut.hre: the reader stopped before the end"), std::string::npos)
            << run.err;
        EXPECT_NE(run.err.find("cut.lis does not exist"), std::string::npos) << run.err;
        const ordered_json doc = ordered_json::parse(run.out);
        ASSERT_EQ(doc["levels"].size(), 1u);
        EXPECT_EQ(doc["levels"][0]["name"], "House");
        EXPECT_FALSE(doc["levels"][0].contains("levels"));
    }
    {
        SCOPED_TRACE("an entry that is not a drawing-file number");
        WriteFile(project_ / "odd.hre", "#DATA:\n\t1\t1\t0\t0\tHouse\n");
        WriteFile(project_ / "odd.lis", "#DATA:\n0101\t1\t0\t\n");
        const auto run = RunProgram(VEDRIX_CLI_PATH, {"export", project_.string(), "odd.lis"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("\"0101\" is not named by a drawing-file number"), std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
    {
        SCOPED_TRACE("an attribute line naming an entry's ID at this reading");
        WriteFile(project_ / "held.hre",
                  "#DATA:\n\t1\t1\t0\t0\tHouse\n#ATTRIBUTES:\n\t2\tColour\tred\t1\t1\t0\t0\n");
        WriteFile(project_ / "held.lis", "#DATA:\n101\t1\t0\t\n");
        const auto run = RunProgram(VEDRIX_CLI_PATH, {"export", project_.string(), "held.lis"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("entry 101 (ID 2 at this reading) holds attributes"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// A valid document to spoil one value at a time.
ordered_json ValidDocument() {
    return ordered_json::parse(R"({
        "version": 1,
        "definitions": [{"levelNr": 1, "name": "Building", "bitmapDirectory": "",
                         "bitmapFile": "b.bmp"}],
        "attributes": [{"name": "Project", "value": "Demo", "type": "String",
                        "levelNr": 0, "id": 0, "parentId": 0}],
        "levels": [{"levelNr": 1, "id": 1, "status": 0, "name": "House",
                    "levels": [{"levelNr": 2, "id": 2, "status": 0, "name": "Ground floor",
                                "entries": [{"number": 101, "status": 1}]}]}],
        "entries": []
    })");
}

struct Refusal {
    const char* what;
    std::function<void(ordered_json&)> spoil;
    std::string place;   // the JSON pointer the message must name
    const char* reason;  // a piece of the message
};

ordered_json::json_pointer At(const char* pointer) {
    return ordered_json::json_pointer(pointer);
}

std::vector<Refusal> Refusals() {
    auto set = [](const char* pointer, ordered_json value) {
        return [pointer, value](ordered_json& doc) { doc[At(pointer)] = value; };
    };
    auto erase = [](const char* pointer, const char* key) {
        return [pointer, key](ordered_json& doc) { doc[At(pointer)].erase(key); };
    };
    // A second level at the top, ID 3, with one field changed.
    auto addLevel = [](const char* key, ordered_json value) {
        return [key, value](ordered_json& doc) {
            ordered_json level = {{"levelNr", 1}, {"id", 3}, {"status", 0}, {"name", "Garage"}};
            level[key] = value;
            doc["levels"].push_back(level);
        };
    };
    return {
        {"a top that is no object", [](ordered_json& doc) { doc = ordered_json::array(); }, "/",
         "must be a JSON object"},
        {"no version", erase("", "version"), "/version", "missing"},
        {"another version", set("/version", 2), "/version", "must be 1"},
        {"unknown field at the top", set("/colour", "red"), "/colour", "unknown field"},
        {"unknown field of a level", set("/levels/0/levels/0/colour", 1),
         "/levels/0/levels/0/colour", "unknown field"},
        {"attributes on an entry",
         set("/levels/0/levels/0/entries/0/attributes", ordered_json::array()),
         "/levels/0/levels/0/entries/0/attributes", "unknown field"},
        {"a level without a name", erase("/levels/0/levels/0", "name"), "/levels/0/levels/0/name",
         "missing"},
        {"a definition without its bitmap file", erase("/definitions/0", "bitmapFile"),
         "/definitions/0/bitmapFile", "missing"},
        {"an ID as text", set("/levels/0/id", "1"), "/levels/0/id", "must be an integer"},
        {"a fractional ID", set("/levels/0/id", 1.5), "/levels/0/id", "must be an integer"},
        {"levels that are no array", set("/levels/0/levels", ordered_json::object()),
         "/levels/0/levels", "must be an array"},
        {"an entry that is no object", set("/entries", ordered_json::array({101})), "/entries/0",
         "must be an object"},
        {"an ID above 32 bits", set("/levels/0/id", 4294967296ULL), "/levels/0/id", "out of range"},
        {"ID 0", set("/levels/0/id", 0), "/levels/0/id", "out of range: 1 to 4294967295"},
        {"a negative parent ID", set("/levels/0/parentId", -1), "/levels/0/parentId",
         "out of range"},
        {"a parent ID that names no level", set("/levels/0/parentId", 77), "/levels/0/parentId",
         "no level has ID 77"},
        {"a status above 32 bits", set("/levels/0/status", 2147483648LL), "/levels/0/status",
         "out of range"},
        {"level number 10", set("/levels/0/levels/0/levelNr", 10), "/levels/0/levels/0/levelNr",
         "out of range: 1 to 9"},
        {"a sublevel whose number is not greater", set("/levels/0/levels/0/levelNr", 1),
         "/levels/0/levels/0/levelNr", "is not greater than 1"},
        {"a later sibling with a greater number", addLevel("levelNr", 2), "/levels/1/levelNr",
         "would put this level below that one"},
        {"a repeated level ID", addLevel("id", 2), "/levels/1/id",
         "already the ID of /levels/0/levels/0"},
        {"a level number defined twice",
         [](ordered_json& doc) { doc["definitions"].push_back(doc["definitions"][0]); },
         "/definitions/1/levelNr", "defined already at /definitions/0"},
        {"a name of 255 characters", set("/levels/0/name", std::string(255, 'n')), "/levels/0/name",
         "at most 254"},
        {"a UUID of 100 characters", set("/levels/0/uuid", std::string(100, 'u')), "/levels/0/uuid",
         "at most 99"},
        {"a bitmap directory of 191 characters",
         set("/definitions/0/bitmapDirectory", std::string(191, 'd')),
         "/definitions/0/bitmapDirectory", "at most 190"},
        {"a definition line too long", set("/definitions/0/name", std::string(250, 'n')),
         "/definitions/0", "at most 252"},
        {"an attribute value of 255 characters", set("/attributes/0/value", std::string(255, 'v')),
         "/attributes/0/value", "at most 254"},
        {"a TAB in a name", set("/levels/0/name", "Ho\tuse"), "/levels/0/name",
         "control character U+0009"},
        {"a line break in an attribute value", set("/attributes/0/value", "a\nb"),
         "/attributes/0/value", "control character U+000A"},
        {"a character outside the code page", set("/levels/0/name", "House \u4e2d"),
         "/levels/0/name", "U+4E2D"},
        {"an empty level name", set("/levels/0/name", ""), "/levels/0/name", "must not be empty"},
        {"an empty attribute name", set("/attributes/0/name", ""), "/attributes/0/name",
         "must not be empty"},
        {"a name beginning with a blank", set("/levels/0/name", " House"), "/levels/0/name",
         "must not begin with a blank"},
        {"a definition name empty before a bitmap file", set("/definitions/0/name", ""),
         "/definitions/0/name", "would take that for the name"},
        {"the attribute keyword in a name", set("/levels/0/name", "Hall # ATTRIBUTES:"),
         "/levels/0/name", "#ATTRIBUTES:"},
        {"the last level's name ending with #", set("/levels/0/levels/0/name", "Floor #"),
         "/levels/0/levels/0/name", "hide the attribute section"},
        {"an unknown attribute type", set("/attributes/0/type", "Text"), "/attributes/0/type",
         "must be \"String\""},
        {"a drawing-file number of seven digits",
         set("/levels/0/levels/0/entries/0/number", 1000000), "/levels/0/levels/0/entries/0/number",
         "out of range: 0 to 999999"},
        {"a drawing-file number as text", set("/levels/0/levels/0/entries/0/number", "101"),
         "/levels/0/levels/0/entries/0/number", "must be an integer"},
        {"entries beyond the 32-bit IDs",
         [](ordered_json& doc) {
             doc["levels"][0]["levels"][0]["id"] = 4294967295ULL;
             doc["entries"].push_back({{"number", 5}, {"status", 0}});
         },
         "/levels/0/levels/0/entries/0", "above 4294967295"},
        {"entries nested too deep",
         [](ordered_json& doc) {
             ordered_json entry = {{"number", 1}, {"status", 0}};
             for (int i = 0; i < 100; ++i) {
                 entry = {{"number", 1}, {"status", 0}, {"entries", {entry}}};
             }
             doc["entries"].push_back(entry);
         },
         [] {
             std::string place = "/entries/0";
             for (int i = 0; i < 100; ++i) {
                 place += "/entries/0";
             }
             return place;
         }(),
         "nest more than 100 deep"},
        // Each text keeps the rules, but the name's "#" and the UUID beside
        // it would start the attribute section early: only reading the
        // files back shows it.
        {"texts that hide the attribute section together",
         [](ordered_json& doc) {
             doc["levels"][0]["levels"][0]["name"] = "Hall #";
             doc["levels"][0]["levels"][0]["uuid"] = "ATTRIBUTES:";
         },
         "/attributes/0", "cannot carry this structure"},
    };
}

TEST_F(StructureJson, RefusedDocumentsNameThePlaceAndChangeNoFile) {
    writeTricky();
    const std::string hierarchy = ReadWholeFile(project_ / "t.hre");
    const std::string levelList = ReadWholeFile(project_ / "t.lis");
    const fs::path json = base_ / "in.json";
    auto expectUnchanged = [&] {
        EXPECT_EQ(ReadWholeFile(project_ / "t.hre"), hierarchy);
        EXPECT_EQ(ReadWholeFile(project_ / "t.lis"), levelList);
        EXPECT_EQ(std::distance(fs::directory_iterator(project_), fs::directory_iterator()), 2);
    };

    // The valid document itself is taken: the table's cases fail by their
    // own fault.
    WriteFile(json, ValidDocument().dump());
    ASSERT_EQ(
        RunProgram(VEDRIX_CLI_PATH, {"import", (base_ / "copy").string(), "t.lis", json.string()})
            .status,
        1)
        << "no such project directory";
    fs::create_directories(base_ / "copy");
    ASSERT_EQ(
        RunProgram(VEDRIX_CLI_PATH, {"import", (base_ / "copy").string(), "t.lis", json.string()})
            .status,
        0);

    for (const Refusal& refusal : Refusals()) {
        SCOPED_TRACE(refusal.what);
        ordered_json doc = ValidDocument();
        refusal.spoil(doc);
        WriteFile(json, doc.dump());
        const auto run =
            RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), "t.lis", json.string()});
        EXPECT_EQ(run.status, 1);
        const std::string expected = json.string() + ": " + refusal.place;
        EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(refusal.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        expectUnchanged();
    }
}

TEST_F(StructureJson, MalformedOrUnreadableInputChangesNoFile) {
    writeTricky();
    const std::string hierarchy = ReadWholeFile(project_ / "t.hre");
    const std::string levelList = ReadWholeFile(project_ / "t.lis");
    const fs::path json = base_ / "in.json";
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"cut short", R"({"version": 1, "levels": [)", "malformed JSON: "},
        {"a missing comma", "{\"version\": 1\n \"levels\": []}", "line 2, column 9"},
        {"bytes that are not UTF-8", "{\"version\": 1, \"x\": \"\xE4\"}", "malformed JSON"},
        {"a field given twice", R"({"version": 1, "levels": [{"id": 1, "id": 2}]})",
         "/levels/0/id: the field is given twice"},
        {"a top-level field given twice", R"({"version": 1, "version": 1})",
         "/version: the field is given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(json, c.text);
        const auto run =
            RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), "t.lis", json.string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(ReadWholeFile(project_ / "t.hre"), hierarchy);
        EXPECT_EQ(ReadWholeFile(project_ / "t.lis"), levelList);
    }
    const auto missing = RunProgram(
        VEDRIX_CLI_PATH, {"import", project_.string(), "t.lis", (base_ / "none.json").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;
    EXPECT_EQ(ReadWholeFile(project_ / "t.hre"), hierarchy);
    EXPECT_EQ(
        RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), "t.lis", base_.string()}).status,
        2);
}

TEST_F(StructureJson, ImportFromStandardInputWritesBothFiles) {
    const auto run = RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), "s.lis", "-"},
                                ValidDocument().dump());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(project_ / "s.hre"),
              "#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n#DATA:\n\t1\t1\t0\t0\tHouse\n"
              "\t2\t2\t1\t0\tGround floor\n#ATTRIBUTES:\n\t0\tProject\tDemo\t0\t0\t0\t0\n");
    EXPECT_EQ(ReadWholeFile(project_ / "s.lis"), "#DATA:\n101\t2\t1\t\n");
}

// Both files or neither: when the level list file cannot be written (here a
// directory holds its name), the hierarchy file keeps its old bytes.
TEST_F(StructureJson, AFailedSecondFileLeavesTheFirstAsItWas) {
    writeTricky();
    const std::string hierarchy = ReadWholeFile(project_ / "t.hre");
    fs::remove(project_ / "t.lis");
    fs::create_directories(project_ / "t.lis");
    const fs::path json = base_ / "in.json";
    WriteFile(json, ValidDocument().dump());
    const auto run =
        RunProgram(VEDRIX_CLI_PATH, {"import", project_.string(), "t.lis", json.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nothing was changed"), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(project_ / "t.hre"), hierarchy);
    EXPECT_FALSE(fs::exists(project_ / "t.hre.new"));
    EXPECT_FALSE(fs::exists(project_ / "t.lis.new"));
}

}  // namespace
