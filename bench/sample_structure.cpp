#include "sample_structure.h"

#include <array>
#include <random>
#include <sstream>

namespace vedrix::bench {

namespace {

constexpr std::size_t kMinName = 10;
constexpr std::size_t kMaxName = 30;

const std::array<const char*, 6> kBuildingWords = {"Building", "Block", "House",
                                                   "Tower",    "Hall",  "Pavilion"};
const std::array<const char*, 6> kWingWords = {"North Wing", "South Wing", "Residential",
                                               "Offices",    "Annex",      "Car Park"};
const std::array<const char*, 9> kPartWords = {"Apartment",      "Office",   "Stairwell",
                                               "Technical Room", "Corridor", "Storage",
                                               "Lobby",          "Shaft",    "Meeting Room"};
const std::array<const char*, 4> kSides = {" East", " West", " North", ""};
const std::array<const char*, 6> kSubPartWords = {"Bathroom", "Kitchen",      "Bedroom",
                                                  "Balcony",  "Wall Segment", "Living Room"};

// Names as people type them: 10 to 30 characters, no leading or trailing blank.
std::string fitName(std::string name) {
    if (name.size() < kMinName) {
        name += " Area";
    }
    if (name.size() > kMaxName) {
        name.resize(kMaxName);
    }
    while (name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

std::string storeyName(int index) {
    if (index == 0) {
        return "Basement Level";
    }
    if (index == 1) {
        return "Ground Floor";
    }
    return "Upper Floor " + std::to_string(index - 1);
}

std::string uuidText(std::mt19937& rng) {
    static const char kHex[] = "0123456789abcdef";
    std::string s = "xxxxxxxx-xxxx-4xxx-8xxx-xxxxxxxxxxxx";
    for (char& c : s) {
        if (c == 'x') {
            c = kHex[rng() % 16];
        }
    }
    return s;
}

class Builder {
public:
    Builder(Zel_GM_Root& root, const StructureShape& shape)
        : m_root(root), m_shape(shape), m_rng(shape.seed) {}

    std::vector<unsigned long> run() {
        m_root.defineLevel(1, "Building", "C:\\Project\\Bitmaps\\", "building.bmp");
        m_root.defineLevel(2, "Storey", "C:\\Project\\Bitmaps\\", "storey.bmp");
        m_root.defineLevel(3, "Part of storey", "C:\\Project\\Bitmaps\\", "part.bmp");
        m_root.defineLevel(4, "Room", "C:\\Project\\Bitmaps\\", "room.bmp");
        for (int building = 0; !full(); ++building) {
            addBuilding(building);
        }
        return m_ids;
    }

private:
    bool full() const { return static_cast<int>(m_ids.size()) >= m_shape.levels; }

    Zel_GM_Level* add(Zel_GM_Level& parent, int levelNr, unsigned long id,
                      const std::string& name) {
        std::string uuid;
        if (static_cast<int>(m_rng() % 100) < m_shape.uuidPercent) {
            uuid = uuidText(m_rng);
        }
        Zel_GM_Level* level = parent.addSublevel(
            levelNr, id, parent.getID(), fitName(name).c_str(), static_cast<int>(m_rng() % 4),
            uuid.empty() ? nullptr : reinterpret_cast<unsigned char*>(uuid.data()));
        m_ids.push_back(id);
        return level;
    }

    void addBuilding(int index) {
        const std::string name = std::string(kBuildingWords[m_rng() % kBuildingWords.size()]) +
                                 " " + static_cast<char>('A' + index % 26) +
                                 std::to_string(index / 26 + 1) + " " +
                                 kWingWords[m_rng() % kWingWords.size()];
        Zel_GM_Level* building = add(m_root, 1, m_nextID++, name);
        std::vector<unsigned long> previousParts;
        const int storeys = 3 + static_cast<int>(m_rng() % 20);
        for (int s = 0; s < storeys && !full(); ++s) {
            Zel_GM_Level* storey = add(*building, 2, m_nextID++, storeyName(s));
            std::vector<unsigned long> parts;
            const int partCount = 8 + static_cast<int>(m_rng() % 40);
            for (int p = 0; p < partCount && !full(); ++p) {
                unsigned long id = m_nextID++;
                // A part copied from the storey below keeps that part's ID, as
                // projects assembled from copied storeys do.
                if (m_shape.duplicateIdEvery > 0 &&
                    ++m_partCounter % m_shape.duplicateIdEvery == 0 &&
                    static_cast<std::size_t>(p) < previousParts.size()) {
                    id = previousParts[static_cast<std::size_t>(p)];
                }
                const std::string partName = std::string(kPartWords[m_rng() % kPartWords.size()]) +
                                             " " + std::to_string(s) + "." + std::to_string(p + 1) +
                                             kSides[m_rng() % kSides.size()];
                Zel_GM_Level* part = add(*storey, 3, id, partName);
                parts.push_back(id);
                if (m_rng() % 5 == 0) {
                    const int rooms = 1 + static_cast<int>(m_rng() % 4);
                    for (int r = 0; r < rooms && !full(); ++r) {
                        add(*part, 4, m_nextID++,
                            std::string(kSubPartWords[m_rng() % kSubPartWords.size()]) + " " +
                                std::to_string(r + 1));
                    }
                }
            }
            previousParts = std::move(parts);
        }
    }

    Zel_GM_Root& m_root;
    const StructureShape& m_shape;
    std::mt19937 m_rng;
    std::vector<unsigned long> m_ids;
    unsigned long m_nextID = 1;
    int m_partCounter = 0;
};

}  // namespace

std::vector<unsigned long> buildStructure(Zel_GM_Root& root, const StructureShape& shape) {
    return Builder(root, shape).run();
}

std::string levelListText(const std::vector<unsigned long>& structureIDs, unsigned long highestID,
                          int entries, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::string text = "#DATA:\n";
    for (int i = 0; i < entries; ++i) {
        const unsigned choice = rng() % 100;
        unsigned long parent = 0;
        if (choice < 8) {
            parent = 0;
        } else if (choice < 18 && i > 0) {
            parent = highestID + 1 + rng() % static_cast<unsigned>(i);
        } else if (!structureIDs.empty()) {
            parent = structureIDs[rng() % structureIDs.size()];
        }
        const int status = static_cast<int>(rng() % 2) | (rng() % 20 == 0 ? 4 : 0);
        text += std::to_string(100000 + rng() % 900000);
        text += '\t';
        text += std::to_string(parent);
        text += '\t';
        text += std::to_string(status);
        text += "\t\n";
    }
    return text;
}

std::size_t countLevels(const Zel_GM_Level& level, int low, int high) {
    std::size_t count = 0;
    std::vector<const Zel_GM_Level*> pending{&level};
    while (!pending.empty()) {
        const Zel_GM_Level* current = pending.back();
        pending.pop_back();
        for (const auto& node : current->GetSublevels()) {
            const int levelNr = node.value->getLevelNr();
            if (levelNr >= low && levelNr <= high) {
                ++count;
            }
            pending.push_back(node.value);
        }
    }
    return count;
}

std::string writeHierarchy(const Zel_GM_Root& root) {
    std::ostringstream out;
    root.writehre(out);
    return out.str();
}

}  // namespace vedrix::bench
