#include "plotwin/lum_winm.h"

#include <algorithm>

#include "framework/bitmap.h"
#include "framework/common_dialogs.h"
#include "framework/dc.h"
#include "framework/kit_inp_dlg.h"
#include "framework/kit_services.h"
#include "framework/kit_status_text.h"
#include "framework/safe_file.h"
#include "plotwin/pictex_dlg.h"
#include "plotwin/pictex_surface.h"
#include "plotwin/tikz_surface.h"
#include "resources/resources.h"

namespace curvelo {
namespace {

// Refused widths ask again, but not without end.
constexpr int kMaxTries = 100;

std::string Str(int id) { return std::string(res::String(id)); }

}  // namespace

std::string TLumWinm::DocumentTitle() const {
    return std::string(BareFileName(FileName()));
}

std::string TLumWinm::CursorText(fw::Point p) const {
    const WorldPoint w = View().PixelToWorld(p.x, p.y);
    return "   [x = " + Format().FormatForField(w.x) + "; y = " + Format().FormatForField(w.y) + "]";
}

void TLumWinm::EvMouseMove(unsigned modifiers, fw::Point p) {
    TLumWint::EvMouseMove(modifiers, p);
    UpdateTitle(this, false, CursorText(p));
}

std::string TLumWinm::ExportText(ExportKind kind, const PictexSettings& settings, int w, int h) {
    PlotView& view = View();
    view.ApplyViewTo(std::max(1, w), std::max(1, h), 0, 0);
    // The paint routine wants a device context; nothing is drawn into it.
    fw::Bitmap probe(1, 1);
    fw::DC dc(probe);
    const auto paint = [&](DrawSurface& surface) { PaintPicture(surface, dc, false); };
    std::string text;
    if (kind == ExportKind::kTikz) {
        TikzSurface surface(view, settings.widthCm);
        paint(surface);
        surface.Finish();
        text = surface.Take();
    } else {
        text = PictexText(view, Format(), settings, paint);
    }
    view.ApplyView();
    return text;
}

int TLumWinm::ExportToFile(const std::string& path, ExportKind kind, const PictexSettings& settings,
                           std::string* why) {
    const fw::Size client = GetClientSize();
    const std::string text = ExportText(kind, settings, client.cx, client.cy);
    return WriteFileSafely(path, text, why) ? 0 : kMsgCannotSave;
}

void TLumWinm::RunExport(ExportKind kind) {
    const bool tikz = kind == ExportKind::kTikz;
    fw::FileDialogOptions options;
    options.filter = tikz ? "TikZ Files (*.TIKZ)|*.tikz|" : "TeX Files (*.TEX)|*.tex|";
    options.defaultExt = tikz ? "tikz" : "tex";
    options.fileName = Str(29) + (tikz ? ".tikz" : ".tex");
    if (!fw::SaveFileDialog(this, options)) return;
    PictexSettings settings = exportSettings_;
    if (tikz) {
        // TikZ asks only for the width, with the picture-size dialog's texts.
        std::string text = FormatFixed(settings.widthCm, 0, 2);
        for (int tries = 0;; ++tries) {
            if (tries == kMaxTries || TInpDlg(this, Str(26), Str(27), &text, 20).Execute() != fw::kIdOk) return;
            long double width = 0;
            const int err = !Evaluator()(text, &width)                                    ? kMsgNotUnderstood
                            : !(width >= kMinExportWidthCm && width <= kMaxExportWidthCm) ? kMsgOutOfLimits
                                                                                          : 0;
            if (err == 0) {
                settings.widthCm = width;
                break;
            }
            ShowMessage(this, err);
        }
    } else if (TPictexDlg(this, settings, false, Evaluator()).Execute() != fw::kIdOk) {
        return;
    }
    exportSettings_ = settings;
    if (ExportToFile(options.fileName, kind, settings) != 0) {
        ShowMessage(this, kMsgCannotSave);
        return;
    }
    fw::MessageBox(this, Str(tikz ? 86 : 89), Str(88), fw::kMbOk);
}

bool TLumWinm::EvCommand(int id) {
    switch (id) {
    case exportcmd::kPictex: RunExport(ExportKind::kPictex); return true;
    case exportcmd::kTikz: RunExport(ExportKind::kTikz); return true;
    default: return TLumWint::EvCommand(id);
    }
}

}  // namespace curvelo
