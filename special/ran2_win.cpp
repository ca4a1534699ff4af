#include "special/ran2_win.h"

#include "framework/command_enabler.h"
#include "special/dom2_win.h"

namespace curvelo {

TRan2Win::TRan2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane)
    : TGridWin(parent, caption), complexPlane_(complexPlane) {
    SetMenu("MAPMENU");
    LoadAccelerators("MAPMENU");
    ShowDefaultFrame();
    Frame().axisTitles = complexPlane ? std::array<std::string, 3>{"Re w", "Im w", ""}
                                      : std::array<std::string, 3>{"u", "v", ""};
}

TRan2Win::~TRan2Win() { LinkDomain(nullptr); }

void TRan2Win::LinkDomain(TDom2Win* domain) {
    if (domain) {
        domain->LinkRange(this);
    } else if (domain_) {
        domain_->range_ = nullptr;
        domain_ = nullptr;
    }
}

void TRan2Win::Destroy(int retVal) {
    LinkDomain(nullptr);
    TGridWin::Destroy(retVal);
}

void TRan2Win::PaintPicture(DrawSurface& surface, fw::DC& dc, bool withBackground) {
    TGridWin::PaintPicture(surface, dc, withBackground);
    if (!domain_) return;
    const bool colour = CurrentOutput().colourOutput;
    for (bool vertical : {true, false})
        DrawMapLines(surface, domain_->Map().MapGridLines(domain_->Grid(), vertical),
                     vertical ? kVerticalLineColour : kHorizontalLineColour, colour);
}

namespace {
// What the domain does for the pair: the map, the grid and the document.
bool DomainCommand(int id) {
    return id == mapcmd::kFunction || id == mapcmd::kGrid || id == filecmd::kOpen || id == filecmd::kSave ||
           id == filecmd::kSaveAs;
}
}  // namespace

bool TRan2Win::EvCommand(int id) {
    if (!DomainCommand(id)) return TGridWin::EvCommand(id);
    if (domain_) domain_->EvCommand(id);
    return true;
}

bool TRan2Win::EvCommandEnable(int id, fw::TCommandEnabler& ce) {
    if (!DomainCommand(id)) return TGridWin::EvCommandEnable(id, ce);
    ce.Enable(domain_ != nullptr);
    return true;
}

}  // namespace curvelo
