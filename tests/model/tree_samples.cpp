#include "tree_samples.h"

#include <fstream>
#include <algorithm>
#include <functional>
#include <vector>

namespace vedrix::test {

namespace {

void describeAttributes(const Zel_GM_Level& level, std::ostringstream& out) {
    const CObList& attributes = level.getAttributes();
    for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
        const auto* a = static_cast<const CAttribData*>(attributes.GetNext(pos));
        out << " {" << static_cast<const char*>(a->getName()) << '='
            << static_cast<const char*>(a->getValue()) << ' ' << a->getTypeValue() << ' '
            << a->getIDValue() << ' ' << a->getParentIDValue() << ' ' << a->getLevelNr() << '}';
    }
}

void describeInto(const Zel_GM_Level& level, unsigned long key, int depth, bool withIDs,
                  std::ostringstream& out) {
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ');
    if (withIDs) {
        out << key << ": ";
    }
    out << level.getLevelNr() << ' ';
    if (withIDs) {
        out << level.getID() << ' ' << level.getParentID() << ' ';
    }
    out << level.getStatus() << " [" << level.getNameText() << "] <" << level.getUuidText() << '>';
    describeAttributes(level, out);
    out << '\n';
    for (const auto& node : level.GetSublevels()) {
        describeInto(*node.value, node.key, depth + 1, withIDs, out);
    }
}

std::string randomText(std::mt19937& rng, std::size_t minLen, std::size_t maxLen) {
    static const char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .-_/\\\xe4\xf6\xfc";
    std::uniform_int_distribution<std::size_t> len(minLen, maxLen);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string s(len(rng), 'x');
    for (char& c : s) {
        c = kChars[pick(rng)];
    }
    if (!s.empty() && s.front() == ' ') {
        s.front() = 'N';
    }
    return s;
}

std::string randomUuid(std::mt19937& rng) {
    static const char kHex[] = "0123456789abcdef";
    std::string s = "xxxxxxxx-xxxx-4xxx-8xxx-xxxxxxxxxxxx";
    for (char& c : s) {
        if (c == 'x') {
            c = kHex[rng() % 16];
        }
    }
    return s;
}

void addRandomAttributes(Zel_GM_Level& level, std::mt19937& rng) {
    const int count = static_cast<int>(rng() % 4) + 1;
    for (int i = 0; i < count; ++i) {
        std::string name = randomText(rng, 1, 30);
        std::string value = randomText(rng, 0, 60);
        level.addAttributeItem(name.c_str(), value.c_str(), static_cast<int>(rng() % 4));
    }
}

}  // namespace

std::string describe(const Zel_GM_Level& level, bool withIDs) {
    std::ostringstream out;
    describeInto(level, level.getID(), 0, withIDs, out);
    return out.str();
}

std::string describeEntries(const Zel_GM_Level& root) {
    std::ostringstream out;
    std::function<void(const Zel_GM_Level&, const std::string&)> walk =
        [&](const Zel_GM_Level& level, const std::string& path) {
            for (const auto& node : level.GetSublevels()) {
                const Zel_GM_Level& sub = *node.value;
                if (sub.getLevelNr() == 10) {
                    out << path << " <- " << sub.getNameText() << " status " << sub.getStatus()
                        << '\n';
                    walk(sub, path + "/" + sub.getNameText());
                } else {
                    walk(sub, path + "/" + std::to_string(node.key));
                }
            }
        };
    walk(root, "");
    std::string text = out.str();
    // Entry order among siblings follows their new IDs; compare as sets.
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::string sorted;
    for (const auto& line : lines) {
        sorted += line + '\n';
    }
    return sorted;
}

void fillRandomTree(Zel_GM_Root& root, std::mt19937& rng, const RandomTreeOptions& options) {
    std::vector<Zel_GM_Level*> structure{&root};
    unsigned long nextID = 1;
    for (int i = 0; i < options.levels; ++i) {
        Zel_GM_Level* parent = structure[rng() % structure.size()];
        if (parent->getLevelNr() >= 9) {
            parent = &root;
        }
        // The reader hangs a line below the nearest level with a smaller number,
        // so all sublevels of a level carry the next number.
        const int levelNr = parent->getLevelNr() + 1;
        // IDs stay dense (1 to the highest are all used); with duplicates some
        // levels reuse an ID from elsewhere in the tree.
        unsigned long id = 0;
        if (options.duplicateIDs && i > 5 && rng() % 4 == 0) {
            id = 1 + rng() % (nextID - 1);
        }
        if (id == 0 || parent->GetSublevels().contains(id) || id == parent->getID()) {
            id = nextID++;
        }
        std::string name = randomText(rng, 1, 40);
        std::string uuid = rng() % 3 == 0 ? std::string() : randomUuid(rng);
        Zel_GM_Level* level = parent->addSublevel(levelNr, id, parent->getID(), name.c_str(),
                                                  static_cast<int>(rng() % 4),
                                                  reinterpret_cast<unsigned char*>(uuid.data()));
        if (options.attributeEvery > 0 && i % options.attributeEvery == 0) {
            addRandomAttributes(*level, rng);
        }
        structure.push_back(level);
    }
    if (options.rootAttributes) {
        addRandomAttributes(root, rng);
    }
    for (int i = 0; i < options.entries; ++i) {
        Zel_GM_Level* parent = structure[rng() % structure.size()];
        const std::string name = std::to_string(1 + rng() % 6000);
        parent->addSublevel(10, nextID++, parent->getID(), name.c_str(),
                            static_cast<int>(rng() % 2) | (rng() % 5 == 0 ? 4 : 0), nullptr);
    }
}

std::string writeHierarchy(const Zel_GM_Root& root, bool withAttributes) {
    std::ostringstream out;
    root.writehre(out);
    if (withAttributes) {
        out << "#ATTRIBUTES:\n";
        const_cast<Zel_GM_Root&>(root).writeAttributes(out);
    }
    return out.str();
}

std::string writeLevelList(const Zel_GM_Root& root) {
    std::ostringstream out;
    root.writelis(out);
    return out.str();
}

TempDir::TempDir() {
    std::random_device seed;
    m_path = std::filesystem::temp_directory_path() /
             ("vedrix-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempDir::write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = m_path / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace vedrix::test
