#include "special/ran2_win.h"

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

}  // namespace curvelo
