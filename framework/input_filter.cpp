// The application-wide input filter: accelerators of frame windows, and the capture of keys
// while a computation polls the keyboard.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include "framework/frame_window.h"
#include "framework/key_queue.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

int g_captureDepth = 0;
constexpr std::size_t kMaxQueuedKeys = 64;

bool IsUserInput(QEvent::Type t) {
    switch (t) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::KeyRelease:
        case QEvent::Drop:
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return true;
        default:
            return false;
    }
}

// The frame whose accelerators a key press may run: only a key that goes to the frame's own
// window. Menus, message boxes and the standard dialogs are parented to the frame but keep
// their keys, as does the menu bar while it is navigated by keyboard.
WindowImpl* AcceleratorFrame(QWidget* target) {
    if (QApplication::activePopupWidget() || qobject_cast<QMenuBar*>(target)) return nullptr;
    WindowImpl* impl = WindowImpl::ForWidget(target);
    if (!impl) return nullptr;
    WindowImpl* top = impl->TopLevel();
    if (top->type != WindowImpl::Type::Frame || !top->top || target->window() != top->top) return nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != top->top ? nullptr : top;
}

class InputFilter : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!o->isWidgetType()) return false;
        QEvent::Type t = e->type();
        if (g_captureDepth > 0) {
            if (t == QEvent::KeyPress) {
                auto* k = static_cast<QKeyEvent*>(e);
                WindowImpl* impl = WindowImpl::ForWidget(static_cast<QWidget*>(o));
                int code = VkFromQt(k->key(), k->modifiers());
                if (impl && code) {
                    WindowImpl* top = impl->TopLevel();
                    if (top->keys.size() < kMaxQueuedKeys) top->keys.push_back({code, ModsFromQt(k->modifiers())});
                }
                return true;
            }
            if (t == QEvent::Close) {
                e->ignore();
                return true;
            }
            return IsUserInput(t);
        }
        if (t == QEvent::KeyPress) {
            WindowImpl* top = AcceleratorFrame(static_cast<QWidget*>(o));
            if (!top || top->accelerators.empty()) return false;
            auto* k = static_cast<QKeyEvent*>(e);
            KeyPress key{VkFromQt(k->key(), k->modifiers()), ModsFromQt(k->modifiers())};
            if (key.vk == 0) return false;
            return static_cast<TFrameWindow*>(top->self)->TryAccelerator(key);
        }
        return false;
    }
};

}  // namespace

void InstallInputFilter() {
    static QPointer<QCoreApplication> installedOn;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || installedOn == app) return;
    installedOn = app;
    app->installEventFilter(new InputFilter);  // lives as long as the application
}

bool InCapture() { return g_captureDepth > 0; }

bool PollKeyEvent(TWindow& window, KeyPress& key) {
    WindowImpl* top = WindowImpl::Of(&window)->TopLevel();
    ++g_captureDepth;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --g_captureDepth;
    if (top->keys.empty()) return false;
    key = top->keys.front();
    top->keys.pop_front();
    return true;
}

void ClearKeyQueue(TWindow& window) { WindowImpl::Of(&window)->TopLevel()->keys.clear(); }

}  // namespace curvelo::fw
