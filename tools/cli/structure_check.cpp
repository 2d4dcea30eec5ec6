#include "structure_check.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/fm_columns.h>
#include <vedrix/hostsim/table_file.h>
#include <vedrix/model/dib_file_source.h>
#include <vedrix/model/dib_reader.h>
#include <vedrix/model/root.h>

#include "file_lines.h"
#include "structure_printer.h"

namespace vedrix::cli {
namespace {

namespace fs = std::filesystem;
using vedrix::model::ReadObserver;
using vedrix::model::ReadStop;

// The files a check reads, by index.
enum FileIndex { kHierarchy, kLevelList, kViewFile, kFileCount };

// The highest drawing-file number a browser's item record keeps whole.
constexpr long kHighestKeptNumber = 0xFFFF;
// The most characters of an attribute's name or value that the model keeps.
constexpr std::size_t kAttributeTextChars = 254;
// The level number of a view in a facility-management structure.
constexpr int kViewLevelNr = 2;

std::string quoted(const char* text) {
    return std::string("\"") + text + "\"";
}

std::string levelText(const Zel_GM_Level& level) {
    return "level " + quoted(level.getNameText()) + " (ID " + std::to_string(level.getID()) + ")";
}

std::size_t countBelow(const Zel_GM_Level& level) {
    std::size_t count = 0;
    std::vector<const Zel_GM_Level*> pending{&level};
    while (!pending.empty()) {
        const Zel_GM_Level* next = pending.back();
        pending.pop_back();
        for (const auto& node : next->GetSublevels()) {
            ++count;
            pending.push_back(node.value);
        }
    }
    return count;
}

// Findings as they are made: by stream position in a structure file, or by
// line; positions become lines once all findings are in, so that a file is
// gone through again only when it has something to report.
class Findings {
public:
    Findings(std::string project, std::vector<std::string> fileNames)
        : m_project(std::move(project)), m_fileNames(std::move(fileNames)) {}

    void at(int file, std::streamoff position, const char* kind, std::string message) {
        m_pending.push_back({file, position, 0, kind, std::move(message)});
    }
    void atLine(int file, int line, const char* kind, std::string message) {
        m_pending.push_back({file, -1, line, kind, std::move(message)});
    }

    std::vector<Finding> resolve() {
        std::map<int, std::unique_ptr<FileLines>> lines;
        std::vector<Finding> out;
        out.reserve(m_pending.size());
        for (Pending& pending : m_pending) {
            int line = pending.line;
            if (pending.position >= 0) {
                std::unique_ptr<FileLines>& index = lines[pending.file];
                if (!index) {
                    const std::string path =
                        (fs::path(m_project) / m_fileNames[static_cast<std::size_t>(pending.file)])
                            .string();
                    vedrix::framework::TextFileReader text(path.c_str());
                    index = std::make_unique<FileLines>(text);
                }
                line = index->lineOf(pending.position);
            }
            out.push_back({m_fileNames[static_cast<std::size_t>(pending.file)], line, pending.kind,
                           std::move(pending.message)});
        }
        return out;
    }

private:
    struct Pending {
        int file;
        std::streamoff position;
        int line;
        const char* kind;
        std::string message;
    };
    std::string m_project;
    std::vector<std::string> m_fileNames;
    std::vector<Pending> m_pending;
};

// Where each level, definition and attribute came from, and what the readers
// did with it; also what the observer learns at once (replaced levels,
// repeated definitions, attributes without their level, early ends).
class ReadingRecorder : public ReadObserver {
public:
    ReadingRecorder(Findings& findings, const Zel_GM_Level& root)
        : m_findings(findings), m_root(root) {}

    void readingFile(int file) { m_file = file; }
    // The file and stream position of the line that made `level`: of the
    // last level at its address read before the `before`-th level line (a
    // level dropped by a reading frees its address for a later one); file
    // -1 when unknown. Only a check with findings asks, so the record is
    // sorted for the search at the first question, after the readings.
    std::pair<int, std::streamoff> origin(const Zel_GM_Level& level,
                                          std::size_t before = SIZE_MAX) const {
        const auto byLevel = [](const Origin& a, const Origin& b) {
            return std::tie(a.level, a.order) < std::tie(b.level, b.order);
        };
        if (!m_sorted) {
            std::sort(m_origins.begin(), m_origins.end(), byLevel);
            m_sorted = true;
        }
        auto it = std::lower_bound(m_origins.begin(), m_origins.end(), Origin{&level, before, 0, 0},
                                   byLevel);
        if (it == m_origins.begin() || (--it)->level != &level) {
            return {-1, -1};
        }
        return {it->file, it->position};
    }
    std::streamoff definitionLine(int levelNr) const {
        const auto it = m_definitions.find(levelNr);
        return it != m_definitions.end() ? it->second : std::streamoff(-1);
    }
    // Reports the levels that a later line with the same ID displaced, at
    // their own lines.
    void reportReplaced() {
        for (Replaced& replaced : m_replaced) {
            const auto [file, position] = origin(*replaced.level, replaced.order);
            m_findings.at(file >= 0 ? file : replaced.file, position, "id-replaced",
                          std::move(replaced.message));
        }
        m_replaced.clear();
    }

    void definitionRead(int levelNr, std::streamoff lineStart) override {
        auto [it, added] = m_definitions.emplace(levelNr, lineStart);
        if (!added) {
            m_findings.at(m_file, it->second, "definition-replaced",
                          "level number " + std::to_string(levelNr) +
                              " is defined again further down; the later definition wins");
            it->second = lineStart;
        }
    }

    void levelRead(const Zel_GM_Level& parent, const Zel_GM_Level& level, std::streamoff lineStart,
                   const Zel_GM_Level* replaced) override {
        if (replaced != nullptr) {
            const std::size_t dropped = countBelow(*replaced);
            std::string message =
                levelText(*replaced) + " below " +
                (parent.getLevelNr() == 0 ? std::string("the structure") : levelText(parent)) +
                " is read again with the same ID further down; the later line "
                "wins and this level is dropped";
            if (dropped > 0) {
                message += " with its " + std::to_string(dropped) + " sublevel(s)";
            }
            m_replaced.push_back({replaced, m_origins.size(), m_file, std::move(message)});
        }
        m_origins.push_back({&level, m_origins.size(), m_file, lineStart});
        m_sorted = false;
    }

    void textCut(const Zel_GM_Level& level, vedrix::model::CutText text, std::size_t length,
                 std::streamoff lineStart) override {
        using vedrix::model::CutText;
        const char* kind = "attribute-cut";
        const char* what =
            text == CutText::AttributeName ? "the attribute name" : "the attribute value";
        std::size_t kept = kAttributeTextChars;
        if (text == CutText::LevelName) {
            kind = "name-cut";
            what = "the name";
            kept = std::strlen(level.getNameText());
        } else if (text == CutText::Uuid) {
            kind = "uuid-cut";
            what = "the UUID text";
            kept = std::strlen(level.getUuidText());
        }
        m_findings.at(m_file, lineStart, kind,
                      std::string(what) + " of " + levelText(level) + " has " +
                          std::to_string(length) + " characters; the module keeps " +
                          std::to_string(kept));
    }

    void attributeRead(const Zel_GM_Level& holder, unsigned long levelID,
                       std::streamoff lineStart) override {
        if (&holder == &m_root && levelID != m_root.getID()) {
            m_findings.at(m_file, lineStart, "attribute-level-missing",
                          "the attribute names level ID " + std::to_string(levelID) +
                              ", which no level has; the module gives it to the structure itself");
        }
    }

    void stopped(ReadStop why, std::streamoff where) override {
        m_findings.at(m_file, where, "reader-stopped",
                      std::string("the reading stops here (") + vedrix::model::readStopText(why) +
                          "); the lines after it are not read");
    }

private:
    Findings& m_findings;
    const Zel_GM_Level& m_root;
    int m_file = kHierarchy;
    struct Origin {
        const Zel_GM_Level* level;
        std::size_t order;  // the how-manieth level line it came from
        int file;
        std::streamoff position;
    };
    struct Replaced {
        const Zel_GM_Level* level;
        std::size_t order;  // the level line that displaced it
        int file;
        std::string message;
    };
    mutable std::vector<Origin> m_origins;
    mutable bool m_sorted = true;
    std::vector<Replaced> m_replaced;
    std::unordered_map<int, std::streamoff> m_definitions;
};

// The drawing-file name the module gives an entry's number.
std::string drawingFileName(int number) {
    char name[32];
    std::snprintf(name, sizeof name, "tb%06d.zdw", number);
    return name;
}

bool isNumberText(const char* text) {
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') {
            return false;
        }
    }
    return true;
}

// The checks of one pass over the read tree.
class TreeCheck {
public:
    TreeCheck(Zel_GM_Root& root, const ReadingRecorder& recorder, Findings& findings,
              std::string project)
        : m_root(root), m_recorder(recorder), m_findings(findings), m_project(std::move(project)) {}

    void run() {
        std::vector<const Zel_GM_Level*> pending{&m_root};
        while (!pending.empty()) {
            const Zel_GM_Level* parent = pending.back();
            pending.pop_back();
            for (const auto& node : parent->GetSublevels()) {
                checkLevel(*parent, *node.value);
                pending.push_back(node.value);
            }
        }
        reportSharedIDs();
    }

    const std::vector<const Zel_GM_Level*>& views() const { return m_views; }

private:
    void report(const Zel_GM_Level& level, const char* kind, std::string message) {
        const auto [file, position] = m_recorder.origin(level);
        if (file >= 0) {
            m_findings.at(file, position, kind, std::move(message));
        } else {
            m_findings.atLine(kHierarchy, 0, kind, std::move(message));
        }
    }

    void checkLevel(const Zel_GM_Level& parent, const Zel_GM_Level& level) {
        m_ids.push_back(level.getID());
        const int levelNr = level.getLevelNr();
        if (levelNr == Zel_GM_Level::kEntryLevelNr) {
            checkEntry(level);
            return;
        }
        if (levelNr > Zel_GM_Level::kEntryLevelNr) {
            report(level, "level-number",
                   levelText(level) + " has level number " + std::to_string(levelNr) +
                       ", above 9; saving writes it into the level list file");
        } else if (levelNr == kViewLevelNr) {
            m_views.push_back(&level);
        }
        if (levelNr < Zel_GM_Level::kEntryLevelNr &&
            m_root.getLevelDefinitions().find(levelNr) == nullptr) {
            report(level, "level-undefined",
                   levelText(level) + " has level number " + std::to_string(levelNr) +
                       ", which no #DEFINED_LEVEL: line defines; it has no bitmap and no "
                       "default name");
        }
        if (level.getParentID() != parent.getID()) {
            report(level, "parent-mismatch",
                   levelText(level) + " gives parent ID " + std::to_string(level.getParentID()) +
                       " but stands below " +
                       (parent.getLevelNr() == 0 ? std::string("the structure (ID 0)")
                                                 : levelText(parent)) +
                       "; the browsers hang it below the level its parent ID names, if any");
        }
    }

    void checkEntry(const Zel_GM_Level& entry) {
        const char* name = entry.getNameText();
        const int number = std::atoi(name);
        if (!isNumberText(name)) {
            report(entry, "entry-name",
                   "drawing-file entry " + quoted(name) +
                       " is no drawing-file number; the "
                       "module reads it as " +
                       std::to_string(number));
        }
        if (number > kHighestKeptNumber || number < 0) {
            report(entry, "number-cut",
                   "drawing-file number " + std::to_string(number) +
                       " does not fit in 16 bits; the browsers keep it as " +
                       std::to_string(static_cast<unsigned short>(number)));
        }
        const std::string fileName = drawingFileName(number);
        const std::string path = m_project + "\\" + fileName;
        if (_access(path.c_str(), 0) != 0) {
            report(entry, "drawing-file-missing",
                   "drawing file " + fileName + " is missing from the project directory");
        }
    }

    // Every level whose ID another level has too, but that the module's
    // search does not find: entries and attributes naming the ID go to the
    // one it finds. The search looks at a level's own sublevels, then into
    // each sublevel's subtree in ascending ID order: the first level with
    // an ID in that order is the one it finds.
    void reportSharedIDs() {
        std::sort(m_ids.begin(), m_ids.end());
        std::vector<unsigned long> shared;
        for (std::size_t i = 1; i < m_ids.size(); ++i) {
            if (m_ids[i] == m_ids[i - 1] && (shared.empty() || shared.back() != m_ids[i])) {
                shared.push_back(m_ids[i]);
            }
        }
        if (shared.empty()) {
            return;
        }
        std::unordered_map<unsigned long, const Zel_GM_Level*> found;
        std::vector<const Zel_GM_Level*> others;
        std::vector<const Zel_GM_Level*> pending{&m_root};
        while (!pending.empty()) {
            const Zel_GM_Level* level = pending.back();
            pending.pop_back();
            const std::size_t firstChild = pending.size();
            for (const auto& node : level->GetSublevels()) {
                const Zel_GM_Level* child = node.value;
                if (std::binary_search(shared.begin(), shared.end(), child->getID()) &&
                    !found.emplace(child->getID(), child).second) {
                    others.push_back(child);
                }
                pending.push_back(child);
            }
            std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(firstChild), pending.end());
        }
        for (const Zel_GM_Level* level : others) {
            report(*level, "id-shared",
                   levelText(*level) + " shares its ID with " + levelText(*found[level->getID()]) +
                       ", which the module finds first; entries and attributes that name ID " +
                       std::to_string(level->getID()) + " go there");
        }
    }

    Zel_GM_Root& m_root;
    const ReadingRecorder& m_recorder;
    Findings& m_findings;
    std::string m_project;
    std::vector<unsigned long> m_ids;  // of every level, in the order of the pass
    std::vector<const Zel_GM_Level*> m_views;
};

// Opens a definition's bitmap as the level tree does: the path it names,
// else the same file in the host's "ETC" folder.
HANDLE openDefinitionBitmap(const Zel_GM_LevelDefinition& definition, std::string& tried) {
    tried = std::string(definition.bitmapDir.getText()) + definition.bitmapFile.getText();
    HANDLE file = vedrix::model::openBitmapFile(tried.c_str());
    if (file != INVALID_HANDLE_VALUE) {
        return file;
    }
    const hostsim::HostConfig config = hostsim::CurrentHostConfig();
    const auto etc = config.folders.find("ETC");
    if (etc == config.folders.end()) {
        return INVALID_HANDLE_VALUE;
    }
    tried = etc->second + "\\" + definition.bitmapFile.getText();
    return vedrix::model::openBitmapFile(tried.c_str());
}

void checkBitmaps(const Zel_GM_Root& root, const ReadingRecorder& recorder, Findings& findings) {
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& definition = *node.value;
        std::string tried;
        HANDLE file = openDefinitionBitmap(definition, tried);
        const char* problem = "it does not open";
        if (file != INVALID_HANDLE_VALUE) {
            vedrix::model::DibFileSource source(file);
            vedrix::model::DibBlocks blocks;
            const vedrix::model::DibProblem read = vedrix::model::readDib(source, blocks);
            vedrix::model::freeDibBlock(blocks.header);
            vedrix::model::freeDibBlock(blocks.image);
            CloseHandle(file);
            problem = read == vedrix::model::DibProblem::None
                          ? nullptr
                          : vedrix::model::dibProblemMessage(read);
        }
        if (problem != nullptr) {
            findings.at(kHierarchy, recorder.definitionLine(definition.levelNr), "bitmap",
                        "the bitmap " + tried + " of level number " +
                            std::to_string(definition.levelNr) + " does not load (" + problem +
                            "); its levels show the default image");
        }
    }
}

// The line of each row of a table file: rows are the lines that are neither
// empty nor comments.
std::vector<int> tableRowLines(const std::string& path) {
    std::vector<int> lines;
    vedrix::framework::TextFileReader text(path.c_str());
    int number = 0;
    for (std::string line; std::getline(text, line);) {
        ++number;
        if (!line.empty() && line[0] != '#') {
            lines.push_back(number);
        }
    }
    return lines;
}

// The view file's rows as the host reads them: a missing file has none;
// false when the file exists but cannot be read or has a line with more
// fields than the view file has columns.
bool readViewRows(const std::string& path, std::vector<hostsim::TableRow>& rows) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        return !error;
    }
    std::ifstream in(path, std::ios::binary);
    return in.is_open() && hostsim::ReadTableRows(in, hostsim::ViewColumns().size(), rows);
}

void checkViews(const std::string& project, const std::vector<const Zel_GM_Level*>& views,
                const ReadingRecorder& recorder, Findings& findings) {
    const std::string path = (fs::path(project) / hostsim::kViewFileName).string();
    std::vector<hostsim::TableRow> rows;
    if (!readViewRows(path, rows)) {
        findings.atLine(kViewFile, 0, "view-file",
                        "the view file cannot be read or has a line with too many fields; the "
                        "module reads no views from it");
        return;
    }
    constexpr std::size_t kName = 1;
    constexpr std::size_t kIdentifier = 2;
    std::unordered_set<std::string> known;
    for (const hostsim::TableRow& row : rows) {
        known.insert(row[kIdentifier]);
    }
    std::unordered_set<std::string> inStructure;
    for (const Zel_GM_Level* view : views) {
        const char* identifier = view->getUuidText();
        inStructure.insert(identifier);
        if (known.count(identifier) == 0) {
            const auto [file, position] = recorder.origin(*view);
            findings.at(file >= 0 ? file : kHierarchy, position, "view-not-in-view-file",
                        "view " + levelText(*view) +
                            (identifier[0] == '\0' ? std::string(" has no identifier")
                                                   : " with identifier " + std::string(identifier) +
                                                         " is not in the view file") +
                            "; it shows no original, variant or lock");
        }
    }
    const std::vector<int> lines = tableRowLines(path);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (inStructure.count(rows[i][kIdentifier]) == 0) {
            findings.atLine(kViewFile, i < lines.size() ? lines[i] : 0, "view-not-in-structure",
                            "view " + quoted(rows[i][kName].c_str()) + " with identifier " +
                                rows[i][kIdentifier] + " is not in the structure");
        }
    }
}

// The structure lines end at the first "#" line. When that is not the
// attribute section's, the lines after it are read as neither levels nor
// attributes. `hre` stands where the levels ended.
void checkLevelsEnd(std::istream& hre, Findings& findings) {
    if (!hre.good() || hre.peek() != '#') {
        return;
    }
    const std::streamoff at = hre.tellg();
    std::string line;
    std::getline(hre, line);
    std::istringstream words(line.substr(1));
    std::string keyword;
    words >> keyword;
    if (keyword != "ATTRIBUTES:") {
        findings.at(kHierarchy, at, "levels-ended",
                    "the structure lines end at this line, which does not begin the attribute "
                    "section; the structure lines after it are not read");
    }
}

}  // namespace

CheckReport checkStructure(const std::string& project, const std::string& structureName) {
    CheckReport report;
    std::error_code error;
    if (!fs::is_directory(project, error)) {
        report.readable = false;
        report.problem = "the project directory " + project + " does not exist";
        return report;
    }
    const std::string hreName = hierarchyFileName(structureName);
    const std::string hrePath = (fs::path(project) / hreName).string();
    const std::string lisPath = (fs::path(project) / structureName).string();
    vedrix::framework::TextFileReader hre(hrePath.c_str());
    vedrix::framework::TextFileReader lis(lisPath.c_str());
    for (const auto& [file, path] : {std::pair{&hre, &hrePath}, std::pair{&lis, &lisPath}}) {
        if (!file->is_open() && fs::exists(*path, error)) {
            report.readable = false;
            report.problem = "cannot read " + *path;
            return report;
        }
    }
    if (!hre.is_open() && !lis.is_open()) {
        report.readable = false;
        report.problem = "the structure " + structureName + " has neither " + hreName + " nor " +
                         structureName + " in " + project;
        return report;
    }

    Findings findings(project, {hreName, structureName, hostsim::kViewFileName});
    Zel_GM_Root root(structureName.c_str());
    ReadingRecorder recorder(findings, root);
    if (hre.is_open()) {
        recorder.readingFile(kHierarchy);
        if (root.readhre(hre, 1, &recorder) == 0) {
            checkLevelsEnd(hre, findings);
        }
    } else {
        findings.atLine(kHierarchy, 0, "file-missing",
                        "the hierarchy file is missing; the structure has no levels");
    }
    if (lis.is_open()) {
        recorder.readingFile(kLevelList);
        root.readlis(lis, 1, &recorder);
    } else {
        findings.atLine(kLevelList, 0, "file-missing",
                        "the level list file is missing; the structure has no drawing files");
    }
    checkBitmaps(root, recorder, findings);
    if (hre.is_open()) {
        vedrix::framework::TextFileReader attributes(hrePath.c_str());
        recorder.readingFile(kHierarchy);
        root.readAttributes(attributes, &recorder);
    }
    TreeCheck tree(root, recorder, findings, project);
    tree.run();
    recorder.reportReplaced();
    if (fs::exists(fs::path(project) / hostsim::kViewFileName, error)) {
        checkViews(project, tree.views(), recorder, findings);
    }
    report.findings = findings.resolve();
    return report;
}

}  // namespace vedrix::cli
