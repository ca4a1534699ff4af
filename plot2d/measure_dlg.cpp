#include "plot2d/measure_dlg.h"

#include "framework/kit_services.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/measure_integrand.h"
#include "plot2d/measure_result.h"
#include "plot2d/measure_tools.h"
#include "plot2d/plot11_win.h"
#include "expr/eval.h"
#include "resources/resources.h"

namespace curvelo {

namespace {

const char* TemplateOf(int command) {
    switch (command) {
    case measurecmd::kArcLength: return "ARCLEN";
    case measurecmd::kArea: return "AREA";
    case geometrycmd::kRevolution: return "REVOLVE";
    case geometrycmd::kSector: return "SECTOR";
    case geometrycmd::kCentroid:
    case geometrycmd::kCentroidBetween: return "CENTROID";
    case geometrycmd::kCrossSection:
    case geometrycmd::kCrossSectionBetween: return "XSECTION";
    default: return "RIEM";
    }
}

constexpr int kFirstShapeName = 1181, kStringNotDefined = 85;

}  // namespace

TMeasureDlg::TMeasureDlg(TPlot11Win* window, int command)
    : TDlg(window, TemplateOf(command)), window_(window), command_(command) {}

TMeasureDlg::~TMeasureDlg() {
    if (window_) window_->MeasureDialogGone(this);
}

bool TMeasureDlg::ShowsOneSum() const {
    return command_ == measurecmd::kArcLength || command_ == measurecmd::kArea || IsGeometryCommand(command_);
}

bool TMeasureDlg::SuitsTool(int index) const {
    const ExampleInventory& inventory = window_->Inventory();
    return IsGeometryCommand(command_) ? CanMeasureGeometry(inventory, index, command_)
                                       : CanMeasure(inventory, index, MeasureOf(command_));
}

void TMeasureDlg::SetupWindow() {
    TDlg::SetupWindow();
    const MeasureSettings& m = window_->Measures();
    const NumberFormat& format = window_->Format();
    SetItemText(measureid::kLow, format.FormatForField(m.low));
    SetItemText(measureid::kHigh, format.FormatForField(m.high));
    SetItemText(measureid::kSteps, std::to_string(m.steps));
    if (!ShowsOneSum()) {
        for (int k = 0; k < kSumCount; ++k) CheckItem(measureid::kFirstCheck + k, (m.methods & MethodBit(k)) != 0);
        CheckItem(measureid::kDrawStrips, (m.methods & kDrawStrips) != 0);
        const bool two = command_ == measurecmd::kIntegralOfDifference;
        ShowItem(measureid::kSecondLabel, two);
        ShowItem(measureid::kSecondExample, two);
        ShowItem(measureid::kIndefinite, !two);  // the antiderivative is of f alone
    }
    if (MeasuresBetweenTwo(command_)) {
        ShowItem(measureid::kSecondLabel, true);
        ShowItem(measureid::kSecondExample, true);
    }
    if (HasItem(measureid::kAxisA)) {
        SetItemText(measureid::kAxisA, format.FormatForField(m.axisA));
        SetItemText(measureid::kAxisB, format.FormatForField(m.axisB));
        SetItemText(measureid::kAxisC, format.FormatForField(m.axisC));
    }
    if (HasItem(measureid::kShape)) {
        for (int k = 0; k < static_cast<int>(CrossSectionShape::Count); ++k)
            AddString(measureid::kShape, std::string(res::String(kFirstShapeName + k)));
        SetSelIndex(measureid::kShape, m.crossSection);
    }
    Refresh();
}

void TMeasureDlg::FillChooser(int combo, std::vector<int>& slots) {
    const ExampleInventory& inventory = window_->Inventory();
    const int before = ChosenSlot(combo, slots);
    ClearList(combo);
    slots.clear();
    const std::vector<std::string> lines = inventory.ListLines(window_->Format().Pattern());
    for (int i = 0; i < inventory.Count(); ++i) {
        if (!SuitsTool(i)) continue;
        AddString(combo, lines[static_cast<std::size_t>(i)]);
        slots.push_back(i);
    }
    // Keep the choice; else the window's selected example; else the first that suits.
    int choose = 0;
    for (std::size_t k = 0; k < slots.size(); ++k)
        if (slots[k] == (before >= 0 ? before : inventory.Selected())) choose = static_cast<int>(k);
    if (combo == measureid::kSecondExample && before < 0 && slots.size() > 1 && choose == 0) choose = 1;
    SetSelIndex(combo, slots.empty() ? -1 : choose);
}

void TMeasureDlg::Refresh() {
    if (!window_) return;
    FillChooser(measureid::kExample, slotsF_);
    if (command_ == measurecmd::kIntegralOfDifference || MeasuresBetweenTwo(command_))
        FillChooser(measureid::kSecondExample, slotsG_);
}

int TMeasureDlg::ChosenSlot(int combo, const std::vector<int>& slots) const {
    const int k = HasItem(combo) ? GetSelIndex(combo) : -1;
    return k >= 0 && k < static_cast<int>(slots.size()) ? slots[static_cast<std::size_t>(k)] : -1;
}

void TMeasureDlg::ShowSums(std::uint16_t mask) {
    const NumberFormat& format = window_->Format();
    for (int k = 0; k < kSumCount; ++k) {
        const int id = measureid::kFirstResult + k;
        if (HasItem(id)) SetItemText(id, mask & MethodBit(k) ? format.FormatForField(sums_.value[k]) : std::string());
    }
}

bool TMeasureDlg::Compute() {
    if (!window_) return false;
    MeasureLimits limits;
    const FormOutcome read = ReadMeasureLimits(
        window_->Engine(),
        {GetItemText(measureid::kLow), GetItemText(measureid::kHigh), GetItemText(measureid::kSteps)}, limits);
    if (read.code) {
        ShowMessage(this, read.code);
        SetItemFocus(read.focusId);
        return false;
    }
    const bool two = command_ == measurecmd::kIntegralOfDifference || MeasuresBetweenTwo(command_);
    const int f = ChosenSlot(measureid::kExample, slotsF_);
    const int g = two ? ChosenSlot(measureid::kSecondExample, slotsG_) : -1;
    if (f < 0 || (two && g < 0)) {
        ShowMessage(this, kMsgChoose);
        return false;
    }
    if (IsGeometryCommand(command_)) return ComputeGeometry(limits, f, g);
    MeasureSettings& settings = window_->Measures();
    std::uint16_t mask = kMethodAll;
    if (!ShowsOneSum()) {
        mask = 0;
        for (int k = 0; k < kSumCount; ++k)
            if (IsItemChecked(measureid::kFirstCheck + k)) mask |= MethodBit(k);
        if (IsItemChecked(measureid::kDrawStrips)) mask |= kDrawStrips;
        settings.methods = mask;
    }
    settings.low = limits.low;
    settings.high = limits.high;
    settings.steps = limits.steps;

    // The random points are kept, so the strips of the random sum are the ones it added.
    std::vector<long double> randomPoints;
    const bool drawing = (mask & kDrawStrips) && limits.steps <= kMaxDrawnStrips;
    IntegratorHooks hooks;
    // Polling is dear next to one step; every 256th step still answers Q at once.
    hooks.pollKey = [this, calls = 0u]() mutable { return ++calls % 256 == 0 ? PollKey(window_) : 0; };
    hooks.uniform = [&, source = NewUniformSource()] {
        const long double u = source();
        if (drawing) randomPoints.push_back(u);
        return u;
    };
    std::vector<StripPolygon> strips;
    const Measure measure = MeasureOf(command_);
    const std::uint16_t code =
        UseIntegrand(window_->Engine(), window_->Inventory(), measure, f, g, [&](const Integrand& integrand) {
            sums_ = IntegrateSixWays(integrand, limits.low, limits.high, limits.steps, hooks);
            if (drawing && sums_.lastKey != kKeyStopSum)
                strips = BuildStrips(integrand, limits.low, limits.high, limits.steps, FirstCheckedMethod(mask),
                                     randomPoints);
        });
    if (code) {
        ShowMessage(this, code);
        return false;
    }
    ShowSums(mask);
    MeasurementResult result;
    result.tool = static_cast<std::uint16_t>(command_);
    result.low = limits.low;
    result.high = limits.high;
    result.value = sums_.value[kSumParabolic];
    result.steps = limits.steps;
    Archive(f, result);
    window_->SetStrips(std::move(strips));
    return true;
}

void TMeasureDlg::Archive(int f, const MeasurementResult& result) {
    auto& results = window_->Inventory().Slot(f).results;
    // A document holds at most so many; the oldest make room.
    if (results.size() >= kCv2MaxListEntries) results.erase(results.begin());
    results.push_back(result.Store());
    window_->SetModified(true);
}

bool TMeasureDlg::ComputeGeometry(const MeasureLimits& limits, int f, int g) {
    MeasureSettings& settings = window_->Measures();
    GeometryRequest request;
    request.command = command_;
    request.f = f;
    request.g = g;
    request.limits = limits;
    if (HasItem(measureid::kAxisA)) {
        const int ids[] = {measureid::kAxisA, measureid::kAxisB, measureid::kAxisC};
        long double* values[] = {&request.axis.a, &request.axis.b, &request.axis.c};
        for (int k = 0; k < 3; ++k) {
            if (std::uint16_t code = EvaluateText(window_->Engine(), GetItemText(ids[k]), *values[k])) {
                ShowMessage(this, code);
                SetItemFocus(ids[k]);
                return false;
            }
        }
    }
    if (HasItem(measureid::kShape)) {
        const int shape = GetSelIndex(measureid::kShape);
        request.shape = static_cast<CrossSectionShape>(
            shape >= 0 && shape < static_cast<int>(CrossSectionShape::Count) ? shape : 0);
    }
    IntegratorHooks hooks;
    hooks.pollKey = [this, calls = 0u]() mutable { return ++calls % 256 == 0 ? PollKey(window_) : 0; };
    const std::uint16_t code = MeasureGeometry(window_->Engine(), window_->Inventory(), request, hooks, geometry_);
    if (code) {
        ShowMessage(this, code);
        if (code == kMsgInconsistent) SetItemFocus(measureid::kAxisA);
        return false;
    }
    settings.low = limits.low;
    settings.high = limits.high;
    settings.steps = limits.steps;
    if (HasItem(measureid::kAxisA)) {
        settings.axisA = request.axis.a;
        settings.axisB = request.axis.b;
        settings.axisC = request.axis.c;
    }
    if (HasItem(measureid::kShape)) settings.crossSection = static_cast<std::int32_t>(request.shape);
    const NumberFormat& format = window_->Format();
    for (int k = 0; k < 3; ++k) {
        const int id = measureid::kFirstResult + k;
        if (!HasItem(id)) continue;
        const bool shown = k < static_cast<int>(geometry_.quantities.size());
        const GeometryQuantity* q = shown ? &geometry_.quantities[static_cast<std::size_t>(k)] : nullptr;
        SetItemText(id, !q ? std::string() : q->defined ? format.FormatForField(q->value) : std::string(res::String(kStringNotDefined)));
    }
    for (std::size_t k = 0; k < geometry_.quantities.size(); ++k) {
        if (!geometry_.quantities[k].defined) continue;
        MeasurementResult result;
        result.tool = static_cast<std::uint16_t>(command_);
        result.low = limits.low;
        result.high = limits.high;
        result.value = geometry_.quantities[k].value;
        result.steps = limits.steps;
        result.quantity = static_cast<std::uint8_t>(k);
        Archive(f, result);
    }
    return true;
}

bool TMeasureDlg::EvCommand(int id) {
    if (!window_) return TDlg::EvCommand(id);
    switch (id) {
    case measureid::kDefinite: Compute(); return true;
    case measureid::kIndefinite: {
        const int f = ChosenSlot(measureid::kExample, slotsF_);
        if (f < 0) ShowMessage(this, kMsgChoose);
        else window_->AddAntiderivative(f);
        return true;
    }
    case measureid::kColour: window_->ChooseColour(kColourKindStrips); return true;
    case measureid::kXAxis:
    case measureid::kYAxis: {
        const bool x = id == measureid::kXAxis;
        SetItemText(measureid::kAxisA, x ? "0" : "1");
        SetItemText(measureid::kAxisB, x ? "1" : "0");
        SetItemText(measureid::kAxisC, "0");
        return true;
    }
    default: return TDlg::EvCommand(id);
    }
}

}  // namespace curvelo
