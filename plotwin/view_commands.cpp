#include "plotwin/view_commands.h"

#include <cmath>

#include "plotwin/frame_settings.h"

namespace curvelo {
namespace {

bool Evaluate(const FieldEvaluator& eval, std::string_view text, std::size_t maxChars, long double* v) {
    if (text.size() > maxChars) text = text.substr(0, maxChars);
    long double value = 0;
    const bool ok = eval ? eval(text, &value) : ParsePlainNumber(text, &value);
    if (!ok || !std::isfinite(value)) return false;
    *v = value;
    return true;
}

bool Differs(long double a, long double b) { return std::fabs(a - b) > kViewEpsilon; }

}  // namespace

bool RunViewCommand(int id, PlotView& view, FrameSettings& frame) {
    switch (id) {
        case kCmdZoomOut: view.Zoom(true); return true;
        case kCmdZoomIn: view.Zoom(false); return true;
        case kCmdMakeSquare: view.MakeSquare(); return true;
        case kCmdPanRight: view.Pan(view.panFraction, 0); return true;
        case kCmdPanLeft: view.Pan(-view.panFraction, 0); return true;
        case kCmdPanUp: view.Pan(0, view.panFraction); return true;
        case kCmdPanDown: view.Pan(0, -view.panFraction); return true;
        case kCmdLastView: view.PopView(); return true;
        case kCmdResetView:
            view.ResetView();
            frame.ResetTicks();
            frame.UpdateDerived(view);
            return true;
        default: return false;
    }
}

bool ViewCommandEnabled(int id, const PlotView& view) {
    if (id == kCmdMakeSquare) return view.CanMakeSquare();
    if (id == kCmdLastView) return view.HasHistory();
    return true;
}

std::string ZoomFactorText(const PlotView& view, const NumberFormat& format) {
    return format.Format(view.zoomFactor);
}

int ApplyZoomFactorText(std::string_view text, const FieldEvaluator& eval, PlotView& view) {
    long double v = 0;
    if (!Evaluate(eval, text, kZoomFactorMaxChars, &v) || v <= kViewEpsilon) return kMsgNotUnderstood;
    view.zoomFactor = v;
    return 0;
}

std::string PanPercentText(const PlotView& view) { return FormatFixed(view.panFraction * 100, 0, 2); }

int ApplyPanPercentText(std::string_view text, const FieldEvaluator& eval, PlotView& view) {
    long double v = 0;
    if (!Evaluate(eval, text, kZoomFactorMaxChars, &v)) return kMsgNotUnderstood;
    v /= 100;
    if (v <= kViewEpsilon) return kMsgNotUnderstood;
    view.panFraction = v;
    return 0;
}

ViewDialogFields ViewDialogFieldsFor(const PlotView& view, const NumberFormat& format) {
    ViewDialogFields f;
    f.edges = view.unequal != 0;
    f.edge = {format.Format(view.xmin), format.Format(view.xmax), format.Format(view.ymin),
              format.Format(view.ymax)};
    f.centre = {format.Format(view.cx), format.Format(view.cy), format.Format(2 * view.hw)};
    return f;
}

int ApplyViewDialog(const ViewDialogFields& f, const FieldEvaluator& eval, PlotView& view) {
    if (f.edges) {
        long double e[4];
        for (int i = 0; i < 4; ++i)
            if (!Evaluate(eval, f.edge[i], kViewFieldMaxChars, &e[i])) return kMsgNotUnderstood;
        // An empty or reversed rectangle cannot be shown.
        if (e[1] - e[0] <= kViewEpsilon || e[3] - e[2] <= kViewEpsilon) return kMsgPositiveValue;
        const long double hw = (e[1] - e[0]) * 0.5L, hh = (e[3] - e[2]) * 0.5L;
        if (!view.SetView((e[0] + e[1]) * 0.5L, (e[2] + e[3]) * 0.5L, hw, hh, true)) return kMsgOutOfLimits;
        return 0;
    }
    long double c[3];
    for (int i = 0; i < 3; ++i)
        if (!Evaluate(eval, f.centre[i], kViewFieldMaxChars, &c[i])) return kMsgNotUnderstood;
    if (c[2] <= kViewEpsilon) return kMsgPositiveValue;
    const long double hw = c[2] * 0.5L;
    if (!view.unequal && !Differs(c[0], view.cx) && !Differs(c[1], view.cy) && !Differs(hw, view.hw)) return 0;
    if (!view.SetView(c[0], c[1], hw, view.hh, false)) return kMsgOutOfLimits;
    return 0;
}

}  // namespace curvelo
