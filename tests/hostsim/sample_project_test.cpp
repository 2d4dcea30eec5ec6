// The sample-project generator: what it writes reads back through the
// model's readers and the host stand-ins.
#include "host_project.h"

#include <zelkar/business_basics.h>
#include <zelkar/file_access.h>
#include <zelkar/vedada.h>

#include <vedrix/framework/text_file.h>
#include <vedrix/hostsim/table_file.h>
#include <vedrix/model/root.h>
#include <vedrix/samplegen/sample_project.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace hostsim_test;
using namespace vedrix::hostsim;
using namespace vedrix::samplegen;

namespace {

// The levels of a tree by level number, and their UUID texts.
struct TreeCounts {
    std::map<int, int> byLevel;
    std::set<std::string> uuids;
    std::set<int> drawingFiles;
};

void Count(const Zel_GM_Level& level, TreeCounts& counts) {
    for (const auto& node : level.GetSublevels()) {
        const Zel_GM_Level& sublevel = *node.value;
        ++counts.byLevel[sublevel.getLevelNr()];
        if (sublevel.getLevelNr() == Zel_GM_Level::kEntryLevelNr) {
            counts.drawingFiles.insert(std::stoi(sublevel.getNameText()));
        } else {
            counts.uuids.insert(sublevel.getUuidText());
        }
        Count(sublevel, counts);
    }
}

TreeCounts ReadStructure(const HostProject& project, const std::string& name) {
    Zel_GM_Root root(ZU_String("root"));
    vedrix::framework::TextFileReader hre(project.file(name + ".hre").string().c_str());
    EXPECT_EQ(root.readhre(hre, 1), 0);
    vedrix::framework::TextFileReader lis(project.file(name + ".lis").string().c_str());
    EXPECT_EQ(root.readlis(lis, 1), 0);
    TreeCounts counts;
    Count(root, counts);
    return counts;
}

std::uint32_t Le32(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value =
            value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return value;
}

TEST(SampleProjectTest, StructureSampleReadsBackThroughTheModel) {
    HostProject project;
    StructureSample sample;
    sample.buildings = 2;
    sample.storeysPerBuilding = 3;
    sample.partsPerStorey = 2;
    sample.drawingFilesPerPart = 2;
    sample.freeDrawingFiles = 4;
    sample.firstNumber = 100;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteStructureSample(project.str(), sample, summary, error)) << error;
    EXPECT_EQ(summary.levels, 2 + 6 + 12);
    EXPECT_EQ(summary.drawingFiles, 24 + 4);
    EXPECT_EQ(summary.lastNumber, 127);

    const TreeCounts counts = ReadStructure(project, "sample");
    EXPECT_EQ(counts.byLevel.at(1), 2);
    EXPECT_EQ(counts.byLevel.at(2), 6);
    EXPECT_EQ(counts.byLevel.at(3), 12);
    EXPECT_EQ(counts.byLevel.at(Zel_GM_Level::kEntryLevelNr), 24);
    EXPECT_EQ(counts.uuids.size(), 20u);  // every level has its own identifier
    EXPECT_EQ(*counts.drawingFiles.begin(), 100);
    EXPECT_EQ(*counts.drawingFiles.rbegin(), 123);

    // Every drawing file, free ones included, has a readable header and name.
    project.apply();
    EXPECT_EQ(get_teilbild_zahl(kgunit()), 28);
    HMODULE vedada = LoadLibraryA(VEDADA_LIBRARY_NAME);
    ASSERT_NE(vedada, nullptr);
    auto setListPath = reinterpret_cast<VedadaSetListPath>(
        reinterpret_cast<void (*)()>(GetProcAddress(vedada, VEDADA_SET_LIST_PATH)));
    auto readObjectName = reinterpret_cast<VedadaReadObjectName>(
        reinterpret_cast<void (*)()>(GetProcAddress(vedada, VEDADA_READ_OBJECT_NAME)));
    std::string dir = project.str();
    setListPath(dir.data());
    char name[72] = {};
    ASSERT_EQ(readObjectName(1, 100, name), 0);
    EXPECT_STREQ(name, "Building 1 Storey 1 Part 1 plan 1");
    ASSERT_EQ(readObjectName(1, 127, name), 0);
    EXPECT_STREQ(name, "Loose sheet 4");
    FreeLibrary(vedada);
}

TEST(SampleProjectTest, LevelBitmapsAreBitmapFiles) {
    HostProject project;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteStructureSample(project.str(), StructureSample(), summary, error)) << error;
    for (const char* file : {"building.bmp", "storey.bmp", "part.bmp"}) {
        const std::string bytes = project.readFile(std::string("bitmaps/") + file);
        ASSERT_GE(bytes.size(), 54u) << file;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(Le32(bytes, 2), bytes.size());
        EXPECT_EQ(Le32(bytes, 18), 24u);  // width
        EXPECT_EQ(Le32(bytes, 22), 24u);  // height
        EXPECT_EQ(bytes[28], 24);         // bits per pixel
        // White background and a figure in another colour.
        EXPECT_NE(bytes.find(std::string(3, '\xFF')), std::string::npos);
        EXPECT_NE(bytes.find_first_not_of(std::string("\xFF\0", 2), 54), std::string::npos);
    }
    // The hierarchy file finds them where they are.
    const std::string hre = project.readFile("sample.hre");
    EXPECT_NE(hre.find("#BITMAP_PATH:\t" + project.str() + "\\bitmaps\\"), std::string::npos);
}

TEST(SampleProjectTest, FmSampleViewsAndVariants) {
    HostProject project;
    FmSample sample;
    sample.buildings = 2;
    sample.viewsPerBuilding = 2;
    sample.drawingFilesPerView = 3;
    sample.variantsPerView = 2;
    sample.freeDrawingFiles = 1;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(WriteFmSample(project.str(), sample, summary, error)) << error;
    EXPECT_EQ(summary.views, 2 * 2 * 3);
    EXPECT_EQ(summary.drawingFiles, 2 * 2 * 3 * 3 + 1);

    const TreeCounts counts = ReadStructure(project, "fm");
    EXPECT_EQ(counts.byLevel.at(1), 2);
    EXPECT_EQ(counts.byLevel.at(2), 12);
    EXPECT_EQ(counts.byLevel.at(Zel_GM_Level::kEntryLevelNr), 36);

    // Every view level is in the view file; variants name their original.
    project.apply();
    CfmViewInfo views(nullptr);
    int originals = 0;
    int variants = 0;
    std::set<std::string> viewUuids;
    for (bool more = views.MoveToFirstItem(); more; more = views.MoveToNextItem()) {
        EXPECT_EQ(counts.uuids.count(views.UUID()), 1u) << views.NameOfView();
        viewUuids.insert(views.UUID());
        if (std::strcmp(views.UUID_Original(), "0") == 0) {
            ++originals;
            EXPECT_STRNE(views.CodePath(), CfmViewInfo::cs_withoutPath());
        } else {
            ++variants;
        }
    }
    EXPECT_EQ(originals, 4);
    EXPECT_EQ(variants, 8);
    // Per building, the last original is locked and the one before it has
    // been replicated.
    std::map<std::string, std::pair<std::string, std::string>> flags;
    for (bool more = views.MoveToFirstItem(); more; more = views.MoveToNextItem()) {
        flags[views.NameOfView()] = {views.DateOfReplication(), views.LockFlag()};
    }
    EXPECT_EQ(flags.at("Building 2%%View 2"), std::make_pair(std::string("-1"), std::string("1")));
    EXPECT_EQ(flags.at("Building 2%%View 1"),
              std::make_pair(std::string(kSampleReplicationDate), std::string("0")));
    EXPECT_EQ(flags.at("Building 2%%View 1 variant 1"),
              std::make_pair(std::string("-1"), std::string("0")));

    // A variant's drawing file refers to its source through the header.
    std::vector<char> record(ZEL_TB_RECORD_SIZE);
    std::map<std::pair<double, double>, int> byUuid;
    int number = 0;
    while (read_teilbild_next(kgunit(), &number, record.data()) == ZEL_TB_OK) {
        const DrawingHeader header = project.header(number);
        byUuid[{header.uuid[0], header.uuid[1]}] = number;
    }
    int copies = 0;
    for (number = 1; number <= summary.lastNumber; ++number) {
        const DrawingHeader header = project.header(number);
        if (header.refUuid[0] != 0.0 || header.refUuid[1] != 0.0) {
            const auto source = byUuid.find({header.refUuid[0], header.refUuid[1]});
            ASSERT_NE(source, byUuid.end());
            EXPECT_NE(header.name.find(project.header(source->second).name), std::string::npos);
            ++copies;
        }
    }
    EXPECT_EQ(copies, 24);

    // The drawing-file information holds every placed drawing file under its
    // view, with its header's identifiers; the copies are marked inserted.
    CfmTbInfo info(nullptr);
    std::set<int> listed;
    int inserted = 0;
    for (bool more = info.MoveToFirstItem(); more; more = info.MoveToNextItem()) {
        const int tb = std::atoi(info.TBNumber());
        listed.insert(tb);
        const DrawingHeader header = project.header(tb);
        const bool isCopy = header.refUuid[0] != 0.0 || header.refUuid[1] != 0.0;
        EXPECT_STREQ(info.InsertFlag(), isCopy ? "1" : "0") << tb;
        EXPECT_EQ(std::string(info.UUID_Ref()) == "0", !isCopy) << tb;
        EXPECT_NE(std::string(info.UUID_Tb()), "0");
        inserted += isCopy ? 1 : 0;
    }
    EXPECT_EQ(listed, counts.drawingFiles);
    EXPECT_EQ(inserted, 24);

    // Each building has a host drawing of its first view.
    int drawing = 0;
    EXPECT_EQ(vw_ze_get_nr(1, kgunit(), "FM-View_Building 2 View 1", &drawing), 0);
    EXPECT_EQ(drawing, 2);
}

TEST(SampleProjectTest, NumbersOutOfRangeWriteNothing) {
    HostProject project;
    StructureSample sample;
    sample.firstNumber = ZEL_TB_NUMBER_MAX - 3;
    SampleSummary summary;
    std::string error;
    EXPECT_FALSE(WriteStructureSample(project.str(), sample, summary, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(project.file("sample.hre")));
    EXPECT_TRUE(DrawingFileNumbers(project.str()).empty());
    sample.firstNumber = 1;
    sample.buildings = -1;
    EXPECT_FALSE(WriteStructureSample(project.str(), sample, summary, error));
}

}  // namespace
