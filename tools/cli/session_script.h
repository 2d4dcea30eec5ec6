// The script of a dialog session: what the person does, one step a line,
// and the message boxes each step makes the person answer. The language is
// described in docs/session-scripts.md; this file only turns its text into
// steps, so that a script that does not parse is refused before the dialog
// opens.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace vedrix::cli {

// Where the person aims: an item of the structure tree by its label path, a
// row of the free drawing-file list, the list itself, or a row of the
// level-type palette.
struct ItemRef {
    enum class Kind { TreePath, FreeFile, FreeFiles, LevelType };
    Kind kind = Kind::TreePath;
    std::vector<std::string> labels;  // the path's labels; the row's text as the one label
    std::string spelled;              // as the script wrote it, for messages
};

// A message box the person expects after a step, and the button they answer.
struct ExpectedBox {
    int line = 0;
    int answer = 0;                   // IDOK, IDYES, ...
    std::optional<std::string> text;  // the text the box must show, when given
};

struct Step {
    enum class Kind {
        Select,    // targets: one tree item, or one or more free drawing files
        Check,     // targets[0]
        Uncheck,   // targets[0]
        Expand,    // targets[0]
        Collapse,  // targets[0]
        Drag,      // targets[0] onto targets[1]
        Add,       // a row of the palette (targets[0]) onto targets[1], named `text` if given
        Rename,    // targets[0] to `text`
        Delete,    // targets[0]
        Button,    // the button labelled `text`
        Ok,
        Cancel,
    };
    Kind kind = Kind::Ok;
    int line = 0;
    std::vector<ItemRef> targets;
    std::optional<std::string> text;
    std::vector<ExpectedBox> boxes;
};

struct SessionScript {
    std::string hostConfig;                 // the host configuration the script names; "" when none
    std::vector<ExpectedBox> openingBoxes;  // boxes before the first step: at the opening
    std::vector<Step> steps;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Reads a whole script. False, with the first line that does not parse and
// why, when the script is not understood.
bool parseSessionScript(std::istream& in, SessionScript& script, ScriptError& error);

// The name a script uses for a message-box button ("OK", "Yes"...).
std::string answerName(int answer);

}  // namespace vedrix::cli
