#include "framework/printout.h"

#include <QBuffer>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/application.h"
#include "framework/dc.h"
#include "framework/qt_internal.h"
#include "framework/safe_file.h"
#include "framework/screen.h"

namespace curvelo::fw {

struct PrinterImpl {
    QPrinter printer{QPrinter::HighResolution};

    // Device: the printer, or a PDF writer for PDF files.
    template <class Device>
    static bool Run(Device& printer, TPrintout& printout) {
        QPainter p;
        if (!p.begin(&printer)) return false;
        // Sizes given in screen pixels keep their size on paper.
        const int screenDpi = PrimaryScreen().dpiY;
        auto impl = MakeDcImpl(&p, &printer, screenDpi > 0 ? printer.logicalDpiY() / double(screenDpi) : 1.0);
        impl->printer = true;
        QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
        QRect paper = printer.pageLayout().fullRectPixels(printer.resolution());
        impl->physicalOffset = page.topLeft() - paper.topLeft();
        DC dc(std::move(impl));
        printout.BeginPrinting(dc);
        Rect pageRect{0, 0, page.width(), page.height()};
        bool ok = true;
        constexpr int kMaxPages = 10000;
        for (int n = 1; n <= kMaxPages && printout.HasPage(n); ++n) {
            if (n > 1 && !printer.newPage()) {
                ok = false;
                break;
            }
            printout.PrintPage(n, dc, pageRect);
        }
        printout.EndPrinting();
        return p.end() && ok;
    }
};

namespace {
QWidget* ParentWidget(TWindow* parent) {
    WindowImpl* i = WindowImpl::Of(parent);
    return i ? i->TopLevel()->top.data() : nullptr;
}
}  // namespace

TPrinter::TPrinter() : impl_(std::make_unique<PrinterImpl>()) {}
TPrinter::~TPrinter() = default;

bool TPrinter::Setup(TWindow* parent) {
    if (BatchMode()) return false;
    QPrintDialog dialog(&impl_->printer, ParentWidget(parent));
    dialog.setWindowTitle(QStringLiteral("Nyomtató beállítása"));
    return dialog.exec() == QDialog::Accepted;
}

bool TPrinter::Print(TWindow* parent, TPrintout& printout, bool prompt) {
    impl_->printer.setOutputFormat(QPrinter::NativeFormat);
    impl_->printer.setOutputFileName(QString());
    impl_->printer.setDocName(ToQ(printout.Title()));
    if (prompt) {
        if (BatchMode()) return false;
        QPrintDialog dialog(&impl_->printer, ParentWidget(parent));
        dialog.setWindowTitle(QStringLiteral("Nyomtatás"));
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    // "Print to file" in the dialog: the PDF goes through the safe writer too.
    const QString file = impl_->printer.outputFileName();
    if (impl_->printer.outputFormat() == QPrinter::PdfFormat && !file.isEmpty())
        return PrintToPdf(printout, FromQ(file), impl_->printer.resolution());
    return PrinterImpl::Run(impl_->printer, printout);
}

bool TPrinter::PrintToPdf(TPrintout& printout, const std::string& path, int dpi) {
    // Printed into memory, then saved through the safe writer.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool printed = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dpi > 0 && dpi <= 2400 ? dpi : 300);
        pdf.setTitle(ToQ(printout.Title()));
        pdf.setPageLayout(impl_->printer.pageLayout());
        printed = PrinterImpl::Run(pdf, printout);
    }
    return printed && WriteFileSafely(path, std::string_view(buffer.data().constData(), buffer.data().size()));
}

}  // namespace curvelo::fw
