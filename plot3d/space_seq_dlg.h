// The start-point dialog of 3D recursive sequences ("IVP12"): the window's sequences in a
// combo box, x, y, z, the number of terms, the point size and colour of a new start point
// (kept as formula texts on request), "rajzol" (with "megfigyel" each term is shown after
// a pause), and the list of the sequence's start points with "töröl" and "mind törli".
#pragma once

#include <string>
#include <vector>

#include "framework/kit_dlg.h"
#include "plot2d/ivp_dlg.h"
#include "plot3d/space_solutions.h"

namespace curvelo {

namespace seqstartid {
inline constexpr int kX = 211, kY = 212, kZ = 213, kTerms = 214, kSize = 235;
}

// Reads the fields (numbers may be formulas) into a start point record; 0 or the message
// code with the edit to correct. Terms 1 ... kMaxSequenceTerms, size 0 ... kMaxPointSize.
struct SeqStartFields {
    std::string x, y, z, terms, size;
    int colour = 0;
    bool asText = false;
};
FormOutcome ApplySeqStartFields(const SeqStartFields& f, FormulaEngine& engine, Cv2InitialCondition& record);
std::string SeqStartLine(const Cv2InitialCondition& record, const NumberFormat& format);

class TSeqStartDlg : public TDlg {
public:
    TSeqStartDlg(fw::TWindow* parent, IvpHost& host, int example);

    bool EvCommand(int id) override;
    void EvNotify(int controlId, fw::Notify code) override;
    int Example() const { return example_; }

protected:
    void SetupWindow() override;

private:
    std::vector<Cv2InitialCondition>* Points();
    void FillList();
    void Draw();

    IvpHost& host_;
    int example_;
    std::vector<int> examples_;
};

}  // namespace curvelo
