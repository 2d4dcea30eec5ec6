// Parsing a session script: words separated by blanks, "quoted words" with
// \" \\ \n and \t inside, whole-line # comments; one step or answer a line.
#include "session_script.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <utility>

namespace vedrix::cli {
namespace {

struct AnswerName {
    const char* word;
    const char* shown;
    int answer;
};

constexpr std::array<AnswerName, 7> kAnswers{{{"ok", "OK", IDOK},
                                              {"cancel", "Cancel", IDCANCEL},
                                              {"yes", "Yes", IDYES},
                                              {"no", "No", IDNO},
                                              {"abort", "Abort", IDABORT},
                                              {"retry", "Retry", IDRETRY},
                                              {"ignore", "Ignore", IDIGNORE}}};

std::string lowered(std::string word) {
    for (char& c : word) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return word;
}

// Splits a line into words. False, with the reason, for an unterminated
// quote or an unknown escape.
bool splitWords(const std::string& line, std::vector<std::string>& words, std::string& why) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] != '"') {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                word += line[i++];
            }
            words.push_back(word);
            continue;
        }
        for (++i;; ++i) {
            if (i >= line.size()) {
                why = "a quote that is not closed";
                return false;
            }
            if (line[i] == '"') {
                ++i;
                break;
            }
            if (line[i] != '\\') {
                word += line[i];
                continue;
            }
            if (++i >= line.size()) {
                why = "a quote that is not closed";
                return false;
            }
            switch (line[i]) {
                case '"':
                case '\\':
                    word += line[i];
                    break;
                case 'n':
                    word += '\n';
                    break;
                case 't':
                    word += '\t';
                    break;
                default:
                    why = std::string("an unknown escape \\") + line[i] + " in a quoted word";
                    return false;
            }
        }
        words.push_back(word);
    }
    return true;
}

// A label path: labels separated by "/", a "\/" standing for a "/" inside a
// label; a leading "/" is allowed (it lets a path be the word "file", say).
bool splitPath(const std::string& spelled, std::vector<std::string>& labels, std::string& why) {
    std::size_t i = (!spelled.empty() && spelled[0] == '/') ? 1 : 0;
    std::string label;
    for (; i <= spelled.size(); ++i) {
        if (i == spelled.size() || spelled[i] == '/') {
            if (label.empty()) {
                why = "the path \"" + spelled + "\" has an empty label";
                return false;
            }
            labels.push_back(std::exchange(label, {}));
        } else if (spelled[i] == '\\' && i + 1 < spelled.size() && spelled[i + 1] == '/') {
            label += '/';
            ++i;
        } else {
            label += spelled[i];
        }
    }
    return true;
}

// The words of one line, read from left to right.
class LineReader {
public:
    LineReader(std::vector<std::string> words, int line) : words_(std::move(words)), line_(line) {}

    bool atEnd() const { return next_ >= words_.size(); }
    const std::string& peek() const { return words_[next_]; }
    std::string take() { return words_[next_++]; }
    int line() const { return line_; }

    // The next word, which must be there; `what` names it in the message.
    bool word(const char* what, std::string& out, std::string& why) {
        if (atEnd()) {
            why = std::string("missing ") + what;
            return false;
        }
        out = take();
        return true;
    }
    // The next word must be `keyword`.
    bool keyword(const char* keyword, std::string& why) {
        if (atEnd() || lowered(peek()) != keyword) {
            why = std::string("expected \"") + keyword + "\"" +
                  (atEnd() ? "" : " instead of \"" + peek() + "\"");
            return false;
        }
        ++next_;
        return true;
    }
    bool end(std::string& why) {
        if (!atEnd()) {
            why = "unexpected \"" + peek() + "\" at the end of the line";
            return false;
        }
        return true;
    }

    // An item: `file NAME`, `files`, `type NAME` or a tree path.
    bool item(ItemRef& ref, std::string& why) {
        std::string first;
        if (!word("an item", first, why)) {
            return false;
        }
        const std::string kind = lowered(first);
        if (kind == "files") {
            ref.kind = ItemRef::Kind::FreeFiles;
            ref.spelled = "the free drawing files";
            return true;
        }
        if (kind == "file" || kind == "type") {
            ref.kind = kind == "file" ? ItemRef::Kind::FreeFile : ItemRef::Kind::LevelType;
            std::string name;
            if (!word(kind == "file" ? "the drawing file's name" : "the level type", name, why)) {
                return false;
            }
            ref.labels = {name};
            ref.spelled = kind + " \"" + name + "\"";
            return true;
        }
        ref.kind = ItemRef::Kind::TreePath;
        ref.spelled = "\"" + first + "\"";
        return splitPath(first, ref.labels, why);
    }

private:
    std::vector<std::string> words_;
    std::size_t next_ = 0;
    int line_;
};

bool isTreePath(const ItemRef& ref) {
    return ref.kind == ItemRef::Kind::TreePath;
}

bool treeItem(LineReader& in, Step& step, std::string& why) {
    ItemRef ref;
    if (!in.item(ref, why)) {
        return false;
    }
    if (!isTreePath(ref)) {
        why = "expected an item of the tree, not " + ref.spelled;
        return false;
    }
    step.targets.push_back(ref);
    return true;
}

bool parseSelect(LineReader& in, Step& step, std::string& why) {
    ItemRef first;
    if (!in.item(first, why)) {
        return false;
    }
    step.targets.push_back(first);
    if (first.kind == ItemRef::Kind::FreeFile) {
        // Further names are added to the selection, as with Ctrl held.
        while (!in.atEnd()) {
            ItemRef more{ItemRef::Kind::FreeFile, {in.peek()}, "file \"" + in.peek() + "\""};
            in.take();
            step.targets.push_back(more);
        }
        return true;
    }
    if (!isTreePath(first)) {
        why = "only items of the tree and free drawing files can be selected";
        return false;
    }
    return true;
}

bool parseDrag(LineReader& in, Step& step, std::string& why) {
    ItemRef from, to;
    if (!in.item(from, why) || !in.keyword("onto", why) || !in.item(to, why)) {
        return false;
    }
    if (from.kind != ItemRef::Kind::FreeFile && !isTreePath(from)) {
        why = "only free drawing files and items of the tree can be dragged";
        return false;
    }
    if (to.kind != ItemRef::Kind::FreeFiles && !isTreePath(to)) {
        why = "a drag ends on an item of the tree or on the free drawing files";
        return false;
    }
    step.targets = {from, to};
    return true;
}

bool parseAdd(LineReader& in, Step& step, std::string& why) {
    std::string type;
    if (!in.word("the level type", type, why)) {
        return false;
    }
    step.targets.push_back({ItemRef::Kind::LevelType, {type}, "type \"" + type + "\""});
    if (!in.keyword("to", why) || !treeItem(in, step, why)) {
        return false;
    }
    if (!in.atEnd()) {
        std::string name;
        if (!in.keyword("as", why) || !in.word("the new level's name", name, why)) {
            return false;
        }
        step.text = name;
    }
    return true;
}

bool parseRename(LineReader& in, Step& step, std::string& why) {
    std::string name;
    if (!treeItem(in, step, why) || !in.keyword("to", why) || !in.word("the new name", name, why)) {
        return false;
    }
    step.text = name;
    return true;
}

bool parseAnswer(LineReader& in, ExpectedBox& box, std::string& why) {
    std::string button;
    if (!in.word("the button that answers the message box", button, why)) {
        return false;
    }
    for (const AnswerName& a : kAnswers) {
        if (lowered(button) == a.word) {
            box.answer = a.answer;
        }
    }
    if (box.answer == 0) {
        why = "\"" + button +
              "\" is no message-box button (ok, cancel, yes, no, abort, retry, ignore)";
        return false;
    }
    if (!in.atEnd()) {
        box.text = in.take();
    }
    return true;
}

bool parseStep(LineReader& in, const std::string& verb, Step& step, std::string& why) {
    using K = Step::Kind;
    struct Simple {
        const char* verb;
        K kind;
    };
    static constexpr std::array<Simple, 5> kOneItem{{{"check", K::Check},
                                                     {"uncheck", K::Uncheck},
                                                     {"expand", K::Expand},
                                                     {"collapse", K::Collapse},
                                                     {"delete", K::Delete}}};
    for (const Simple& s : kOneItem) {
        if (verb == s.verb) {
            step.kind = s.kind;
            return treeItem(in, step, why);
        }
    }
    if (verb == "select") {
        step.kind = K::Select;
        return parseSelect(in, step, why);
    }
    if (verb == "drag") {
        step.kind = K::Drag;
        return parseDrag(in, step, why);
    }
    if (verb == "add") {
        step.kind = K::Add;
        return parseAdd(in, step, why);
    }
    if (verb == "rename") {
        step.kind = K::Rename;
        return parseRename(in, step, why);
    }
    if (verb == "button") {
        step.kind = K::Button;
        std::string text;
        if (!in.word("the button's text", text, why)) {
            return false;
        }
        step.text = text;
        return true;
    }
    if (verb == "ok" || verb == "cancel") {
        step.kind = verb == "ok" ? K::Ok : K::Cancel;
        return true;
    }
    why = "unknown step \"" + verb + "\"";
    return false;
}

// One line that is not blank or a comment; false with the reason.
bool parseLine(LineReader& in, SessionScript& script, std::string& why) {
    const std::string verb = lowered(in.take());
    if (verb == "host") {
        if (!script.steps.empty() || !script.openingBoxes.empty()) {
            why = "the host configuration must be named before the first step";
            return false;
        }
        return in.word("the host configuration file", script.hostConfig, why) && in.end(why);
    }
    if (verb == "answer") {
        ExpectedBox box;
        box.line = in.line();
        if (!parseAnswer(in, box, why) || !in.end(why)) {
            return false;
        }
        (script.steps.empty() ? script.openingBoxes : script.steps.back().boxes).push_back(box);
        return true;
    }
    Step step;
    step.line = in.line();
    if (!parseStep(in, verb, step, why) || !in.end(why)) {
        return false;
    }
    script.steps.push_back(std::move(step));
    return true;
}

}  // namespace

bool parseSessionScript(std::istream& in, SessionScript& script, ScriptError& error) {
    script = {};
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::vector<std::string> words;
        std::string why;
        if (!splitWords(text, words, why)) {
            error = {line, why};
            return false;
        }
        if (words.empty() || words[0][0] == '#') {
            continue;
        }
        LineReader reader(std::move(words), line);
        if (!parseLine(reader, script, why)) {
            error = {line, why};
            return false;
        }
    }
    if (script.steps.empty()) {
        error = {0, "the script has no steps"};
        return false;
    }
    return true;
}

std::string answerName(int answer) {
    for (const AnswerName& a : kAnswers) {
        if (a.answer == answer) {
            return a.shown;
        }
    }
    return std::to_string(answer);
}

}  // namespace vedrix::cli
