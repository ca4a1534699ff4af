#include "app/plot_frame.h"

#include "app/about_text.h"
#include "app/document_kind.h"
#include "framework/common_dialogs.h"
#include "framework/kit_services.h"
#include "framework/single_instance.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

constexpr int kMsgCannotOpen = 11;

// Message boxes break lines at '\n'; the About text is kept with CR LF.
std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

}  // namespace

TPlotFrame::TPlotFrame(fw::TWindow* parent, const std::string& caption,
                       std::unique_ptr<TLauncherWindows> windows, std::string instanceChannel)
    : TLumFrame(parent, caption), windows_(std::move(windows)),
      instanceChannel_(instanceChannel.empty() ? fw::DefaultInstanceChannel() : std::move(instanceChannel)) {
    SetMenu("PLOTMENU");
}

TPlotFrame::~TPlotFrame() = default;

void TPlotFrame::SetupWindow() {
    TLumFrame::SetupWindow();
    LoadAccelerators("PLOTMENU");
    windows_->CreateServiceWindow(this);
    instanceServer_ = std::make_unique<fw::SingleInstanceServer>(
        [this](const std::string& name) { ReceiveInstanceName(name); }, instanceChannel_);
    SetProperty(kInstanceProperty, 1);
}

bool TPlotFrame::InstanceListening() const { return instanceServer_ && instanceServer_->Listening(); }

void TPlotFrame::Destroy(int retVal) {
    RemoveProperty(kInstanceProperty);
    instanceServer_.reset();
    TLumFrame::Destroy(retVal);
}

void TPlotFrame::ReceiveInstanceName(const std::string& name) {
    if (IsMinimized()) Restore();
    Raise();
    // A one-character text cannot name a document.
    if (name.size() > 1) OpenFile(name.substr(0, 255));
}

void TPlotFrame::EvDropFiles(const std::vector<std::string>& paths) {
    for (const std::string& p : paths) OpenFile(p);
}

int TPlotFrame::OpenFile(const std::string& name) {
    switch (DocumentKindOf(name)) {
    case DocumentKind::Plot2: return OpenNew(NewWindowRequest::Kind::Plot2, name) ? 1 : 0;
    case DocumentKind::Plot3: return OpenNew(NewWindowRequest::Kind::Plot3, name) ? 1 : 0;
    case DocumentKind::MapReal: return OpenMappingPair(false, name) ? 1 : 0;
    case DocumentKind::MapComplex: return OpenMappingPair(true, name) ? 1 : 0;
    case DocumentKind::None: return 0;
    }
    return 0;
}

bool TPlotFrame::OpenNew(NewWindowRequest::Kind kind, const std::string& fileName) {
    NewWindowRequest r;
    r.kind = kind;
    r.readWindowSettings = flags_.ReadWindowSettings();
    switch (kind) {
    case NewWindowRequest::Kind::Plot2: r.caption = captions_.NextPlot2(); break;
    case NewWindowRequest::Kind::Plot3: r.caption = captions_.NextPlot3(); break;
    case NewWindowRequest::Kind::ManyBody: r.caption = captions_.NextManyBody(); break;
    case NewWindowRequest::Kind::Guessing: r.caption = WindowCaptions::Guessing(); break;
    case NewWindowRequest::Kind::MappingPair: return false;
    }
    if (kind != NewWindowRequest::Kind::Guessing) {
        r.documentWindow = true;
        r.openLastEdit = flags_.OpenLastEdit();
        r.fileName = fileName;
    }
    return windows_->Open(this, r);
}

bool TPlotFrame::OpenMappingPair(bool complexPlane, const std::string& fileName) {
    NewWindowRequest r;
    r.kind = NewWindowRequest::Kind::MappingPair;
    r.complexPlane = complexPlane;
    r.caption = captions_.NextMapDomain(complexPlane);
    r.rangeCaption = WindowCaptions::MapRange();
    r.openLastEdit = flags_.OpenLastEdit();
    r.readWindowSettings = flags_.ReadWindowSettings();
    r.fileName = fileName;
    return windows_->Open(this, r);
}

void TPlotFrame::ShowHelp() {
    std::string_view help = res::File("help/PROGHELP.txt");
    if (help.empty()) {
        ShowMessage(this, kMsgCannotOpen);
        return;
    }
    windows_->ShowHelp(std::string(HelpTextShown(help)));
}

void TPlotFrame::ShowAbout() {
    fw::MessageBox(this, WithoutCarriageReturns(AboutText()), std::string(res::String(298)),
                   fw::kMbOk | fw::kMbIconInformation);
}

bool TPlotFrame::EvCommand(int id) {
    switch (id) {
    case kCmdNew2D: OpenNew(NewWindowRequest::Kind::Plot2, {}); return true;
    case kCmdNew3D: OpenNew(NewWindowRequest::Kind::Plot3, {}); return true;
    case kCmdGuessing: OpenNew(NewWindowRequest::Kind::Guessing, {}); return true;
    case kCmdManyBody: OpenNew(NewWindowRequest::Kind::ManyBody, {}); return true;
    case kCmdMapReal: OpenMappingPair(false, {}); return true;
    case kCmdMapComplex: OpenMappingPair(true, {}); return true;
    case kCmdOpenLastEdit:
        flags_.ToggleOpenLastEdit();
        CheckMenuItem(kCmdOpenLastEdit, flags_.OpenLastEdit());
        CheckMenuItem(kCmdUseDefaults, flags_.UseDefaults());
        return true;
    case kCmdUseDefaults:
        flags_.ToggleUseDefaults();
        CheckMenuItem(kCmdOpenLastEdit, flags_.OpenLastEdit());
        CheckMenuItem(kCmdUseDefaults, flags_.UseDefaults());
        return true;
    case kCmdHelp: ShowHelp(); return true;
    case kCmdAbout: ShowAbout(); return true;
    default: return TLumFrame::EvCommand(id);
    }
}

bool TPlotFrame::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    RunDeferredStartup();
    switch (id) {
    case kCmdOpenLastEdit: ce.SetCheck(flags_.OpenLastEdit()); return true;
    case kCmdUseDefaults: ce.SetCheck(flags_.UseDefaults()); return true;
    default: return TLumFrame::EvCommandEnable(id, ce);
    }
}

}  // namespace curvelo
