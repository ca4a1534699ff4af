#include "framework/dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "framework/application.h"
#include "framework/automation_state.h"
#include "framework/dialog_template.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

using Kind = DialogItem::Kind;

// Static texts show '&' as Windows statics do: single ones vanish, "&&" is one '&'.
QString StaticText(const std::string& s) {
    QString out;
    QString in = ToQ(s);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&') {
            if (i + 1 < in.size() && in[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += in[i];
    }
    return out;
}

void DlgCommand(TDialog* d, int id) {
    if (IsAlive(d)) d->EvCommand(id);
}

void DlgNotify(TDialog* d, int id, Notify code) {
    if (IsAlive(d)) WindowImpl::Of(d)->DeliverNotify(id, code);
}

class Builder {
public:
    Builder(TDialog* dlg, WindowImpl& impl, QWidget* dialog) : dlg_(dlg), impl_(impl), dialog_(dialog) {}

    void Fill(QBoxLayout* layout, const DialogItem& container) {
        for (const DialogItem& item : container.items) Add(layout, item);
    }

private:
    int CharWidth() const { return dialog_->fontMetrics().averageCharWidth(); }
    int LineHeight() const { return dialog_->fontMetrics().lineSpacing(); }

    void Register(const DialogItem& item, QWidget* w) {
        if (item.width > 0) w->setMinimumWidth(item.width * CharWidth() + 12);
        if (item.disabled) w->setEnabled(false);
        if (item.hidden) w->setVisible(false);
        if (item.id != -1 && impl_.controls.count(item.id) == 0)
            impl_.controls[item.id] = DialogControl{item.id, static_cast<int>(item.kind), w};
    }

    void Add(QBoxLayout* layout, const DialogItem& item) {
        const int id = item.id;
        switch (item.kind) {
            case Kind::Column:
            case Kind::Row: {
                QBoxLayout* inner = item.kind == Kind::Row ? static_cast<QBoxLayout*>(new QHBoxLayout)
                                                           : static_cast<QBoxLayout*>(new QVBoxLayout);
                layout->addLayout(inner);
                Fill(inner, item);
                break;
            }
            case Kind::Group: {
                auto* box = new QGroupBox(StaticText(item.caption), dialog_);
                auto* inner = new QVBoxLayout(box);
                layout->addWidget(box);
                Fill(inner, item);
                break;
            }
            case Kind::Buttons: {
                auto* inner = new QHBoxLayout;
                inner->addStretch(1);
                layout->addLayout(inner);
                Fill(inner, item);
                break;
            }
            case Kind::Table: {
                // Cell k of every row lands in grid column k, so headers line up with fields.
                auto* grid = new QGridLayout;
                layout->addLayout(grid);
                for (std::size_t r = 0; r < item.items.size(); ++r)
                    for (std::size_t k = 0; k < item.items[r].items.size(); ++k) {
                        auto* cell = new QHBoxLayout;
                        cell->setContentsMargins(0, 0, 0, 0);
                        grid->addLayout(cell, static_cast<int>(r), static_cast<int>(k));
                        Add(cell, item.items[r].items[k]);
                    }
                break;
            }
            case Kind::Stretch:
                layout->addStretch(1);
                break;
            case Kind::Edit: {
                QWidget* w = nullptr;
                if (item.multiline) {
                    auto* e = new QPlainTextEdit(ToQ(item.caption), dialog_);
                    e->setReadOnly(item.readOnly);
                    e->setTabChangesFocus(true);
                    int lines = item.lines > 0 ? item.lines : 4;
                    e->setMinimumHeight(lines * LineHeight() + 10);
                    QObject::connect(e, &QPlainTextEdit::textChanged, e, [d = dlg_, id] { DlgNotify(d, id, Notify::EditChange); });
                    w = e;
                } else {
                    auto* e = new QLineEdit(ToQ(item.caption), dialog_);
                    e->setReadOnly(item.readOnly);
                    if (item.password) e->setEchoMode(QLineEdit::Password);
                    QObject::connect(e, &QLineEdit::textChanged, e, [d = dlg_, id] { DlgNotify(d, id, Notify::EditChange); });
                    QObject::connect(e, &QLineEdit::returnPressed, e, [d = dlg_, id] { DlgNotify(d, id, Notify::EditEnter); });
                    w = e;
                }
                layout->addWidget(w);
                Register(item, w);
                break;
            }
            case Kind::Static: {
                auto* l = new QLabel(StaticText(item.caption), dialog_);
                l->setTextFormat(Qt::PlainText);
                l->setWordWrap(item.width > 0);
                layout->addWidget(l);
                Register(item, l);
                break;
            }
            case Kind::Button: {
                auto* b = new QPushButton(ToQ(item.caption), dialog_);
                b->setAutoDefault(false);
                if (item.isDefault) b->setDefault(true);
                QObject::connect(b, &QPushButton::clicked, b, [d = dlg_, id] { DlgCommand(d, id); });
                layout->addWidget(b);
                Register(item, b);
                break;
            }
            case Kind::Check: {
                auto* c = new QCheckBox(ToQ(item.caption), dialog_);
                QObject::connect(c, &QCheckBox::clicked, c, [d = dlg_, id] { DlgCommand(d, id); });
                layout->addWidget(c);
                Register(item, c);
                break;
            }
            case Kind::Radio: {
                auto* r = new QRadioButton(ToQ(item.caption), dialog_);
                if (item.groupStart || impl_.radioGroups.empty()) {
                    auto* g = new QButtonGroup(dialog_);
                    g->setExclusive(true);
                    impl_.radioGroups.push_back(g);
                }
                impl_.radioGroups.back()->addButton(r);
                QObject::connect(r, &QRadioButton::clicked, r, [d = dlg_, id] { DlgCommand(d, id); });
                layout->addWidget(r);
                Register(item, r);
                break;
            }
            case Kind::Combo: {
                auto* c = new QComboBox(dialog_);
                c->setEditable(item.editable);
                QObject::connect(c, &QComboBox::currentIndexChanged, c, [d = dlg_, id](int) { DlgNotify(d, id, Notify::SelChange); });
                layout->addWidget(c);
                Register(item, c);
                break;
            }
            case Kind::List: {
                auto* l = new QListWidget(dialog_);
                int lines = item.lines > 0 ? item.lines : 6;
                l->setMinimumHeight(lines * LineHeight() + 8);
                QObject::connect(l, &QListWidget::currentRowChanged, l, [d = dlg_, id](int) { DlgNotify(d, id, Notify::SelChange); });
                QObject::connect(l, &QListWidget::itemDoubleClicked, l, [d = dlg_, id] { DlgNotify(d, id, Notify::DoubleClick); });
                layout->addWidget(l);
                Register(item, l);
                break;
            }
            case Kind::HScroll:
            case Kind::VScroll: {
                auto* s = new QScrollBar(item.kind == Kind::HScroll ? Qt::Horizontal : Qt::Vertical, dialog_);
                if (item.kind == Kind::VScroll && item.lines > 0) s->setMinimumHeight(item.lines * LineHeight());
                QObject::connect(s, &QScrollBar::valueChanged, s, [d = dlg_, id](int) { DlgNotify(d, id, Notify::ScrollChange); });
                layout->addWidget(s);
                Register(item, s);
                break;
            }
        }
    }

    TDialog* dlg_;
    WindowImpl& impl_;
    QWidget* dialog_;
};

QWidget* Item(const WindowImpl& impl, int id) {
    auto it = impl.controls.find(id);
    return it == impl.controls.end() ? nullptr : it->second.widget.data();
}

}  // namespace

TDialog::TDialog(TWindow* parent, const std::string& templateName)
    : TWindow(parent, std::string(), DialogTag{}) {
    WindowImpl& impl = *Impl();
    impl.templateName = templateName;
    DialogTemplate t;
    std::string error;
    impl.templateOk = LoadDialogTemplate(templateName, t, error);
    auto* dialog = static_cast<QDialog*>(impl.top.data());
    if (!impl.templateOk) {
        dialog->setWindowTitle(ToQ(templateName));
        return;
    }
    dialog->setWindowTitle(ToQ(t.caption));
    auto* root = new QVBoxLayout(dialog);
    root->setSizeConstraint(QLayout::SetMinimumSize);
    Builder(this, impl, dialog).Fill(root, t.root);
}

TDialog::~TDialog() = default;

bool TDialog::TemplateOk() const { return Impl()->templateOk; }
const std::string& TDialog::TemplateName() const { return Impl()->templateName; }

int TDialog::Execute() {
    WindowImpl& impl = *Impl();
    if (!impl.templateOk || !impl.top) return -1;
    impl.modal = true;
    impl.result = kIdCancel;
    impl.ended = false;
    if (!Create()) return -1;
    auto* dialog = static_cast<QDialog*>(impl.top.data());
    impl.running = true;
    if (auto& hook = detail::DialogHookSlot()) {
        int id = hook(*this);
        if (!impl.ended && id != 0) EvCommand(id);
        if (!impl.ended) impl.result = -1;
    } else if (BatchMode()) {
        impl.result = kIdCancel;
    } else {
        dialog->exec();
    }
    impl.running = false;
    int result = impl.result;
    Destroy(result);
    return result;
}

bool TDialog::IsModal() const { return Impl()->modal; }

void TDialog::EndDialog(int result) {
    WindowImpl& impl = *Impl();
    impl.result = result;
    impl.ended = true;
    if (impl.modal && impl.running) {
        if (auto* d = static_cast<QDialog*>(impl.top.data())) d->done(result);
        return;
    }
    Destroy(result);
}

int TDialog::Result() const { return Impl()->result; }

bool TDialog::HasItem(int id) const { return Item(*Impl(), id) != nullptr; }

void TDialog::SetItemText(int id, const std::string& text) {
    QWidget* w = Item(*Impl(), id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(ToQ(text));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(ToQ(text));
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(StaticText(text));
    else if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(ToQ(text));
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) c->setEditText(ToQ(text));
        else c->setCurrentIndex(c->findText(ToQ(text)));
    }
}

std::string TDialog::GetItemText(int id) const {
    QWidget* w = Item(*Impl(), id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return FromQ(e->text());
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return FromQ(p->toPlainText());
    if (auto* l = qobject_cast<QLabel*>(w)) return FromQ(l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return FromQ(b->text());
    if (auto* c = qobject_cast<QComboBox*>(w)) return FromQ(c->currentText());
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->currentItem() ? FromQ(l->currentItem()->text()) : std::string();
    return {};
}

void TDialog::SetItemLimit(int id, int maxChars) {
    if (auto* e = qobject_cast<QLineEdit*>(Item(*Impl(), id))) e->setMaxLength(maxChars > 0 ? maxChars : 32767);
}

void TDialog::SetItemFont(int id, const LogFont& font) {
    if (QWidget* w = Item(*Impl(), id)) w->setFont(QFontFromLogFont(font, w->logicalDpiY()));
}

LogFont TDialog::GetItemFont(int id) const {
    QWidget* w = Item(*Impl(), id);
    return w ? LogFontFromQFont(w->font(), w->logicalDpiY()) : LogFont{};
}

void TDialog::CheckItem(int id, bool checked) {
    if (auto* b = qobject_cast<QAbstractButton*>(Item(*Impl(), id))) {
        if (!checked && b->group() && b->group()->exclusive() && b->isChecked()) {
            // An exclusive group cannot uncheck its checked button directly.
            QButtonGroup* g = b->group();
            g->setExclusive(false);
            b->setChecked(false);
            g->setExclusive(true);
        } else {
            b->setChecked(checked);
        }
    }
}

bool TDialog::IsItemChecked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(Item(*Impl(), id));
    return b && b->isChecked();
}

void TDialog::EnableItem(int id, bool enable) {
    if (QWidget* w = Item(*Impl(), id)) w->setEnabled(enable);
}

bool TDialog::IsItemEnabled(int id) const {
    QWidget* w = Item(*Impl(), id);
    return w && w->isEnabled();
}

void TDialog::ShowItem(int id, bool show) {
    if (QWidget* w = Item(*Impl(), id)) w->setVisible(show);
}

bool TDialog::IsItemVisible(int id) const {
    QWidget* w = Item(*Impl(), id);
    return w && !w->isHidden();
}

void TDialog::SetItemFocus(int id) {
    if (QWidget* w = Item(*Impl(), id)) w->setFocus();
}

void TDialog::SelectItemText(int id) {
    QWidget* w = Item(*Impl(), id);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->selectAll();
}

void TDialog::ClearList(int id) {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->clear();
    else if (auto* l = qobject_cast<QListWidget*>(w)) l->clear();
}

void TDialog::AddString(int id, const std::string& text) {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->addItem(ToQ(text));
    else if (auto* l = qobject_cast<QListWidget*>(w)) l->addItem(ToQ(text));
}

int TDialog::GetCount(int id) const {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->count();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->count();
    return 0;
}

void TDialog::SetSelIndex(int id, int index) {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->setCurrentIndex(index >= c->count() ? -1 : index);
    else if (auto* l = qobject_cast<QListWidget*>(w)) l->setCurrentRow(index >= l->count() ? -1 : index);
}

int TDialog::GetSelIndex(int id) const {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) return l->currentRow();
    return -1;
}

std::string TDialog::GetString(int id, int index) const {
    QWidget* w = Item(*Impl(), id);
    if (auto* c = qobject_cast<QComboBox*>(w); c && index >= 0 && index < c->count()) return FromQ(c->itemText(index));
    if (auto* l = qobject_cast<QListWidget*>(w); l && index >= 0 && index < l->count()) return FromQ(l->item(index)->text());
    return {};
}

void TDialog::SetScrollRange(int id, int min, int max) {
    if (auto* s = qobject_cast<QScrollBar*>(Item(*Impl(), id))) s->setRange(min, std::max(min, max));
}

void TDialog::SetScrollPos(int id, int pos) {
    if (auto* s = qobject_cast<QScrollBar*>(Item(*Impl(), id))) s->setValue(pos);
}

void TDialog::SetScrollPage(int id, int page) {
    if (auto* s = qobject_cast<QScrollBar*>(Item(*Impl(), id))) s->setPageStep(std::max(1, page));
}

int TDialog::GetScrollPos(int id) const {
    auto* s = qobject_cast<QScrollBar*>(Item(*Impl(), id));
    return s ? s->value() : 0;
}

Size TDialog::GetDialogSize() const {
    QWidget* w = Impl()->top;
    if (!w) return {};
    if (!w->isVisible()) w->adjustSize();
    QRect f = w->frameGeometry();
    return {f.width(), f.height()};
}

bool TDialog::EvCommand(int id) {
    if (id == kIdCancel) {
        EndDialog(kIdCancel);
        return true;
    }
    if (id == kIdOk) {
        if (CanClose()) EndDialog(kIdOk);
        return true;
    }
    auto it = Impl()->controls.find(id);
    if (it != Impl()->controls.end() && it->second.kind == static_cast<int>(Kind::Button)) {
        EndDialog(id);
        return true;
    }
    return TWindow::EvCommand(id);
}

}  // namespace curvelo::fw
