// A session script run inside the dialog's modal loop. Everything that can go
// wrong in a step is caught here, inside the person's script, so that no
// exception travels through the platform's or the module's frames; the
// dialog is then cancelled by its loop, as for a script that gave up.
#include "session_runner.h"

#include <exception>
#include <utility>

#include "session_steps.h"

namespace vedrix::cli {
namespace {

using automation::Dialog;

// A step that could not be done, on its way out of the steps.
struct Stop {
    SessionFailure failure;
};

// Text as a script would quote it, so that a reported message can be copied
// into an `answer` line.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

// A person takes longer between two steps than the double-click time, so
// that two clicks of two steps never make a double click.
constexpr DWORD kPauseBetweenSteps = 1000;

}  // namespace

SessionRunner::SessionRunner(const SessionDialog& dialog, const SessionScript& script,
                             automation::Person& person, std::ostream& out)
    : dialog_(dialog), script_(script), person_(person), out_(out) {}

void SessionRunner::prepare() {
    person_.onDialog(dialog_.templateId, [this](Dialog& dialog) { runSteps(dialog); });
    // Any other dialog is one the script did not expect: it is noted and
    // closed, and the step that opened it fails.
    person_.onEveryDialog(automation::anyTemplate, [this](Dialog& other) {
        unexpectedDialog_ = other.caption();
        other.cancel();
    });
    queueAnswers(script_.openingBoxes);
}

void SessionRunner::queueAnswers(const std::vector<ExpectedBox>& expected) {
    for (const ExpectedBox& box : expected) {
        person_.answerNextMessageBox(box.answer);
    }
}

void SessionRunner::checkBoxes(int stepLine, const std::vector<ExpectedBox>& expected) {
    const auto boxes = person_.messageBoxes();
    std::vector<automation::MessageBoxRecord> fresh;
    for (std::size_t i = reported_; i < boxes.size(); ++i) {
        fresh.push_back(boxes[i]);
        out_ << (stepLine > 0 ? "line " + std::to_string(stepLine) : std::string("opening"))
             << ": message box " << quoted(boxes[i].caption) << ": " << quoted(boxes[i].text)
             << " answered " << answerName(boxes[i].answer) << '\n';
    }
    reported_ = boxes.size();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (i >= fresh.size()) {
            throw Stop{{expected[i].line, "the message box to answer with " +
                                              answerName(expected[i].answer) + " did not come"}};
        }
        if (expected[i].text && *expected[i].text != fresh[i].text) {
            throw Stop{{expected[i].line, "the message box says " + quoted(fresh[i].text) +
                                              ", not " + quoted(*expected[i].text)}};
        }
    }
    if (fresh.size() > expected.size()) {
        const auto& extra = fresh[expected.size()];
        throw Stop{{stepLine, "a message box that was not expected: " + quoted(extra.caption) +
                                  ": " + quoted(extra.text)}};
    }
    if (!unexpectedDialog_.empty()) {
        throw Stop{
            {stepLine, "a dialog that was not expected opened: " + quoted(unexpectedDialog_)}};
    }
}

void SessionRunner::runStep(Dialog& dialog, const Step& step) {
    if (ended_) {
        throw Stop{{step.line, "the dialog has already ended"}};
    }
    automation::wait(kPauseBetweenSteps);
    queueAnswers(step.boxes);
    int clicked = 0;
    try {
        clicked = doStep(dialog_, dialog, step);
    } catch (const std::exception& e) {
        // What the step showed before it stopped is reported all the same.
        try {
            checkBoxes(step.line, {});
        } catch (const Stop&) {
        }
        throw Stop{{step.line, e.what()}};
    }
    // The dialog's OK and Cancel commands end it; the window itself stays
    // until its loop returns, after the last step.
    ended_ = clicked != 0 && (clicked == dialog_.okButton || clicked == dialog_.cancelButton);
    checkBoxes(step.line, step.boxes);
}

void SessionRunner::runSteps(Dialog& dialog) {
    opened_ = true;
    try {
        checkBoxes(0, script_.openingBoxes);
        for (const Step& step : script_.steps) {
            lastLine_ = step.line;
            runStep(dialog, step);
        }
    } catch (const Stop& stop) {
        fail(stop.failure);
    } catch (const std::exception& e) {
        fail({lastLine_, e.what()});
    }
}

void SessionRunner::fail(SessionFailure failure) {
    if (!failure_) {
        failure_ = std::move(failure);
    }
    // Answers queued for boxes that never came must not answer the boxes
    // of the dialog's cancellation.
    person_.clearRecords();
    reported_ = 0;
}

void SessionRunner::finish() {
    if (!opened_) {
        try {
            checkBoxes(0, script_.openingBoxes);
        } catch (const Stop& stop) {
            fail(stop.failure);
        }
        fail({0, std::string("the ") + dialog_.name + " did not open"});
        return;
    }
    // Boxes after the last step (the dialog cancelled because the script
    // ended with it open, or the module's work after the dialog ended).
    try {
        checkBoxes(lastLine_, {});
    } catch (const Stop& stop) {
        fail(stop.failure);
    }
    if (!ended_ && !failure_) {
        out_ << "the script ended with the dialog open: it was cancelled\n";
    }
}

}  // namespace vedrix::cli
