// The headless command on 3D documents: the same picture as the 3D window draws, the document
// saved again only as a 3D document, and every 3D document of the gallery.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/render_command.h"
#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/dc.h"
#include "plot2d/cv2_codec.h"
#include "plot3d/plot3_win.h"

using namespace curvelo;

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Render(std::vector<std::string> args) {
    args.insert(args.begin(), "curvelo");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream e;
    return RunRender(static_cast<int>(args.size()), argv.data(), e);
}

// The window's own picture of a document at 400 x 300.
std::string DrawnByWindow(const std::string& doc, const std::string& png) {
    TPlot3Win w(nullptr, "g.cv3");
    EXPECT_TRUE(w.Create());
    EXPECT_EQ(w.ReadDocument(doc), 0) << doc;
    fw::Bitmap bitmap(400, 300);
    {
        fw::DC dc(bitmap);
        dc.SetAntialias(true);
        w.RenderTo(dc, 400, 300, 0, 0, false, true);
    }
    EXPECT_TRUE(bitmap.SavePng(png));
    return Slurp(png);
}

}  // namespace

TEST(RenderSpace, ThreeDDocumentsRenderAsTheWindowDrawsThem) {
    fw::automation::EnsureApplication();
    const std::string dir = ::testing::TempDir();
    const std::string doc = dir + "/ter_src.cv3";
    {
        TPlot3Win w(nullptr, "ter_src.cv3");
        ASSERT_TRUE(w.Create());
        const int i = w.Inventory().Begin(301, -3, 3);
        w.Inventory().At(i).values161 = {-1, -1, -1};
        w.Inventory().At(i).values191 = {1, 1, 1};
        w.RunCommand(eyecmd::kAutoFit);
        w.RunCommand(cellcmd::kShown);
        ASSERT_EQ(w.WriteDocument(doc), 0);
    }
    std::vector<std::string> docs{doc};
    for (const auto& entry : std::filesystem::directory_iterator(CURVELO_EXAMPLES_DIR))
        if (entry.path().extension() == ".cv3") docs.push_back(entry.path().string());
    for (const std::string& d : docs) {
        const std::string stem = std::filesystem::path(d).stem().string();
        ASSERT_EQ(Render({"--render", d, "-o", dir + "/r_" + stem + ".png", "--size", "400x300"}), 0) << d;
        EXPECT_EQ(Slurp(dir + "/r_" + stem + ".png"), DrawnByWindow(d, dir + "/w_" + stem + ".png")) << d;
    }
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/again.cv3"}), 0);
    Cv2Document a, b;
    ASSERT_EQ(LoadCv2File(doc, kFileType3D, a), 0);
    ASSERT_EQ(LoadCv2File(dir + "/again.cv3", kFileType3D, b), 0);
    EXPECT_EQ(a.numbers, b.numbers);
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/k.svg"}), 0);
    EXPECT_NE(Slurp(dir + "/k.svg").find("<svg"), std::string::npos);
    // A 3D document is not saved as a 2D one, and a 2D window does not read it.
    EXPECT_EQ(Render({"--render", doc, "-o", dir + "/k.cv2"}), 2);
    const std::string renamed = dir + "/disguised.cv2";
    std::filesystem::copy_file(doc, renamed, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(Render({"--render", renamed, "-o", dir + "/k.png"}), 1);
}
