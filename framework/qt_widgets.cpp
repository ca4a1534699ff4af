#include "framework/qt_widgets.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace curvelo::fw {
namespace {

bool Live(WindowImpl* impl) { return impl && !impl->dying; }

enum MouseKind { kLDown, kLUp, kLDbl, kRDown, kRUp, kMove, kWheel };

void Mark(QWidget* w, WindowImpl* impl) {
    w->setProperty("curvelo_impl", QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(impl)));
}

}  // namespace

bool AcceptsFileDrag(WindowImpl* impl, QEvent* e) {
    auto* d = static_cast<QDragEnterEvent*>(e);
    if (!Live(impl) || !impl->acceptDrops || !d->mimeData()->hasUrls()) return false;
    for (const QUrl& u : d->mimeData()->urls())
        if (u.isLocalFile()) {
            d->acceptProposedAction();
            return true;
        }
    return false;
}

void DeliverFileDrop(WindowImpl* impl, QEvent* e) {
    auto* d = static_cast<QDropEvent*>(e);
    if (!Live(impl) || !impl->acceptDrops || InCapture()) return;
    std::vector<std::string> paths;
    for (const QUrl& u : d->mimeData()->urls())
        if (u.isLocalFile()) paths.push_back(FromQ(u.toLocalFile()));
    d->acceptProposedAction();
    if (!paths.empty()) impl->DeliverDrop(paths);
}

ClientWidget::ClientWidget(WindowImpl* i, QWidget* parent) : QWidget(parent), impl(i) {
    Mark(this, i);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void ClientWidget::paintEvent(QPaintEvent* e) {
    if (!Live(impl)) return;
    QPainter p(this);
    impl->DeliverPaint(p, e->rect());
}

void ClientWidget::resizeEvent(QResizeEvent*) {
    if (Live(impl)) impl->DeliverSize(width(), height());
}

void ClientWidget::mousePressEvent(QMouseEvent* e) {
    if (!Live(impl)) return;
    Point p{e->position().toPoint().x(), e->position().toPoint().y()};
    unsigned m = ModsFromQt(e->modifiers(), e->buttons());
    if (e->button() == Qt::LeftButton) impl->DeliverMouse(kLDown, m, p);
    else if (e->button() == Qt::RightButton) impl->DeliverMouse(kRDown, m, p);
}

void ClientWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (!Live(impl)) return;
    Point p{e->position().toPoint().x(), e->position().toPoint().y()};
    unsigned m = ModsFromQt(e->modifiers(), e->buttons());
    if (e->button() == Qt::LeftButton) impl->DeliverMouse(kLUp, m, p);
    else if (e->button() == Qt::RightButton) impl->DeliverMouse(kRUp, m, p);
}

void ClientWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!Live(impl)) return;
    Point p{e->position().toPoint().x(), e->position().toPoint().y()};
    if (e->button() == Qt::LeftButton) impl->DeliverMouse(kLDbl, ModsFromQt(e->modifiers(), e->buttons()), p);
}

void ClientWidget::mouseMoveEvent(QMouseEvent* e) {
    if (!Live(impl)) return;
    Point p{e->position().toPoint().x(), e->position().toPoint().y()};
    impl->DeliverMouse(kMove, ModsFromQt(e->modifiers(), e->buttons()), p);
}

void ClientWidget::wheelEvent(QWheelEvent* e) {
    if (!Live(impl)) return;
    Point p{e->position().toPoint().x(), e->position().toPoint().y()};
    impl->DeliverMouse(kWheel, ModsFromQt(e->modifiers(), e->buttons()), p, e->angleDelta().y());
}

void ClientWidget::keyPressEvent(QKeyEvent* e) {
    int code = VkFromQt(e->key(), e->modifiers());
    if (!Live(impl) || code == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    impl->DeliverKey(code, ModsFromQt(e->modifiers()), e->isAutoRepeat());
}

void ClientWidget::timerEvent(QTimerEvent* e) {
    // Timers wait while a computation polls the keyboard; periodic ones simply fire later.
    if (Live(impl) && !InCapture()) impl->DeliverTimer(e->timerId());
}

void ClientWidget::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (Live(impl)) impl->DeliverFocus();
}

void ClientWidget::closeEvent(QCloseEvent* e) {
    e->ignore();  // the window decides through CloseWindow
    if (Live(impl) && !InCapture()) impl->DeliverClose();
}

void ClientWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (!AcceptsFileDrag(impl, e)) QWidget::dragEnterEvent(e);
}

void ClientWidget::dropEvent(QDropEvent* e) { DeliverFileDrop(impl, e); }

bool ClientWidget::event(QEvent* e) {
    // Tab would otherwise move the focus away instead of reaching the window.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) {
        if (Live(impl) && !parentWidget()) impl->DeliverActivate(e->type() == QEvent::WindowActivate);
    }
    return QWidget::event(e);
}

FrameWidget::FrameWidget(WindowImpl* i) : QMainWindow(nullptr), impl(i) { Mark(this, i); }

void FrameWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (Live(impl) && !InCapture()) impl->DeliverClose();
}

void FrameWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (!AcceptsFileDrag(impl, e)) QMainWindow::dragEnterEvent(e);
}

void FrameWidget::dropEvent(QDropEvent* e) { DeliverFileDrop(impl, e); }

void FrameWidget::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && Live(impl)) impl->DeliverActivate(isActiveWindow());
}

void FrameWidget::timerEvent(QTimerEvent* e) {
    if (Live(impl) && !InCapture()) impl->DeliverTimer(e->timerId());
}

DialogWidget::DialogWidget(WindowImpl* i, QWidget* parent) : QDialog(parent), impl(i) {
    Mark(this, i);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void DialogWidget::reject() {
    // Esc and the close box act as the cancel button.
    if (!Live(impl)) {
        QDialog::reject();
        return;
    }
    impl->self->EvCommand(kIdCancel);
}

void DialogWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (Live(impl) && !InCapture()) reject();
}

void DialogWidget::timerEvent(QTimerEvent* e) {
    if (Live(impl) && !InCapture()) impl->DeliverTimer(e->timerId());
}

}  // namespace curvelo::fw
