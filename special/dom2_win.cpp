#include "special/dom2_win.h"

#include "special/ran2_win.h"

namespace curvelo {

TDom2Win::TDom2Win(fw::TWindow* parent, const std::string& caption, bool complexPlane)
    : TGridWin(parent, caption), complexPlane_(complexPlane) {
    SetMenu("MAPMENU");
    LoadAccelerators("MAPMENU");
    ShowDefaultFrame();
    Frame().axisTitles = complexPlane ? std::array<std::string, 3>{"Re z", "Im z", ""}
                                      : std::array<std::string, 3>{"x", "y", ""};
}

TDom2Win::~TDom2Win() { LinkRange(nullptr); }

void TDom2Win::LinkRange(TRan2Win* range) {
    if (range_ == range) return;
    if (range_) range_->domain_ = nullptr;
    range_ = range;
    if (range_) {
        if (range_->domain_ && range_->domain_ != this) range_->domain_->range_ = nullptr;
        range_->domain_ = this;
    }
}

void TDom2Win::Destroy(int retVal) {
    TRan2Win* range = range_;
    LinkRange(nullptr);
    if (range && range->IsCreated()) range->Destroy(retVal);
    TGridWin::Destroy(retVal);
}

}  // namespace curvelo
