// Feeds arbitrary bytes to the .cv2 document reader. An accepted input must survive
// write -> read -> write unchanged, every initial-condition node read must survive the
// named-field reader and writer and drive a bounded solution run, and a 3D document also
// gives a usable view and usable level curves and sequence start points from its lists.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "plot2d/cv2_codec.h"
#include "plot2d/initial_condition.h"
#include "plot2d/slope_solver.h"
#include "plot3d/cv3_document.h"
#include "plot3d/layer_node.h"
#include "plot3d/space_kinds.h"
#include "plot3d/space_start_point.h"
#include "plot3d/surface_kinds.h"
#include "plotwin/colour_table.h"

namespace {

bool Finite(const curvelo::Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// What the list readers of the 3D kinds promise for any bytes: a level curve with finite
// numbers, an axis and a colour in range, read back alike once stored; a start point with
// its counts clamped, read back alike once written.
void CheckSpaceList(const curvelo::Cv2Example& e) {
    using namespace curvelo;
    const std::uint16_t kind = e.example.kind;
    for (const Cv2InitialCondition& node : e.initialConditions) {
        if (kind == kKindSurfaceExplicit || kind == kKindSurfaceImplicit) {
            const LayerCurve c = LoadLayerCurve(node);
            if (!std::isfinite(c.start.x) || !std::isfinite(c.start.y) || !std::isfinite(c.value)) std::abort();
            if (c.axis < 0 || c.axis > 2 || c.colour >= kColourCount) std::abort();
            const LayerCurve back = LoadLayerCurve(StoreLayerCurve(c));
            if (back.start.x != c.start.x || back.start.y != c.start.y || back.value != c.value ||
                back.axis != c.axis || back.colour != c.colour)
                std::abort();
        } else if (kind == kKindSpaceSequence) {
            const SpaceStartPoint s = ReadSpaceStartPoint(node);
            if (s.p.terms < 0 || s.p.terms > kMaxSequenceTerms || s.p.colour > 24 || s.p.width < 1 ||
                s.p.width > 100 || s.p.size > kMaxPointSize)
                std::abort();
            Cv2InitialCondition copy = node;
            WriteSpaceStartPoint(s, copy);
            const SpaceStartPoint again = ReadSpaceStartPoint(copy);
            if (again.p.terms != s.p.terms || again.p.colour != s.p.colour || again.p.width != s.p.width ||
                again.p.size != s.p.size)
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace curvelo;
    for (std::int32_t type : {kFileType2D, kFileType3D}) {
        Cv2Document doc;
        if (ReadCv2(data, size, type, doc) != kCv2Ok) continue;
        const auto once = WriteCv2(doc);
        Cv2Document again;
        if (ReadCv2(once, type, again) != kCv2Ok) std::abort();
        if (WriteCv2(again) != once) std::abort();
        const SlopeFunction f = [](long double x, long double y, long double& s) {
            s = x - y;
            return true;
        };
        for (const Cv2Example& e : doc.examples) {
            for (const Cv2InitialCondition& stored : e.initialConditions) {
                const TInitialCondition c = TInitialCondition::Load(stored);
                if (!(c.Store() == stored)) std::abort();
                const SlopeRunSettings run = SlopeRunOf(c);
                long long visits = 0;
                RunSlopeSolution(f, run, [&](long double, long double, long double, long double, bool) { return ++visits < 1000; });
                if (visits > run.steps + 1) std::abort();
            }
        }
        if (type != kFileType3D) continue;
        for (const Cv2Example& e : doc.examples) CheckSpaceList(e);
        View3D view;
        ApplyView3D(doc, view);
        if (!Finite(view.eye) || !Finite(view.axisMin) || !Finite(view.axisMax)) std::abort();
        if (view.rotationFrames < kMinRotationFrames || view.rotationFrames > kMaxRotationFrames) std::abort();
        const WorldPoint p = view.ProjectPoint(view.centre);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) std::abort();
        Cv2Document frame = FrameSettingsOf3D(doc);
        CaptureView3D(view, frame);
    }
    return 0;
}
