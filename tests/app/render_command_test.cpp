#include "app/render_command.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
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

namespace {

// A gallery document changed by edit, saved under a new name.
template <class Edit>
std::string ChangedGalleryDocument(const std::string& gallery, const std::string& name, Edit edit) {
    Cv2Document doc;
    EXPECT_EQ(LoadCv2File(std::string(CURVELO_EXAMPLES_DIR) + "/" + gallery, kFileType2D, doc), 0);
    edit(doc);
    const std::string path = ::testing::TempDir() + "/" + name;
    EXPECT_EQ(SaveCv2File(path, doc), 0);
    return path;
}

using Clock = std::chrono::steady_clock;

}  // namespace

TEST(RenderCommand, AViewFarFromTheOriginRendersQuickly) {
    fw::automation::EnsureApplication();
    // The polar grid of this document once counted its circles with a real that stopped
    // changing beyond 2^64: the rendering never ended.
    const std::string out = ::testing::TempDir() + "/far.png";
    for (const auto& centre : std::vector<std::pair<long double, long double>>{
             {1e20L, 0}, {-1e20L, 0}, {0, 1e20L}, {1e200L, 1e200L}}) {
        const std::string doc = ChangedGalleryDocument("rozsa.cv2", "far.cv2", [&](Cv2Document& d) {
            d.numbers[0] = centre.first;
            d.numbers[1] = centre.second;
        });
        const auto start = Clock::now();
        std::string err;
        EXPECT_EQ(Render({"--render", doc, "-o", out, "--size", "200x150", "--timeout", "20"}, &err), 0) << err;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5)) << static_cast<double>(centre.first);
    }
}

TEST(RenderCommand, ALongEvaluationMeetsTheTimeLimitAndWritesNothing) {
    fw::automation::EnsureApplication();
    const std::string doc = ChangedGalleryDocument("xsinx.cv2", "slow.cv2", [](Cv2Document& d) {
        ASSERT_FALSE(d.examples.empty());
        d.examples[0].example.texts[1] = "sum(1,n,1,1000000)";
    });
    for (const std::string kind : {"png", "svg"}) {
        const std::string out = ::testing::TempDir() + "/slow." + kind;
        std::filesystem::remove(out);
        const auto start = Clock::now();
        std::string err;
        EXPECT_EQ(Render({"--render", doc, "-o", out, "--timeout", "1"}, &err), 1);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
        EXPECT_NE(err.find("error 409: nem tudom folytatni (--timeout 1 s)"), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    std::string err;
    EXPECT_EQ(Render({"--render", doc, "-o", "x.png", "--timeout", "-1"}, &err), 2);
    EXPECT_EQ(Render({"--render", doc, "-o", "x.png", "--timeout", "1.5"}, &err), 2);
    EXPECT_EQ(Render({"--render", doc, "-o", "x.png", "--timeout", "86401"}, &err), 2);
    EXPECT_NE(err.find("--timeout SECONDS"), std::string::npos);
}

TEST(RenderCommand, EachDamagedWorkCountCostsNoMoreThanTheDialogsAllow) {
    fw::automation::EnsureApplication();
    // Density, family steps and pen width at 0x7FFF each once took tens of seconds.
    const std::vector<std::function<void(TExample&)>> damage = {
        [](TExample& e) { e.density = 0x7FFF; },
        [](TExample& e) {
            e.familySteps = 0x7FFF;
            e.familyActive = 1;
        },
        [](TExample& e) { e.penWidth = 0x7FFF; },
    };
    for (const auto& edit : damage) {
        const std::string doc = ChangedGalleryDocument("xsinx.cv2", "counts.cv2", [&](Cv2Document& d) {
            for (Cv2Example& e : d.examples) edit(e.example);
        });
        const auto start = Clock::now();
        std::string err;
        EXPECT_EQ(Render({"--render", doc, "-o", ::testing::TempDir() + "/counts.png", "--size", "100x80"}, &err), 0)
            << err;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    }
}

TEST(RenderCommand, DocumentWithEveryObjectKindIsDrawnWithoutADisplay) {
    fw::automation::EnsureApplication();
    const std::string dir = ::testing::TempDir();
    const std::string doc = dir + "/objects_src.cv2", empty = dir + "/objects_empty.cv2";
    {
        TPlot2Win w(nullptr, "objects_src.cv2");
        ASSERT_TRUE(w.Create());
        ASSERT_EQ(w.WriteDocument(empty), 0);
        fw::automation::SetDialogHook([](fw::TDialog&) { return 1; });  // every kind with its defaults
        for (std::uint16_t kind : {kKindSegment, kKindLine, kKindPoint, kKindSequence, kKindRollingCircle,
                                   kKindInterpolation, kKindPointOnCurve, kKindPointSequence})
            EXPECT_GE(w.AddExample(kind), 0) << kind;
        fw::automation::SetDialogHook({});
        ASSERT_EQ(w.WriteDocument(doc), 0);
    }
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/objects.svg"}), 0);
    ASSERT_EQ(Render({"--render", empty, "-o", dir + "/objects_empty.svg"}), 0);
    ASSERT_EQ(Render({"--render", doc, "-o", dir + "/objects.png", "--size", "300x300"}), 0);
    // The objects add their shapes to the picture of an empty drawing.
    EXPECT_GT(Slurp(dir + "/objects.svg").size(), Slurp(dir + "/objects_empty.svg").size() + 2000);
}
