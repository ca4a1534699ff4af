#include "app/render_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"
#include "plot2d/plot2_win.h"

using namespace curvelo;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Render(std::vector<std::string> args, std::string* err = nullptr) {
    args.insert(args.begin(), "curvelo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream e;
    const int rc = RunRender(static_cast<int>(args.size()), argv.data(), e);
    if (err) *err = e.str();
    return rc;
}

std::string MakeDocument() {
    fw::automation::EnsureApplication();
    const std::string path = ::testing::TempDir() + "/render_src.cv2";
    TPlot2Win w(nullptr, "render_src.cv2");
    EXPECT_TRUE(w.Create());
    fw::automation::SetDialogHook([](fw::TDialog&) { return 1; });
    w.AddExample(kKindParametric);
    fw::automation::SetDialogHook({});
    EXPECT_EQ(w.WriteDocument(path), 0);
    return path;
}

}  // namespace

TEST(RenderCommand, EveryOutputKindIsWrittenWithoutADisplay) {
    const std::string doc = MakeDocument();
    const std::string dir = ::testing::TempDir();
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/k.png", "--size", "320x200"}), 0);
    const std::string png = Slurp(dir + "/k.png");
    ASSERT_GT(png.size(), 100u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // Width and height of the IHDR chunk, big-endian.
    EXPECT_EQ(static_cast<unsigned char>(png[18]) * 256 + static_cast<unsigned char>(png[19]), 320);
    EXPECT_EQ(static_cast<unsigned char>(png[22]) * 256 + static_cast<unsigned char>(png[23]), 200);

    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/k.svg"}), 0);
    EXPECT_NE(Slurp(dir + "/k.svg").find("<svg"), std::string::npos);
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/k.pdf"}), 0);
    EXPECT_EQ(Slurp(dir + "/k.pdf").substr(0, 4), "%PDF");

    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/k.cv2"}), 0);
    Cv2Document again;
    ASSERT_EQ(LoadCv2File(dir + "/k.cv2", kFileType2D, again), 0);
    ASSERT_EQ(again.examples.size(), 1u);
    EXPECT_EQ(again.examples[0].example.texts[0], "3cos(3t)");
}

TEST(RenderCommand, BadInputGivesTheProgramsMessageAndNonZero) {
    const std::string dir = ::testing::TempDir();
    std::string err;
    EXPECT_EQ(Render({"--render", dir + "/nincs-ilyen.cv2", "-o", dir + "/x.png"}, &err), 1);
    EXPECT_NE(err.find("error 411: nem tudom megnyitni az állományt"), std::string::npos);
    EXPECT_EQ(Render({"--render", MakeDocument(), "-o", dir + "/x.gif"}, &err), 2);
    EXPECT_EQ(Render({"--render", MakeDocument(), "-o", dir + "/x.png", "--size", "0x99999"}, &err), 2);
    EXPECT_EQ(Render({"--render", MakeDocument()}, &err), 2);
    EXPECT_NE(err.find("--render"), std::string::npos);
}

TEST(RenderCommand, EveryGalleryDocumentOpensAndRendersAsTheWindowDrawsIt) {
    fw::automation::EnsureApplication();
    const std::string dir = ::testing::TempDir();
    int documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CURVELO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".cv2") continue;
        ++documents;
        const std::string doc = entry.path().string();
        const std::string rendered = dir + "/g_" + entry.path().stem().string() + ".png";
        ASSERT_EQ(Render({"--render", doc, "-o", rendered, "--size", "400x300"}), 0) << doc;

        TPlot2Win w(nullptr, "g.cv2");
        ASSERT_TRUE(w.Create());
        ASSERT_EQ(w.ReadDocument(doc), 0) << doc;
        EXPECT_GT(w.Inventory().Count(), 0) << doc;
        fw::Bitmap bitmap(400, 300);
        {
            fw::DC dc(bitmap);
            dc.SetAntialias(true);
            w.RenderTo(dc, 400, 300, 0, 0, false, true);
        }
        const std::string drawn = dir + "/w_" + entry.path().stem().string() + ".png";
        ASSERT_TRUE(bitmap.SavePng(drawn));
        EXPECT_EQ(Slurp(rendered), Slurp(drawn)) << doc;

        // Read, write, read gives the same document.
        Cv2Document first, second;
        ASSERT_EQ(LoadCv2File(doc, kFileType2D, first), 0);
        const std::vector<std::uint8_t> bytes = WriteCv2(first);
        ASSERT_EQ(ReadCv2(bytes, kFileType2D, second), 0);
        EXPECT_EQ(WriteCv2(second), bytes) << doc;
    }
    EXPECT_GE(documents, 6);
}
