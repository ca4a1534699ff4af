#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/automation.h"
#include "framework/bitmap.h"
#include "framework/clipboard.h"
#include "framework/dc.h"
#include "framework/printout.h"
#include "framework/qt_internal.h"
#include "framework/vector_picture.h"

#include <QFontInfo>

namespace curvelo::fw {
namespace {

constexpr Color kWhite{255, 255, 255};
constexpr Color kBlack{0, 0, 0};
constexpr Color kRed{255, 0, 0};
constexpr Color kBlue{0, 0, 255};

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { automation::EnsureApplication(); }
};

int CountPixels(const Bitmap& b, Color c, Rect r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (b.GetPixel(x, y) == c) ++n;
    return n;
}


TEST_F(DrawingTest, LinesRectanglesAndEllipsesLandOnTheirPixels) {
    Bitmap b(60, 40);
    EXPECT_EQ(b.GetPixel(0, 0), kWhite);
    {
        DC dc(b);
        dc.SelectPen({kRed, 1, PenStyle::Solid});
        dc.MoveTo(0, 10);
        dc.LineTo(59, 10);
        EXPECT_EQ(dc.CurrentPosition(), (Point{59, 10}));
        dc.SelectPen({kBlack, 1, PenStyle::Solid});
        dc.SelectBrush({kBlue, BrushStyle::Solid});
        dc.Rectangle(20, 20, 30, 30);  // right and bottom exclusive
        dc.SelectBrush({kWhite, BrushStyle::Null});
        dc.Ellipse(40, 20, 56, 36);
    }
    EXPECT_EQ(b.GetPixel(0, 10), kRed);
    EXPECT_EQ(b.GetPixel(58, 10), kRed);
    EXPECT_EQ(b.GetPixel(59, 10), kWhite);  // thin lines stop before their end point
    EXPECT_EQ(b.GetPixel(30, 9), kWhite);
    EXPECT_EQ(b.GetPixel(20, 20), kBlack);  // outline
    EXPECT_EQ(b.GetPixel(29, 29), kBlack);
    EXPECT_EQ(b.GetPixel(30, 30), kWhite);  // outside
    EXPECT_EQ(b.GetPixel(25, 25), kBlue);   // filled with the brush
    EXPECT_EQ(b.GetPixel(48, 28), kWhite);  // a null brush leaves the inside
    EXPECT_GT(CountPixels(b, kBlack, {40, 20, 56, 36}), 30);
    EXPECT_EQ(b.GetPixel(-1, 0), kBlack);  // outside the bitmap reads black
    EXPECT_EQ(b.GetPixel(60, 0), kBlack);
}

TEST_F(DrawingTest, PolylinePolygonArcAndWidePens) {
    Bitmap b(80, 80);
    {
        DC dc(b);
        const Point zig[] = {{0, 0}, {10, 10}, {20, 0}};
        dc.SelectPen({kRed, 1, PenStyle::Solid});
        dc.Polyline(zig, 3);
        dc.Polyline(zig, 1);  // too few points: nothing
        const Point tri[] = {{30, 30}, {70, 30}, {50, 70}};
        dc.SelectPen({kBlack, 0, PenStyle::Solid});
        dc.SelectBrush({kBlue, BrushStyle::Solid});
        dc.Polygon(tri, 3);
        dc.SelectPen({kRed, 5, PenStyle::Solid});
        dc.MoveTo(5, 60);
        dc.LineTo(20, 60);
        // Upper half of the circle: counter-clockwise from the right point to the left one.
        dc.SelectPen({kBlack, 1, PenStyle::Solid});
        dc.Arc(0, 20, 20, 40, 20, 30, 0, 30);
    }
    EXPECT_EQ(b.GetPixel(10, 10), kRed);
    EXPECT_EQ(b.GetPixel(5, 5), kRed);
    EXPECT_EQ(b.GetPixel(50, 40), kBlue);
    EXPECT_EQ(b.GetPixel(12, 58), kRed);  // 5 pixels wide
    EXPECT_EQ(b.GetPixel(12, 62), kRed);
    EXPECT_GT(CountPixels(b, kBlack, {0, 18, 21, 30}), 10);
    EXPECT_EQ(CountPixels(b, kBlack, {2, 32, 19, 41}), 0);  // lower half stays empty
}

TEST_F(DrawingTest, ClippingBlockCopiesAndFill) {
    Bitmap src(10, 10);
    src.Fill(kRed);
    Bitmap dst(40, 40);
    {
        DC dc(dst);
        dc.SetClipRect({0, 0, 20, 40});
        dc.FillRect({0, 0, 40, 5}, kBlue);
        dc.ResetClip();
        dc.BitBlt(25, 25, 5, 5, src, 2, 2);
        dc.SetPixel(39, 39, kBlack);
    }
    EXPECT_EQ(dst.GetPixel(19, 2), kBlue);
    EXPECT_EQ(dst.GetPixel(20, 2), kWhite);  // clipped away
    EXPECT_EQ(dst.GetPixel(25, 25), kRed);
    EXPECT_EQ(dst.GetPixel(29, 29), kRed);
    EXPECT_EQ(dst.GetPixel(30, 30), kWhite);  // only the 5 x 5 block
    EXPECT_EQ(dst.GetPixel(39, 39), kBlack);
}

TEST_F(DrawingTest, TextAlignmentAndOpaqueBackground) {
    Bitmap left(200, 40), right(200, 40);
    LogFont f;
    f.height = -16;
    auto draw = [&](Bitmap& b, unsigned align) {
        DC dc(b);
        dc.SelectFont(f);
        dc.SetTextColor(kBlack);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextAlign(align | kAlignTop);
        dc.TextOut(100, 10, "Hello");
        return dc.GetTextExtent("Hello");
    };
    Size s = draw(left, kAlignLeft);
    draw(right, kAlignRight);
    EXPECT_GT(s.cx, 10);
    EXPECT_GT(s.cy, 10);
    // Left-aligned text lies right of x, right-aligned text left of it.
    EXPECT_GT(CountPixels(left, kBlack, {100, 0, 200, 40}), 20);
    EXPECT_EQ(CountPixels(left, kBlack, {0, 0, 99, 40}), 0);
    EXPECT_GT(CountPixels(right, kBlack, {0, 0, 100, 40}), 20);
    EXPECT_EQ(CountPixels(right, kBlack, {101, 0, 200, 40}), 0);

    Bitmap opaque(100, 40);
    {
        DC dc(opaque);
        dc.SelectFont(f);
        dc.SetBkMode(BkMode::Opaque);
        dc.SetBkColor(kBlue);
        dc.SetTextAlign(kAlignLeft | kAlignTop);
        dc.TextOut(5, 5, "ab");
    }
    EXPECT_GT(CountPixels(opaque, kBlue, {0, 0, 100, 40}), 30);
}

TEST_F(DrawingTest, PngSavedAndCopiesAreIndependent) {
    Bitmap b(8, 8);
    b.Fill(kRed);
    Bitmap copy = b;
    copy.Fill(kBlue);
    EXPECT_EQ(b.GetPixel(1, 1), kRed);
    std::string path = (std::filesystem::temp_directory_path() / "curvelo_fw_test.png").string();
    ASSERT_TRUE(b.SavePng(path));
    std::ifstream in(path, std::ios::binary);
    std::string head(8, '\0');
    in.read(head.data(), 8);
    EXPECT_EQ(head.substr(1, 3), "PNG");
    std::remove(path.c_str());
    Bitmap empty;
    EXPECT_TRUE(empty.IsNull());
    EXPECT_FALSE(empty.SavePng(path));
    Bitmap huge(1 << 20, 4);  // clamped, not a runaway allocation
    EXPECT_LE(huge.Width(), 16384);
}

void DrawSample(DC& dc) {
    dc.SelectPen({kRed, 2, PenStyle::Dash});
    dc.MoveTo(0, 0);
    dc.LineTo(100, 50);
    dc.SetTextAlign(kAlignLeft | kAlignTop);
    dc.SetBkMode(BkMode::Transparent);
    dc.TextOut(10, 10, "görbe π");
}

TEST_F(DrawingTest, VectorPictureGivesWellFormedSvgAndPdf) {
    VectorPicture pic(200, 100, 52.9, 26.5);
    DrawSample(pic.Begin());
    pic.End();
    std::string svg = pic.ToSvg("próba");
    ASSERT_FALSE(svg.empty());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 200 100\""), std::string::npos);
    EXPECT_NE(svg.find("próba"), std::string::npos);
    EXPECT_NE(svg.find("görbe"), std::string::npos);
    std::string pdf = pic.ToPdf("próba");
    ASSERT_GT(pdf.size(), 100u);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // Drawing again starts a new recording.
    pic.Begin();
    pic.End();
    EXPECT_EQ(pic.ToSvg("").find("görbe"), std::string::npos);
}

TEST_F(DrawingTest, ClipboardRoundTrips) {
    clipboard::SetText("sin(x)·2 – ő");
    EXPECT_TRUE(clipboard::HasText());
    EXPECT_EQ(clipboard::GetText(), "sin(x)·2 – ő");

    Bitmap b(6, 4);
    b.Fill(kBlue);
    clipboard::SetImage(b);
    Bitmap back;
    ASSERT_TRUE(clipboard::GetImage(back));
    EXPECT_EQ(back.Width(), 6);
    EXPECT_EQ(back.GetPixel(3, 2), kBlue);

    VectorPicture pic(50, 30, 13, 8);
    DrawSample(pic.Begin());
    pic.End();
    clipboard::SetPicture(pic, "ábra");
    EXPECT_TRUE(clipboard::HasSvg());
    EXPECT_NE(clipboard::GetSvg().find("<svg"), std::string::npos);
    EXPECT_EQ(clipboard::GetPdf().rfind("%PDF-", 0), 0u);
    EXPECT_TRUE(clipboard::HasImage());  // a raster copy goes along for plain image users
    clipboard::Clear();
    EXPECT_FALSE(clipboard::HasSvg());
}

class TwoPages : public TPrintout {
public:
    TwoPages() : TPrintout("két oldal") {}
    int pages = 0;
    int dpi = 0;
    Rect first;
    bool HasPage(int page) const override { return page <= 2; }
    void PrintPage(int page, DC& dc, const Rect& r) override {
        ++pages;
        dpi = dc.DpiX();
        if (page == 1) first = r;
        EXPECT_TRUE(dc.IsPrinter());
        DrawSample(dc);
    }
};

TEST_F(DrawingTest, PrintoutToPdfFile) {
    std::string path = (std::filesystem::temp_directory_path() / "curvelo_fw_print.pdf").string();
    TPrinter printer;
    TwoPages doc;
    ASSERT_TRUE(printer.PrintToPdf(doc, path, 600));
    EXPECT_EQ(doc.pages, 2);
    EXPECT_EQ(doc.dpi, 600);
    EXPECT_GT(doc.first.Width(), 600 * 5);  // a page is several inches wide
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(data.rfind("%PDF-", 0), 0u);
    EXPECT_NE(data.find("%%EOF"), std::string::npos);
    std::remove(path.c_str());
    EXPECT_FALSE(printer.PrintToPdf(doc, "/nonexistent-dir/x.pdf"));
}

TEST_F(DrawingTest, FixedPitchRequestStaysFixedPitchWithoutTheNamedFace) {
    LogFont f;
    f.faceName = "No Such Face";
    f.height = -13;
    f.pitchAndFamily = 0x31;
    EXPECT_TRUE(QFontInfo(QFontFromLogFont(f, 96)).fixedPitch());
    f.pitchAndFamily = 0x22;  // variable pitch, Swiss family
    EXPECT_FALSE(QFontInfo(QFontFromLogFont(f, 96)).fixedPitch());
}

}  // namespace
}  // namespace curvelo::fw
