#include "framework/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

#include "framework/frame_window.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {
TApplication* g_current = nullptr;

bool EnvSet(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}
}  // namespace

struct ApplicationImpl {
    TApplication* self = nullptr;
    QApplication* app = nullptr;
    bool ownsApp = false;
    bool ok = false;
    TFrameWindow* main = nullptr;
    long idleCount = 0;
    QMetaObject::Connection idle;

    void OnIdle() {
        if (InCapture() || !ok) return;
        if (self->IdleAction(idleCount++)) {
            if (auto* d = QAbstractEventDispatcher::instance()) d->wakeUp();
        }
    }
};

bool TApplication::DisplayAvailable(std::string* message) {
    if (EnvSet("QT_QPA_PLATFORM") || EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY")) return true;
    if (message)
        *message = "A Curvelo grafikus megjelenítőt igényel, de nem talál ilyet "
                   "(sem a DISPLAY, sem a WAYLAND_DISPLAY nincs beállítva).";
    return false;
}

TApplication::TApplication(int& argc, char** argv, const std::string& name)
    : impl_(std::make_unique<ApplicationImpl>()) {
    impl_->self = this;
    std::string why;
    if (!QApplication::instance() && !DisplayAvailable(&why)) {
        std::fprintf(stderr, "%s\n", why.c_str());
        return;
    }
    if (auto* existing = qobject_cast<QApplication*>(QApplication::instance())) {
        impl_->app = existing;
    } else {
        impl_->app = new QApplication(argc, argv);
        impl_->ownsApp = true;
        // The standard dialogs (files, printing, fonts) speak the program's language.
        auto* translator = new QTranslator(impl_->app);
        if (translator->load(QLocale(QLocale::Hungarian), "qtbase", "_",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(translator);
    }
    impl_->ok = true;
    QApplication::setApplicationName(ToQ(name));
    QApplication::setQuitOnLastWindowClosed(false);  // the main window ends the loop
    InstallInputFilter();
    if (auto* d = QAbstractEventDispatcher::instance()) {
        ApplicationImpl* impl = impl_.get();
        impl_->idle = QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, [impl] { impl->OnIdle(); });
    }
    g_current = this;
}

TApplication::~TApplication() {
    QObject::disconnect(impl_->idle);
    if (impl_->main && IsAlive(impl_->main)) delete impl_->main;
    impl_->main = nullptr;
    if (g_current == this) g_current = nullptr;
    if (impl_->ownsApp) delete impl_->app;
}

TApplication* TApplication::Current() { return g_current; }

namespace {
bool g_batch = false;
}

void SetBatchMode(bool on) { g_batch = on; }
bool BatchMode() { return g_batch; }
bool TApplication::Ok() const { return impl_->ok; }

int TApplication::Run() {
    if (!impl_->ok) return 1;
    InitMainWindow();
    if (TFrameWindow* m = impl_->main) {
        if (!m->Create()) return 1;
        m->Show();
    }
    return QApplication::exec();
}

void TApplication::Quit(int exitCode) {
    if (impl_->app) QApplication::exit(exitCode);
}

void TApplication::PumpWaitingMessages() {
    if (impl_->app) QApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::SetMainWindow(TFrameWindow* window) {
    if (impl_->main && impl_->main != window && IsAlive(impl_->main)) delete impl_->main;
    impl_->main = window;
}

TFrameWindow* TApplication::MainWindow() const { return impl_->main; }

}  // namespace curvelo::fw
