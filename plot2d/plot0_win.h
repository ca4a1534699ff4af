// The plot-window layer of the documents: reading and writing .cv2 files with everything the
// layers below hold, a new drawing, the document lock and author commands, and printing
// several documents on one page.
#pragma once

#include <string>
#include <vector>

#include "plot2d/cv2_document.h"
#include "plot2d/plot2_document.h"
#include "plot2d/plot_win.h"
#include "plotwin/window_settings.h"

namespace curvelo {

namespace doccmd {
inline constexpr int kNewDrawing = 78, kLock = 76, kAuthor = 77, kPrintSimultaneously = 307;
}

class TPlot0Win : public TPlotWin {
public:
    TPlot0Win(fw::TWindow* parent, const std::string& caption);

    bool HasDocumentFormat() const override { return true; }
    int ReadDocument(const std::string& path) override;
    int WriteDocument(const std::string& path) override;
    std::string DocumentFilter() const override;
    std::string DocumentExtension() const override { return "cv2"; }
    // The file type word of the window's documents; another type is refused.
    virtual std::int32_t DocumentFileType() const { return kFileType2D; }

    // Asks about unsaved changes, then empties the window for a new drawing; false when
    // the user kept the old one.
    bool NewDrawing();
    // Prints several documents on one page, each where its own print setup puts it; they are
    // loaded into this window in turn and the last one stays. Into a PDF file when a path is
    // given, else through the print dialog. False when a document could not be read.
    bool PrintSimultaneously(const std::vector<std::string>& files, int delayMs, const std::string& pdfPath = {});
    // The command: asks for the number of documents and the delay, then for each document.
    void AskSimultaneousPrinting();

    bool EvCommand(int id) override;
    // Writes the window kind's settings file before the window goes.
    void Destroy(int retVal = 0) override;

    // The integration tools' limits and count (kept in the document) and methods.
    MeasureSettings& Measures() { return measure_; }
    // The trajectory tracer's tolerances (kept in the document).
    TraceOptions& Tracing() { return tracing_; }

protected:
    // Reads the settings file first, so the window opens where and as it was last time and
    // can reopen the last edited document.
    void SetupWindow() override;
    // The window kind's settings file in the settings folder ("cv2.ini"), and its kind
    // number; an empty name keeps no settings file.
    virtual std::string SettingsFileName() const { return {}; }
    virtual std::int32_t SettingsKind() const { return 0; }
    // What a window kind keeps in its settings file beyond the shared part.
    virtual void ReadOwnSettings(const WindowSettings&) {}
    virtual void WriteOwnSettings(WindowSettings&) const {}
    // A window kind's own part of its documents. AcceptOwnState checks a read document
    // before it replaces anything (0 or the message number that refuses it); SharedStateOf
    // gives the document as the shared reader is to see it; ReadOwnState takes the kind's
    // part after the shared state, and WriteOwnState adds it after the shared state.
    virtual std::uint16_t AcceptOwnState(const Cv2Document&) const { return 0; }
    virtual Cv2Document SharedStateOf(const Cv2Document& doc) const { return doc; }
    virtual void ReadOwnState(const Cv2Document&) {}
    virtual void WriteOwnState(Cv2Document&) const {}
    // After a new drawing emptied the shared state.
    virtual void DrawingCleared() {}

private:
    void ReadSettingsFile();
    void WriteSettingsFile();
    void ShowAuthor();
    Plot2Fonts FontsOfWindow() const;
    Plot2Switches SwitchesOfWindow() const;
    MeasureSettings measure_;
    TraceOptions tracing_;

    // The last document read or written: what this window does not use survives in it.
    Cv2Document document_;
    const std::string untitledName_;
    std::string lastDocument_;  // of the settings file, kept when nothing newer was edited
    bool settingsSaved_ = false;
};

}  // namespace curvelo
