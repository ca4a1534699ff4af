// The plot-window layer of the output helpers the curve layers share: the document's bare
// title, the cursor's world position in the title bar, and the text exports of the picture
// (PiCTeX, command 70, and TikZ, command 71).
#pragma once

#include <string>

#include "plotwin/lum_wint.h"
#include "plotwin/pictex_writer.h"

namespace curvelo {

namespace exportcmd {
inline constexpr int kPictex = 70, kTikz = 71;
}

enum class ExportKind { kPictex, kTikz };

class TLumWinm : public TLumWint {
public:
    using TLumWint::TLumWint;

    // The document's file name without its folder.
    std::string DocumentTitle() const;
    // "   [x = 2.41477; y = 1.52699]" in the window's number format.
    std::string CursorText(fw::Point p) const;

    // The settings the export dialog starts from (kept while the window lives).
    PictexSettings& ExportSettings() { return exportSettings_; }
    // The picture as export text, drawn at w x h pixels (the proportions of the picture).
    std::string ExportText(ExportKind kind, const PictexSettings& settings, int w, int h);
    // Through the safe writer, at the client area's size; 0, or the message 412 (the old
    // file is kept) with the reason in *why.
    int ExportToFile(const std::string& path, ExportKind kind, const PictexSettings& settings,
                     std::string* why = nullptr);

    bool EvCommand(int id) override;

protected:
    void EvMouseMove(unsigned modifiers, fw::Point p) override;

private:
    // The commands: file name, settings, the file, and the message of success.
    void RunExport(ExportKind kind);

    PictexSettings exportSettings_;
};

}  // namespace curvelo
