#include "framework/automation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdlib>

#include "framework/automation_state.h"
#include "framework/qt_internal.h"
#include "framework/qt_widgets.h"

namespace curvelo::fw {
namespace detail {

automation::DialogHook& DialogHookSlot() {
    static automation::DialogHook hook;
    return hook;
}
automation::MessageBoxHook& MessageBoxHookSlot() {
    static automation::MessageBoxHook hook;
    return hook;
}
automation::FileDialogHook& FileDialogHookSlot() {
    static automation::FileDialogHook hook;
    return hook;
}
automation::FontDialogHook& FontDialogHookSlot() {
    static automation::FontDialogHook hook;
    return hook;
}

}  // namespace detail

namespace automation {

void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char arg0[] = "curvelo_tests";
    static char* argv[] = {arg0, nullptr};
    new QApplication(argc, argv);  // lives until the process ends
    QApplication::setQuitOnLastWindowClosed(false);
    InstallInputFilter();
}

void ProcessEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetDialogHook(DialogHook hook) { detail::DialogHookSlot() = std::move(hook); }
void SetMessageBoxHook(MessageBoxHook hook) { detail::MessageBoxHookSlot() = std::move(hook); }
void SetFileDialogHook(FileDialogHook hook) { detail::FileDialogHookSlot() = std::move(hook); }
void SetFontDialogHook(FontDialogHook hook) { detail::FontDialogHookSlot() = std::move(hook); }

void PostKey(TWindow& window, int vk, unsigned modifiers) {
    WindowImpl* impl = WindowImpl::Of(&window);
    QWidget* target = impl->client;
    // The key goes where the keyboard would send it: the focused widget of that window.
    if (QWidget* f = QApplication::focusWidget(); f && impl->top && f->window() == impl->top->window()) target = f;
    if (!target) return;
    bool keypad = false;
    int key = QtKeyFromVk(vk, keypad);
    Qt::KeyboardModifiers mods;
    if (modifiers & kShift) mods |= Qt::ShiftModifier;
    if (modifiers & kCtrl) mods |= Qt::ControlModifier;
    if (modifiers & kAlt) mods |= Qt::AltModifier;
    if (keypad) mods |= Qt::KeypadModifier;
    QString text;
    if (vk >= 'A' && vk <= 'Z' && !(modifiers & (kCtrl | kAlt)))
        text = QChar((modifiers & kShift) ? vk : vk + 32);
    else if (vk == ' ' || (vk >= '0' && vk <= '9')) text = QChar(vk);
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, mods, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, mods, text));
}

void Click(TWindow& window, int x, int y, bool right) {
    QWidget* target = WindowImpl::Of(&window)->client;
    if (!target) return;
    QPointF local(x, y);
    QPointF global = target->mapToGlobal(local);
    Qt::MouseButton b = right ? Qt::RightButton : Qt::LeftButton;
    QMouseEvent press(QEvent::MouseButtonPress, local, global, b, b, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, b, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

void DropFiles(TWindow& window, const std::vector<std::string>& paths) {
    WindowImpl* impl = WindowImpl::Of(&window);
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& p : paths) urls << QUrl::fromLocalFile(ToQ(p));
    data.setUrls(urls);
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Qt refuses a drop without a drag session, so hand it to the window's drop handling.
    DeliverFileDrop(impl, &drop);
}

}  // namespace automation
}  // namespace curvelo::fw
