// The guessing-game window: a 2D window that draws a random function as equation 0 and
// judges the user's guesses of its formula; a wrong guess is drawn beside it as equation 1.
// It keeps no documents; its allowed types live in "guess.ini".
#pragma once

#include <cstdint>
#include <string>

#include "plot2d/plote_win.h"
#include "special/guess_check.h"
#include "special/guess_problem.h"

namespace curvelo {

namespace guesscmd {
inline constexpr int kNewProblem = 791, kGuess = 404, kAnswer = 806, kTypes = 870, kAllTypes = 119, kReset = 871;
inline constexpr int kFirstHelp = 880, kLastHelp = 885;
}

// Window kind number of "guess.ini".
inline constexpr std::int32_t kSettingsKindGuess = 2004;

class TPlotGWin : public TPlotEWin {
public:
    TPlotGWin(fw::TWindow* parent, const std::string& caption);

    bool HasDocumentFormat() const override { return false; }
    bool EvCommand(int id) override;
    void Destroy(int retVal = 0) override;

    GuessSwitches& Switches() { return switches_; }
    const GuessProblem& Problem() const { return problem_; }
    void SeedRandom(std::uint64_t seed) { random_ = RandomInts(seed); }

    void NewProblem();
    // Judges a guess typed as text (what the guess dialog passes on).
    void JudgeGuess(const std::string& text);
    // The guess dialog, then JudgeGuess.
    void AskGuess();
    void ShowAnswer();
    // The types dialog; afterwards at least one type is allowed.
    void ChooseTypes();
    // The last title the game showed.
    const std::string& GameTitle() const { return gameTitle_; }

protected:
    void SetupWindow() override;
    // The picture is no document: changing the view changes nothing to save.
    void ViewModified() override {}

private:
    void SetGameTitle(const std::string& title);
    void RemoveGuess();
    void EnsureSomeType();

    GuessSwitches switches_ = GuessSwitches::Reset();
    GuessProblem problem_;
    RandomInts random_;
    std::string lastGuess_;
    std::string gameTitle_;
    bool settingsSaved_ = false;
};

}  // namespace curvelo
