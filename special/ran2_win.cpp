#include "special/ran2_win.h"

#include "framework/command_enabler.h"
#include "special/dom2_win.h"
#include "special/map_curves.h"

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
    // The curves in their own colours, as in the domain.
    ExampleInventory& curves = domain_->Inventory();
    for (int i = 0; i < curves.Count(); ++i) {
        const InventorySlot& slot = curves.Slot(i);
        if (!IsMappedCurve(slot.example)) continue;
        const auto image = domain_->Map().MapPoints(SampleCurve(domain_->Engine().letters, slot));
        DrawMapLines(surface, image, slot.example.penColour, colour, slot.example.penWidth);
    }
}

namespace {
// What the domain does for the pair: the map, the grid, the curves and the document.
bool DomainCommand(int id) {
    return id == mapcmd::kFunction || id == mapcmd::kGrid || id == filecmd::kOpen || id == filecmd::kSave ||
           id == filecmd::kSaveAs || id == eqcmd::kExplicit || id == eqcmd::kParametric || id == invcmd::kInventory;
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
