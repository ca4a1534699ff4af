// Printing: a printout draws its pages through a DC; a printer sends them to a real printer
// (the system print dialog, CUPS) or to a PDF file.
#pragma once

#include <memory>
#include <string>

#include "framework/fw_types.h"

namespace curvelo::fw {

class DC;
class TWindow;
struct PrinterImpl;

class TPrintout {
public:
    explicit TPrintout(const std::string& title) : title_(title) {}
    virtual ~TPrintout() = default;
    const std::string& Title() const { return title_; }

    // Called once with the page's DC before the first page (for layout).
    virtual void BeginPrinting(DC& /*dc*/) {}
    virtual bool HasPage(int page) const { return page == 1; }
    // pageRect: the printable area in device pixels, origin at its top-left corner.
    virtual void PrintPage(int page, DC& dc, const Rect& pageRect) = 0;
    virtual void EndPrinting() {}

private:
    std::string title_;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Printer set-up dialog; false when cancelled.
    bool Setup(TWindow* parent);
    // With prompt the print dialog is shown first (false when cancelled). Pages 1, 2, ...
    // while HasPage. True when every page was printed.
    bool Print(TWindow* parent, TPrintout& printout, bool prompt);
    // Prints to a PDF file at the given resolution.
    bool PrintToPdf(TPrintout& printout, const std::string& path, int dpi = 300);

private:
    std::unique_ptr<PrinterImpl> impl_;
};

}  // namespace curvelo::fw
