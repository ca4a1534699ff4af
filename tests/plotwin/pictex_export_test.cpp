// The text exports without a window: PiCTeX header and settings, the writers reached through
// the drawing surface, what is cut at the view's edge, and texts made safe for TeX.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plotwin/export_surface.h"
#include "plotwin/pictex_dlg.h"
#include "plotwin/pictex_surface.h"
#include "plotwin/pictex_writer.h"
#include "plotwin/tex_text.h"
#include "plotwin/tikz_surface.h"

using namespace curvelo;

namespace {

// The 400 x 300 window showing -5..5 x -3.75..3.75.
PlotView Window400x300() {
    PlotView v;
    v.SetClientSize(400, 300);
    v.SetViewFree(0, 0, 5, 3.75L, true);
    v.ApplyView();
    return v;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

std::string Export(const PlotView& v, const std::function<void(DrawSurface&)>& paint, int mode = 3) {
    PictexSettings s;
    s.mode = mode;
    return PictexText(v, NumberFormat{}, s, paint);
}

}  // namespace

TEST(PictexExport, UnitsKeepTheWindowsProportionsAtTheChosenWidth) {
    const PlotView v = Window400x300();
    const PictexUnits u = PictexUnitsFor(v, 8);
    EXPECT_NEAR(static_cast<double>(u.u), 0.8, 1e-12);
    EXPECT_NEAR(static_cast<double>(u.v), 0.8, 1e-12);
    const std::string text = Export(v, [](DrawSurface&) {});
    EXPECT_NE(text.find("\\setcoordinatesystem units <0.80000cm,0.80000cm>\r\n"), std::string::npos) << text;
    // The corners fix the picture's extent, in the order xmin ymin, xmin ymax, xmax ymin, xmax ymax.
    EXPECT_NE(text.find("\\put {\\phantom{.}} at -5.00000 -3.75000\r\n\\put {\\phantom{.}} at -5.00000 3.75000\r\n"
                        "\\put {\\phantom{.}} at 5.00000 -3.75000\r\n\\put {\\phantom{.}} at 5.00000 3.75000\r\n"
                        "\\setlinear\r\n"),
              std::string::npos)
        << text;
    // A narrower window keeps V: a unit up is still a unit across when the units are square.
    PlotView tall;
    tall.SetClientSize(200, 300);
    tall.SetViewFree(0, 0, 2.5L, 3.75L, true);
    tall.ApplyView();
    const PictexUnits t = PictexUnitsFor(tall, 8);
    EXPECT_NEAR(static_cast<double>(t.u), 1.6, 1e-12);
    EXPECT_NEAR(static_cast<double>(t.v), 1.6, 1e-12);
}

TEST(PictexExport, EachModeWritesItsOwnHeaderAndTrailer) {
    const PlotView v = Window400x300();
    const auto head = [&](int mode) {
        const std::vector<std::string> lines = Lines(Export(v, [](DrawSurface&) {}, mode));
        return std::vector<std::string>(lines.begin(), lines.begin() + std::min<std::size_t>(lines.size(), 6));
    };
    const auto last = [&](int mode) { return Lines(Export(v, [](DrawSurface&) {}, mode)).back(); };
    EXPECT_EQ(head(0), (std::vector<std::string>{"\\font\\fiverm = cmr5", "\\input pictex", "\\setbox1=\\vbox{",
                                                 "\\beginpicture", head(0)[4], head(0)[5]}));
    EXPECT_EQ(head(1)[0], "\\font\\fiverm = cmr5");
    EXPECT_EQ(head(1)[1], "\\input prepictex");
    EXPECT_EQ(head(1)[2], "\\input pictex");
    EXPECT_EQ(head(1)[3], "\\input postpictex");
    EXPECT_EQ(head(1)[4], "\\setbox1=\\vbox{");
    // Compilable fragment: pictex is read, no box, no font of its own.
    EXPECT_EQ(head(2)[0], "\\input pictex");
    EXPECT_EQ(head(2)[1], "\\beginpicture");
    // For insertion: neither pictex nor a box.
    EXPECT_EQ(head(3)[0], "\\beginpicture");
    EXPECT_EQ(last(0), "\\endpicture}");
    EXPECT_EQ(last(1), "\\endpicture}");
    EXPECT_EQ(last(2), "\\endpicture");
    EXPECT_EQ(last(3), "\\endpicture");
    PictexSettings s;
    s.box = 7;
    PictexWriter w{NumberFormat{}};
    w.Header(s, v);
    EXPECT_NE(w.Text().find("\\setbox7=\\vbox{"), std::string::npos);
}

TEST(PictexExport, SettingsDialogRefusesWhatTeXCannotTake) {
    const FieldEvaluator eval = ParsePlainNumber;
    PictexSettings s;
    PictexFields f = PictexFieldsFor(s);
    EXPECT_EQ(f.width, "8.00");
    f.box = "300";
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), kMsgOutOfLimits);
    EXPECT_EQ(s.box, 1);  // unchanged
    f.mode = kPictexLatexStandalone;
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), kMsgOutOfLimits);
    // A fragment has no box: the number does not matter there.
    f.mode = kPictexPlainCompilable;
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), 0);
    EXPECT_EQ(s.mode, kPictexPlainCompilable);
    f = PictexFieldsFor(PictexSettings{});
    f.width = "0.05";
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), kMsgOutOfLimits);
    f.width = "0.1";
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), 0);
    f.width = "széles";
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), kMsgNotUnderstood);
    f.width = "12";
    f.radius = "-1";
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), 0);  // no radius asked: not read
    EXPECT_EQ(ApplyPictexFields(f, true, eval, s), kMsgPositiveValue);
    f.box = "1e300";
    f.mode = kPictexPlainStandalone;
    EXPECT_EQ(ApplyPictexFields(f, false, eval, s), kMsgOutOfLimits);
}

TEST(PictexExport, CurvesAreCutIntoPlotRunsAtTheViewsEdge) {
    const PlotView v = Window400x300();
    const std::string text = Export(v, [](DrawSurface& s) {
        s.BeginPolyline();
        s.PolylineTo({-6, 0});  // outside
        s.PolylineTo({-4, 1});
        s.PolylineTo({-4, 1});  // the same point again
        s.PolylineTo({0, 10});  // leaves through the top
        s.PolylineTo({1, 12});
        s.PolylineTo({2, 1});   // comes back
        s.PolylineTo({3, 1});
        s.EndPolyline();
    });
    EXPECT_EQ(Count(text, "\\plot "), 2) << text;
    // Cut one pixel inside the edge, as the screen's clipping does.
    EXPECT_NE(text.find("\\plot -4.97500 0.51250\r\n-4.00000 1.00000\r\n"), std::string::npos) << text;
    EXPECT_EQ(Count(text, "-4.00000 1.00000\r\n"), 1) << "a point is not joined to itself";
    // Nothing beyond the view is written.
    EXPECT_EQ(text.find("10.00000"), std::string::npos);
    EXPECT_EQ(text.find("12.00000"), std::string::npos);
    EXPECT_NE(text.find(" 3.72500\r\n/\r\n"), std::string::npos) << "the first run ends at the top";
}

TEST(PictexExport, LineStylesAreSwitchedWhereTheyChangeAndRulesStaySolid) {
    const PlotView v = Window400x300();
    const std::string text = Export(v, [](DrawSurface& s) {
        s.SetPen({0, 0, 0}, 1, LineStyle::kDotted);  // a dotted grid
        s.Segment({-1, -3}, {-1, 3});
        s.Segment({1, -3}, {1, 3});
        s.SetPen({0, 0, 0}, 1, LineStyle::kSolid);  // the axes
        s.Segment({-5, 0}, {5, 0});
        s.Segment({0, 0}, {1, 1});
        s.SetPen({0, 0, 0}, 1, LineStyle::kDashed);
        s.BeginPolyline();
        s.PolylineTo({0, 0});
        s.PolylineTo({1, 2});
        s.EndPolyline();
    });
    const std::size_t dots = text.find("\\setdots<2pt>\r\n\\plot -1.00000 -3.00000\r\n");
    const std::size_t solid = text.find("\\setsolid\r\n\\putrule from -5.00000 0.00000 to 5.00000 0.00000");
    ASSERT_NE(dots, std::string::npos) << text;
    EXPECT_EQ(Count(text, "\\setdots"), 1);
    ASSERT_NE(solid, std::string::npos) << text;
    EXPECT_LT(dots, solid);
    EXPECT_NE(text.find("\\plot 0.00000 0.00000\r\n1.00000 1.00000\r\n/"), std::string::npos) << text;
    // Dashes for the curve, and solid again before the picture ends.
    const std::size_t dashes = text.find("\\setdashes\r\n");
    ASSERT_NE(dashes, std::string::npos);
    EXPECT_NE(text.find("\\setsolid\r\n\\endpicture", dashes), std::string::npos) << text;
}

TEST(PictexExport, DotsShadingAndLabels) {
    const PlotView v = Window400x300();
    const std::string text = Export(v, [](DrawSurface& s) {
        s.Dot({1, 1}, 1);
        s.Dot({2, 1}, 2);
        s.Dot({3, 1}, 4);
        s.Dot({30, 1}, 4);  // outside: nothing
        const WorldPoint square[4] = {{0, 0}, {2, 0}, {2, 1}, {0, 1}};
        s.FilledPolygon(square, 4);
        s.Label({1, 0}, "2.5", 0, -1, LabelRole::kNumberX);
        s.Label({0, 1}, "-1.0", -1, 0, LabelRole::kNumberY);
        s.Label({-2, 2}, "a\\input{x} $%#_^&~ ő π", 1, -1, LabelRole::kPlain);
        s.Label({-20, 2}, "outside", 1, -1, LabelRole::kPlain);
    });
    EXPECT_NE(text.find("\\put {\\fiverm .} at 1.00000 1.00000\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\\put {$\\scriptscriptstyle\\bullet$} at 2.00000 1.00000\r\n"), std::string::npos);
    EXPECT_NE(text.find("\\put {$\\scriptstyle\\bullet$} at 3.00000 1.00000\r\n"), std::string::npos);
    EXPECT_EQ(text.find("30.00000"), std::string::npos);
    EXPECT_NE(text.find("\\setshadesymbol <z,z,z,z> ({\\fiverm .})\r\n"), std::string::npos);
    EXPECT_NE(text.find("\\setshadegrid span <2pt>\r\n\\vshade 0.00000 0.00000 1.00000  2.00000 0.00000 1.00000 /"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\\put {$\\scriptstyle 2.5$} [t] at 1.00000 0.00000\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\\put {$\\scriptstyle -1.0$} [r] at 0.00000 1.00000\r\n"), std::string::npos);
    EXPECT_NE(text.find("\\put {$a\\backslash input\\{x\\}\\ \\$\\%\\#\\_\\hat{}\\&\\sim \\ \\hbox{\\H o}\\ \\pi $} [lt] at"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("outside"), std::string::npos);
}

TEST(PictexExport, PolygonsAreCutToTheViewAndIntoTrapezoids) {
    const PlotView v = Window400x300();
    const WorldPoint big[4] = {{-10, -1}, {10, -1}, {10, 1}, {-10, 1}};
    const std::vector<WorldPoint> cut = ClipPolygonToView(v, big, 4);
    ASSERT_EQ(cut.size(), 4u);
    for (const WorldPoint& p : cut) EXPECT_TRUE(v.InView(p.x, p.y));
    // A triangle: two pieces meeting under its apex.
    const std::vector<Trapezoid> t = Trapezoids({{0, 0}, {2, 0}, {1, 2}});
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].xa, 0);
    EXPECT_EQ(t[0].hiB, 2);
    EXPECT_EQ(t[1].xb, 2);
    EXPECT_EQ(t[1].hiB, 0);
    // A U: the slab under its gap stops at the gap's bottom.
    const std::vector<Trapezoid> u = Trapezoids({{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}});
    ASSERT_EQ(u.size(), 3u);
    EXPECT_EQ(u[0].hiA, 3);
    EXPECT_EQ(u[1].hiA, 1);
    EXPECT_EQ(u[1].hiB, 1);
    // An H on its side: the middle slab has two pieces, above and below the opening.
    const std::vector<Trapezoid> c = Trapezoids({{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {3, 2}, {3, 3}, {0, 3}});
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[1].loA, 0);
    EXPECT_EQ(c[1].hiA, 1);
    EXPECT_EQ(c[2].loA, 2);
}

TEST(TexText, SpecialCharactersCannotEscapeIntoTeX) {
    EXPECT_EQ(TexMath("x-1"), "x-1");
    EXPECT_EQ(TexMath("\\write18{rm}"), "\\backslash write18\\{rm\\}");
    EXPECT_EQ(TexMath("idő"), "id\\hbox{\\H o}");
    EXPECT_EQ(TexMath("3π/4"), "3\\pi /4");
    EXPECT_EQ(TexMath("\xe2\x80\x93" "2"), "-2");  // the long minus
    EXPECT_EQ(TexMath("a\nb\x01"), "ab");
    EXPECT_EQ(TexMath("\xff\xc3"), "??");  // broken UTF-8 stays inert
    EXPECT_EQ(TexText("50% & {x}_1 \\ ~^"), "50\\% \\& \\{x\\}\\_1 \\textbackslash{} \\~{}\\^{}");
    EXPECT_EQ(TexText("Ív π"), "{\\'I}v $\\pi$");
}

TEST(TikzExport, PictureInCentimetresWithColoursStylesAndLabels) {
    const PlotView v = Window400x300();
    TikzSurface s(v, 8);
    s.SetPen({255, 0, 0}, 2, LineStyle::kDashed);
    s.BeginPolyline();
    s.PolylineTo({-5, -3.75L});
    s.PolylineTo({0, 0});
    s.PolylineTo({8, 0});  // cut at the right edge
    s.EndPolyline();
    s.SetTextColour({0, 0, 255});
    s.SetLabelBackground(true, {255, 255, 255});
    s.Label({0, 0}, "y_1", 1, -1, LabelRole::kPlain);
    s.Finish();
    const std::string text = s.Text();
    EXPECT_EQ(text.find("\\begin{tikzpicture}"), 0u);
    EXPECT_NE(text.find("\\useasboundingbox (0,0) rectangle (8.0000,6.0000);"), std::string::npos) << text;
    EXPECT_NE(text.find("\\draw[draw={rgb,255:red,255;green,0;blue,0}, line width=0.0400cm, dashed] "
                        "(0.0000,0.0000) -- (4.0000,3.0000) -- (7.9800,3.0000);"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\\node[anchor=north west, inner sep=1pt, text={rgb,255:red,0;green,0;blue,255}, "
                        "fill={rgb,255:red,255;green,255;blue,255}, font=\\small] at (4.0000,3.0000) {y\\_1};"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\\end{tikzpicture}\r\n"), std::string::npos);
}

TEST(PictexExport, WritersOfTheRemainingCommands) {
    PictexWriter w{NumberFormat{7, 2}};
    w.Segment(0, 0, 1, 1, true, 3);  // oblique and dotted
    w.Segment(0, 0, 0, 2, false);    // axis-parallel: a rule
    w.ThickRule(0, 0, 2, 0, 0.05L);
    w.Rectangle(-1, -1, 1, 1);
    w.Multiput();
    w.LineStyle(3, false);
    w.LineStyle(4, false);
    w.LineStyle(4, true);
    w.LineStyle(0, false);  // style 0 writes nothing
    w.Marker(3, 0, 0);
    EXPECT_EQ(w.Text(),
              "\\setdots <3pt>\r\n\\plot    0.00    0.00    1.00    1.00 /\r\n\\setsolid\r\n"
              "\\putrule from    0.00    0.00 to    0.00    2.00\r\n"
              "\\linethickness =    0.05cm\r\n\\putrule from    0.00    0.00 to    2.00    0.00\r\n"
              "\\linethickness = 0.4pt\r\n"
              "\\putrectangle corners at   -1.00   -1.00 and    1.00    1.00\r\n"
              "\\multiput {.} at\r\n"
              "\\setdashpattern<10pt,2pt,3pt,2pt>\r\n\\setdashpattern<10pt,2pt,3pt,2pt,3pt,2pt>\r\n\\setsolid\r\n"
              "\\put {$\\scriptscriptstyle\\circ$} at    0.00    0.00\r\n");
}
