#include "framework/window.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <map>

#include "framework/application.h"
#include "framework/dc.h"
#include "framework/frame_window.h"
#include "framework/qt_internal.h"
#include "framework/qt_widgets.h"
#include "framework/svg_image.h"
#include "resources/resources.h"

namespace curvelo::fw {
namespace {

// Live windows with a serial number, so a deferred deletion never hits a newer window
// that happens to reuse the address.
std::map<const TWindow*, std::uint64_t>& LiveWindows() {
    static std::map<const TWindow*, std::uint64_t> live;
    return live;
}

std::uint64_t NextSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

bool IsTopLevel(const WindowImpl& i) {
    return i.type == WindowImpl::Type::Frame || i.type == WindowImpl::Type::Dialog ||
           (i.type == WindowImpl::Type::Plain && !i.parent);
}

void Register(WindowImpl& impl, TWindow* self, TWindow* parent, WindowImpl::Type type) {
    impl.self = self;
    impl.parent = parent;
    impl.type = type;
    LiveWindows()[self] = NextSerial();
    if (WindowImpl* p = WindowImpl::Of(parent)) p->children.push_back(self);
    InstallInputFilter();
}

// The first command-state update of a frame runs once the queue has gone idle after showing.
void UpdateStatesWhenIdle(TWindow* w) {
    QTimer::singleShot(0, qApp, [w] {
        if (!IsAlive(w)) return;
        if (InCapture()) {
            UpdateStatesWhenIdle(w);
            return;
        }
        static_cast<TFrameWindow*>(w)->UpdateCommandStates();
    });
}

// A window manager frames a window some time after it is shown; about a second at most.
constexpr int kFrameWaitTries = 50;

QMargins FrameMargins(const QWidget* w) {
    const QRect g = w->geometry(), f = w->frameGeometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// Gives the window the outer size asked for once its frame is known, at once when it is,
// else checking again shortly (never known without a window manager: then the outer size
// is the window's own).
void FitPendingFrame(QWidget* w, WindowImpl* impl, int triesLeft) {
    if (!impl->pendingFrameSize.isValid()) return;
    const QMargins m = FrameMargins(w);
    if (m.isNull() && triesLeft > 0 && w->isVisible()) {
        QTimer::singleShot(20, w, [w, impl, triesLeft] { FitPendingFrame(w, impl, triesLeft - 1); });
        return;
    }
    const QSize outer = impl->pendingFrameSize;
    impl->pendingFrameSize = QSize();
    if (!m.isNull() && !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        w->resize(std::max(1, outer.width() - m.left() - m.right()), std::max(1, outer.height() - m.top() - m.bottom()));
}

}  // namespace

bool IsAlive(const TWindow* w) { return w && LiveWindows().count(w) != 0; }

namespace {
void DeleteLaterSerial(TWindow* w, std::uint64_t serial) {
    QTimer::singleShot(0, qApp, [w, serial] {
        auto it = LiveWindows().find(w);
        if (it == LiveWindows().end() || it->second != serial) return;
        if (InCapture()) {
            DeleteLaterSerial(w, serial);  // not in the middle of a computation
            return;
        }
        delete w;
    });
}
}  // namespace

namespace {
void PostCommandSerial(TWindow* w, std::uint64_t serial, int id) {
    QTimer::singleShot(0, qApp, [w, serial, id] {
        auto it = LiveWindows().find(w);
        if (it == LiveWindows().end() || it->second != serial) return;
        if (InCapture()) {
            PostCommandSerial(w, serial, id);  // after the computation has returned
            return;
        }
        w->RunCommand(id);
    });
}
}  // namespace

void TWindow::PostCommand(int id) {
    auto it = LiveWindows().find(this);
    if (it != LiveWindows().end()) PostCommandSerial(this, it->second, id);
}

void DeleteLater(TWindow* w) {
    auto it = LiveWindows().find(w);
    if (it != LiveWindows().end()) DeleteLaterSerial(w, it->second);
}

WindowImpl* WindowImpl::ForWidget(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        QVariant v = w->property("curvelo_impl");
        if (v.isValid()) {
            auto* impl = reinterpret_cast<WindowImpl*>(v.value<quintptr>());
            return impl && !impl->dying ? impl : nullptr;
        }
    }
    return nullptr;
}

WindowImpl* WindowImpl::TopLevel() {
    WindowImpl* i = this;
    while (!IsTopLevel(*i) && i->parent) i = Of(i->parent);
    return i;
}

void WindowImpl::DeliverPaint(QPainter& p, const QRect& r) {
    DC dc(MakeDcImpl(&p, p.device()));
    self->Paint(dc, true, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
}

void WindowImpl::DeliverMouse(int kind, unsigned mods, Point p, int delta) {
    switch (kind) {
        case 0: self->EvLButtonDown(mods, p); break;
        case 1: self->EvLButtonUp(mods, p); break;
        case 2: self->EvLButtonDblClk(mods, p); break;
        case 3: self->EvRButtonDown(mods, p); break;
        case 4: self->EvRButtonUp(mods, p); break;
        case 5: self->EvMouseMove(mods, p); break;
        case 6: self->EvMouseWheel(mods, delta, p); break;
        default: break;
    }
}

void WindowImpl::DeliverTimer(int qtId) {
    for (auto& [id, q] : timers)
        if (q == qtId) {
            self->EvTimer(id);
            return;
        }
}

TWindow::TWindow(TWindow* parent, const std::string& title) : impl_(std::make_unique<WindowImpl>()) {
    Register(*impl_, this, parent, WindowImpl::Type::Plain);
    WindowImpl* p = WindowImpl::Of(parent);
    auto* w = new ClientWidget(impl_.get(), p ? p->client.data() : nullptr);
    impl_->top = impl_->client = w;
    w->setWindowTitle(ToQ(title));
}

TWindow::TWindow(TWindow* parent, const std::string& title, FrameTag)
    : impl_(std::make_unique<WindowImpl>()) {
    Register(*impl_, this, parent, WindowImpl::Type::Frame);
    auto* f = new FrameWidget(impl_.get());
    auto* c = new ClientWidget(impl_.get(), f);
    f->setCentralWidget(c);
    f->setWindowTitle(ToQ(title));
    impl_->top = f;
    impl_->client = c;
}

TWindow::TWindow(TWindow* parent, const std::string& title, DialogTag)
    : impl_(std::make_unique<WindowImpl>()) {
    Register(*impl_, this, parent, WindowImpl::Type::Dialog);
    WindowImpl* p = WindowImpl::Of(parent);
    auto* d = new DialogWidget(impl_.get(), p ? p->TopLevel()->top.data() : nullptr);
    d->setWindowTitle(ToQ(title));
    impl_->top = impl_->client = d;
}

TWindow::~TWindow() {
    impl_->dying = true;
    while (!impl_->children.empty()) {
        TWindow* c = impl_->children.back();
        delete c;  // removes itself from the list
    }
    if (WindowImpl* p = WindowImpl::Of(impl_->parent); p && IsAlive(impl_->parent)) {
        auto& v = p->children;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    LiveWindows().erase(this);
    delete impl_->top.data();
}

TWindow* TWindow::Parent() const { return impl_->parent; }
std::vector<TWindow*> TWindow::Children() const { return impl_->children; }

bool TWindow::Create() {
    if (impl_->created) return true;
    if (impl_->destroyed || !impl_->top) return false;
    impl_->created = true;
    for (TWindow* c : std::vector<TWindow*>(impl_->children))
        if (IsAlive(c)) c->Create();
    SetupWindow();
    return true;
}

bool TWindow::IsCreated() const { return impl_->created && !impl_->destroyed; }

void TWindow::Show(bool show) {
    if (show && !impl_->created && !Create()) return;
    if (!impl_->top || impl_->destroyed) return;
    impl_->top->setVisible(show);
    if (show && impl_->type == WindowImpl::Type::Frame && !impl_->firstIdleDone) {
        impl_->firstIdleDone = true;
        UpdateStatesWhenIdle(this);
    }
    if (show && impl_->type == WindowImpl::Type::Frame) impl_->client->setFocus();
    if (show && impl_->pendingFrameSize.isValid()) FitPendingFrame(impl_->top, impl_.get(), kFrameWaitTries);
}

bool TWindow::IsVisible() const { return impl_->top && !impl_->destroyed && impl_->top->isVisible(); }

void TWindow::CloseWindow(int retVal) {
    if (CanClose()) Destroy(retVal);
}

void TWindow::Destroy(int retVal) {
    if (impl_->destroyed) return;
    for (TWindow* c : std::vector<TWindow*>(impl_->children))
        if (IsAlive(c) && WindowImpl::Of(c)->type != WindowImpl::Type::Control) c->Destroy(retVal);
    for (auto& [id, q] : impl_->timers)
        if (impl_->client) impl_->client->killTimer(q);
    impl_->timers.clear();
    if (impl_->type == WindowImpl::Type::Dialog) {
        // Dialogs may be executed again; they only hide.
        if (impl_->top) impl_->top->hide();
        impl_->created = false;
        if (impl_->modal) return;
    } else {
        impl_->destroyed = true;
        if (impl_->top) impl_->top->hide();
    }
    TApplication* app = TApplication::Current();
    if (app && static_cast<TWindow*>(app->MainWindow()) == this) {
        app->Quit(0);
        return;
    }
    if (impl_->parent && impl_->type != WindowImpl::Type::Control &&
        (impl_->type != WindowImpl::Type::Plain)) {
        DeleteLater(this);
    }
}

bool TWindow::CanClose() {
    // Dialogs validate their fields in CanClose, so only child windows are asked.
    for (TWindow* c : std::vector<TWindow*>(impl_->children)) {
        if (!IsAlive(c) || !c->IsCreated()) continue;
        auto type = WindowImpl::Of(c)->type;
        if (type == WindowImpl::Type::Dialog || type == WindowImpl::Type::Control) continue;
        if (!c->CanClose()) return false;
    }
    return true;
}

std::string TWindow::GetCaption() const { return impl_->top ? FromQ(impl_->top->windowTitle()) : std::string(); }
void TWindow::SetCaption(const std::string& text) {
    if (impl_->top) impl_->top->setWindowTitle(ToQ(text));
}

bool TWindow::SetIconResource(const std::string& name) {
    const std::string_view svg = res::File("icons/" + name + ".svg");
    if (svg.empty() || !impl_->top) return false;
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        const QImage image = SvgImage(svg, size);
        if (image.isNull()) return false;
        icon.addPixmap(QPixmap::fromImage(image));
    }
    impl_->top->setWindowIcon(icon);
    return true;
}

bool TWindow::HasIcon() const { return impl_->top && !impl_->top->windowIcon().isNull(); }

void TWindow::Minimize() {
    if (!impl_->top) return;
    if (impl_->top->isVisible()) impl_->top->showMinimized();
    else impl_->top->setWindowState(impl_->top->windowState() | Qt::WindowMinimized);
}

void TWindow::Maximize() {
    if (!impl_->top) return;
    if (impl_->top->isVisible()) impl_->top->showMaximized();
    else impl_->top->setWindowState((impl_->top->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void TWindow::Restore() {
    if (!impl_->top) return;
    if (impl_->top->isVisible()) impl_->top->showNormal();
    else impl_->top->setWindowState(Qt::WindowNoState);
}

void TWindow::Raise() {
    if (!impl_->top) return;
    if (impl_->top->isMinimized()) impl_->top->showNormal();
    impl_->top->raise();
    impl_->top->activateWindow();
}

bool TWindow::IsMinimized() const { return impl_->top && (impl_->top->windowState() & Qt::WindowMinimized); }
bool TWindow::IsMaximized() const { return impl_->top && (impl_->top->windowState() & Qt::WindowMaximized); }

Rect TWindow::GetWindowRect() const {
    if (!impl_->top) return {};
    QRect r = impl_->top->isWindow() ? impl_->top->frameGeometry() : impl_->top->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect TWindow::GetNormalRect() const {
    QWidget* w = impl_->top;
    if (!w) return {};
    if (!w->isWindow() || !(w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) return GetWindowRect();
    // The normal geometry excludes the frame; add the margins the frame has now.
    const QRect n = w->normalGeometry();
    const QMargins m = FrameMargins(w);
    return {n.left() - m.left(), n.top() - m.top(), n.left() + n.width() + m.right(), n.top() + n.height() + m.bottom()};
}

void TWindow::MoveWindow(const Rect& r) {
    QWidget* w = impl_->top;
    if (!w) return;
    if (!w->isWindow()) {
        w->setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
        return;
    }
    const QSize outer(std::max(1, r.Width()), std::max(1, r.Height()));
    const QMargins m = FrameMargins(w);
    if (w->isVisible() && !m.isNull()) {
        impl_->pendingFrameSize = QSize();
        w->setGeometry(r.left + m.left(), r.top + m.top(), std::max(1, outer.width() - m.left() - m.right()),
                       std::max(1, outer.height() - m.top() - m.bottom()));
        return;
    }
    // No frame yet: a window not shown takes the position as its frame's, and the size is
    // made the outer one once the window manager has framed it. Taking the outer rectangle
    // for the client would grow the window by its frame on every restore.
    w->move(r.left, r.top);
    w->resize(outer);
    impl_->pendingFrameSize = outer;
    if (w->isVisible()) FitPendingFrame(w, impl_.get(), kFrameWaitTries);
}

void TWindow::MoveTo(int left, int top) {
    if (impl_->top) impl_->top->move(left, top);
}

Size TWindow::GetClientSize() const {
    if (!impl_->client) return {};
    return {impl_->client->width(), impl_->client->height()};
}

Point TWindow::ClientToScreen(Point p) const {
    if (!impl_->client) return p;
    QPoint q = impl_->client->mapToGlobal(QPoint(p.x, p.y));
    return {q.x(), q.y()};
}

void TWindow::Invalidate(bool) {
    if (impl_->client) impl_->client->update();
}

void TWindow::InvalidateRect(const Rect& r, bool) {
    if (impl_->client) impl_->client->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void TWindow::UpdateWindow() {
    if (impl_->client && impl_->client->isVisible()) impl_->client->repaint();
}

void TWindow::SetTimer(int id, int ms) {
    if (!impl_->client) return;
    KillTimer(id);
    int q = impl_->client->startTimer(std::max(1, ms));
    if (q) impl_->timers[id] = q;
}

void TWindow::KillTimer(int id) {
    auto it = impl_->timers.find(id);
    if (it == impl_->timers.end()) return;
    if (impl_->client) impl_->client->killTimer(it->second);
    impl_->timers.erase(it);
}

void TWindow::SetProperty(const std::string& name, std::intptr_t value) { impl_->properties[name] = value; }
std::intptr_t TWindow::GetProperty(const std::string& name) const {
    auto it = impl_->properties.find(name);
    return it == impl_->properties.end() ? 0 : it->second;
}
void TWindow::RemoveProperty(const std::string& name) { impl_->properties.erase(name); }

void TWindow::DragAcceptFiles(bool accept) {
    impl_->acceptDrops = accept;
    if (impl_->top) impl_->top->setAcceptDrops(accept);
}

void TWindow::SetFocus() {
    if (!impl_->client) return;
    if (impl_->client->isWindow() || impl_->type == WindowImpl::Type::Frame) impl_->top->activateWindow();
    impl_->client->setFocus();
}

void TWindow::EnableWindow(bool enable) {
    if (impl_->top) impl_->top->setEnabled(enable);
}

void TWindow::SetWaitCursor(bool wait) {
    if (!impl_->top) return;
    if (wait) impl_->top->setCursor(Qt::WaitCursor);
    else impl_->top->unsetCursor();
}

void TWindow::SetCursorShape(CursorShape shape) {
    if (!impl_->client) return;
    if (shape == CursorShape::kText) impl_->client->setCursor(Qt::IBeamCursor);
    else impl_->client->unsetCursor();
}

bool TWindow::EvCommand(int) { return false; }
bool TWindow::EvCommandEnable(int, TCommandEnabler&) { return false; }

bool TWindow::RunCommand(int id) {
    TCommandEnabler ce(id);
    bool answered = EvCommandEnable(id, ce);
    if (answered && ce.Enabled().has_value()) {
        if (!*ce.Enabled()) return false;
    } else if (auto it = impl_->enabled.find(id); it != impl_->enabled.end() && !it->second) {
        return false;
    }
    return EvCommand(id);
}

void TWindow::Paint(DC&, bool, const Rect&) {}

}  // namespace curvelo::fw
