#include <memory>

#include "app/launcher_windows.h"
#include "plot2d/plot2_win.h"
#include "plot3d/plot3_win.h"
#include "plotwin/lum_win.h"
#include "special/dom2_win.h"
#include "special/plotg_win.h"
#include "special/plotx_win.h"
#include "special/ran2_win.h"

namespace curvelo {
namespace {

// Sets up and shows a window the launcher made; false when it could not be created.
bool Start(TFileMsgWin* w, bool document, bool openLastEdit, bool readSettings,
           const std::string& fileName) {
    w->SetDocumentWindow(document);
    w->SetStartOptions(openLastEdit, readSettings, fileName);
    if (!w->Create()) return false;
    w->Show();
    return true;
}

class ProgramWindows : public TLauncherWindows {
public:
    bool Open(fw::TWindow* frame, const NewWindowRequest& r) override {
        using Kind = NewWindowRequest::Kind;
        switch (r.kind) {
        case Kind::Plot2:
            return Start(new TPlot2Win(frame, r.caption), r.documentWindow, r.openLastEdit,
                         r.readWindowSettings, r.fileName);
        case Kind::Plot3:
            return Start(new TPlot3Win(frame, r.caption), r.documentWindow, r.openLastEdit,
                         r.readWindowSettings, r.fileName);
        case Kind::ManyBody:
            return Start(new TPlotXWin(frame, r.caption), r.documentWindow, r.openLastEdit,
                         r.readWindowSettings, r.fileName);
        case Kind::Guessing:
            return Start(new TPlotGWin(frame, r.caption), false, false, r.readWindowSettings, {});
        case Kind::MappingPair: {
            auto* domain = new TDom2Win(frame, r.caption, r.complexPlane);
            auto* range = new TRan2Win(frame, r.rangeCaption, r.complexPlane);
            domain->LinkRange(range);  // links both ways
            bool ok = Start(domain, false, r.openLastEdit, r.readWindowSettings, r.fileName);
            return Start(range, false, false, false, {}) && ok;
        }
        }
        return false;
    }

    void CreateServiceWindow(fw::TWindow* frame) override {
        // Hidden: it only owns the launcher's help window.
        service_ = new TLumWin(frame, "name.ext");
        service_->Create();
    }

    void ShowHelp(const std::string& text) override {
        if (service_) service_->ShowHelp(0, text);
    }

private:
    TLumWin* service_ = nullptr;
};

}  // namespace

std::unique_ptr<TLauncherWindows> MakeProgramWindows() { return std::make_unique<ProgramWindows>(); }

}  // namespace curvelo
