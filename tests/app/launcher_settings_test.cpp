#include "app/launcher_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace curvelo;

namespace {

std::string FreshFolder(const char* name) {
    const char* base = std::getenv("CURVELO_CONFIG_DIR");
    std::filesystem::path p = std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
                              ("launcher_settings_" + std::string(name));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p.string();
}

}  // namespace

TEST(LauncherSettings, WritesNineteenLittleEndianBytesAndReadsThemBack) {
    LauncherSettings s;
    s.placement = {0x01020304, 5, 300, 200, true};
    s.useDefaultSettings = true;
    std::vector<std::uint8_t> bytes = EncodeLauncherSettings(s);
    ASSERT_EQ(bytes.size(), 19u);
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[8], 44);   // 300 = 0x12C
    EXPECT_EQ(bytes[9], 1);
    EXPECT_EQ(bytes[16], 1);   // maximised
    EXPECT_EQ(bytes[17], 0);   // open last edit
    EXPECT_EQ(bytes[18], 1);   // use defaults

    std::string folder = FreshFolder("roundtrip");
    ASSERT_TRUE(WriteLauncherSettings(folder, s));
    EXPECT_EQ(std::filesystem::file_size(folder + "/cv.ini"), 19u);
    auto back = ReadLauncherSettings(folder);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->placement, s.placement);
    EXPECT_FALSE(back->openLastEdit);
    EXPECT_TRUE(back->useDefaultSettings);
}

TEST(LauncherSettings, ShortMissingOrOversizedFilesAreNotRead) {
    std::string folder = FreshFolder("short");
    EXPECT_FALSE(ReadLauncherSettings(folder));
    {
        std::ofstream out(folder + "/cv.ini", std::ios::binary);
        out.write("\x01\x02\x03", 3);
    }
    EXPECT_FALSE(ReadLauncherSettings(folder));
    std::vector<std::uint8_t> big(10000, 0);
    EXPECT_FALSE(DecodeLauncherSettings(std::vector<std::uint8_t>(18, 0)));
    EXPECT_TRUE(DecodeLauncherSettings(std::vector<std::uint8_t>(19, 0)));
    {
        std::ofstream out(folder + "/cv.ini", std::ios::binary);
        out.write(reinterpret_cast<const char*>(big.data()), static_cast<std::streamsize>(big.size()));
    }
    EXPECT_FALSE(ReadLauncherSettings(folder));
}

TEST(LauncherSettings, BothFlagsSetInAFileKeepOnlyUseDefaults) {
    std::vector<std::uint8_t> bytes(19, 0);
    bytes[17] = 7;
    bytes[18] = 1;
    auto s = DecodeLauncherSettings(bytes);
    ASSERT_TRUE(s);
    EXPECT_FALSE(s->openLastEdit);
    EXPECT_TRUE(s->useDefaultSettings);
}

TEST(LauncherSettings, PlacementValidation) {
    EXPECT_TRUE(PlacementFits({0, 0, 120, 72, false}, 1024, 768));
    EXPECT_TRUE(PlacementFits({904, 696, 120, 72, false}, 1024, 768));
    EXPECT_FALSE(PlacementFits({10, 10, 100, 72, false}, 1024, 768));   // width 100
    EXPECT_FALSE(PlacementFits({10, 10, 120, 71, false}, 1024, 768));
    EXPECT_FALSE(PlacementFits({-1, 10, 200, 100, false}, 1024, 768));
    EXPECT_FALSE(PlacementFits({10, -1, 200, 100, false}, 1024, 768));
    EXPECT_FALSE(PlacementFits({905, 0, 120, 72, false}, 1024, 768));
    EXPECT_FALSE(PlacementFits({0, 697, 120, 72, false}, 1024, 768));
    // Sums that would overflow 32 bits still fail.
    EXPECT_FALSE(PlacementFits({0x7fffff00, 0, 0x7fffff00, 100, false}, 1024, 768));

    FramePlacement f = FallbackPlacement(59, 31);
    EXPECT_EQ(f, (FramePlacement{29, 1, 120, 72, false}));
    FramePlacement c = ConstructedPlacement(450, 85);
    EXPECT_EQ(c, (FramePlacement{150, 25, 200, 120, false}));
}

TEST(LauncherSettings, FailedWriteIsReportedAndLeavesNoTemporaryFile) {
    std::string folder = FreshFolder("unwritable") + "/missing/deeper";
    EXPECT_FALSE(WriteLauncherSettings(folder, LauncherSettings{}));
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(WriteLauncherSettings("", LauncherSettings{}));
}
