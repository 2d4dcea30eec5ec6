// What the readers tell an observer: where and why a reading ended, which
// level a line made and which one it displaced; and that the readings with
// an observer give what the readings without one give.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <vedrix/model.h>

#include "tree_samples.h"

using vedrix::model::ReadObserver;
using vedrix::model::ReadStop;
using vedrix::test::describe;

namespace {

struct Event {
    std::string what;  // "level A", "replaced A", "definition 2", "attribute 7", "stop"
    std::streamoff at;
};

class Recorder : public ReadObserver {
public:
    std::vector<Event> events;
    std::vector<ReadStop> stops;

    void definitionRead(int levelNr, std::streamoff at) override {
        events.push_back({"definition " + std::to_string(levelNr), at});
    }
    void levelRead(const Zel_GM_Level&, const Zel_GM_Level& level, std::streamoff at,
                   const Zel_GM_Level* replaced) override {
        if (replaced != nullptr) {
            events.push_back({std::string("replaced ") + replaced->getNameText(), at});
        }
        events.push_back({std::string("level ") + level.getNameText(), at});
    }
    void textCut(const Zel_GM_Level& level, vedrix::model::CutText text, std::size_t length,
                 std::streamoff at) override {
        using vedrix::model::CutText;
        static const char* const kTexts[] = {"name", "uuid", "attribute name", "attribute value"};
        std::string what =
            std::string(kTexts[static_cast<int>(text)]) + " cut " + std::to_string(length);
        if (text == CutText::LevelName || text == CutText::Uuid) {
            what += " to " +
                    std::to_string(std::strlen(text == CutText::LevelName ? level.getNameText()
                                                                          : level.getUuidText()));
        }
        events.push_back({what, at});
    }
    void attributeRead(const Zel_GM_Level& holder, unsigned long levelID,
                       std::streamoff at) override {
        events.push_back(
            {"attribute " + std::to_string(levelID) + " to " + std::to_string(holder.getID()), at});
    }
    void stopped(ReadStop why, std::streamoff at) override {
        stops.push_back(why);
        events.push_back({"stop", at});
    }
};

enum class Reader { Hierarchy, LevelList, Attributes };

// The structure a level list or attribute section is read into.
const char* const kStructure = "#DATA:\n\t1\t1\t0\t0\tA\n\t2\t2\t1\t0\tB\n";

// Reads `text` with `reader`, with and without an observer, and checks that
// both give the same result and the same tree; returns the observer.
Recorder readBoth(Reader reader, const std::string& text, int& result) {
    Recorder recorder;
    std::string trees[2];
    int results[2] = {0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        Zel_GM_Root root("Project");
        ReadObserver* observer = pass == 0 ? nullptr : &recorder;
        std::istringstream in(text);
        if (reader != Reader::Hierarchy) {
            std::istringstream structure(kStructure);
            root.readhre(structure, 1);
        }
        switch (reader) {
            case Reader::Hierarchy:
                results[pass] = root.readhre(in, 1, observer);
                break;
            case Reader::LevelList:
                results[pass] = root.readlis(in, 1, observer);
                break;
            case Reader::Attributes:
                results[pass] = root.readAttributes(in, observer);
                break;
        }
        trees[pass] = describe(root);
    }
    EXPECT_EQ(results[0], results[1]) << text;
    EXPECT_EQ(trees[0], trees[1]) << text;
    result = results[1];
    return recorder;
}

struct StopCase {
    const char* name;
    Reader reader;
    std::string text;
    int result;
    ReadStop why;
    std::string lineAtStop;  // the text from the stop's position to the end (an
                             // attribute line's position lies past its indentation)
};

TEST(ReadObserver, EachEarlyEndIsToldWithItsReasonAndTheStartOfItsLine) {
    const StopCase cases[] = {
        {"no data line", Reader::Hierarchy, "#BITMAP_PATH:\tC:\\bmp\\\n", 1, ReadStop::NoDataLine,
         ""},
        {"definition without number", Reader::Hierarchy,
         "! defs\n#DEFINED_LEVEL:\tx\tName\n#DATA:\n", 1, ReadStop::BadHeaderLine,
         "#DEFINED_LEVEL:\tx\tName\n#DATA:\n"},
        {"structure line that does not read", Reader::Hierarchy,
         "#DATA:\n\t1\t1\t0\t0\tA\n\tx\t2\t1\t0\tB\n", 1, ReadStop::BadLine, "\tx\t2\t1\t0\tB\n"},
        {"structure line without its newline", Reader::Hierarchy, "#DATA:\n\t1\t1\t0\t0\tA", 1,
         ReadStop::UnfinishedLine, "\t1\t1\t0\t0\tA"},
        {"level number not above the root's", Reader::Hierarchy,
         "#DATA:\n\t1\t1\t0\t0\tA\n\t0\t2\t0\t0\tB\n\t1\t3\t0\t0\tC\n", 0,
         ReadStop::LevelNotBelowRoot, "\t0\t2\t0\t0\tB\n\t1\t3\t0\t0\tC\n"},
        {"entry below an unknown parent", Reader::LevelList, "#DATA:\n5\t1\t0\t\n6\t9\t0\t\n", 1,
         ReadStop::UnknownParent, "6\t9\t0\t\n"},
        {"entry line without its newline", Reader::LevelList, "#DATA:\n5\t1\t0\t", 1,
         ReadStop::UnfinishedLine, "5\t1\t0\t"},
        {"entry line that does not read", Reader::LevelList, "#DATA:\n5\tx\t0\t\n", 1,
         ReadStop::BadLine, "5\tx\t0\t\n"},
        {"attribute section without lines", Reader::Attributes,
         "#ATTRIBUTES:\n#ATTRIBUTES:\n\t1\tn\tv\t1\t1\t0\t0\n", 1, ReadStop::EmptySection,
         "#ATTRIBUTES:\n\t1\tn\tv\t1\t1\t0\t0\n"},
        {"attribute line that does not read", Reader::Attributes,
         "#ATTRIBUTES:\n\t1\tn\tv\t1\t1\t0\t0\n\tx\n", 1, ReadStop::BadLine, "x\n"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        int result = 0;
        const Recorder recorder = readBoth(c.reader, c.text, result);
        EXPECT_EQ(result, c.result);
        ASSERT_EQ(recorder.stops.size(), 1u);
        EXPECT_EQ(recorder.stops[0], c.why);
        EXPECT_STRNE(vedrix::model::readStopText(c.why), "unknown");
        EXPECT_EQ(c.text.substr(static_cast<std::size_t>(recorder.events.back().at)), c.lineAtStop);
    }
}

TEST(ReadObserver, CompleteReadingsTellNoStop) {
    const std::pair<Reader, std::string> files[] = {
        {Reader::Hierarchy, "#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n#DATA:\n\t1\t1\t0\t0\tA\n"},
        {Reader::LevelList, "#DATA:\n5\t1\t0\t\n"},
        {Reader::Attributes, "#ATTRIBUTES:\n\t2\tn\tv\t1\t1\t0\t0\n"},
    };
    for (const auto& [reader, text] : files) {
        int result = -2;
        const Recorder recorder = readBoth(reader, text, result);
        EXPECT_TRUE(recorder.stops.empty()) << text;
    }
}

TEST(ReadObserver, TellsEachLineItsLevelAndTheLevelItDisplaces) {
    const std::string text =
        "#DEFINED_LEVEL:\t1\tBuilding\tb.bmp\n#DEFINED_LEVEL:\t1\tHouse\th.bmp\n#DATA:\n"
        "\t1\t1\t0\t0\tA\n\t2\t2\t1\t0\tB\n\t1\t1\t0\t0\tC\n";
    int result = -2;
    const Recorder recorder = readBoth(Reader::Hierarchy, text, result);
    EXPECT_EQ(result, 0);
    std::vector<std::string> lines;
    for (const Event& event : recorder.events) {
        std::string rest = text.substr(static_cast<std::size_t>(event.at));
        lines.push_back(event.what + " @ " + rest.substr(0, rest.find('\n')));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "definition 1 @ #DEFINED_LEVEL:\t1\tBuilding\tb.bmp",
                         "definition 1 @ #DEFINED_LEVEL:\t1\tHouse\th.bmp",
                         "level A @ \t1\t1\t0\t0\tA",
                         "level B @ \t2\t2\t1\t0\tB",
                         "replaced A @ \t1\t1\t0\t0\tC",
                         "level C @ \t1\t1\t0\t0\tC",
                     }));
}

TEST(ReadObserver, TellsNamesAndUuidTextsThatTheLevelKeepsInPart) {
    // A name of 300 characters, a UUID text of 120, and a line that holds
    // the most of both that a level keeps.
    const std::string text = "#DATA:\n\t1\t1\t0\t0\t" + std::string(300, 'N') +
                             "\n\t1\t2\t0\t0\tB\t" + std::string(120, 'u') + "\n\t1\t3\t0\t0\t" +
                             std::string(254, 'k') + "\t" + std::string(99, 'v') + "\n";
    int result = -2;
    const Recorder recorder = readBoth(Reader::Hierarchy, text, result);
    EXPECT_EQ(result, 0);
    std::vector<std::string> events;
    for (const Event& event : recorder.events) {
        events.push_back(event.what + " @ " + std::to_string(event.at));
    }
    EXPECT_EQ(events, (std::vector<std::string>{"level " + std::string(254, 'N') + " @ 7",
                                                "name cut 300 to 254 @ 7", "level B @ 317",
                                                "uuid cut 120 to 99 @ 317",
                                                "level " + std::string(254, 'k') + " @ 449"}));
}

TEST(ReadObserver, TellsAttributeNamesAndValuesThatTheAttributeKeepsInPart) {
    int result = -2;
    const Recorder recorder =
        readBoth(Reader::Attributes,
                 "#ATTRIBUTES:\n\t2\t" + std::string(260, 'n') + "\t" + std::string(254, 'v') +
                     "\t1\t1\t0\t0\n\t2\tn\t" + std::string(255, 'v') + "\t1\t1\t0\t0\n",
                 result);
    std::vector<std::string> events;
    for (const Event& event : recorder.events) {
        events.push_back(event.what);
    }
    // Texts of exactly 254 characters are kept whole.
    EXPECT_EQ(events, (std::vector<std::string>{"attribute 2 to 2", "attribute name cut 260",
                                                "attribute 2 to 2", "attribute value cut 255"}));
}

TEST(ReadObserver, AttributesNamingNoLevelAreToldAsGivenToTheReadingLevel) {
    int result = -2;
    const Recorder recorder = readBoth(
        Reader::Attributes, "#ATTRIBUTES:\n\t2\tn\tv\t1\t1\t0\t0\n\t9\tm\tw\t1\t1\t0\t0\n", result);
    ASSERT_EQ(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events[0].what, "attribute 2 to 2");
    EXPECT_EQ(recorder.events[1].what, "attribute 9 to 0");
    // The position is where the reader began to skip the blanks before the
    // line's first number: past the line's indentation.
    EXPECT_EQ(recorder.events[1].at, 29);
}

}  // namespace
