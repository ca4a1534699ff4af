#include "framework/printout.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "framework/dc.h"
#include "framework/qt_internal.h"
#include "framework/screen.h"

namespace curvelo::fw {

struct PrinterImpl {
    QPrinter printer{QPrinter::HighResolution};

    static bool Run(QPrinter& printer, TPrintout& printout) {
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
    QPrintDialog dialog(&impl_->printer, ParentWidget(parent));
    dialog.setWindowTitle(QStringLiteral("Nyomtató beállítása"));
    return dialog.exec() == QDialog::Accepted;
}

bool TPrinter::Print(TWindow* parent, TPrintout& printout, bool prompt) {
    impl_->printer.setOutputFormat(QPrinter::NativeFormat);
    impl_->printer.setOutputFileName(QString());
    impl_->printer.setDocName(ToQ(printout.Title()));
    if (prompt) {
        QPrintDialog dialog(&impl_->printer, ParentWidget(parent));
        dialog.setWindowTitle(QStringLiteral("Nyomtatás"));
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    return PrinterImpl::Run(impl_->printer, printout);
}

bool TPrinter::PrintToPdf(TPrintout& printout, const std::string& path, int dpi) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(ToQ(path));
    pdf.setResolution(dpi > 0 && dpi <= 2400 ? dpi : 300);
    pdf.setDocName(ToQ(printout.Title()));
    pdf.setPageLayout(impl_->printer.pageLayout());
    return PrinterImpl::Run(pdf, printout);
}

}  // namespace curvelo::fw
