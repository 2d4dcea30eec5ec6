// Reading session scripts: how names, paths, quotes and keywords are taken
// apart, and which step a message-box answer belongs to.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../tools/cli/session_script.h"

namespace {

using ::testing::ElementsAre;
using vedrix::cli::ItemRef;
using vedrix::cli::parseSessionScript;
using vedrix::cli::ScriptError;
using vedrix::cli::SessionScript;
using vedrix::cli::Step;

SessionScript parsed(const std::string& text) {
    std::istringstream in(text);
    SessionScript script;
    ScriptError error;
    EXPECT_TRUE(parseSessionScript(in, script, error)) << error.line << ": " << error.message;
    return script;
}

TEST(SessionScript, NamesKeepTheirBlanksUpToTheirKeyword) {
    const SessionScript script = parsed(
        "rename Building A/Storey  1/tb000001.zdw  Plan one   to  Ground  floor \n"
        "add Part of storey to Building A as West wing\n"
        "drag file tb000004.zdw onto Building A/Storey 1\n");
    ASSERT_EQ(script.steps.size(), 3u);
    const Step& rename = script.steps[0];
    EXPECT_EQ(rename.kind, Step::Kind::Rename);
    EXPECT_THAT(rename.targets.at(0).labels,
                ElementsAre("Building A", "Storey  1", "tb000001.zdw  Plan one"));
    EXPECT_EQ(rename.text, "Ground  floor");
    const Step& add = script.steps[1];
    EXPECT_THAT(add.targets.at(0).labels, ElementsAre("Part of storey"));
    EXPECT_EQ(add.targets.at(0).kind, ItemRef::Kind::LevelType);
    EXPECT_THAT(add.targets.at(1).labels, ElementsAre("Building A"));
    EXPECT_EQ(add.text, "West wing");
    const Step& drag = script.steps[2];
    EXPECT_EQ(drag.targets.at(0).kind, ItemRef::Kind::FreeFile);
    EXPECT_THAT(drag.targets.at(0).labels, ElementsAre("tb000004.zdw"));
    EXPECT_THAT(drag.targets.at(1).labels, ElementsAre("Building A", "Storey 1"));
}

TEST(SessionScript, QuotesHoldKeywordsEscapesAndPathsThatLookLikeKeywords) {
    const SessionScript script = parsed(
        "rename \"Way to go/Onto\" TO \"say \\\"hi\\\"\\tnow\"\n"
        "answer YES \"Line one\\nline two\"\n"
        "select \"file\"\n"
        "select Plans A\\/B/North\n"
        "select file tb000003.zdw \"tb 4.zdw\"\n");
    ASSERT_EQ(script.steps.size(), 4u);
    EXPECT_THAT(script.steps[0].targets.at(0).labels, ElementsAre("Way to go", "Onto"));
    EXPECT_EQ(script.steps[0].text, "say \"hi\"\tnow");
    ASSERT_EQ(script.steps[0].boxes.size(), 1u);
    EXPECT_EQ(script.steps[0].boxes[0].answer, IDYES);
    EXPECT_EQ(script.steps[0].boxes[0].text, "Line one\nline two");
    EXPECT_EQ(script.steps[0].boxes[0].line, 2);
    EXPECT_EQ(script.steps[1].targets.at(0).kind, ItemRef::Kind::TreePath);
    EXPECT_THAT(script.steps[1].targets.at(0).labels, ElementsAre("file"));
    EXPECT_THAT(script.steps[2].targets.at(0).labels, ElementsAre("Plans A/B", "North"));
    ASSERT_EQ(script.steps[3].targets.size(), 2u);
    EXPECT_THAT(script.steps[3].targets[1].labels, ElementsAre("tb 4.zdw"));
}

TEST(SessionScript, AnswersBelongToTheStepAboveOrToTheOpening) {
    const SessionScript script = parsed(
        "# comment\n"
        "host my host.cfg\n"
        "answer ok\n"
        "\n"
        "delete A/B\n"
        "answer no\n"
        "answer retry only this\n"
        "ok\n");
    EXPECT_EQ(script.hostConfig, "my host.cfg");
    ASSERT_EQ(script.openingBoxes.size(), 1u);
    EXPECT_EQ(script.openingBoxes[0].answer, IDOK);
    EXPECT_FALSE(script.openingBoxes[0].text.has_value());
    ASSERT_EQ(script.steps.size(), 2u);
    EXPECT_EQ(script.steps[0].line, 5);
    ASSERT_EQ(script.steps[0].boxes.size(), 2u);
    EXPECT_EQ(script.steps[0].boxes[0].answer, IDNO);
    EXPECT_EQ(script.steps[0].boxes[1].text, "only this");
    EXPECT_EQ(script.steps[1].kind, Step::Kind::Ok);
    EXPECT_TRUE(script.steps[1].boxes.empty());
}

TEST(SessionScript, TheFirstLineThatDoesNotParseIsNamed) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"select A\nselect \"B\\q\"\n", 2, "an unknown escape \\q in a quoted word"},
        {"select \"A\\", 1, "a quote that is not closed"},
        {"rename A to\n", 1, "missing the new name"},
        {"drag A/B onto type Storey\n", 1,
         "a drag ends on an item of the tree or on the free drawing files"},
        {"drag type Storey onto A\n", 1,
         "only free drawing files and items of the tree can be dragged"},
        {"check file tb000001.zdw\n", 1, "expected an item of the tree, not file \"tb000001.zdw\""},
        {"select files\n", 1, "only items of the tree and free drawing files can be selected"},
        {"host \"a.cfg\" b\n", 1, "unexpected \"b\" at the end of the line"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.text);
        SessionScript script;
        ScriptError error;
        EXPECT_FALSE(parseSessionScript(in, script, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.message, c.message) << c.text;
    }
}

}  // namespace
