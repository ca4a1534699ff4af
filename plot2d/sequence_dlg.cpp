#include "plot2d/sequence_dlg.h"

#include <cmath>

#include "expr/eval.h"
#include "framework/kit_services.h"
#include "plot2d/interpolation.h"

namespace curvelo {

TSequenceDlg::TSequenceDlg(fw::TWindow* parent, TExample& example, std::vector<Cv2InitialCondition>& points,
                           long double& tolerance, const std::vector<SequenceRun>& runs, FormulaEngine& engine,
                           const NumberFormat& format, DlgPosition* remembered)
    : TEditExmpDlg(parent, example, engine, format, remembered), points_(points), tolerance_(tolerance),
      editedPoints_(points), editedTolerance_(tolerance), runs_(runs) {}

void TSequenceDlg::SetupWindow() {
    TEditExmpDlg::SetupWindow();
    // A small tolerance would show as 0 in the window's number format.
    SetItemText(seqid::kTolerance, NumberLiteral(editedTolerance_, 6));
    const StartPoint fresh;
    SetItemText(seqid::kX, "0");
    SetItemText(seqid::kY, "0");
    SetItemText(seqid::kTerms, std::to_string(fresh.terms));
    SetItemText(seqid::kSize, std::to_string(fresh.size));
    FillList();
}

void TSequenceDlg::FillList() {
    ClearList(seqid::kList);
    for (std::size_t i = 0; i < editedPoints_.size(); ++i)
        AddString(seqid::kList, StartPointLine(ReadStartPoint(editedPoints_[i]), Format(),
                                               i < runs_.size() ? &runs_[i] : nullptr));
}

bool TSequenceDlg::AddPoint() {
    if (editedPoints_.size() >= static_cast<std::size_t>(kMaxStartPoints)) {
        ShowMessage(this, 4);  // "nincs hely"
        return false;
    }
    StartPoint p;
    p.colour = Example().penColour;
    p.width = Example().penWidth;
    std::int32_t terms = 0, size = 0;
    struct Field { int id; std::uint16_t code; };
    const Field fields[] = {
        {seqid::kX, EvaluateText(Engine(), GetItemText(seqid::kX), p.x)},
        {seqid::kY, EvaluateText(Engine(), GetItemText(seqid::kY), p.y)},
        {seqid::kTerms, EvaluateInteger(Engine(), GetItemText(seqid::kTerms), 1, kMaxSequenceTerms, terms)},
        {seqid::kSize, EvaluateInteger(Engine(), GetItemText(seqid::kSize), 0, kMaxPointSize, size)},
    };
    for (const Field& f : fields) {
        if (f.code == 0) continue;
        ShowMessage(this, f.code);
        SetItemFocus(f.id);
        return false;
    }
    p.terms = terms;
    p.size = static_cast<std::uint16_t>(size);
    p.keepDrawnCount = IsItemChecked(seqid::kKeepDrawn);
    Cv2InitialCondition record;
    WriteStartPoint(p, record);
    editedPoints_.push_back(record);
    runs_.clear();  // the periods belong to the list as it was drawn
    FillList();
    SetSelIndex(seqid::kList, static_cast<int>(editedPoints_.size()) - 1);
    return true;
}

bool TSequenceDlg::EvCommand(int id) {
    switch (id) {
    case seqid::kAdd: AddPoint(); return true;
    case seqid::kRemove: {
        const int i = GetSelIndex(seqid::kList);
        if (i < 0 || i >= static_cast<int>(editedPoints_.size())) return true;
        editedPoints_.erase(editedPoints_.begin() + i);
        runs_.clear();
        FillList();
        SetSelIndex(seqid::kList, std::min(i, static_cast<int>(editedPoints_.size()) - 1));
        return true;
    }
    case seqid::kRemoveAll:
        editedPoints_.clear();
        runs_.clear();
        FillList();
        return true;
    default: return TEditExmpDlg::EvCommand(id);
    }
}

void TSequenceDlg::EvNotify(int controlId, fw::Notify code) {
    const int i = GetSelIndex(seqid::kList);
    if (controlId != seqid::kList || code != fw::Notify::SelChange || i < 0 ||
        i >= static_cast<int>(editedPoints_.size()))
        return TEditExmpDlg::EvNotify(controlId, code);
    // The chosen start point's values go to the edits, to be changed and added again.
    const StartPoint p = ReadStartPoint(editedPoints_[static_cast<std::size_t>(i)]);
    SetItemText(seqid::kX, Format().FormatForField(p.x));
    SetItemText(seqid::kY, Format().FormatForField(p.y));
    SetItemText(seqid::kTerms, std::to_string(p.terms));
    SetItemText(seqid::kSize, std::to_string(p.size));
    CheckItem(seqid::kKeepDrawn, p.keepDrawnCount);
}

FormOutcome TSequenceDlg::ApplyFields(TExample& edited) {
    const FormOutcome outcome = TEditExmpDlg::ApplyFields(edited);
    if (outcome.code) return outcome;
    long double t = 0;
    if (std::uint16_t code = EvaluateText(Engine(), GetItemText(seqid::kTolerance), t)) return {code, seqid::kTolerance};
    if (!(t > 0) || !std::isfinite(t)) return {17, seqid::kTolerance};  // "túl a határokon"
    editedTolerance_ = t;
    return {};
}

void TSequenceDlg::TransferOut() {
    TEditExmpDlg::TransferOut();
    points_ = editedPoints_;
    tolerance_ = editedTolerance_;
}

}  // namespace curvelo
