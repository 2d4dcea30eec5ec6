// The JSON model of a structure, from the model's classes to the document.
#include "structure_json.h"

#include <string_view>

#include "code_page_text.h"
#include "structure_json_rules.h"

namespace vedrix::cli {
namespace {

using namespace structure_json_rules;

std::string describe(const Zel_GM_Level& level) {
    return "the level with ID " + std::to_string(level.getID()) + " (\"" +
           codePageToUtf8(level.getNameText()) + "\")";
}

// The number of an entry named by a drawing-file number in decimal, without
// a sign or leading zeros, so that writing the number gives the name again;
// -1 for any other name.
long long drawingFileNumber(std::string_view name) {
    constexpr std::size_t kMostDigits = 6;
    if (name.empty() || name.size() > kMostDigits || (name.size() > 1 && name[0] == '0')) {
        return -1;
    }
    long long number = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') {
            return -1;
        }
        number = number * 10 + (c - '0');
    }
    return number <= kHighestDrawingFileNumber ? number : -1;
}

StructureJson attributesToJson(const CObList& attributes) {
    StructureJson list = StructureJson::array();
    for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
        const auto* attribute = static_cast<const CAttribData*>(attributes.GetNext(pos));
        StructureJson item;
        item["name"] = codePageToUtf8(attribute->getName().GetString());
        item["value"] = codePageToUtf8(attribute->getValue().GetString());
        const int type = attribute->getTypeValue();
        if (type >= 0 && type <= 3) {
            item["type"] = kTypeWords[type];
        } else {
            item["type"] = type;
        }
        item["levelNr"] = attribute->getLevelNr();
        item["id"] = attribute->getIDValue();
        item["parentId"] = attribute->getParentIDValue();
        list.push_back(std::move(item));
    }
    return list;
}

class Exporter {
public:
    explicit Exporter(std::string& problem) : m_problem(problem) {}

    // The "levels" and "entries" of `holder` into `out`; `entryDepth` counts
    // the entries that `holder` itself stands below (itself included).
    bool children(const Zel_GM_Level& holder, StructureJson& out, int entryDepth) {
        StructureJson levels = StructureJson::array();
        StructureJson entries = StructureJson::array();
        for (const auto& node : holder.GetSublevels()) {
            const Zel_GM_Level& level = *node.value;
            const int levelNr = level.getLevelNr();
            if (levelNr == Zel_GM_Level::kEntryLevelNr) {
                StructureJson entry;
                if (!this->entry(level, entry, entryDepth + 1)) {
                    return false;
                }
                entries.push_back(std::move(entry));
            } else if (levelNr >= 1 && levelNr <= kHighestStructureLevel && entryDepth == 0) {
                StructureJson item;
                if (!structureLevel(level, holder.getID(), item)) {
                    return false;
                }
                levels.push_back(std::move(item));
            } else {
                m_problem = describe(level) + " has level number " + std::to_string(levelNr) +
                            ", which the structure files do not hold there";
                return false;
            }
        }
        if (!levels.empty() || holder.getLevelNr() == 0) {
            out["levels"] = std::move(levels);
        }
        if (!entries.empty() || holder.getLevelNr() == 0) {
            out["entries"] = std::move(entries);
        }
        return true;
    }

private:
    bool structureLevel(const Zel_GM_Level& level, unsigned long enclosingId, StructureJson& out) {
        out["levelNr"] = level.getLevelNr();
        out["id"] = level.getID();
        if (level.getParentID() != enclosingId) {
            out["parentId"] = level.getParentID();
        }
        out["status"] = level.getStatus();
        out["name"] = codePageToUtf8(level.getNameText());
        if (level.getUuidText()[0] != '\0') {
            out["uuid"] = codePageToUtf8(level.getUuidText());
        }
        if (!level.getAttributes().IsEmpty()) {
            out["attributes"] = attributesToJson(level.getAttributes());
        }
        return children(level, out, 0);
    }

    bool entry(const Zel_GM_Level& level, StructureJson& out, int depth) {
        const long long number = drawingFileNumber(level.getNameText());
        if (number < 0) {
            m_problem = "the drawing-file entry \"" + codePageToUtf8(level.getNameText()) +
                        "\" is not named by a drawing-file number 0 to 999999";
            return false;
        }
        if (depth > kMaxEntryNesting) {
            m_problem = "drawing-file entry " + std::to_string(number) +
                        " stands below more than " + std::to_string(kMaxEntryNesting) + " entries";
            return false;
        }
        if (!level.getAttributes().IsEmpty()) {
            // An attribute line whose level ID is an entry's ID at this
            // reading: the files never write an entry's attributes back.
            m_problem = "drawing-file entry " + std::to_string(number) + " (ID " +
                        std::to_string(level.getID()) +
                        " at this reading) holds attributes, which the files do not keep";
            return false;
        }
        out["number"] = number;
        out["status"] = level.getStatus();
        return children(level, out, depth);
    }

    std::string& m_problem;
};

}  // namespace

bool structureToJson(const Zel_GM_Root& root, StructureJson& document, std::string& problem) {
    document = StructureJson::object();
    document["version"] = kStructureJsonVersion;
    StructureJson definitions = StructureJson::array();
    for (const auto& node : root.getLevelDefinitions()) {
        const Zel_GM_LevelDefinition& definition = *node.value;
        definitions.push_back({{"levelNr", definition.levelNr},
                               {"name", codePageToUtf8(definition.name.getText())},
                               {"bitmapDirectory", codePageToUtf8(definition.bitmapDir.getText())},
                               {"bitmapFile", codePageToUtf8(definition.bitmapFile.getText())}});
    }
    document["definitions"] = std::move(definitions);
    document["attributes"] = attributesToJson(root.getAttributes());
    Exporter exporter(problem);
    return exporter.children(root, document, 0);
}

}  // namespace vedrix::cli
