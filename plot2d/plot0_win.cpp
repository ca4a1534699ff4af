#include "plot2d/plot0_win.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <tuple>

#include "expr/eval.h"
#include "framework/common_dialogs.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_pwd_dlg.h"
#include "framework/kit_services.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/plot2_document.h"
#include "framework/settings_dir.h"
#include "resources/resources.h"
#include "textwin/note_win.h"

namespace curvelo {
namespace {

std::vector<TextLabel> LabelsOf(const std::vector<Cv2LabelRecord>& records) {
    std::vector<TextLabel> labels;
    labels.reserve(records.size());
    for (const Cv2LabelRecord& r : records) labels.push_back(TextLabel::Load(r));
    return labels;
}

std::vector<Cv2LabelRecord> RecordsOf(const std::vector<TextLabel>& labels) {
    std::vector<Cv2LabelRecord> records;
    records.reserve(labels.size());
    for (const TextLabel& l : labels) records.push_back(l.Store());
    return records;
}

class TSimultaneousPrintout : public fw::TPrintout {
public:
    TSimultaneousPrintout(TPlot0Win& window, const std::vector<std::string>& files, int delayMs)
        : fw::TPrintout(std::string(res::String(23))), window_(window), files_(files), delayMs_(delayMs) {}

    void PrintPage(int, fw::DC& dc, const fw::Rect&) override {
        for (const std::string& file : files_) {
            if (window_.OpenDocument(file) != 0) {
                ok_ = false;
                continue;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
            window_.DrawOnPrinterPage(dc);
        }
    }
    bool AllRead() const { return ok_; }

private:
    TPlot0Win& window_;
    const std::vector<std::string>& files_;
    int delayMs_;
    bool ok_ = true;
};

}  // namespace

TPlot0Win::TPlot0Win(fw::TWindow* parent, const std::string& caption)
    : TPlotWin(parent, caption), untitledName_(caption) {}

std::string TPlot0Win::DocumentFilter() const { return std::string(res::String(267)); }

int TPlot0Win::ReadDocument(const std::string& path) {
    Cv2Document doc;
    if (std::uint16_t code = LoadCv2File(path, DocumentFileType(), doc)) return code;
    if (std::uint16_t code = AcceptOwnState(doc)) return code;
    int background = BackgroundColour();
    Plot2Fonts fonts = FontsOfWindow();
    Plot2Switches switches = SwitchesOfWindow();
    ApplyWindowState(SharedStateOf(doc),
                     {View(), Frame(), background, Inventory(), Engine(), Print(), fonts, switches, &measure_, &tracing_});
    Params() = ParamsOf(doc);
    RefreshParamDialogs();
    if (int* slot = ColourSlot(kColourKindBackground)) *slot = background;
    for (int k = 0; k < kFontKindCount; ++k) SetFont(k, fonts.fonts[k], fonts.colours[k]);
    SetCopyWithBackground(switches.copyWithBackground);
    SetLabelsShown(switches.labelsShown);
    Labels() = LabelsOf(doc.textLabels);
    EquationLabels() = LabelsOf(doc.equationLabels);
    Lock() = LockOf(doc);
    SetUnlocked(false);
    if (Notepad()) Notepad()->SetText(doc.hasNotepad ? doc.notepad : std::string());
    // The stored placement, when it fits on this screen.
    const auto& p = doc.placement;
    if (p[0] >= 0 && p[1] >= 0 && p[2] >= 120 && p[3] >= 72 &&
        std::int64_t{p[0]} + p[2] <= Screen().width && std::int64_t{p[1]} + p[3] <= Screen().height)
        MoveWindow({p[0], p[1], p[0] + p[2], p[1] + p[3]});
    ReadOwnState(doc);
    document_ = std::move(doc);
    RefreshInventoryView();
    RepaintAll();
    return 0;
}

int TPlot0Win::WriteDocument(const std::string& path) {
    if (!Authorised(Lock().protectSaving)) return -1;
    Cv2Document doc = document_;
    doc.fileType = DocumentFileType();
    CaptureLock(Lock(), doc);
    int background = BackgroundColour();
    Plot2Fonts fonts = FontsOfWindow();
    Plot2Switches switches = SwitchesOfWindow();
    CaptureWindowState({View(), Frame(), background, Inventory(), Engine(), Print(), fonts, switches, &measure_, &tracing_}, doc);
    CaptureParams(Params(), doc);
    doc.textLabels = RecordsOf(Labels());
    doc.equationLabels = RecordsOf(EquationLabels());
    const fw::Rect r = GetNormalRect();
    doc.placement = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    doc.maximised = IsMaximized() ? 1 : 0;
    if (Notepad()) {
        doc.notepad = Notepad()->Text();
        doc.hasNotepad = !doc.notepad.empty();
    }
    WriteOwnState(doc);
    if (std::uint16_t code = SaveCv2File(path, doc)) return code;
    document_ = std::move(doc);
    return 0;
}

static_assert(std::tuple_size_v<decltype(Plot2Fonts::fonts)> == kFontKindCount);

Plot2Fonts TPlot0Win::FontsOfWindow() const {
    Plot2Fonts f;
    for (int k = 0; k < kFontKindCount; ++k) {
        f.fonts[k] = Font(k);
        f.colours[k] = FontColour(k);
    }
    return f;
}

Plot2Switches TPlot0Win::SwitchesOfWindow() const { return {CopyWithBackground(), LabelsShown()}; }

bool TPlot0Win::NewDrawing() {
    if (!CanClose()) return false;
    Lock() = DocumentLock();
    SetUnlocked(false);
    Inventory().Clear();
    Inventory().SetCreationCounter(0);
    Engine().letters.ResetValues();
    Params() = ParamSettings();
    RefreshParamDialogs();
    Engine().userFunctions.Clear();
    Labels().clear();
    EquationLabels().clear();
    Frame() = FrameSettings();
    measure_ = MeasureSettings();
    tracing_ = TraceOptions();
    ShowDefaultFrame();
    if (int* slot = ColourSlot(kColourKindBackground)) *slot = kColourWhite;
    if (Notepad()) Notepad()->SetText(std::string());
    document_ = Cv2Document();
    View().ResetView();
    DrawingCleared();
    SetUntitled(untitledName_);
    RefreshInventoryView();
    RepaintAll();
    return true;
}

bool TPlot0Win::PrintSimultaneously(const std::vector<std::string>& files, int delayMs, const std::string& pdfPath) {
    TSimultaneousPrintout printout(*this, files, std::clamp(delayMs, 0, 10000));
    const bool printed = PrintPrintout(printout, pdfPath);
    return printed && printout.AllRead();
}

void TPlot0Win::AskSimultaneousPrinting() {
    if (!CanClose()) return;  // the documents replace this one
    std::string count = "2", delay = "0";
    TInp2Dlg ask(this, std::string(res::String(23)), std::string(res::String(22)), std::string(res::String(24)),
                 &count, &delay, 10);
    if (ask.Execute() != 1) return;
    std::int32_t n = 0, ms = 0;
    if (std::uint16_t code = EvaluateInteger(Engine(), count, 1, 20, n)) return ShowMessage(this, code);
    if (std::uint16_t code = EvaluateInteger(Engine(), delay, 0, 10000, ms)) return ShowMessage(this, code);
    std::vector<std::string> files;
    for (std::int32_t i = 0; i < n; ++i) {
        fw::FileDialogOptions options;
        options.filter = DocumentFilter();
        options.defaultExt = DocumentExtension();
        options.mustExist = true;
        if (!fw::OpenFileDialog(this, options)) return;
        files.push_back(options.fileName);
    }
    if (!PrintSimultaneously(files, ms)) ShowMessage(this, 11);
}

namespace {

// Black graphs is the window's own value kept in the view-layer block.
constexpr int kSettingsBlackGraphs = 2;

}  // namespace

void TPlot0Win::SetupWindow() {
    if (!SettingsFileName().empty() && UsesSettingsFile() && ReadWindowSettings()) ReadSettingsFile();
    TPlotWin::SetupWindow();
}

void TPlot0Win::ReadSettingsFile() {
    auto s = LoadWindowSettingsFile(fw::SettingsDirectory() + "/" + SettingsFileName(), SettingsKind());
    if (!s) return;
    const fw::ScreenMetrics& screen = Screen();
    if (s->left >= 0 && s->top >= 0 && s->width >= 120 && s->height >= 72 &&
        std::int64_t{s->left} + s->width <= screen.width && std::int64_t{s->top} + s->height <= screen.height)
        MoveWindow({s->left, s->top, s->left + s->width, s->top + s->height});
    PrintSetup& p = Print();
    if (s->printWidth >= 0.25L) p.width = s->printWidth;
    if (s->printLeft >= 0.25L) p.left = s->printLeft;
    if (s->printTop >= 0.25L) p.top = s->printTop;
    p.interval = s->printInterval > 1e-18L ? s->printInterval : -1;
    p.frame = s->printFrame != 0;
    p.colour = s->printColour != 0;
    if (!s->colourIndexes.empty() && s->colourIndexes[0] <= 24)
        if (int* slot = ColourSlot(kColourKindBackground)) *slot = s->colourIndexes[0];
    if (s->viewInts[1] == 10) Inventory().SetBlackGraphs(s->viewInts[kSettingsBlackGraphs] != 0);
    ReadOwnSettings(*s);
    lastDocument_ = s->lastDocument;
    if (OpenLastEdit() && StartFile().empty() && !lastDocument_.empty())
        SetStartOptions(OpenLastEdit(), ReadWindowSettings(), lastDocument_);
}

void TPlot0Win::Destroy(int retVal) {
    if (!SettingsFileName().empty() && UsesSettingsFile() && IsCreated() && !settingsSaved_) WriteSettingsFile();
    TPlotWin::Destroy(retVal);
}

void TPlot0Win::WriteSettingsFile() {
    settingsSaved_ = true;
    WindowSettings s;
    s.kind = SettingsKind();
    const fw::Rect r = GetNormalRect();
    s.left = r.left;
    s.top = r.top;
    s.width = r.right - r.left;
    s.height = r.bottom - r.top;
    s.maximised = IsMaximized() ? 1 : 0;
    const PrintSetup& p = Print();
    s.printInterval = p.interval;
    s.printWidth = p.width;
    s.printLeft = p.left;
    s.printTop = p.top;
    s.printFrame = p.frame;
    s.printColour = p.colour;
    s.colourIndexes = {static_cast<std::uint16_t>(BackgroundColour())};
    s.viewInts[0] = 1;
    s.viewInts[1] = 10;
    s.viewInts[kSettingsBlackGraphs] = Inventory().BlackGraphs() ? 1 : 0;
    WriteOwnSettings(s);
    s.lastDocument = HasFilePath() ? FileName() : lastDocument_;
    // Silent: settings are a convenience.
    SaveWindowSettingsFile(fw::SettingsDirectory() + "/" + SettingsFileName(), s);
}

void TPlot0Win::ShowAuthor() {
    const DocumentLock& lock = Lock();
    if (lock.Protected() && !lock.showAuthor && !Unlocked()) {
        ShowMessage(this, kMsgNotAuthorised);
        return;
    }
    const std::string text = "szerző: " + lock.author + "\ndátum: " + lock.date + "\ne-mail: " + lock.email +
                             "\nhomepage: " + lock.homepage;
    fw::MessageBox(this, text, "Szerző", fw::kMbOk);
}

bool TPlot0Win::EvCommand(int id) {
    switch (id) {
    case doccmd::kNewDrawing: NewDrawing(); return true;
    case doccmd::kPrintSimultaneously: AskSimultaneousPrinting(); return true;
    case doccmd::kLock:
        if (EditDocumentLock(this, Lock())) {
            SetUnlocked(true);  // who set the password knows it
            SetModified(true);
        }
        return true;
    case doccmd::kAuthor: ShowAuthor(); return true;
    default: return TPlotWin::EvCommand(id);
    }
}

}  // namespace curvelo
