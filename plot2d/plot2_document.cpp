#include "plot2d/plot2_document.h"

#include <algorithm>
#include <cmath>

#include "plot2d/cv2_codec.h"

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
                kLabelBackground = 22, kLongMinus = 25, kTickLength = 28, kBackground = 35 };
enum SelectionWord { kSelection = 23 };

std::uint16_t Word(std::int32_t v) { return static_cast<std::uint16_t>(v); }
std::int16_t Signed(std::uint16_t w) { return static_cast<std::int16_t>(w); }
int Colour(std::uint16_t w) { return w <= 24 ? w : 0; }
bool Usable(long double v) { return std::isfinite(v); }

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
    for (int i = 0; i < 3; ++i) doc.windowStrings[static_cast<std::size_t>(i)] = f.axisTitles[static_cast<std::size_t>(i)];

    doc.examples.clear();
    for (int i = 0; i < s.inventory.Count(); ++i) {
        Cv2Example e;
        e.example = s.inventory.Slot(i).example;
        e.name = s.inventory.Slot(i).name;
        doc.examples.push_back(std::move(e));
    }
    w[9] = Word(s.inventory.LastIndex());
    w[kSelection] = Word(s.inventory.Selected());
    CaptureLetters(s.engine.letters, doc);
    doc.userFunctions = s.engine.userFunctions;
    CapturePrintSetup(s.print, doc);
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
    for (int i = 0; i < 3; ++i) f.axisTitles[static_cast<std::size_t>(i)] = doc.windowStrings[static_cast<std::size_t>(i)];

    ApplyPrintSetup(doc, s.print);
    ApplyLetters(doc, s.engine.letters);
    s.engine.userFunctions = doc.userFunctions;
    ExampleInventory& inv = s.inventory;
    inv.Clear();
    inv.Resize(std::max<int>(kDefaultInventoryCapacity, static_cast<int>(doc.examples.size()) + 10));
    for (const Cv2Example& e : doc.examples) {
        const int i = inv.Begin(e.example.kind, e.example.rangeStart, e.example.rangeEnd);
        if (i < 0) break;
        inv.Slot(i).example = e.example;
        inv.Slot(i).name = e.name;
    }
    inv.SetCreationCounter(static_cast<unsigned>(inv.Count()));
    inv.CompileAll(s.engine);
    inv.Select(Signed(w[kSelection]));
}

}  // namespace curvelo
