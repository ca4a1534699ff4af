// The dialog of a recursive sequence: its two formulas and switches, and the list of its
// start points, each with the number of terms to draw and its point size. The window's
// periodicity tolerance is set here too, as it serves the sequences only.
#pragma once

#include <vector>

#include "plot2d/edit_exmp_dlg.h"
#include "plot2d/start_points.h"

namespace curvelo {

namespace seqid {
inline constexpr int kList = 290;
inline constexpr int kX = 241, kY = 242, kTerms = 243, kSize = 244, kTolerance = 246;
inline constexpr int kKeepDrawn = 276;
inline constexpr int kAdd = 281, kRemove = 282, kRemoveAll = 283;
}  // namespace seqid

class TSequenceDlg : public TEditExmpDlg {
public:
    // points and tolerance are written only when the dialog is accepted; runs (may be
    // empty) tell what the start points gave when last drawn.
    TSequenceDlg(fw::TWindow* parent, TExample& example, std::vector<Cv2InitialCondition>& points,
                 long double& tolerance, const std::vector<SequenceRun>& runs, FormulaEngine& engine,
                 const NumberFormat& format, DlgPosition* remembered = nullptr);

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;

protected:
    void SetupWindow() override;
    FormOutcome ApplyFields(TExample& edited) override;
    void TransferOut() override;

private:
    void FillList();
    // Adds the start point of the edits; false (with the message) when one is invalid.
    bool AddPoint();

    std::vector<Cv2InitialCondition>& points_;
    long double& tolerance_;
    std::vector<Cv2InitialCondition> editedPoints_;
    long double editedTolerance_;
    std::vector<SequenceRun> runs_;
};

}  // namespace curvelo
