// Qt side of the framework: the state behind the public handles. Only framework/*.cpp may
// include this header.
#pragma once

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/bitmap.h"
#include "framework/dc.h"
#include "framework/key_queue.h"
#include "framework/menu_resource.h"
#include "framework/window.h"

class QButtonGroup;

namespace curvelo::fw {

class TFrameWindow;
class TDialog;

QString ToQ(const std::string& s);
std::string FromQ(const QString& s);

// Framework key code of a Qt key event, 0 for modifier-only keys.
int VkFromQt(int qtKey, Qt::KeyboardModifiers mods);
int QtKeyFromVk(int vk, bool& keypad);
unsigned ModsFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons = Qt::NoButton);

struct DialogControl {
    int id = -1;
    int kind = 0;  // DialogItem::Kind
    QPointer<QWidget> widget;
};

struct WindowImpl {
    enum class Type { Plain, Frame, Dialog, Control };

    TWindow* self = nullptr;
    TWindow* parent = nullptr;
    Type type = Type::Plain;
    std::vector<TWindow*> children;
    QPointer<QWidget> top;     // the outer widget
    QPointer<QWidget> client;  // paint and input surface
    bool created = false;
    bool destroyed = false;
    bool dying = false;  // set while the C++ object is being destroyed
    bool acceptDrops = false;
    std::map<std::string, std::intptr_t> properties;
    std::map<int, int> timers;      // our id -> Qt timer id
    std::deque<KeyPress> keys;      // captured while polling

    // Frames.
    std::vector<MenuItem> menu;
    std::map<int, QAction*> actions;
    std::map<int, bool> checked;
    std::map<int, bool> enabled;
    std::vector<Accelerator> accelerators;
    bool firstIdleDone = false;
    // Top-level windows: the outer size asked for before the window manager's frame was known.
    QSize pendingFrameSize;

    // Dialogs.
    std::string templateName;
    bool templateOk = false;
    bool modal = false;
    bool running = false;
    bool ended = false;
    int result = 0;
    std::map<int, DialogControl> controls;
    std::vector<QButtonGroup*> radioGroups;

    static WindowImpl* Of(TWindow* w) { return w ? w->impl_.get() : nullptr; }
    // The window that owns the widget (its own or an ancestor's top-level), or null.
    static WindowImpl* ForWidget(QWidget* w);
    // The top-level impl a window belongs to (frames, dialogs and parentless windows).
    WindowImpl* TopLevel();

    // Event delivery into the protected virtuals.
    void DeliverPaint(QPainter& p, const QRect& r);
    void DeliverSize(int w, int h) { self->EvSize(w, h); }
    void DeliverMouse(int kind, unsigned mods, Point p, int delta = 0);
    void DeliverKey(int vk, unsigned mods, bool repeat) { self->EvKeyDown(vk, mods, repeat); }
    void DeliverTimer(int qtId);
    void DeliverDrop(const std::vector<std::string>& paths) { self->EvDropFiles(paths); }
    void DeliverNotify(int id, Notify code) { self->EvNotify(id, code); }
    void DeliverFocus() { self->EvSetFocus(); }
    void DeliverActivate(bool a) { self->EvActivate(a); }
    void DeliverClose() { self->CloseWindow(0); }
    void Setup() { self->SetupWindow(); }
};

// Installs the application-wide input filter once (accelerators, key capture).
void InstallInputFilter();
// True while PollKeyEvent processes events: commands, timers and mouse input wait.
bool InCapture();
// Deletes the window at the next turn of the event loop unless it is gone by then.
void DeleteLater(TWindow* w);
bool IsAlive(const TWindow* w);
void ApplyFrameMenu(WindowImpl& impl);

// A DC's state and target.
struct DcImpl {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownedPainter;
    int dpiX = 96, dpiY = 96;
    QPoint physicalOffset;
    QSize deviceSize;
    bool printer = false;
    // Device pixels per screen pixel. Fonts and pen patterns are given in screen terms, so a
    // finer device (a printer page) enlarges them by this to keep their size on paper.
    double screenScale = 1;
    // Vector pictures record every drawing call for replay.
    std::vector<std::function<void(class DC&)>>* record = nullptr;

    QPen pen{Qt::black};
    QBrush brush{Qt::white};
    QFont font;
    bool symbolFont = false;
    int escapement = 0;
    QColor textColor{Qt::black};
    QColor bkColor{Qt::white};
    bool opaque = true;
    unsigned align = 0;
    QPoint pos;
    std::vector<QPoint> scratch;  // reused by polylines so drawing does not allocate
    // A bitmap's pixels (32-bit opaque or premultiplied): thin solid anti-aliased lines are
    // drawn straight into them. Null for other targets.
    std::uint32_t* rasterBits = nullptr;
    int rasterStride = 0;
    bool directLines = true;
};

std::unique_ptr<DcImpl> MakeDcImpl(QPainter* painter, QPaintDevice* device, double screenScale = 1);

struct BitmapImpl {
    QImage image;
};

struct VectorPictureImpl {
    int w = 1, h = 1;
    double wMm = 1, hMm = 1;
    Bitmap raster;  // the same drawing as pixels, for the clipboard's image
    std::unique_ptr<DC> dc;
    std::vector<std::function<void(DC&)>> record;

    // Replays the recording into a painter whose device maps the picture's pixels.
    void Replay(QPainter& p, QPaintDevice* device) const;
};

QFont QFontFromLogFont(const LogFont& f, int dpiY);
LogFont LogFontFromQFont(const QFont& f, int dpiY);

}  // namespace curvelo::fw
