// The window's settings of the trajectory tracer, chosen in the menu (commands 732 to 735)
// and kept in the document: the null-vector, loop and flatness tolerances in pixels and
// the sudden-angle switch. Systems and implicit curves take their TraceSettings from here.
#pragma once

#include "plot2d/trajectory_tracer.h"

namespace curvelo {

namespace tracecmd {
inline constexpr int kNullVectors = 732, kLoops = 733, kSuddenAngles = 734, kFlatness = 735;
}

// Accepted tolerances (pixels); what a dialog or a document gives is clamped into them.
inline constexpr long double kMinTolerancePixels = 0.001L, kMaxTolerancePixels = 100.0L;

struct TraceOptions {
    long double nullVectorPixels = 0.5L;  // string 125
    long double loopPixels = 1.5L;        // string 127
    long double flatnessPixels = 0.25L;   // string 129
    bool suddenAngles = false;            // command 734

    // The tracer's settings with these tolerances (density and borders are the example's).
    TraceSettings Settings() const {
        TraceSettings s;
        s.nullVectorPixels = nullVectorPixels;
        s.loopPixels = loopPixels;
        s.flatnessPixels = flatnessPixels;
        s.suddenAngles = suddenAngles;
        return s;
    }
    bool operator==(const TraceOptions&) const = default;
};

// A tolerance read from a file or typed: finite and within the accepted range, else false.
bool AcceptTolerance(long double value);

}  // namespace curvelo
