// The JSON model of a structure, from the document to the model's classes,
// with every check of what the structure files can hold.
#include "structure_json.h"

#include <cstdint>
#include <cstdio>
#include <new>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "code_page_text.h"
#include "structure_json_rules.h"

namespace vedrix::cli {
namespace {

using namespace structure_json_rules;
using Pointer = StructureJson::json_pointer;

// What a text of the files may be, beyond its characters.
struct TextRule {
    std::size_t maxChars;
    bool nonEmpty = false;
    // The readers skip white space before the text.
    bool noLeadingBlank = false;
    // A text of the hierarchy file's header or levels, which the attribute
    // reader scans for its keyword.
    bool beforeAttributes = false;
};

std::string codePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// Whether "#", blanks and the word "ATTRIBUTES:" stand in the text: the
// attribute reader, scanning the hierarchy file from its start, would take
// that for the start of the attribute section.
bool holdsAttributeKeyword(std::string_view text) {
    constexpr std::string_view kKeyword = "ATTRIBUTES:";
    for (std::size_t i = text.find('#'); i != std::string_view::npos; i = text.find('#', i + 1)) {
        std::size_t j = i + 1;
        while (j < text.size() && text[j] == ' ') {
            ++j;
        }
        if (text.substr(j, kKeyword.size()) == kKeyword &&
            (j + kKeyword.size() == text.size() || text[j + kKeyword.size()] == ' ')) {
            return true;
        }
    }
    return false;
}

// Whether the text ends with "#" and blanks: the attribute reader would take
// the word of the next line for its keyword.
bool endsWithHash(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last != std::string_view::npos && text[last] == '#';
}

class Importer {
public:
    Importer(Zel_GM_Root& root, JsonRefusal& refusal) : m_root(root), m_refusal(refusal) {}

    bool run(const StructureJson& document) {
        const Pointer top;
        if (!document.is_object()) {
            return refuse(top, "the document must be a JSON object");
        }
        if (!onlyFields(document, top,
                        {"version", "definitions", "attributes", "levels", "entries"})) {
            return false;
        }
        const StructureJson* version = field(document, top, "version", true);
        if (version == nullptr) {
            return false;
        }
        if (!version->is_number_integer() || *version != kStructureJsonVersion) {
            return refuse(top / "version", "must be " + std::to_string(kStructureJsonVersion) +
                                               ", the version of the schema this program reads");
        }
        m_places[&m_root] = {&document, top};
        if (!definitions(document, top) || !attributes(document, top, m_root) ||
            !levels(document, top, m_root) || !parentsExist() || !lastLevelKeepsAttributes()) {
            return false;
        }
        m_nextId = m_root.getHighestID();
        return entriesBelow(m_root);
    }

private:
    struct Place {
        const StructureJson* object;
        Pointer at;
    };

    bool refuse(const Pointer& at, std::string reason) {
        m_refusal.place = at.to_string();
        m_refusal.reason = std::move(reason);
        return false;
    }

    bool onlyFields(const StructureJson& object, const Pointer& at,
                    std::initializer_list<std::string_view> known) {
        for (const auto& item : object.items()) {
            bool isKnown = false;
            for (const std::string_view name : known) {
                isKnown = isKnown || item.key() == name;
            }
            if (!isKnown) {
                return refuse(at / item.key(), "unknown field");
            }
        }
        return true;
    }

    // The field `name` of `object`; null when it is missing, which refuses
    // the document when the field is required.
    const StructureJson* field(const StructureJson& object, const Pointer& at, const char* name,
                               bool required) {
        const auto it = object.find(name);
        if (it == object.end()) {
            if (required) {
                refuse(at / name, "missing: the field is required");
            }
            return nullptr;
        }
        return &*it;
    }

    // A required integer field (an optional one when `required` is false:
    // then a missing field leaves `value` as it was).
    bool integer(const StructureJson& object, const Pointer& at, const char* name, long long min,
                 long long max, long long& value, bool required = true) {
        const StructureJson* item = field(object, at, name, required);
        if (item == nullptr) {
            return !required;
        }
        const std::string range = std::to_string(min) + " to " + std::to_string(max);
        if (!item->is_number_integer()) {
            return refuse(at / name, "must be an integer, " + range);
        }
        // Non-negative numbers are parsed as unsigned, negative ones as signed.
        const bool inRange =
            item->is_number_unsigned()
                ? item->get<std::uint64_t>() <= static_cast<std::uint64_t>(max) &&
                      (min <= 0 || item->get<std::uint64_t>() >= static_cast<std::uint64_t>(min))
                : item->get<std::int64_t>() >= min && item->get<std::int64_t>() <= max;
        if (!inRange) {
            return refuse(at / name, item->dump() + " is out of range: " + range);
        }
        value = item->get<long long>();
        return true;
    }

    bool text(const StructureJson& object, const Pointer& at, const char* name,
              const TextRule& rule, std::string& value, bool required = true) {
        const StructureJson* item = field(object, at, name, required);
        if (item == nullptr) {
            return !required;
        }
        const Pointer here = at / name;
        if (!item->is_string()) {
            return refuse(here, "must be a text");
        }
        char32_t refused = 0;
        if (!utf8ToCodePage(item->get_ref<const std::string&>(), value, refused)) {
            return refuse(here, "holds the character " + codePoint(refused) +
                                    ", which the host's code page (Windows-1252) has no byte for");
        }
        for (const char c : value) {
            if (static_cast<unsigned char>(c) < 0x20) {
                return refuse(here, "holds the control character " +
                                        codePoint(static_cast<unsigned char>(c)) +
                                        ": the structure files cannot carry control characters");
            }
        }
        if (value.size() > rule.maxChars) {
            return refuse(here, "has " + std::to_string(value.size()) +
                                    " characters; the structure files hold at most " +
                                    std::to_string(rule.maxChars));
        }
        if (rule.nonEmpty && value.empty()) {
            return refuse(here, "must not be empty");
        }
        if (rule.noLeadingBlank && !value.empty() && value[0] == ' ') {
            return refuse(here, "must not begin with a blank: the reader passes over it");
        }
        if (rule.beforeAttributes && holdsAttributeKeyword(value)) {
            return refuse(here,
                          "holds \"#ATTRIBUTES:\", which the reader would take for the "
                          "start of the attribute section");
        }
        return true;
    }

    // The optional array field `name`; null when it is missing.
    bool array(const StructureJson& object, const Pointer& at, const char* name,
               const StructureJson*& items) {
        items = field(object, at, name, false);
        if (items != nullptr && !items->is_array()) {
            return refuse(at / name, "must be an array");
        }
        return true;
    }

    bool isObject(const StructureJson& item, const Pointer& at) {
        return item.is_object() || refuse(at, "must be an object");
    }

    bool definitions(const StructureJson& document, const Pointer& top) {
        const StructureJson* items = nullptr;
        if (!array(document, top, "definitions", items)) {
            return false;
        }
        std::unordered_map<int, Pointer> defined;
        for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
            const StructureJson& item = (*items)[i];
            const Pointer at = top / "definitions" / i;
            long long levelNr = 0;
            std::string name, directory, file;
            const TextRule rule{kDefinitionChars, false, true, true};
            if (!isObject(item, at) ||
                !onlyFields(item, at, {"levelNr", "name", "bitmapDirectory", "bitmapFile"}) ||
                !integer(item, at, "levelNr", kLowestInt, kHighestInt, levelNr) ||
                !text(item, at, "name", rule, name) ||
                !text(item, at, "bitmapDirectory", {kBitmapDirectoryChars, false, true, true},
                      directory) ||
                !text(item, at, "bitmapFile", rule, file)) {
                return false;
            }
            if (name.size() + file.size() > kDefinitionChars) {
                return refuse(at, "the name and the bitmap file name have " +
                                      std::to_string(name.size() + file.size()) +
                                      " characters together; the definition line holds at most " +
                                      std::to_string(kDefinitionChars));
            }
            if (name.empty() && !file.empty()) {
                return refuse(at / "name",
                              "must not be empty while there is a bitmap file name: "
                              "the reader would take that for the name");
            }
            const auto [it, isNew] = defined.emplace(static_cast<int>(levelNr), at);
            if (!isNew) {
                return refuse(at / "levelNr", "level number " + std::to_string(levelNr) +
                                                  " is defined already at " +
                                                  it->second.to_string());
            }
            if (!m_root.defineLevel(static_cast<int>(levelNr), name.c_str(), directory.c_str(),
                                    file.c_str())) {
                return refuse(at, "out of memory");
            }
        }
        return true;
    }

    bool attributes(const StructureJson& object, const Pointer& at, Zel_GM_Level& holder) {
        const StructureJson* items = nullptr;
        if (!array(object, at, "attributes", items)) {
            return false;
        }
        for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
            const StructureJson& item = (*items)[i];
            const Pointer here = at / "attributes" / i;
            std::string name, value;
            long long levelNr = 0, id = 0, parentId = 0, type = 0;
            if (!isObject(item, here) ||
                !onlyFields(item, here, {"name", "value", "type", "levelNr", "id", "parentId"}) ||
                !text(item, here, "name", {kNameChars, true, true, false}, name) ||
                !text(item, here, "value", {kNameChars, false, false, false}, value) ||
                !attributeType(item, here, type) ||
                !integer(item, here, "levelNr", kLowestInt, kHighestInt, levelNr) ||
                !integer(item, here, "id", 0, kHighestId, id) ||
                !integer(item, here, "parentId", 0, kHighestId, parentId)) {
                return false;
            }
            CAttribData* attribute = nullptr;
            try {
                attribute = new CAttribData(
                    name.c_str(), value.c_str(), static_cast<CAttribData::enAttribType>(type),
                    static_cast<unsigned long>(id), static_cast<unsigned long>(parentId),
                    static_cast<long>(levelNr));
                holder.getAttributes().AddTail(attribute);
            } catch (const std::bad_alloc&) {
                delete attribute;
                return refuse(here, "out of memory");
            }
            m_anyAttributes = true;
        }
        return true;
    }

    // "type": one of the type words, or the type value as an integer.
    bool attributeType(const StructureJson& item, const Pointer& at, long long& type) {
        const StructureJson* word = field(item, at, "type", true);
        if (word == nullptr) {
            return false;
        }
        if (word->is_number_integer()) {
            return integer(item, at, "type", kLowestInt, kHighestInt, type);
        }
        for (int i = 0; i < 4; ++i) {
            if (word->is_string() && word->get_ref<const std::string&>() == kTypeWords[i]) {
                type = i;
                return true;
            }
        }
        return refuse(at / "type",
                      "must be \"String\", \"Number\", \"Universal\", \"Group\" or an integer");
    }

    bool levels(const StructureJson& object, const Pointer& at, Zel_GM_Level& holder) {
        const StructureJson* items = nullptr;
        if (!array(object, at, "levels", items)) {
            return false;
        }
        for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
            if (!level((*items)[i], at / "levels" / i, holder)) {
                return false;
            }
        }
        return siblingsReadBack(holder);
    }

    bool level(const StructureJson& item, const Pointer& at, Zel_GM_Level& holder) {
        long long levelNr = 0, id = 0, status = 0;
        long long parentId = static_cast<long long>(holder.getID());
        std::string name, uuid;
        if (!isObject(item, at) ||
            !onlyFields(item, at,
                        {"levelNr", "id", "parentId", "status", "name", "uuid", "attributes",
                         "levels", "entries"}) ||
            !integer(item, at, "levelNr", 1, kHighestStructureLevel, levelNr) ||
            !integer(item, at, "id", 1, kHighestId, id) ||
            !integer(item, at, "parentId", 0, kHighestId, parentId, false) ||
            !integer(item, at, "status", kLowestInt, kHighestInt, status) ||
            !text(item, at, "name", {kNameChars, true, true, true}, name) ||
            !text(item, at, "uuid", {kUuidChars, false, false, true}, uuid, false)) {
            return false;
        }
        if (levelNr <= holder.getLevelNr()) {
            return refuse(at / "levelNr",
                          "level number " + std::to_string(levelNr) + " is not greater than " +
                              std::to_string(holder.getLevelNr()) +
                              ", that of the level it stands below: the hierarchy file would put "
                              "it beside or above that level");
        }
        const auto [it, isNew] = m_ids.emplace(static_cast<unsigned long>(id), at);
        if (!isNew) {
            return refuse(at / "id", "ID " + std::to_string(id) + " is already the ID of " +
                                         it->second.to_string());
        }
        Zel_GM_Level* level = holder.addSublevel(
            static_cast<int>(levelNr), static_cast<unsigned long>(id),
            static_cast<unsigned long>(parentId), ZU_String(name.c_str()), static_cast<int>(status),
            reinterpret_cast<unsigned char*>(uuid.data()));
        if (level == nullptr) {
            return refuse(at, "out of memory");
        }
        m_places[level] = {&item, at};
        if (item.contains("parentId")) {
            m_givenParents.push_back(level);
        }
        return attributes(item, at, *level) && levels(item, at, *level);
    }

    // The hierarchy file puts a level below the nearest level before it whose
    // level number is smaller; so the sublevels of one level, in ascending
    // ID order as they are written, must not rise in level number.
    bool siblingsReadBack(const Zel_GM_Level& holder) {
        const Zel_GM_Level* before = nullptr;
        for (const auto& node : holder.GetSublevels()) {
            const Zel_GM_Level* level = node.value;
            if (before != nullptr && level->getLevelNr() > before->getLevelNr()) {
                return refuse(m_places[level].at / "levelNr",
                              "level number " + std::to_string(level->getLevelNr()) +
                                  " is greater than " + std::to_string(before->getLevelNr()) +
                                  ", that of the level before it in ID order (" +
                                  m_places[before].at.to_string() +
                                  "): the hierarchy file would put this level below that one");
            }
            before = level;
        }
        return true;
    }

    // A parent ID given apart from the nesting must name a level (or the
    // root, 0): the browsers hang a level below the level its field names.
    bool parentsExist() {
        for (const Zel_GM_Level* level : m_givenParents) {
            const unsigned long parentId = level->getParentID();
            if (parentId != 0 && m_ids.find(parentId) == m_ids.end()) {
                return refuse(m_places[level].at / "parentId",
                              "no level has ID " + std::to_string(parentId));
            }
        }
        return true;
    }

    // The hierarchy file's last structure line stands right before
    // "#ATTRIBUTES:"; if its last text ends with "#", the attribute reader
    // would take that line's word for its keyword and miss the section.
    bool lastLevelKeepsAttributes() {
        const Zel_GM_Level* last = nullptr;
        for (const Zel_GM_Level* level = &m_root; level != nullptr;) {
            const Zel_GM_Level* deeper = nullptr;
            for (const auto& node : level->GetSublevels()) {
                deeper = node.value;
            }
            last = deeper != nullptr ? deeper : last;
            level = deeper;
        }
        if (!m_anyAttributes || last == nullptr) {
            return true;
        }
        const bool hasUuid = last->getUuidText()[0] != '\0';
        if (!endsWithHash(hasUuid ? last->getUuidText() : last->getNameText())) {
            return true;
        }
        return refuse(m_places[last].at / (hasUuid ? "uuid" : "name"),
                      "ends with \"#\" on the hierarchy file's last structure line, which would "
                      "hide the attribute section from the reader");
    }

    // The entries, in the order the level list file holds them: below each
    // level, those of its sublevels first, then its own, each followed by
    // the entries below it. So they get the IDs that reading the file gives.
    bool entriesBelow(Zel_GM_Level& holder) {
        for (const auto& node : holder.GetSublevels()) {
            if (!entriesBelow(*node.value)) {
                return false;
            }
        }
        const Place place = m_places[&holder];
        const StructureJson* items = nullptr;
        if (!array(*place.object, place.at, "entries", items)) {
            return false;
        }
        for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
            if (!entry((*items)[i], place.at / "entries" / i, holder, 1)) {
                return false;
            }
        }
        return true;
    }

    bool entry(const StructureJson& item, const Pointer& at, Zel_GM_Level& holder, int depth) {
        if (depth > kMaxEntryNesting) {
            return refuse(at,
                          "entries nest more than " + std::to_string(kMaxEntryNesting) + " deep");
        }
        long long number = 0, status = 0;
        if (!isObject(item, at) || !onlyFields(item, at, {"number", "status", "entries"}) ||
            !integer(item, at, "number", 0, kHighestDrawingFileNumber, number) ||
            !integer(item, at, "status", kLowestInt, kHighestInt, status)) {
            return false;
        }
        if (m_nextId >= static_cast<unsigned long long>(kHighestId)) {
            return refuse(at,
                          "the entry would get an ID above 4294967295: reading the level list "
                          "file numbers entries on from the highest level ID");
        }
        ++m_nextId;
        Zel_GM_Level* entry = holder.addSublevel(
            Zel_GM_Level::kEntryLevelNr, static_cast<unsigned long>(m_nextId), holder.getID(),
            ZU_String(std::to_string(number).c_str()), static_cast<int>(status), nullptr);
        if (entry == nullptr) {
            return refuse(at, "out of memory");
        }
        const StructureJson* items = nullptr;
        if (!array(item, at, "entries", items)) {
            return false;
        }
        for (std::size_t i = 0; items != nullptr && i < items->size(); ++i) {
            if (!this->entry((*items)[i], at / "entries" / i, *entry, depth + 1)) {
                return false;
            }
        }
        return true;
    }

    Zel_GM_Root& m_root;
    JsonRefusal& m_refusal;
    std::unordered_map<const Zel_GM_Level*, Place> m_places;
    std::unordered_map<unsigned long, Pointer> m_ids;
    std::vector<const Zel_GM_Level*> m_givenParents;
    unsigned long long m_nextId = 0;
    bool m_anyAttributes = false;
};

}  // namespace

bool structureFromJson(const StructureJson& document, Zel_GM_Root& root, JsonRefusal& refusal) {
    refusal = {};
    Importer importer(root, refusal);
    return importer.run(document);
}

}  // namespace vedrix::cli
