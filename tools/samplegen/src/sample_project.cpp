#include <vedrix/samplegen/sample_project.h>

#include "level_bitmap.h"

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/binary_file.h>
#include <vedrix/hostsim/config.h>
#include <vedrix/hostsim/drawing_file.h>
#include <vedrix/hostsim/drawings.h>
#include <vedrix/hostsim/table_file.h>
#include <vedrix/model/root.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace vedrix::samplegen {

namespace {

using hostsim::DrawingHeader;
using hostsim::JoinPath;

struct Definition {
    int levelNr;
    const char* name;
    const char* file;
    unsigned int colour;
    int shape;
};

std::string NewUuidText() {
    UUID uuid;
    RPC_CSTR text = nullptr;
    if (UuidCreate(&uuid) != RPC_S_OK || UuidToStringA(&uuid, &text) != RPC_S_OK) {
        return std::string();
    }
    std::string result(reinterpret_cast<char*>(text));
    RpcStringFreeA(&text);
    return result;
}

// A header identifier in its string form, "0" when it is not there.
std::string IdentifierText(const double (&halves)[2]) {
    unsigned char bytes[sizeof halves];
    std::memcpy(bytes, halves, sizeof halves);
    if (std::all_of(std::begin(bytes), std::end(bytes), [](unsigned char b) { return b == 0; })) {
        return "0";
    }
    UUID uuid = hostsim::HalvesToUuid(halves[0], halves[1]);
    RPC_CSTR text = nullptr;
    if (UuidToStringA(&uuid, &text) != RPC_S_OK) {
        return "0";
    }
    std::string result(reinterpret_cast<char*>(text));
    RpcStringFreeA(&text);
    return result;
}

unsigned char* UuidArgument(std::string& uuid) {
    return reinterpret_cast<unsigned char*>(uuid.data());
}

// Writes one project: keeps the directory, the level tree being built, the
// running level identifier and drawing-file number, and the first failure.
class ProjectWriter {
public:
    ProjectWriter(std::string directory, const std::string& structureName, int firstNumber,
                  SampleSummary& summary, std::string& error, const SampleProgress& progress)
        : m_directory(std::move(directory)),
          m_name(structureName),
          m_root(std::make_unique<Zel_GM_Root>(ZU_String(structureName.c_str()))),
          m_nextNumber(firstNumber),
          m_summary(summary),
          m_error(error),
          m_progress(progress) {}

    Zel_GM_Root& root() { return *m_root; }
    bool ok() const { return m_error.empty(); }
    void fail(const std::string& what) {
        if (m_error.empty()) {
            m_error = what;
        }
    }

    // Checks that the sample's `count` drawing files keep their numbers in
    // range.
    bool checkNumbers(long long count) {
        if (m_nextNumber < 1 || m_nextNumber - 1 + count > ZEL_TB_NUMBER_MAX) {
            fail("drawing-file numbers out of range 1 to 999999");
        }
        m_total = static_cast<int>(count);
        return ok();
    }

    void defineLevels(const std::vector<Definition>& definitions) {
        const std::string bitmaps = JoinPath(m_directory, "bitmaps");
        if (!CreateDirectoryA(bitmaps.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            fail("cannot create " + bitmaps);
            return;
        }
        const std::string bitmapDir = JoinPath(bitmaps, "");
        for (const Definition& definition : definitions) {
            const std::string path = JoinPath(bitmaps, definition.file);
            if (!hostsim::WriteWholeFile(path, LevelBitmap(definition.colour, definition.shape))) {
                fail("cannot write " + path);
                return;
            }
            m_root->defineLevel(definition.levelNr, definition.name, bitmapDir.c_str(),
                                definition.file);
        }
    }

    // A structure level below `parent` (the root when null).
    Zel_GM_Level* addLevel(Zel_GM_Level* parent, int levelNr, const std::string& name,
                           std::string uuid = NewUuidText()) {
        Zel_GM_Level& owner = parent != nullptr ? *parent : *m_root;
        const unsigned long id = ++m_lastId;
        Zel_GM_Level* level =
            owner.addSublevel(levelNr, id, parent != nullptr ? parent->getID() : 0,
                              ZU_String(name.c_str()), 0, UuidArgument(uuid));
        if (level == nullptr) {
            fail("out of memory");
        }
        ++m_summary.levels;
        return level;
    }

    // A drawing file with the next number, entered below `parent` unless it
    // is null (a free drawing file). Its header is returned.
    DrawingHeader addDrawingFile(Zel_GM_Level* parent, const std::string& name,
                                 const double* refUuid = nullptr) {
        DrawingHeader header;
        header.number = m_nextNumber++;
        header.name = name.substr(0, ZEL_TB_NAME_LENGTH);
        header.content = true;
        if (!hostsim::NewIdentifier(header.uuid)) {
            fail("no identifier");
        }
        if (refUuid != nullptr) {
            header.refUuid[0] = refUuid[0];
            header.refUuid[1] = refUuid[1];
        }
        std::vector<char> record(ZEL_TB_RECORD_SIZE);
        hostsim::EncodeHeader(header, record.data());
        const std::string path = hostsim::DrawingFilePath(m_directory, header.number);
        const std::string content = "sample drawing " + std::to_string(header.number) + "\n";
        if (hostsim::WriteDrawingFile(path, record.data(), content) != ZEL_TB_OK) {
            fail("cannot write " + path);
        }
        if (parent != nullptr) {
            const unsigned long id = ++m_lastId;
            const int status = header.number % 2 != 0 ? kLevelChecked : 0;
            if (parent->addSublevel(Zel_GM_Level::kEntryLevelNr, id, parent->getID(),
                                    ZU_String(std::to_string(header.number).c_str()), status,
                                    nullptr) == nullptr) {
                fail("out of memory");
            }
        }
        ++m_summary.drawingFiles;
        m_summary.lastNumber = header.number;
        if (m_progress) {
            m_progress(m_summary.drawingFiles, m_total);
        }
        return header;
    }

    void addFreeDrawingFiles(int count) {
        for (int i = 1; i <= count && ok(); ++i) {
            addDrawingFile(nullptr, "Loose sheet " + std::to_string(i));
        }
    }

    // The hierarchy file with its attribute section, the level list file and
    // the host configuration.
    void writeFiles() {
        if (!ok()) {
            return;
        }
        {
            const std::string path = JoinPath(m_directory, m_name + ".hre");
            framework::TextFileWriter hre(path.c_str());
            m_root->writehre(hre);
            hre << "#ATTRIBUTES:\n";
            m_root->writeAttributes(hre);
            if (!hre.Commit()) {
                fail("cannot write " + path);
            }
        }
        {
            const std::string path = JoinPath(m_directory, m_name + ".lis");
            framework::TextFileWriter lis(path.c_str());
            m_root->writelis(lis);
            if (!lis.Commit()) {
                fail("cannot write " + path);
            }
        }
        hostsim::HostConfig config;
        config.project = m_directory;
        config.settingsFile = JoinPath(m_directory, "settings.ini");
        const std::string path = JoinPath(m_directory, "host.cfg");
        if (!hostsim::WriteHostConfig(path.c_str(), config)) {
            fail("cannot write " + path);
        }
    }

    const std::string& directory() const { return m_directory; }

private:
    std::string m_directory;
    std::string m_name;
    std::unique_ptr<Zel_GM_Root> m_root;
    unsigned long m_lastId = 0;
    int m_nextNumber;
    SampleSummary& m_summary;
    std::string& m_error;
    const SampleProgress& m_progress;
    int m_total = 0;
};

bool CountsValid(std::initializer_list<int> counts, std::string& error) {
    for (const int count : counts) {
        if (count < 0) {
            error = "counts must not be negative";
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteStructureSample(const std::string& directory, const StructureSample& sample,
                          SampleSummary& summary, std::string& error,
                          const SampleProgress& progress) {
    summary = SampleSummary();
    error.clear();
    if (!CountsValid({sample.buildings, sample.storeysPerBuilding, sample.partsPerStorey,
                      sample.drawingFilesPerPart, sample.freeDrawingFiles},
                     error)) {
        return false;
    }
    ProjectWriter writer(directory, sample.name, sample.firstNumber, summary, error, progress);
    const long long parts =
        1LL * sample.buildings * sample.storeysPerBuilding * sample.partsPerStorey;
    const long long placed =
        sample.drawingFiles >= 0 ? sample.drawingFiles : parts * sample.drawingFilesPerPart;
    // The drawing files of the part with index `part` (from 0): as many as
    // bring the files of the parts up to it to their even share.
    auto filesOfPart = [&](long long part) {
        if (sample.drawingFiles < 0) {
            return static_cast<long long>(sample.drawingFilesPerPart);
        }
        return ((part + 1) * placed + parts - 1) / parts - (part * placed + parts - 1) / parts;
    };
    long long partIndex = 0;
    if (!writer.checkNumbers(placed + sample.freeDrawingFiles)) {
        return false;
    }
    writer.defineLevels({{1, "Building", "building.bmp", 0x2060C0, 0},
                         {2, "Storey", "storey.bmp", 0x20A040, 1},
                         {3, "Part of storey", "part.bmp", 0xC06020, 2}});
    for (int b = 1; b <= sample.buildings && writer.ok(); ++b) {
        const std::string building = "Building " + std::to_string(b);
        Zel_GM_Level* buildingLevel = writer.addLevel(nullptr, 1, building);
        for (int s = 1; s <= sample.storeysPerBuilding && writer.ok(); ++s) {
            const std::string storey = "Storey " + std::to_string(s);
            Zel_GM_Level* storeyLevel = writer.addLevel(buildingLevel, 2, storey);
            for (int p = 1; p <= sample.partsPerStorey && writer.ok(); ++p) {
                const std::string part = "Part " + std::to_string(p);
                Zel_GM_Level* partLevel = writer.addLevel(storeyLevel, 3, part);
                const long long files = filesOfPart(partIndex++);
                for (int d = 1; d <= files && writer.ok(); ++d) {
                    writer.addDrawingFile(partLevel, building + " " + storey + " " + part +
                                                         " plan " + std::to_string(d));
                }
            }
        }
    }
    writer.addFreeDrawingFiles(sample.freeDrawingFiles);
    writer.writeFiles();
    return writer.ok();
}

bool WriteFmSample(const std::string& directory, const FmSample& sample, SampleSummary& summary,
                   std::string& error, const SampleProgress& progress) {
    summary = SampleSummary();
    error.clear();
    if (!CountsValid({sample.buildings, sample.viewsPerBuilding, sample.drawingFilesPerView,
                      sample.variantsPerView, sample.freeDrawingFiles},
                     error)) {
        return false;
    }
    ProjectWriter writer(directory, sample.name, sample.firstNumber, summary, error, progress);
    const long long placed = 1LL * sample.buildings * sample.viewsPerBuilding *
                             sample.drawingFilesPerView * (1 + sample.variantsPerView);
    if (!writer.checkNumbers(placed + sample.freeDrawingFiles)) {
        return false;
    }
    writer.defineLevels(
        {{1, "Building", "building.bmp", 0x2060C0, 0}, {2, "View", "view.bmp", 0x8020A0, 3}});
    std::vector<hostsim::TableRow> views;
    std::vector<hostsim::TableRow> tbInfo;
    std::vector<hostsim::Drawing> drawings;
    auto addView = [&](Zel_GM_Level* building, const std::string& name, const std::string& original,
                       const std::string& codePath, const std::string& date, bool locked) {
        std::string uuid = NewUuidText();
        Zel_GM_Level* view = writer.addLevel(building, 2, name, uuid);
        views.push_back({"0", std::string(building->getNameText()) + "%%" + name, uuid, "0",
                         codePath, date, original.empty() ? "0" : original, locked ? "1" : "0"});
        ++summary.views;
        return std::make_pair(view, uuid);
    };
    // The drawing-file information of a placed drawing file.
    auto addInfo = [&](const Zel_GM_Level* view, const DrawingHeader& header, bool inserted) {
        tbInfo.push_back({std::to_string(header.number), std::to_string(view->getID()),
                          IdentifierText(header.uuid), IdentifierText(header.refUuid),
                          inserted ? "1" : "0", "0"});
    };
    for (int b = 1; b <= sample.buildings && writer.ok(); ++b) {
        const std::string building = "Building " + std::to_string(b);
        Zel_GM_Level* buildingLevel = writer.addLevel(nullptr, 1, building);
        for (int v = 1; v <= sample.viewsPerBuilding && writer.ok(); ++v) {
            const std::string viewName = "View " + std::to_string(v);
            const bool locked = sample.lockLastView && v == sample.viewsPerBuilding;
            const bool replicated = sample.replicateView && v == sample.viewsPerBuilding - 1;
            const auto [view, uuid] = addView(buildingLevel, viewName, "",
                                              "B" + std::to_string(b) + "." + std::to_string(v),
                                              replicated ? kSampleReplicationDate : "-1", locked);
            std::vector<DrawingHeader> sources;
            for (int d = 1; d <= sample.drawingFilesPerView && writer.ok(); ++d) {
                sources.push_back(writer.addDrawingFile(
                    view, building + " " + viewName + " plan " + std::to_string(d)));
                addInfo(view, sources.back(), false);
            }
            if (v == 1 && !sources.empty()) {
                hostsim::Drawing drawing{b, {}, "FM-View_" + building + " " + viewName};
                for (const DrawingHeader& source : sources) {
                    drawing.drawingFiles.push_back(source.number);
                }
                drawings.push_back(drawing);
            }
            for (int k = 1; k <= sample.variantsPerView && writer.ok(); ++k) {
                const std::string variantName = viewName + " variant " + std::to_string(k);
                const auto [variant, variantUuid] = addView(buildingLevel, variantName, uuid,
                                                            hostsim::kWithoutCodePath, "-1", false);
                for (const DrawingHeader& source : sources) {
                    addInfo(variant,
                            writer.addDrawingFile(variant, variantName + " - " + source.name,
                                                  source.uuid),
                            true);
                }
            }
        }
    }
    writer.addFreeDrawingFiles(sample.freeDrawingFiles);
    writer.writeFiles();
    if (writer.ok() &&
        !hostsim::WriteTable(JoinPath(directory, hostsim::kViewFileName),
                             {"ActiveFlag", "NameOfView", "UUID", "FileSetNumber", "CodePath",
                              "DateOfReplication", "UUID_Original", "LockFlag"},
                             views)) {
        writer.fail("cannot write the view file");
    }
    if (writer.ok() &&
        !hostsim::WriteTable(
            JoinPath(directory, hostsim::kTbInfoFileName),
            {"TBNumber", "ParentID", "UUID_Tb", "UUID_Ref", "InsertFlag", "FernoFlag"}, tbInfo)) {
        writer.fail("cannot write the drawing-file information");
    }
    if (writer.ok() &&
        !hostsim::WriteDrawings(JoinPath(directory, hostsim::kDrawingsFileName), drawings)) {
        writer.fail("cannot write the drawings list");
    }
    return writer.ok();
}

}  // namespace vedrix::samplegen
