// Writes the example documents of the gallery with the program's own 2D and 3D windows, so
// they are exactly what a user would save: make_gallery FOLDER
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "expr/user_function.h"
#include "framework/automation.h"
#include "plot2d/example_kinds.h"
#include "plot2d/initial_condition.h"
#include "plot2d/plot2_win.h"
#include "plot3d/plot3_win.h"
#include "plot3d/surface_commands.h"
#include "plot3d/surface_kinds.h"
#include "plotwin/frame_settings.h"

using namespace curvelo;

namespace {

int Add(TPlot2Win& w, std::uint16_t kind, std::initializer_list<std::pair<int, const char*>> texts,
        long double lo, long double hi) {
    ExampleInventory& inv = w.Inventory();
    const int i = inv.Begin(kind, lo, hi);
    for (const auto& [n, text] : texts) inv.At(i).texts[static_cast<std::size_t>(n)] = text;
    inv.Commit(i, w.Engine());
    return i;
}

bool Make(const std::string& folder, const std::string& name, const std::function<void(TPlot2Win&)>& fill) {
    TPlot2Win w(nullptr, name);
    if (!w.Create()) return false;
    w.MoveWindow({0, 0, 800, 600});
    w.View().SetViewSquare(0, 0, 5);
    fill(w);
    const bool ok = w.WriteDocument(folder + "/" + name) == 0;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", name.c_str());
    return ok;
}

// A 3D document: the examples are added, the cell and the view follow them (Home), then the
// eye and the frame are set as fill leaves them.
bool MakeSpace(const std::string& folder, const std::string& name, const std::function<void(TPlot3Win&)>& add,
               const std::function<void(TPlot3Win&)>& look) {
    TPlot3Win w(nullptr, name);
    if (!w.Create()) return false;
    w.MoveWindow({0, 0, 800, 600});
    // The view is fitted to the client area, which the window knows once it is shown.
    w.Show();
    fw::automation::ProcessEvents();
    add(w);
    w.RunCommand(eyecmd::kAutoFit);
    look(w);
    const bool ok = w.WriteDocument(folder + "/" + name) == 0;
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", name.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_gallery FOLDER\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    fw::automation::EnsureApplication();
    const std::string folder = argv[1];
    bool ok = true;
    ok &= Make(folder, "xsinx.cv2", [](TPlot2Win& w) { Add(w, kKindExplicit, {{1, "xsin(x)"}}, -5, 5); });
    ok &= Make(folder, "rozsa.cv2", [](TPlot2Win& w) {
        Add(w, kKindPolar, {{2, "3cos(2t)"}}, 0, kTwoPi);
        Add(w, kKindPolar, {{2, "2sin(5t)"}}, 0, kTwoPi);
        w.Frame().gridFlags = kGridPolar | kGridQuadrant1 | kGridQuadrant2 | kGridQuadrant3 | kGridQuadrant4;
    });
    ok &= Make(folder, "lissajous.cv2", [](TPlot2Win& w) {
        const int i = Add(w, kKindParametric, {{0, "3cos(3t)"}, {1, "3sin(4t)"}}, 0, kTwoPi);
        w.Inventory().At(i).arrow = 1;
        w.Inventory().At(i).extra311[TExample::kArrowT] = 0.4L;
        w.Inventory().At(i).penWidth = 2;
    });
    ok &= Make(folder, "csalad.cv2", [](TPlot2Win& w) {
        const int i = Add(w, kKindExplicit, {{1, "a*sin(x)"}}, -5, 5);
        TExample& e = w.Inventory().At(i);
        e.familyActive = 1;
        e.familyParam = 1;
        e.familyLow = -3;
        e.familyHigh = 3;
        e.familySteps = 12;
        w.Inventory().Slot(i).name = "szinuszok";
    });
    ok &= Make(folder, "lepcsok.cv2", [](TPlot2Win& w) {
        Add(w, kKindExplicit, {{1, "int(x)"}}, -5, 5);
        Add(w, kKindExplicit, {{1, "frac(x)-2"}}, -5, 5);
        w.Frame().gridFlags |= kGridSquare;
    });
    ok &= Make(folder, "spiral.cv2", [](TPlot2Win& w) {
        Add(w, kKindPolar, {{2, "t/4"}}, 0, 6 * kTwoPi / 2);
        w.Frame().piModeX = 1;
        w.Frame().spacingX = 1.5707963267948966L;
    });
    ok &= Make(folder, "sajat_fuggveny.cv2", [](TPlot2Win& w) {
        DefineUserFunction(w.Engine(), "HARANG", "4exp(-x^2)", 1);
        Add(w, kKindExplicit, {{1, "harang(x)"}}, -5, 5);
        Add(w, kKindExplicit, {{1, "harang(x-2)-harang(x+2)"}}, -5, 5);
        w.Frame().axisTitles = {"idő", "jel", "z"};
        w.Frame().axisTitlesShown = 1;
    });
    ok &= Make(folder, "tangens.cv2", [](TPlot2Win& w) {
        Add(w, kKindExplicit, {{1, "tan(x)"}}, -5, 5);
        w.Frame().gridFlags |= kGridSquare | kGridDotted;
    });
    ok &= Make(folder, "iteracio.cv2", [](TPlot2Win& w) {
        const int i = Add(w, kKindExplicit, {{1, "cos(x)"}}, -5, 5);
        TExample& e = w.Inventory().At(i);
        e.flag49 = 1;  // the iteration diagram, from x0 = -2 in 30 steps
        e.param61 = -2;
        e.kindCount = 30;
        w.View().SetViewSquare(0, 0, 2.5L);
    });
    ok &= Make(folder, "implicit.cv2", [](TPlot2Win& w) {
        // The lemniscate, and the inside of a circle hatched.
        Add(w, kKindImplicit, {{4, "(xx+yy)^2=2(xx-yy)"}}, 0, 1);
        const int i = Add(w, kKindImplicit, {{4, "xx+yy=9"}}, 0, 1);
        w.Inventory().At(i).flag49 = 1;
        w.RenderLayer(0);  // the search, so the document holds the start points
    });
    ok &= Make(folder, "inga.cv2", [](TPlot2Win& w) {
        // The pendulum's phase portrait: swings inside, rotations outside, the field as vectors.
        const int i = Add(w, kKindSystem, {{0, "y"}, {1, "0-sin(x)"}, {3, "1"}}, 0, 1);
        w.Inventory().At(i).reserved16 = 2;
        for (const long double y0 : {0.5L, 1.0L, 1.5L, 1.9L, 2.2L, -2.2L, 2.8L, -2.8L}) {
            TInitialCondition c;
            c.x0 = 0;
            c.y0 = y0;
            c.directionCode = static_cast<std::uint16_t>(TraceDirection::kBoth);
            c.colour = static_cast<std::uint16_t>(std::abs(y0) < 2 ? 9 : 12);
            w.Inventory().Slot(i).initialConditions.push_back(c.Store());
        }
        w.View().SetViewSquare(0, 0, 4);
    });
    ok &= MakeSpace(
        folder, "nyereg.cv3",
        [](TPlot3Win& w) {
            ExampleInventory& inv = w.Inventory();
            const int i = inv.Begin(301, -3, 3);
            TExample& e = inv.At(i);
            e.texts[2] = "(xx-yy)/4";
            e.low = e.low2 = -3;
            e.high = e.high2 = 3;
            e.values161 = {-3, -3, -2.25L};
            e.values191 = {3, 3, 2.25L};
            inv.Commit(i, w.Engine());
        },
        [](TPlot3Win& w) {
            w.RunCommand(eyecmd::kLeft);
            w.RunCommand(eyecmd::kLeft);
            w.RunCommand(eyecmd::kUp);
            w.RunCommand(cellcmd::kShown);
            w.RunCommand(cellcmd::kDashed);
            w.RunCommand(cellcmd::kCoordinates);
        });
    // Surfaces with their own defaults, as the Equation menu makes them.
    auto surface = [](TPlot3Win& w, std::uint16_t kind, const std::function<void(TExample&)>& set) {
        const int i = BeginSurface(w.Inventory(), kind);
        if (i < 0) return;
        set(w.Inventory().At(i));
        CommitSurface(w.Inventory(), i, w.Engine());
    };
    ok &= MakeSpace(
        folder, "gomb.cv3",
        [&](TPlot3Win& w) {
            surface(w, kKindSpherical, [](TExample& e) {
                surf::Spectrum(e) = 1;
                surf::MeshLines(e) = 1;
                e.penColour = 6;
            });
        },
        [](TPlot3Win& w) { w.RunCommand(eyecmd::kUp); });
    ok &= MakeSpace(
        folder, "cso.cv3", [&](TPlot3Win& w) { surface(w, kKindTube, [](TExample&) {}); },
        [](TPlot3Win& w) {
            w.RunCommand(eyecmd::kUp);
            w.RunCommand(eyecmd::kUp);
        });
    ok &= MakeSpace(
        folder, "sombrero.cv3",
        [&](TPlot3Win& w) {
            surface(w, kKindSurfaceExplicit, [](TExample& e) { surf::Slow(e) = 1; });
            surface(w, kKindPlane, [](TExample& e) {
                e.texts = {"0", "0", "1", "0,0,0.3", "", "4", ""};
                surf::Slow(e) = 1;
            });
        },
        [](TPlot3Win& w) { w.RunCommand(eyecmd::kUp); });
    return ok ? 0 : 1;
}
