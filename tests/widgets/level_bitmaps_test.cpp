// Level bitmaps loaded into a dialog's image list, with the host's "ETC"
// folder from the registry stand-in, and the levels' default names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <vedrix/framework/ui.h>
#include <vedrix/automation/gtest_fixture.h>
#include <vedrix/model.h>

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kSize = 24;

// The path as the module writes it, with "\" separators.
std::string windowsPath(const fs::path& path) {
    std::string text = path.string();
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    return text;
}

// The person in front of the screen reads the messages.
class LevelBitmapsTest : public vedrix::automation::PersonTest {
protected:
    void SetUp() override {
        PersonTest::SetUp();
        m_language = LoadLibraryA("vedr_en.dll");
        ASSERT_NE(m_language, nullptr);
        AfxSetResourceHandle(m_language);
        m_dir = fs::temp_directory_path() /
                ("vedrix_levels_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "bitmaps");
        fs::create_directories(m_dir / "etc");
        useHost(true);
        // The caller's list: 23 default images, and the table pointing at them.
        ASSERT_TRUE(m_list.Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, 23, 4));
        CBitmap defaults;
        defaults.CreateBitmap(kSize * 23, kSize, 1, 32, nullptr);
        ASSERT_EQ(m_list.Add(&defaults, RGB(255, 255, 255)), 0);
        for (int i = 0; i < 23; ++i) {
            m_images[i] = i;
        }
    }
    void TearDown() override {
        SetEnvironmentVariableA("VEDRIX_HOST_CONFIG", nullptr);
        m_list.DeleteImageList();
        AfxSetResourceHandle(nullptr);
        FreeLibrary(m_language);
        fs::remove_all(m_dir);
        PersonTest::TearDown();
    }

    // The host's configuration: with or without an "ETC" folder.
    void useHost(bool withEtc) {
        const fs::path config = m_dir / "host.cfg";
        std::ofstream out(config);
        if (withEtc) {
            out << "folder.ETC=" << windowsPath(m_dir / "etc") << "\n";
        }
        out.close();
        SetEnvironmentVariableA("VEDRIX_HOST_CONFIG", config.string().c_str());
    }

    void put(const char* dataName, const fs::path& where) {
        fs::copy_file(fs::path(VEDRIX_WIDGETS_TEST_DATA) / dataName, where,
                      fs::copy_options::overwrite_existing);
    }

    std::string bitmapDir() const { return windowsPath(m_dir / "bitmaps") + "\\"; }

    int readBitmaps() {
        CClientDC dc(nullptr);
        return m_root.readBitmap(&dc, &m_list, m_images);
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : person.messageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    // The colour at (x, y) of an image of the list, in its image bitmap or
    // in its mask.
    COLORREF listPixel(int image, int x, int y, bool mask) {
        IMAGEINFO info{};
        EXPECT_TRUE(m_list.GetImageInfo(image, &info));
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, mask ? info.hbmMask : info.hbmImage);
        const COLORREF c = GetPixel(dc, info.rcImage.left + x, info.rcImage.top + y);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    }
    // Whether the list's mask marks the pixel of an image as transparent.
    bool transparentAt(int image, int x, int y) {
        return listPixel(image, x, y, true) == RGB(255, 255, 255);
    }
    COLORREF imagePixel(int image, int x, int y) { return listPixel(image, x, y, false); }

    HMODULE m_language = nullptr;
    fs::path m_dir;
    Zel_GM_Root m_root{"Project"};
    CImageList m_list;
    int m_images[23];
};

TEST_F(LevelBitmapsTest, EachDefinedLevelGetsItsTwoImages) {
    put("level_blue.bmp", m_dir / "bitmaps" / "building.bmp");
    put("level_red.bmp", m_dir / "bitmaps" / "storey.bmp");
    m_root.defineLevel(1, "Building", bitmapDir().c_str(), "building.bmp");
    m_root.defineLevel(2, "Storey", bitmapDir().c_str(), "storey.bmp");
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(m_list.GetImageCount(), 27);
    EXPECT_EQ(m_images[1], 23);
    EXPECT_EQ(m_images[12], 24);
    EXPECT_EQ(m_images[2], 25);
    EXPECT_EQ(m_images[13], 26);
    // The other slots keep the caller's images.
    EXPECT_EQ(m_images[0], 0);
    EXPECT_EQ(m_images[3], 3);
    EXPECT_EQ(m_images[22], 22);

    // The normal image: white is transparent, the square is not.
    EXPECT_TRUE(transparentAt(m_images[1], 0, 0));
    EXPECT_TRUE(transparentAt(m_images[1], 23, 23));
    EXPECT_FALSE(transparentAt(m_images[1], 10, 10));
    EXPECT_FALSE(transparentAt(m_images[2], 17, 6));
    // The checked image carries mask bitmap 105 of the language resources.
    CBitmap mask;
    ASSERT_TRUE(mask.LoadBitmap(105));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask.m_hObject);
    int differing = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool white = GetPixel(dc, x, y) == RGB(255, 255, 255);
            differing += white != transparentAt(m_images[12], x, y) ? 1 : 0;
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(differing, 0);
}

// A 24 x 24 level bitmap compressed as the platform compresses 8- and 4-bit
// bitmaps, written byte by byte: white (index 0) around a red square (index
// 1) from 8 to 15 in both directions, its rows as an absolute run.
void writeRunLengthLevelBitmap(const fs::path& path, int bits) {
    std::vector<std::uint8_t> data;
    for (int row = 0; row < kSize; ++row) {
        if (row >= 8 && row < 16) {
            data.insert(data.end(), {8, 0, 0, 8});
            if (bits == 8) {
                data.insert(data.end(), 8, 1);
            } else {
                data.insert(data.end(), 4, 0x11);
            }
            data.insert(data.end(), {8, 0});
        } else {
            data.insert(data.end(), {kSize, 0});
        }
        data.insert(data.end(), {0, 0});  // end of line
    }
    data.insert(data.end(), {0, 1});  // end of bitmap
    auto dword = [](std::uint32_t v) {
        return std::vector<std::uint8_t>{
            static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    };
    std::vector<std::uint8_t> file = {'B', 'M'};
    auto add = [&file](const std::vector<std::uint8_t>& bytes) {
        file.insert(file.end(), bytes.begin(), bytes.end());
    };
    const std::uint32_t offBits = 14 + 40 + 2 * 4;
    add(dword(offBits + static_cast<std::uint32_t>(data.size())));
    add(dword(0));
    add(dword(offBits));
    add(dword(40));
    add(dword(kSize));
    add(dword(kSize));
    add({1, 0, static_cast<std::uint8_t>(bits), 0});  // planes, bit count
    add(dword(bits == 8 ? BI_RLE8 : BI_RLE4));
    add(dword(static_cast<std::uint32_t>(data.size())));
    add(dword(0));
    add(dword(0));
    add(dword(2));  // colours used
    add(dword(0));
    add({255, 255, 255, 0, 0, 0, 255, 0});  // white, red
    add(data);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

using Points = std::vector<std::pair<int, int>>;

TEST_F(LevelBitmapsTest, RunLengthEncodedBitmapsShowTheirPicture) {
    writeRunLengthLevelBitmap(m_dir / "bitmaps" / "rle8.bmp", 8);
    writeRunLengthLevelBitmap(m_dir / "bitmaps" / "rle4.bmp", 4);
    m_root.defineLevel(1, "Building", bitmapDir().c_str(), "rle8.bmp");
    m_root.defineLevel(2, "Storey", bitmapDir().c_str(), "rle4.bmp");
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_THAT(messages(), IsEmpty());
    // Not the defaults: each level has its own two images.
    EXPECT_EQ(m_images[1], 23);
    EXPECT_EQ(m_images[2], 25);
    for (const int image : {m_images[1], m_images[2]}) {
        SCOPED_TRACE(image);
        for (const auto& [x, y] : Points{{0, 0}, {7, 7}, {16, 16}, {23, 23}, {16, 8}}) {
            EXPECT_TRUE(transparentAt(image, x, y)) << x << "," << y;
        }
        for (const auto& [x, y] : Points{{8, 8}, {15, 15}, {8, 15}, {12, 9}}) {
            EXPECT_FALSE(transparentAt(image, x, y)) << x << "," << y;
            EXPECT_EQ(imagePixel(image, x, y), RGB(255, 0, 0)) << x << "," << y;
        }
    }
}

TEST_F(LevelBitmapsTest, AMissingDirectoryFallsBackToTheHostsEtcFolder) {
    put("level_blue.bmp", m_dir / "etc" / "building.bmp");
    const std::string gone = windowsPath(m_dir / "moved away") + "\\";
    m_root.defineLevel(1, "Building", gone.c_str(), "building.bmp");
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_THAT(messages(), IsEmpty());
    EXPECT_EQ(m_images[1], 23);
    EXPECT_EQ(m_images[12], 24);
}

TEST_F(LevelBitmapsTest, AMissingBitmapKeepsTheDefaultsAndReportsTheLastPathTried) {
    put("level_red.bmp", m_dir / "bitmaps" / "storey.bmp");
    m_root.defineLevel(1, "Building", bitmapDir().c_str(), "building.bmp");
    m_root.defineLevel(2, "Storey", bitmapDir().c_str(), "storey.bmp");
    m_images[1] = -1;  // overwritten by the default on failure
    // Only level 1 is missing: the result is the last definition's.
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_EQ(m_images[1], 1);
    EXPECT_EQ(m_images[12], 12);
    EXPECT_EQ(m_images[2], 23);
    EXPECT_EQ(m_images[13], 24);
    EXPECT_THAT(messages(), ElementsAre("Bitmap <" + windowsPath(m_dir / "etc") +
                                        "\\building.bmp> not found !"));
}

TEST_F(LevelBitmapsTest, TheResultIsTheLastDefinitions) {
    useHost(false);
    put("level_blue.bmp", m_dir / "bitmaps" / "building.bmp");
    m_root.defineLevel(1, "Building", bitmapDir().c_str(), "building.bmp");
    m_root.defineLevel(2, "Storey", bitmapDir().c_str(), "storey.bmp");
    EXPECT_EQ(readBitmaps(), 1);
    EXPECT_EQ(m_images[1], 23);
    EXPECT_EQ(m_images[2], 2);
    EXPECT_EQ(m_images[13], 13);
    // Without an "ETC" folder the last path tried is the definition's own.
    EXPECT_THAT(messages(), ElementsAre("Bitmap <" + bitmapDir() + "storey.bmp> not found !"));
}

TEST_F(LevelBitmapsTest, AnUnreadableBitmapShowsOneMessageAndKeepsTheDefaults) {
    std::ofstream(m_dir / "bitmaps" / "broken.bmp") << "BM but nothing else";
    std::ofstream(m_dir / "bitmaps" / "empty.bmp");
    m_root.defineLevel(3, "Flat", bitmapDir().c_str(), "broken.bmp");
    m_root.defineLevel(4, "Room", bitmapDir().c_str(), "empty.bmp");
    EXPECT_EQ(readBitmaps(), 2);
    EXPECT_EQ(m_images[3], 3);
    EXPECT_EQ(m_images[14], 14);
    EXPECT_EQ(m_images[4], 4);
    EXPECT_EQ(m_images[15], 15);
    EXPECT_EQ(m_list.GetImageCount(), 23);
    EXPECT_THAT(messages(),
                ElementsAre("Bitmapfile <" + bitmapDir() + "broken.bmp> empty or not accessible !",
                            "Bitmapfile <" + bitmapDir() + "empty.bmp> empty or not accessible !"));
}

TEST_F(LevelBitmapsTest, LevelNumbersWithoutSlotsAreLeftAlone) {
    put("level_blue.bmp", m_dir / "bitmaps" / "building.bmp");
    m_root.defineLevel(12, "Twelve", bitmapDir().c_str(), "building.bmp");
    m_root.defineLevel(-1, "Negative", bitmapDir().c_str(), "building.bmp");
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_EQ(m_list.GetImageCount(), 23);
    for (int i = 0; i < 23; ++i) {
        EXPECT_EQ(m_images[i], i);
    }
    EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(LevelBitmapsTest, WithoutDefinitionsNothingIsLoaded) {
    EXPECT_EQ(readBitmaps(), 0);
    EXPECT_EQ(m_list.GetImageCount(), 23);
    EXPECT_EQ(m_images[1], 1);
    EXPECT_THAT(messages(), IsEmpty());
}

}  // namespace
