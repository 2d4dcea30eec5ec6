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

// A word of a line, and where it stands in the line.
struct Word {
    std::string text;
    bool quoted = false;
    std::size_t begin = 0, end = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads the quoted word that starts at line[i]; false, with the reason, for
// an unterminated quote or an unknown escape.
bool quotedWord(const std::string& line, std::size_t& i, std::string& word, std::string& why) {
    for (++i;; ++i) {
        if (i >= line.size() || (line[i] == '\\' && i + 1 >= line.size())) {
            why = "a quote that is not closed";
            return false;
        }
        if (line[i] == '"') {
            ++i;
            return true;
        }
        if (line[i] != '\\') {
            word += line[i];
            continue;
        }
        switch (line[++i]) {
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
}

bool splitWords(const std::string& line, std::vector<Word>& words, std::string& why) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        Word word;
        word.begin = i;
        word.quoted = line[i] == '"';
        if (word.quoted) {
            if (!quotedWord(line, i, word.text, why)) {
                return false;
            }
        } else {
            while (i < line.size() && !isBlank(line[i])) {
                word.text += line[i++];
            }
        }
        word.end = i;
        words.push_back(std::move(word));
    }
    return true;
}

// A label path: labels separated by "/", a "\/" standing for a "/" inside a
// label.
bool splitPath(const std::string& spelled, std::vector<std::string>& labels, std::string& why) {
    std::string label;
    for (std::size_t i = 0; i <= spelled.size(); ++i) {
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

using Stops = std::initializer_list<const char*>;

// The words of one line, read from left to right.
class LineReader {
public:
    LineReader(const std::string& text, std::vector<Word> words, int line)
        : text_(text), words_(std::move(words)), line_(line) {}

    bool atEnd() const { return next_ >= words_.size(); }
    const Word& peek() const { return words_[next_]; }
    Word take() { return words_[next_++]; }
    int line() const { return line_; }

    // Whether the next word is one of `keywords`, written without quotes.
    bool nextIsOneOf(Stops keywords) const {
        if (atEnd() || peek().quoted) {
            return false;
        }
        const std::string word = lowered(peek().text);
        for (const char* keyword : keywords) {
            if (word == keyword) {
                return true;
            }
        }
        return false;
    }

    // The next word must be `keyword`.
    bool keyword(const char* keyword, std::string& why) {
        if (!nextIsOneOf({keyword})) {
            why = std::string("expected \"") + keyword + "\"" +
                  (atEnd() ? "" : " instead of \"" + peek().text + "\"");
            return false;
        }
        ++next_;
        return true;
    }
    bool end(std::string& why) {
        if (!atEnd()) {
            why = "unexpected \"" + peek().text + "\" at the end of the line";
            return false;
        }
        return true;
    }

    // A name, which must be there: one quoted word, or the line as written
    // from the next word up to one of `stops` or the end of the line (so
    // that "Building A/Storey 1" needs no quotes).
    bool phrase(const char* what, Stops stops, std::string& out, std::string& why) {
        if (atEnd() || nextIsOneOf(stops)) {
            why = std::string("missing ") + what;
            return false;
        }
        if (peek().quoted) {
            out = take().text;
            return true;
        }
        const std::size_t begin = peek().begin;
        std::size_t end = begin;
        while (!atEnd() && !peek().quoted && !nextIsOneOf(stops)) {
            end = take().end;
        }
        out = text_.substr(begin, end - begin);
        return true;
    }

    // An item up to one of `stops`: `file NAME`, `files`, `type NAME` or a
    // tree path (always a path when quoted).
    bool item(Stops stops, ItemRef& ref, std::string& why) {
        if (nextIsOneOf({"files"})) {
            take();
            ref.kind = ItemRef::Kind::FreeFiles;
            ref.spelled = "the free drawing files";
            return true;
        }
        if (nextIsOneOf({"file", "type"})) {
            const std::string kind = lowered(take().text);
            ref.kind = kind == "file" ? ItemRef::Kind::FreeFile : ItemRef::Kind::LevelType;
            std::string name;
            if (!phrase(kind == "file" ? "the drawing file's name" : "the level type", stops, name,
                        why)) {
                return false;
            }
            ref.labels = {name};
            ref.spelled = kind + " \"" + name + "\"";
            return true;
        }
        std::string path;
        if (!phrase("an item", stops, path, why)) {
            return false;
        }
        ref.kind = ItemRef::Kind::TreePath;
        ref.spelled = "\"" + path + "\"";
        return splitPath(path, ref.labels, why);
    }

private:
    const std::string& text_;
    std::vector<Word> words_;
    std::size_t next_ = 0;
    int line_;
};

bool isTreePath(const ItemRef& ref) {
    return ref.kind == ItemRef::Kind::TreePath;
}

bool treeItem(LineReader& in, Stops stops, Step& step, std::string& why) {
    ItemRef ref;
    if (!in.item(stops, ref, why)) {
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
    if (in.nextIsOneOf({"file"})) {
        // Free drawing files, one a word: the first clicked, the others
        // added to the selection as with Ctrl held.
        in.take();
        if (in.atEnd()) {
            why = "missing the drawing file's name";
            return false;
        }
        while (!in.atEnd()) {
            const std::string name = in.take().text;
            step.targets.push_back({ItemRef::Kind::FreeFile, {name}, "file \"" + name + "\""});
        }
        return true;
    }
    ItemRef first;
    if (!in.item({}, first, why)) {
        return false;
    }
    if (!isTreePath(first)) {
        why = "only items of the tree and free drawing files can be selected";
        return false;
    }
    step.targets.push_back(first);
    return true;
}

bool parseDrag(LineReader& in, Step& step, std::string& why) {
    ItemRef from, to;
    if (!in.item({"onto"}, from, why) || !in.keyword("onto", why) || !in.item({}, to, why)) {
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
    if (!in.phrase("the level type", {"to"}, type, why)) {
        return false;
    }
    step.targets.push_back({ItemRef::Kind::LevelType, {type}, "type \"" + type + "\""});
    if (!in.keyword("to", why) || !treeItem(in, {"as"}, step, why)) {
        return false;
    }
    if (!in.atEnd()) {
        std::string name;
        if (!in.keyword("as", why) || !in.phrase("the new level's name", {}, name, why)) {
            return false;
        }
        step.text = name;
    }
    return true;
}

bool parseRename(LineReader& in, Step& step, std::string& why) {
    std::string name;
    if (!treeItem(in, {"to"}, step, why) || !in.keyword("to", why) ||
        !in.phrase("the new name", {}, name, why)) {
        return false;
    }
    step.text = name;
    return true;
}

bool parseAnswer(LineReader& in, ExpectedBox& box, std::string& why) {
    if (in.atEnd()) {
        why = "missing the button that answers the message box";
        return false;
    }
    const std::string button = in.take().text;
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
        std::string text;
        if (!in.phrase("the message box's text", {}, text, why)) {
            return false;
        }
        box.text = text;
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
            return treeItem(in, {}, step, why);
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
        if (!in.phrase("the button's text", {}, text, why)) {
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
    const std::string verb = lowered(in.take().text);
    if (verb == "host") {
        if (!script.steps.empty() || !script.openingBoxes.empty()) {
            why = "the host configuration must be named before the first step";
            return false;
        }
        return in.phrase("the host configuration file", {}, script.hostConfig, why) && in.end(why);
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
        std::vector<Word> words;
        std::string why;
        if (!splitWords(text, words, why)) {
            error = {line, why};
            return false;
        }
        if (words.empty() || (!words[0].quoted && words[0].text[0] == '#')) {
            continue;
        }
        LineReader reader(text, std::move(words), line);
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
