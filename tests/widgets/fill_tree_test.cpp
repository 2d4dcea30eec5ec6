// Filling the structure tree from a level tree read from a generated project
// on disk, with object names looked up through the host's name-lookup library:
// what the person sees, what every record holds, who owns the attributes
// afterwards, and that deleting any branch frees each record once (the
// sanitizers catch a second free or a leak).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <vedrix/framework/text_file.h>
#include <vedrix/automation/input.h>
#include <vedrix/model/drawing_file_directory.h>
#include <vedrix/samplegen/sample_project.h>
#include <zelkar/vedada.h>

#include "../hostsim/host_project.h"
#include "structure_dialog.h"

namespace {

using namespace widgets_tests;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ItemMap = CMap<int, int, unsigned long, unsigned long>;
using NameLookup = int (*)(int, int, char*);

// Slot i of the image table holds 100 + i, so that a wrong slot shows.
constexpr int kImageBase = 100;

// The drawing-file directory as the application gives it to the model.
std::string& givenDirectory() {
    static std::string directory;
    return directory;
}
CString drawingDirectory() {
    return CString(givenDirectory().c_str());
}

HTREEITEM handleOf(unsigned long value) {
    return reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(value));
}

class FillTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        vedrix::automation::resetDesktop();
        AfxSetResourceHandle(GetModuleHandleA(nullptr));
        // Building 1 and 2, each with Storey 1 holding Part 1 and Part 2, each
        // part with two drawing files: 100 to 107, the odd ones checked.
        vedrix::samplegen::StructureSample sample;
        sample.storeysPerBuilding = 1;
        sample.freeDrawingFiles = 0;
        sample.firstNumber = 100;
        vedrix::samplegen::SampleSummary summary;
        std::string error;
        ASSERT_TRUE(
            vedrix::samplegen::WriteStructureSample(m_project.str(), sample, summary, error))
            << error;
        m_vedada = LoadLibraryA(VEDADA_LIBRARY_NAME);
        ASSERT_NE(m_vedada, nullptr);
        auto setListPath = reinterpret_cast<VedadaSetListPath>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_vedada, VEDADA_SET_LIST_PATH)));
        m_lookup = reinterpret_cast<VedadaReadObjectName>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_vedada, VEDADA_READ_OBJECT_NAME)));
        ASSERT_NE(setListPath, nullptr);
        ASSERT_NE(m_lookup, nullptr);
        std::string dir = m_project.str();
        setListPath(dir.data());
        givenDirectory() = dir;
        vedrix::model::setDrawingFileDirectorySource(&drawingDirectory);
        for (int i = 0; i < kImageSlotCount; ++i) {
            m_images[i] = kImageBase + i;
        }
        m_dialog.m_sampleItems = false;
        ASSERT_TRUE(m_dialog.Create(kStructureTemplate, nullptr));
    }
    void TearDown() override {
        if (m_dialog.m_hWnd != nullptr) {
            m_dialog.DestroyWindow();
        }
        vedrix::model::setDrawingFileDirectorySource(nullptr);
        if (m_vedada != nullptr) {
            FreeLibrary(m_vedada);
        }
        AfxSetResourceHandle(nullptr);
        vedrix::automation::resetDesktop();
    }

    // The project's structure, read from its two files.
    std::unique_ptr<Zel_GM_Root> readProject() {
        auto root = std::make_unique<Zel_GM_Root>("Project");
        vedrix::framework::TextFileReader hre(m_project.file("sample.hre").string().c_str());
        EXPECT_EQ(root->readhre(hre, 1), 0);
        vedrix::framework::TextFileReader lis(m_project.file("sample.lis").string().c_str());
        EXPECT_EQ(root->readlis(lis, 1), 0);
        return root;
    }

    void fill(Zel_GM_Root& root, NameLookup lookup) {
        root.setItem(&tree(), &m_names, &m_items, m_images, nullptr, lookup);
    }
    void fill(Zel_GM_Root& root) { fill(root, m_lookup); }

    CExtTreeCtrl& tree() { return m_dialog.m_tree; }
    TBItemData* record(HTREEITEM item) {
        return reinterpret_cast<TBItemData*>(tree().GetItemData(item));
    }

    // Every item, each before its children, children in the order shown.
    std::vector<HTREEITEM> items() {
        std::vector<HTREEITEM> all;
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM first) {
            for (HTREEITEM item = first; item != nullptr; item = tree().GetNextSiblingItem(item)) {
                all.push_back(item);
                walk(tree().GetChildItem(item));
            }
        };
        walk(tree().GetRootItem());
        return all;
    }

    // The tree as the person sees it: one line per item, indented by depth,
    // with its image, selected image, state image and "+" when expanded.
    std::string shown() {
        std::string text;
        for (HTREEITEM item : items()) {
            int depth = 0;
            for (HTREEITEM p = tree().GetParentItem(item); p != nullptr;
                 p = tree().GetParentItem(p)) {
                ++depth;
            }
            int image = 0;
            int selected = 0;
            tree().GetItemImage(item, image, selected);
            const UINT state = tree().GetItemState(item, 0xFFFF);
            const UINT expansion = state & (TVIS_EXPANDED | TVIS_EXPANDEDONCE);
            text += std::string(2 * depth, ' ') + tree().GetItemText(item).GetString() + "  [" +
                    std::to_string(image) + "/" + std::to_string(selected) + " s" +
                    std::to_string((state & TVIS_STATEIMAGEMASK) >> 12) +
                    (expansion == (TVIS_EXPANDED | TVIS_EXPANDEDONCE) ? " +"
                     : expansion != 0                                 ? " ?"
                                                                      : "") +
                    "]\n";
        }
        return text;
    }

    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (POSITION pos = m_names.GetHeadPosition(); pos != nullptr;) {
            all.emplace_back(m_names.GetNext(pos).GetString());
        }
        return all;
    }

    hostsim_test::HostProject m_project;
    HMODULE m_vedada = nullptr;
    NameLookup m_lookup = nullptr;
    int m_images[kImageSlotCount];
    CList<CString, CString> m_names;
    ItemMap m_items;
    std::vector<std::string> m_destroyed;
    StructureDialog m_dialog{m_destroyed};
};

// The level at the end of a path of names from `root`.
Zel_GM_Level* levelAt(Zel_GM_Level& root, std::initializer_list<const char*> path) {
    Zel_GM_Level* level = &root;
    for (const char* name : path) {
        Zel_GM_Level* found = nullptr;
        for (const auto& node : level->GetSublevels()) {
            if (std::strcmp(node.value->getNameText(), name) == 0) {
                found = node.value;
                break;
            }
        }
        if (found == nullptr) {
            ADD_FAILURE() << "no level " << name;
            return nullptr;
        }
        level = found;
    }
    return level;
}

// Calls visit(level) for every level below `top` and `top` itself.
void forEachLevel(Zel_GM_Level& top, const std::function<void(Zel_GM_Level&)>& visit) {
    visit(top);
    for (const auto& node : top.GetSublevels()) {
        forEachLevel(*node.value, visit);
    }
}

TEST_F(FillTreeTest, TheTreeShowsTextsImagesStatesAndExpansionInTextOrder) {
    auto root = readProject();
    // Added after the sample's levels, so with higher IDs: sorting puts them
    // first among their siblings all the same.
    unsigned char uuid[] = "e2b4f1a0-0000-4000-8000-000000000001";
    Zel_GM_Level* annex = root->addSublevel(1, 500, 0, "annex", kLevelExpanded, uuid);
    annex->addSublevel(10, 501, 500, "7", kLevelChecked, nullptr);
    annex->addSublevel(10, 502, 500, "123456789", 0, nullptr);
    Zel_GM_Level* part = levelAt(*root, {"Building 1", "Storey 1", "Part 1"});
    m_project.addDrawingFile(99, "  Early sheet ");
    part->addSublevel(10, 503, part->getID(), "99", 0, nullptr);
    // An entry below an entry.
    Zel_GM_Level* entry = levelAt(*root, {"Building 1", "Storey 1", "Part 1", "100"});
    entry->addSublevel(10, 504, entry->getID(), "106", 0, nullptr);
    levelAt(*root, {"Building 1"})->setStatus(kLevelExpanded);
    levelAt(*root, {"Building 1", "Storey 1"})->setStatus(kLevelExpanded);
    levelAt(*root, {"Building 2"})->setStatus(kLevelChecked);
    std::filesystem::remove(m_project.drawingFile(101));
    std::filesystem::remove(m_project.drawingFile(102));

    fill(*root);
    EXPECT_EQ(shown(),
              "Project  [100/100 s1 +]\n"
              "  annex  [101/101 s1 +]\n"
              "    tb000007.zdw  [122/122 s4]\n"
              "    tb123456789.zdw  [122/122 s3]\n"
              "  Building 1  [101/101 s1 +]\n"
              "    Storey 1  [102/102 s1 +]\n"
              "      Part 1  [103/103 s1]\n"
              "        tb000099.zdw    Early sheet  [110/110 s1]\n"
              "        tb000100.zdw  Building 1 Storey 1 Part 1 plan 1  [110/110 s1]\n"
              "          tb000106.zdw  Building 2 Storey 1 Part 2 plan 1  [110/110 s1]\n"
              "        tb000101.zdw  [122/122 s4]\n"
              "      Part 2  [103/103 s1]\n"
              "        tb000102.zdw  [122/122 s3]\n"
              "        tb000103.zdw  Building 1 Storey 1 Part 2 plan 2  [121/121 s2]\n"
              "  Building 2  [112/112 s2]\n"
              "    Storey 1  [102/102 s1]\n"
              "      Part 1  [103/103 s1]\n"
              "        tb000104.zdw  Building 2 Storey 1 Part 1 plan 1  [110/110 s1]\n"
              "        tb000105.zdw  Building 2 Storey 1 Part 1 plan 2  [121/121 s2]\n"
              "      Part 2  [103/103 s1]\n"
              "        tb000106.zdw  Building 2 Storey 1 Part 2 plan 1  [110/110 s1]\n"
              "        tb000107.zdw  Building 2 Storey 1 Part 2 plan 2  [121/121 s2]\n");
    // The entries' names, in the order placed: depth first, IDs ascending.
    EXPECT_THAT(names(), ElementsAre("100", "106", "101", "99", "102", "103", "104", "105", "106",
                                     "107", "7", "123456789"));
    // The missing-file status stays in the levels, so that the level list
    // file written next keeps it; a file that is there clears it.
    EXPECT_EQ(levelAt(*root, {"annex", "7"})->getStatus(), kLevelChecked | kLevelFileMissing);
    EXPECT_EQ(levelAt(*root, {"Building 1", "Storey 1", "Part 2", "102"})->getStatus(),
              kLevelFileMissing);
    EXPECT_EQ(levelAt(*root, {"Building 2", "Storey 1", "Part 1", "105"})->getStatus(),
              kLevelChecked);
}

TEST_F(FillTreeTest, EveryRecordHoldsItsLevelsData) {
    auto root = readProject();
    unsigned char uuid[] = "0f6c2d7e-1111-4222-8333-444455556666";
    root->addSublevel(10, 900, 0, "123456789", kLevelChecked | kLevelExpanded, uuid);
    fill(*root);

    const std::vector<HTREEITEM> all = items();
    ASSERT_EQ(all.size(), 1u + 2 + 2 + 4 + 8 + 1);
    int structureLevels = 0;
    for (HTREEITEM item : all) {
        const TBItemData* data = record(item);
        ASSERT_NE(data, nullptr);
        Zel_GM_Level* level = data->getType() == TBItemData::kRoot
                                  ? root.get()
                                  : root->searchLevel(data->getLevelID());
        ASSERT_NE(level, nullptr) << data->getLevelID();
        const std::string text = tree().GetItemText(item).GetString();
        SCOPED_TRACE(text);
        EXPECT_EQ(level->getTreeItem(), item);
        EXPECT_EQ(data->getType(), level->getLevelNr());
        EXPECT_EQ(data->getFlags(), level->getStatus());
        EXPECT_EQ(data->getLevelID(), level->getID());
        EXPECT_STREQ(data->getIdentifier(), level->getUuidText());
        EXPECT_EQ(data->getExtra(), reinterpret_cast<DWORD_PTR>(tree().GetParentItem(item)));
        EXPECT_EQ(data->getViewFlags(), 0u);
        EXPECT_STREQ(data->getOriginalIdentifier(), "");
        if (level->getLevelNr() == Zel_GM_Level::kEntryLevelNr) {
            EXPECT_EQ(data->getNumber(), std::stoul(level->getNameText()) & 0xFFFF);
        } else {
            EXPECT_EQ(data->getNumber(), 0);
            if (level != root.get()) {
                EXPECT_NE(data->getIdentifier()[0], '\0');  // the sample gives every level one
            }
            // The item map knows every structure level and the root.
            unsigned long known = 0;
            ASSERT_TRUE(m_items.Lookup(static_cast<int>(level->getID()), known));
            EXPECT_EQ(handleOf(known), item);
            ++structureLevels;
        }
    }
    EXPECT_EQ(m_items.GetCount(), structureLevels);

    // An entry numbered beyond 16 bits: the file name has every digit, the
    // record the low 16 bits; an entry is never expanded.
    HTREEITEM big = root->searchLevel(900)->getTreeItem();
    EXPECT_EQ(tree().GetItemText(big), "tb123456789.zdw");
    EXPECT_EQ(record(big)->getNumber(), 52501);
    EXPECT_EQ(record(big)->getFlags(), kLevelChecked | kLevelExpanded | kLevelFileMissing);
    EXPECT_STREQ(record(big)->getIdentifier(), "0f6c2d7e-1111-4222-8333-444455556666");
    EXPECT_EQ(tree().GetItemState(big, TVIS_EXPANDED), 0u);
}

TEST_F(FillTreeTest, AParentIsFoundThroughTheItemMap) {
    auto root = readProject();
    Zel_GM_Level* target = levelAt(*root, {"Building 1", "Storey 1"});
    Zel_GM_Level* holder = levelAt(*root, {"Building 2", "Storey 1"});
    // Held by Building 2's storey, but naming Building 1's storey as its
    // parent, which is placed before it.
    Zel_GM_Level* wing = holder->addSublevel(3, 700, target->getID(), "Annex wing", 0, nullptr);
    wing->addSublevel(10, 701, 700, "104", 0, nullptr);
    // A parent ID that no item has: the level stays below its holder.
    holder->addSublevel(3, 702, 4711, "Stray", 0, nullptr);
    // The root's ID is in the map too: a level naming parent 0 goes to the top
    // level of the structure whatever holds it.
    holder->addSublevel(1, 703, 0, "Outbuilding", 0, nullptr);
    fill(*root);

    EXPECT_EQ(tree().GetParentItem(wing->getTreeItem()), target->getTreeItem());
    EXPECT_EQ(record(wing->getTreeItem())->getExtra(),
              reinterpret_cast<DWORD_PTR>(target->getTreeItem()));
    EXPECT_EQ(tree().GetParentItem(root->searchLevel(701)->getTreeItem()), wing->getTreeItem());
    EXPECT_EQ(tree().GetParentItem(root->searchLevel(702)->getTreeItem()), holder->getTreeItem());
    EXPECT_EQ(tree().GetParentItem(root->searchLevel(703)->getTreeItem()), root->getTreeItem());
    // Sorted among the siblings it was placed with.
    std::vector<std::string> below;
    for (HTREEITEM item = tree().GetChildItem(target->getTreeItem()); item != nullptr;
         item = tree().GetNextSiblingItem(item)) {
        below.emplace_back(tree().GetItemText(item).GetString());
    }
    EXPECT_THAT(below, ElementsAre("Annex wing", "Part 1", "Part 2"));
}

TEST_F(FillTreeTest, AttributesMoveToTheRecordsAndEveryBranchFreesThemOnce) {
    // One attribute per level, named by the level's path, and a second one on
    // the storeys, so that the order within a record shows.
    std::vector<std::string> everyAttribute;
    auto prepare = [&]() {
        auto root = readProject();
        std::function<void(Zel_GM_Level&, const std::string&)> attach =
            [&](Zel_GM_Level& level, const std::string& path) {
                level.getAttributes().AddTail(new TrackedAttribute(path.c_str(), m_destroyed));
                if (level.getLevelNr() == 2) {
                    level.getAttributes().AddTail(
                        new TrackedAttribute((path + "#2").c_str(), m_destroyed));
                }
                for (const auto& node : level.GetSublevels()) {
                    attach(*node.value, path + "/" + node.value->getNameText());
                }
            };
        attach(*root, "Project");
        return root;
    };
    {
        auto root = prepare();
        fill(*root);
        forEachLevel(*root, [](Zel_GM_Level& level) {
            EXPECT_EQ(level.getAttributes().GetCount(), 0) << level.getNameText();
        });
        HTREEITEM storey = levelAt(*root, {"Building 2", "Storey 1"})->getTreeItem();
        std::vector<std::string> held;
        CObList& attributes = record(storey)->getAttributes();
        for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
            held.emplace_back(static_cast<CAttribData*>(attributes.GetNext(pos))->getName());
        }
        EXPECT_THAT(held,
                    ElementsAre("Project/Building 2/Storey 1", "Project/Building 2/Storey 1#2"));
        // Destroying the level tree leaves the attributes to the records.
        root.reset();
        EXPECT_THAT(m_destroyed, IsEmpty());
        tree().DeleteAllItems();
        everyAttribute = m_destroyed;
        std::sort(everyAttribute.begin(), everyAttribute.end());
        ASSERT_EQ(everyAttribute.size(), 17u + 2);
        ASSERT_EQ(std::adjacent_find(everyAttribute.begin(), everyAttribute.end()),
                  everyAttribute.end());
    }
    const size_t itemCount = 17;
    for (size_t k = 0; k < itemCount; ++k) {
        m_destroyed.clear();
        m_names.RemoveAll();
        m_items.RemoveAll();
        auto root = prepare();
        fill(*root);
        const std::vector<HTREEITEM> all = items();
        ASSERT_EQ(all.size(), itemCount);
        // What the branch of item k holds: its attributes' names.
        std::vector<std::string> expected;
        std::function<void(HTREEITEM)> collect = [&](HTREEITEM item) {
            CObList& attributes = record(item)->getAttributes();
            for (POSITION pos = attributes.GetHeadPosition(); pos != nullptr;) {
                expected.emplace_back(
                    static_cast<CAttribData*>(attributes.GetNext(pos))->getName());
            }
            for (HTREEITEM child = tree().GetChildItem(item); child != nullptr;
                 child = tree().GetNextSiblingItem(child)) {
                collect(child);
            }
        };
        collect(all[k]);
        const std::string text = tree().GetItemText(all[k]).GetString();
        ASSERT_TRUE(tree().DeleteItem(all[k])) << text;
        std::vector<std::string> destroyed = m_destroyed;
        std::sort(expected.begin(), expected.end());
        std::sort(destroyed.begin(), destroyed.end());
        EXPECT_EQ(destroyed, expected) << text;
        // The rest goes with the tree, each record once.
        tree().DeleteAllItems();
        destroyed = m_destroyed;
        std::sort(destroyed.begin(), destroyed.end());
        EXPECT_EQ(destroyed, everyAttribute) << text;
    }
}

// Name lookups of the host, as plain functions: what they were asked, and
// what they answer.
std::vector<std::pair<int, int>>& lookupCalls() {
    static std::vector<std::pair<int, int>> calls;
    return calls;
}
int paddedName(int mode, int number, char* text) {
    lookupCalls().emplace_back(mode, number);
    std::strcpy(text, "Gr\x81n \t ");  // "Grün" in the host's code page, padded
    return 0;
}
int refusedName(int mode, int number, char* text) {
    lookupCalls().emplace_back(mode, number);
    std::strcpy(text, "not a name");
    return 2;
}
int unterminatedName(int, int, char* text) {
    std::memset(text, 'x', 256);
    return 0;
}

class FillTreeLookupTest : public FillTreeTest {
protected:
    void SetUp() override {
        FillTreeTest::SetUp();
        lookupCalls().clear();
        m_root.addSublevel(10, 1, 0, "100", kLevelChecked | kLevelFileMissing, nullptr);
        m_root.addSublevel(10, 2, 0, "no number", 0, nullptr);
    }
    std::string textOf(unsigned long id) {
        return tree().GetItemText(m_root.searchLevel(id)->getTreeItem()).GetString();
    }
    Zel_GM_Root m_root{"Project"};
};

TEST_F(FillTreeLookupTest, ANameIsConvertedAndTrimmedAndAskedForByNumber) {
    fill(m_root, &paddedName);
    EXPECT_EQ(textOf(1), "tb000100.zdw  Gr\xFCn");
    EXPECT_EQ(textOf(2), "tb000000.zdw  Gr\xFCn");
    EXPECT_THAT(lookupCalls(), ElementsAre(std::make_pair(1, 100), std::make_pair(1, 0)));
    // Drawing file 100 is there: the missing status is cleared.
    EXPECT_EQ(m_root.searchLevel(1)->getStatus(), kLevelChecked);
    EXPECT_EQ(record(m_root.searchLevel(1)->getTreeItem())->getFlags(), kLevelChecked);
}

TEST_F(FillTreeLookupTest, AFailedOrMissingLookupShowsTheFileNameAlone) {
    fill(m_root, &refusedName);
    EXPECT_EQ(textOf(1), "tb000100.zdw");
    EXPECT_EQ(lookupCalls().size(), 2u);
    tree().DeleteAllItems();
    m_names.RemoveAll();
    m_items.RemoveAll();
    fill(m_root, nullptr);
    EXPECT_EQ(textOf(1), "tb000100.zdw");
    EXPECT_EQ(textOf(2), "tb000000.zdw");
    // The entries are placed and checked all the same.
    EXPECT_THAT(names(), ElementsAre("100", "no number"));
    EXPECT_EQ(m_root.searchLevel(2)->getStatus(), kLevelFileMissing);
}

TEST_F(FillTreeLookupTest, AnUnterminatedNameIsCutAtTheBuffersEnd) {
    fill(m_root, &unterminatedName);
    EXPECT_EQ(textOf(1), "tb000100.zdw  " + std::string(255, 'x'));
}

TEST_F(FillTreeLookupTest, LevelsWithoutImageSlotsAndCallersWithoutTablesShowNoImage) {
    m_root.addSublevel(12, 3, 0, "Level twelve", 0, nullptr);
    m_root.addSublevel(-1, 4, 0, "Level minus one", kLevelChecked, nullptr);
    m_root.setItem(&tree(), nullptr, nullptr, m_images, nullptr, nullptr);
    int image = 0;
    int selected = 0;
    for (unsigned long id : {3ul, 4ul}) {
        tree().GetItemImage(m_root.searchLevel(id)->getTreeItem(), image, selected);
        EXPECT_EQ(image, kImageSlotNone) << id;
    }
    tree().DeleteAllItems();
    m_root.setItem(&tree(), nullptr, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(tree().GetCount(), 5u);
    for (HTREEITEM item : items()) {
        tree().GetItemImage(item, image, selected);
        EXPECT_EQ(image, kImageSlotNone);
    }
    // A long level name is cut to 255 characters.
    tree().DeleteAllItems();
    Zel_GM_Root longName(std::string(300, 'n').c_str());
    longName.setItem(&tree(), nullptr, nullptr, m_images, nullptr, nullptr);
    EXPECT_EQ(tree().GetItemText(tree().GetRootItem()), CString(std::string(255, 'n').c_str()));
}

}  // namespace
