#include "plot2d/plot2_document.h"

#include <algorithm>
#include <cmath>

#include "plot2d/cv2_codec.h"
#include "plot2d/example_kinds.h"
#include "plot2d/six_sum_integrator.h"

namespace curvelo {
namespace {

// Slots of block 10 (eighty reals) and words of block 8 that hold the view and the frame.
enum NumberSlot { kCx = 0, kCy = 1, kHw = 2, kXmin = 3, kXmax = 4, kYmin = 5, kYmax = 6, kHh = 7,
                  kAspect = 8, kUnequal = 9, kSpacingX = 11, kSpacingY = 12, kOriginX = 13,
                  kOriginY = 14, kZoomFactor = 15, kPanFraction = 16 };
enum PlotWord { kAxesShown = 0, kAxesMode = 1, kTicks = 4, kArrows = 5, kSolidArrows = 6,
                kGridPoints = 7, kTitlesShown = 8, kNumberFlags = 10, kGridFlags = 11,
                kPolarSectors = 12, kDecimalsX = 13, kDecimalsY = 14, kFrequencyX = 16,
                kFrequencyY = 17, kPiModes = 19, kAxisColour = 20, kGridColour = 21,
                kLabelBackground = 22, kLongMinus = 25, kMinusChar = 26, kAxisWidthScreen = 27,
                kTickLength = 28, kBackground = 35, kGridWidthScreen = 38, kPiChar = 39 };
// Integer settings kept as reals in block 10.
// Slot 39 holds both printing widths, axis + 256 * grid, as the other integer slots are taken.
enum IntegerSlot { kPrintWidths = 39, kInventorySize = 38 };
constexpr int kPrintWidthBase = 256;
// Bytes of block 9; each is 0 for what a new window does.
enum SwitchByte { kBlackGraphs = 0, kCopyWithoutBackground = 1, kLabelsHidden = 2 };
enum SelectionWord { kSelection = 23 };
// Slots of block 10 that hold the letter parameters' settings.
enum ParamSlot { kFrameDelaySlot = 36, kLinkedLettersSlot = 37, kAnimSpeedSlot = 41, kSmallStepsSlot = 42,
                 kPageStepsSlot = 43 };
// The integration limits and count. (Their method mask would be word 25 of block 8, which
// the long-minus switch already holds, so the mask stays with the window.)
enum MeasureSlot { kMeasureLow = 33, kMeasureHigh = 34, kMeasureSteps = 35 };
// Slot of block 10 that holds the sequences' periodicity tolerance.
enum SequenceSlot { kPeriodToleranceSlot = 52 };

std::uint16_t Word(std::int32_t v) { return static_cast<std::uint16_t>(v); }
std::int16_t Signed(std::uint16_t w) { return static_cast<std::int16_t>(w); }
int Colour(std::uint16_t w) { return w <= 24 ? w : 0; }
bool Usable(long double v) { return std::isfinite(v); }

// A stored value inside lo..hi, else the new window's value.
template <class T>
T InRange(long long v, long long lo, long long hi, T fallback) {
    return v >= lo && v <= hi ? static_cast<T>(v) : fallback;
}

// Pen widths are what the width dialogs accept.
constexpr int kMaxPenWidth = 100;

std::uint32_t StoredColour(fw::Color c) { return c.r | (c.g << 8) | (std::uint32_t{c.b} << 16); }
fw::Color ColourOfStored(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16)};
}

void CaptureFonts(const Plot2Fonts& f, Cv2Document& doc) {
    if (doc.fonts.size() < f.fonts.size()) doc.fonts.resize(f.fonts.size());
    for (std::size_t i = 0; i < f.fonts.size(); ++i) {
        doc.fonts[i].attribute = StoredColour(f.colours[i]);
        doc.fonts[i].logFont = f.fonts[i].Store();
    }
}

// A font record of zeros (no face, no size) is a file that did not keep its fonts: the
// window keeps its own.
void ApplyFonts(const Cv2Document& doc, Plot2Fonts& f) {
    for (std::size_t i = 0; i < f.fonts.size() && i < doc.fonts.size(); ++i) {
        const Cv2Font& stored = doc.fonts[i];
        bool blank = true;
        for (std::uint8_t b : stored.logFont) blank = blank && b == 0;
        if (blank) continue;
        f.fonts[i] = fw::LogFont::Load(stored.logFont.data());
        f.colours[i] = ColourOfStored(stored.attribute);
    }
}

// The page measures of the frame header: interval, width, left, top.
enum PageMeasure { kPageInterval = 0, kPageWidth = 1, kPageLeft = 2, kPageTop = 3 };
constexpr long double kMaxStoredInches = 1000;

void CapturePrintSetup(const PrintSetup& p, Cv2Document& doc) {
    doc.pageMeasures = {p.interval, p.width, p.left, p.top};
    doc.windowSwitches = {p.frame ? 1 : 0, p.colour ? 1 : 0};
}

// A document's page layout replaces the window's only when it is one the print setup dialog
// could have made; otherwise the window keeps its own.
void ApplyPrintSetup(const Cv2Document& doc, PrintSetup& p) {
    const auto& m = doc.pageMeasures;
    const auto inRange = [](long double v) {
        return std::isfinite(v) && std::fabs(v) >= kMinPrintInches && std::fabs(v) <= kMaxStoredInches;
    };
    const bool byWidth = m[kPageWidth] > 0, byInterval = m[kPageInterval] > 0;
    const bool sound = byWidth != byInterval && inRange(m[kPageLeft]) && inRange(m[kPageTop]) &&
                       m[kPageLeft] > 0 && m[kPageTop] > 0 &&
                       (byWidth ? inRange(m[kPageWidth]) : std::isfinite(m[kPageInterval]) &&
                                                               m[kPageInterval] <= kMaxStoredInches);
    if (sound) {
        p.width = m[kPageWidth];
        p.interval = m[kPageInterval];
        p.left = m[kPageLeft];
        p.top = m[kPageTop];
    }
    p.frame = doc.windowSwitches[0] != 0;
    p.colour = doc.windowSwitches[1] != 0;
}

}  // namespace

void CaptureLock(const DocumentLock& lock, Cv2Document& doc) {
    const bool any = lock.Protected() || !lock.author.empty() || !lock.date.empty() ||
                     !lock.email.empty() || !lock.homepage.empty();
    doc.hasLock = any;
    doc.plotWords[42] = any ? 1 : 0;
    if (!any) return;
    doc.lockPassText = std::string(1, lock.protectSaving ? '1' : '0') + (lock.protectInventory ? '1' : '0') +
                       (lock.showAuthor ? '1' : '0') + lock.password;
    doc.authorData = {lock.author, lock.date, lock.email, lock.homepage};
}

DocumentLock LockOf(const Cv2Document& doc) {
    DocumentLock lock;
    if (!doc.hasLock) return lock;
    const std::string& t = doc.lockPassText;
    if (t.size() >= 3 && (t[0] == '0' || t[0] == '1') && (t[1] == '0' || t[1] == '1') && (t[2] == '0' || t[2] == '1')) {
        lock.protectSaving = t[0] == '1';
        lock.protectInventory = t[1] == '1';
        lock.showAuthor = t[2] == '1';
        lock.password = t.substr(3);
    } else {
        // A pass text without switches protects everything it can.
        lock.password = t;
        lock.protectSaving = lock.protectInventory = !t.empty();
    }
    lock.author = doc.authorData[0];
    lock.date = doc.authorData[1];
    lock.email = doc.authorData[2];
    lock.homepage = doc.authorData[3];
    return lock;
}

void CaptureWindowState(const Plot2State& s, Cv2Document& doc) {
    const PlotView& v = s.view;
    auto& n = doc.numbers;
    n[kCx] = v.cx; n[kCy] = v.cy; n[kHw] = v.hw; n[kHh] = v.hh;
    n[kXmin] = v.xmin; n[kXmax] = v.xmax; n[kYmin] = v.ymin; n[kYmax] = v.ymax;
    n[kAspect] = v.aspect; n[kUnequal] = v.unequal;
    n[kZoomFactor] = v.zoomFactor; n[kPanFraction] = v.panFraction;
    const FrameSettings& f = s.frame;
    n[kSpacingX] = f.spacingX; n[kSpacingY] = f.spacingY;
    n[kOriginX] = f.originX; n[kOriginY] = f.originY;

    auto& w = doc.plotWords;
    w[kAxesShown] = f.axesShown; w[kAxesMode] = Word(f.axesMode); w[kTicks] = f.ticks;
    w[kArrows] = f.arrows; w[kSolidArrows] = f.solidArrows; w[kGridPoints] = f.gridPoints;
    w[kTitlesShown] = f.axisTitlesShown; w[kNumberFlags] = f.numberFlags; w[kGridFlags] = f.gridFlags;
    w[kPolarSectors] = Word(f.polarSectors); w[kDecimalsX] = Word(f.decimalsX);
    w[kDecimalsY] = Word(f.decimalsY); w[kFrequencyX] = Word(f.frequencyX);
    w[kFrequencyY] = Word(f.frequencyY);
    w[kPiModes] = static_cast<std::uint16_t>(f.piModeX | (f.piModeY << 8));
    w[kAxisColour] = Word(f.axisColour); w[kGridColour] = Word(f.gridColour);
    w[kLabelBackground] = Word(f.labelBackground); w[kLongMinus] = f.longMinus;
    w[kTickLength] = Word(f.tickLength); w[kBackground] = Word(s.background);
    w[kMinusChar] = Word(f.minusChar); w[kPiChar] = Word(f.piChar);
    w[kAxisWidthScreen] = Word(f.axisWidthScreen); w[kGridWidthScreen] = Word(f.gridWidthScreen);
    n[kPrintWidths] = f.axisWidthPrint + kPrintWidthBase * f.gridWidthPrint;
    n[kInventorySize] = s.inventory.Capacity();
    doc.switches[kBlackGraphs] = s.inventory.BlackGraphs() ? 1 : 0;
    doc.switches[kCopyWithoutBackground] = s.switches.copyWithBackground ? 0 : 1;
    doc.switches[kLabelsHidden] = s.switches.labelsShown ? 0 : 1;
    CaptureFonts(s.fonts, doc);
    for (int i = 0; i < 3; ++i) doc.windowStrings[static_cast<std::size_t>(i)] = f.axisTitles[static_cast<std::size_t>(i)];

    doc.examples.clear();
    for (int i = 0; i < s.inventory.Count(); ++i) {
        Cv2Example e;
        e.example = s.inventory.Slot(i).example;
        e.name = s.inventory.Slot(i).name;
        e.results = s.inventory.Slot(i).results;
        e.initialConditions = s.inventory.Slot(i).initialConditions;
        doc.examples.push_back(std::move(e));
    }
    n[kPeriodToleranceSlot] = s.inventory.PeriodTolerance();
    w[9] = Word(s.inventory.LastIndex());
    w[kSelection] = Word(s.inventory.Selected());
    CaptureLetters(s.engine.letters, doc);
    doc.userFunctions = s.engine.userFunctions;
    CapturePrintSetup(s.print, doc);
    if (s.measure) {
        n[kMeasureLow] = s.measure->low;
        n[kMeasureHigh] = s.measure->high;
        n[kMeasureSteps] = s.measure->steps;
    }
}

void ApplyWindowState(const Cv2Document& doc, const Plot2State& s) {
    const auto& n = doc.numbers;
    PlotView& v = s.view;
    const bool haveView = Usable(n[kCx]) && Usable(n[kCy]) && Usable(n[kHw]) && Usable(n[kHh]) && n[kHw] > 0;
    if (haveView) {
        if (Usable(n[kZoomFactor]) && n[kZoomFactor] > 0) v.zoomFactor = n[kZoomFactor];
        if (Usable(n[kPanFraction]) && n[kPanFraction] > 0) v.panFraction = n[kPanFraction];
        if (Usable(n[kAspect]) && n[kAspect] > 0) v.aspect = n[kAspect];
        const bool unequal = n[kUnequal] != 0;
        // The setters refuse a view that cannot be mapped; then the window keeps its own.
        if (unequal) v.SetViewFree(n[kCx], n[kCy], n[kHw], n[kHh], true);
        else v.SetViewSquare(n[kCx], n[kCy], n[kHw]);
        v.NormalizeStoredFactors();
    }
    FrameSettings& f = s.frame;
    const auto& w = doc.plotWords;
    if (Usable(n[kSpacingX]) && n[kSpacingX] > 0) f.spacingX = n[kSpacingX];
    if (Usable(n[kSpacingY]) && n[kSpacingY] > 0) f.spacingY = n[kSpacingY];
    if (Usable(n[kOriginX])) f.originX = n[kOriginX];
    if (Usable(n[kOriginY])) f.originY = n[kOriginY];
    f.axesShown = w[kAxesShown] != 0; f.axesMode = Signed(w[kAxesMode]);
    f.ticks = w[kTicks] != 0; f.arrows = w[kArrows] != 0; f.solidArrows = w[kSolidArrows] != 0;
    f.gridPoints = w[kGridPoints] != 0; f.axisTitlesShown = w[kTitlesShown] != 0;
    f.numberFlags = w[kNumberFlags]; f.gridFlags = w[kGridFlags];
    f.polarSectors = Signed(w[kPolarSectors]);
    f.decimalsX = Signed(w[kDecimalsX]);
    f.decimalsY = Signed(w[kDecimalsY]);
    f.frequencyX = Signed(w[kFrequencyX]);
    f.frequencyY = Signed(w[kFrequencyY]);
    f.piModeX = (w[kPiModes] & 0xFF) != 0; f.piModeY = (w[kPiModes] >> 8) != 0;
    f.axisColour = Colour(w[kAxisColour]); f.gridColour = Colour(w[kGridColour]);
    f.labelBackground = Signed(w[kLabelBackground]); f.longMinus = w[kLongMinus] != 0;
    f.tickLength = Signed(w[kTickLength]);
    f.ClampCounts();
    s.background = Colour(w[kBackground]);
    const FrameSettings fresh;
    f.minusChar = InRange(w[kMinusChar], kCharCodeMin, kCharCodeMax, fresh.minusChar);
    f.piChar = InRange(w[kPiChar], kCharCodeMin, kCharCodeMax, fresh.piChar);
    f.axisWidthScreen = InRange(w[kAxisWidthScreen], 1, kMaxPenWidth, fresh.axisWidthScreen);
    f.gridWidthScreen = InRange(w[kGridWidthScreen], 1, kMaxPenWidth, fresh.gridWidthScreen);
    const std::int32_t printWidths = doc.NumberAsInt(kPrintWidths);
    f.axisWidthPrint = InRange(printWidths % kPrintWidthBase, 1, kMaxPenWidth, fresh.axisWidthPrint);
    f.gridWidthPrint = InRange(printWidths / kPrintWidthBase, 1, kMaxPenWidth, fresh.gridWidthPrint);
    s.switches.copyWithBackground = doc.switches[kCopyWithoutBackground] == 0;
    s.switches.labelsShown = doc.switches[kLabelsHidden] == 0;
    ApplyFonts(doc, s.fonts);
    for (int i = 0; i < 3; ++i) f.axisTitles[static_cast<std::size_t>(i)] = doc.windowStrings[static_cast<std::size_t>(i)];

    ApplyPrintSetup(doc, s.print);
    ApplyLetters(doc, s.engine.letters);
    s.engine.userFunctions = doc.userFunctions;
    ExampleInventory& inv = s.inventory;
    inv.Clear();
    // Room for ten more examples than the document brings, and at least the size it was given.
    const int size = InRange(doc.NumberAsInt(kInventorySize), 1, kMaxInventoryCapacity, kDefaultInventoryCapacity);
    inv.Resize(std::max<int>(size, static_cast<int>(doc.examples.size()) + 10));
    inv.SetBlackGraphs(doc.switches[kBlackGraphs] != 0);
    for (const Cv2Example& e : doc.examples) {
        const int i = inv.Begin(e.example.kind, e.example.rangeStart, e.example.rangeEnd);
        if (i < 0) break;
        InventorySlot& slot = inv.Slot(i);
        slot.example = e.example;
        slot.name = e.name;
        slot.results = e.results;
        slot.initialConditions = e.initialConditions;
        // A sequence draws every start point: no more than its dialog would take.
        if (slot.example.kind == kKindSequence && slot.initialConditions.size() > kMaxStartPoints)
            slot.initialConditions.resize(kMaxStartPoints);
    }
    const long double tolerance = n[kPeriodToleranceSlot];
    inv.SetPeriodTolerance(Usable(tolerance) && tolerance > 0 ? tolerance : kDefaultPeriodTolerance);
    inv.SetCreationCounter(static_cast<unsigned>(inv.Count()));
    inv.CompileAll(s.engine);
    inv.Select(Signed(w[kSelection]));
    // A stored step count outside what the dialog allows leaves the window's own.
    if (s.measure) {
        MeasureSettings& m = *s.measure;
        if (Usable(n[kMeasureLow]) && Usable(n[kMeasureHigh])) {
            m.low = n[kMeasureLow];
            m.high = n[kMeasureHigh];
        }
        const std::int32_t steps = doc.NumberAsInt(kMeasureSteps);
        if (steps >= 1 && steps <= kMaxSubintervals) m.steps = steps;
    }
}

void CaptureParams(const ParamSettings& params, Cv2Document& doc) {
    auto& n = doc.numbers;
    n[kSmallStepsSlot] = params.SmallSteps;
    n[kPageStepsSlot] = params.PageSteps;
    n[kAnimSpeedSlot] = params.AnimSpeed;
    n[kFrameDelaySlot] = params.FrameDelay;
    std::int32_t bits = 0;
    for (int k = 0; k < kParamLetterCount; ++k)
        if (params.LinkedLetters[static_cast<std::size_t>(k)]) bits |= std::int32_t{1} << k;
    n[kLinkedLettersSlot] = bits;
}

ParamSettings ParamsOf(const Cv2Document& doc) {
    ParamSettings p;
    p.SmallSteps = doc.NumberAsInt(kSmallStepsSlot);
    p.PageSteps = doc.NumberAsInt(kPageStepsSlot);
    p.AnimSpeed = doc.numbers[kAnimSpeedSlot];
    // A document from before these settings were kept holds 0 here: the default delay.
    const std::int32_t delay = doc.NumberAsInt(kFrameDelaySlot);
    p.FrameDelay = delay > 0 ? delay : ParamSettings().FrameDelay;
    const std::int32_t bits = doc.NumberAsInt(kLinkedLettersSlot);
    for (int k = 0; k < kParamLetterCount; ++k) p.LinkedLetters[static_cast<std::size_t>(k)] = (bits >> k) & 1;
    p.Sanitize();
    return p;
}

}  // namespace curvelo
