#include "framework/frame_window.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "framework/key_queue.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

void AddItems(WindowImpl& impl, QWidget* target, const std::vector<MenuItem>& items, TFrameWindow* frame) {
    for (const MenuItem& m : items) {
        switch (m.kind) {
            case MenuItem::Kind::Separator:
                if (auto* menu = qobject_cast<QMenu*>(target)) menu->addSeparator();
                break;
            case MenuItem::Kind::Popup: {
                auto* popup = new QMenu(ToQ(m.caption), target);
                QObject::connect(popup, &QMenu::aboutToShow, popup, [frame] { frame->UpdateCommandStates(); });
                AddItems(impl, popup, m.items, frame);
                target->addAction(popup->menuAction());
                break;
            }
            case MenuItem::Kind::Command: {
                // The text after a tab is shown as the key; no Qt shortcut is registered, so
                // every key reaches the accelerator table first.
                auto* a = new QAction(ToQ(m.caption), target);
                int id = m.id;
                if (impl.actions.count(id) == 0) impl.actions[id] = a;
                if (m.checked || impl.checked.count(id)) {
                    a->setCheckable(true);
                    bool c = impl.checked.count(id) ? impl.checked[id] : m.checked;
                    impl.checked[id] = c;
                    a->setChecked(c);
                }
                if (m.disabled && impl.enabled.count(id) == 0) impl.enabled[id] = false;
                a->setEnabled(impl.enabled.count(id) ? impl.enabled[id] : true);
                QObject::connect(a, &QAction::triggered, a, [frame, &impl, a, id] {
                    // The check mark follows the program's state, not Qt's toggling.
                    if (auto it = impl.checked.find(id); it != impl.checked.end()) a->setChecked(it->second);
                    if (InCapture()) return;
                    frame->RunCommand(id);
                });
                target->addAction(a);
                break;
            }
        }
    }
}

QAction* Action(WindowImpl& impl, int id) {
    auto it = impl.actions.find(id);
    return it == impl.actions.end() ? nullptr : it->second;
}

}  // namespace

TFrameWindow::TFrameWindow(TWindow* parent, const std::string& title) : TWindow(parent, title, FrameTag{}) {}

TFrameWindow::~TFrameWindow() = default;

bool TFrameWindow::SetMenu(const std::string& name) {
    std::vector<MenuItem> items;
    std::string error;
    bool ok = LoadMenuResource(name, items, error);
    SetMenu(items);
    return ok;
}

void TFrameWindow::SetMenu(const std::vector<MenuItem>& items) {
    WindowImpl& impl = *Impl();
    auto* main = static_cast<QMainWindow*>(impl.top.data());
    impl.actions.clear();
    impl.menu = items;
    auto* bar = new QMenuBar(main);
    AddItems(impl, bar, items, this);
    main->setMenuBar(bar);  // deletes the previous bar
    bar->setVisible(!items.empty());
}

bool TFrameWindow::LoadAccelerators(const std::string& name) {
    std::string error;
    return LoadAcceleratorResource(name, Impl()->accelerators, error);
}

bool TFrameWindow::AddAccelerators(const std::string& name) {
    std::vector<Accelerator> more;
    std::string error;
    if (!LoadAcceleratorResource(name, more, error)) return false;
    auto& table = Impl()->accelerators;
    table.insert(table.begin(), more.begin(), more.end());
    return true;
}

void TFrameWindow::CheckMenuItem(int id, bool checked) {
    WindowImpl& impl = *Impl();
    impl.checked[id] = checked;
    if (QAction* a = Action(impl, id)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

void TFrameWindow::EnableMenuItem(int id, bool enabled) {
    WindowImpl& impl = *Impl();
    impl.enabled[id] = enabled;
    if (QAction* a = Action(impl, id)) a->setEnabled(enabled);
}

bool TFrameWindow::IsMenuItemChecked(int id) const {
    auto it = Impl()->checked.find(id);
    return it != Impl()->checked.end() && it->second;
}

bool TFrameWindow::IsMenuItemEnabled(int id) const {
    auto it = Impl()->enabled.find(id);
    return it == Impl()->enabled.end() || it->second;
}

bool TFrameWindow::HasMenuItem(int id) const { return Impl()->actions.count(id) != 0; }

void TFrameWindow::UpdateCommandStates() {
    WindowImpl& impl = *Impl();
    std::vector<int> ids;
    ids.reserve(impl.actions.size());
    for (auto& [id, a] : impl.actions) ids.push_back(id);
    for (int id : ids) {
        TCommandEnabler ce(id);
        if (!EvCommandEnable(id, ce)) continue;
        if (!IsAlive(this)) return;
        QAction* a = Action(impl, id);
        if (!a) continue;
        if (ce.Enabled()) {
            impl.enabled[id] = *ce.Enabled();
            a->setEnabled(*ce.Enabled());
        }
        if (ce.Checked()) CheckMenuItem(id, *ce.Checked());
        if (ce.Text()) a->setText(ToQ(*ce.Text()));
    }
}

bool TFrameWindow::TryAccelerator(const KeyPress& key) {
    int id = FindAccelerator(Impl()->accelerators, key.vk, key.modifiers);
    if (id == 0) return false;
    RunCommand(id);
    return true;
}

bool TFrameWindow::PostAccelerator(const KeyPress& key) {
    int id = FindAccelerator(Impl()->accelerators, key.vk, key.modifiers);
    if (id == 0) return false;
    PostCommand(id);
    return true;
}

bool TFrameWindow::EvCommand(int id) {
    if (id == kCmExit) {
        CloseWindow(0);
        return true;
    }
    return TWindow::EvCommand(id);
}

}  // namespace curvelo::fw
