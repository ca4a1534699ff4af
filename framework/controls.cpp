#include "framework/controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "framework/qt_internal.h"

namespace curvelo::fw {
namespace {

void ReplaceWidget(TWindow* self, QWidget* w) {
    WindowImpl& impl = *self->Impl();
    delete impl.top.data();
    impl.top = impl.client = w;
    w->setProperty("curvelo_impl", QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(&impl)));
    w->show();
}

QWidget* ParentClient(TWindow* parent) {
    WindowImpl* p = WindowImpl::Of(parent);
    return p ? p->client.data() : nullptr;
}

void SendNotify(TWindow* parent, int id, fw::Notify code) {
    if (IsAlive(parent) && !WindowImpl::Of(parent)->dying) WindowImpl::Of(parent)->DeliverNotify(id, code);
}

// Keeps a multi-line edit within its character limit by dropping the excess of an insertion.
void EnforceLimit(QPlainTextEdit* e, int pos, int added) {
    int limit = e->property("curvelo_limit").toInt();
    if (limit <= 0 || added <= 0) return;
    int excess = e->document()->characterCount() - 1 - limit;
    if (excess <= 0) return;
    QTextCursor c(e->document());
    int end = pos + added;
    c.setPosition(std::max(pos, end - excess));
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

}  // namespace

TControl::TControl(TWindow* parent, int id) : TWindow(parent, std::string()), id_(id) {
    Impl()->type = WindowImpl::Type::Control;
    Impl()->created = true;
}

TControl::~TControl() = default;

TEdit::TEdit(TWindow* parent, int id, const std::string& text, EditOptions options) : TControl(parent, id) {
    if (options.multiline) {
        auto* e = new QPlainTextEdit(ParentClient(parent));
        e->setLineWrapMode(options.wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        e->setReadOnly(options.readOnly);
        e->setPlainText(ToQ(text));
        e->document()->setModified(false);
        QObject::connect(e->document(), &QTextDocument::contentsChange, e,
                         [e](int pos, int, int added) { EnforceLimit(e, pos, added); });
        QObject::connect(e, &QPlainTextEdit::textChanged, e, [parent, id] { SendNotify(parent, id, Notify::EditChange); });
        ReplaceWidget(this, e);
    } else {
        auto* e = new QLineEdit(ParentClient(parent));
        e->setReadOnly(options.readOnly);
        if (options.password) e->setEchoMode(QLineEdit::Password);
        e->setText(ToQ(text));
        e->setModified(false);
        QObject::connect(e, &QLineEdit::textChanged, e, [parent, id] { SendNotify(parent, id, Notify::EditChange); });
        ReplaceWidget(this, e);
    }
}

TEdit::~TEdit() = default;

#define CURVELO_EDIT_DISPATCH(LINE, PLAIN)                                   \
    if (auto* le = qobject_cast<QLineEdit*>(Impl()->top.data())) { LINE; }   \
    else if (auto* pe = qobject_cast<QPlainTextEdit*>(Impl()->top.data())) { PLAIN; }

void TEdit::SetText(const std::string& text) {
    CURVELO_EDIT_DISPATCH(le->setText(ToQ(text)), pe->setPlainText(ToQ(text)))
}

std::string TEdit::GetText() const {
    CURVELO_EDIT_DISPATCH(return FromQ(le->text()), return FromQ(pe->toPlainText()))
    return {};
}

int TEdit::GetTextLength() const {
    CURVELO_EDIT_DISPATCH(return static_cast<int>(le->text().size()),
                          return pe->document()->characterCount() - 1)
    return 0;
}

void TEdit::SetLimit(int maxChars) {
    CURVELO_EDIT_DISPATCH(le->setMaxLength(maxChars > 0 ? maxChars : 32767),
                          pe->setProperty("curvelo_limit", maxChars))
}

void TEdit::SetReadOnly(bool readOnly) {
    CURVELO_EDIT_DISPATCH(le->setReadOnly(readOnly), pe->setReadOnly(readOnly))
}

void TEdit::SetFont(const LogFont& font) {
    QWidget* w = Impl()->top;
    if (w) w->setFont(QFontFromLogFont(font, w->logicalDpiY()));
}

void TEdit::SetTextColor(Color c) {
    QWidget* w = Impl()->top;
    if (!w) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Text, QColor(c.r, c.g, c.b));
    w->setPalette(p);
}

void TEdit::SetSelection(int start, int end) {
    if (start < 0) start = 0;
    if (end < start) end = start;
    int n = GetTextLength();
    start = std::min(start, n);
    end = std::min(end, n);
    CURVELO_EDIT_DISPATCH(le->setSelection(start, end - start), {
        QTextCursor c(pe->document());
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        pe->setTextCursor(c);
    })
}

void TEdit::GetSelection(int& start, int& end) const {
    start = end = 0;
    CURVELO_EDIT_DISPATCH(
        {
            if (le->hasSelectedText()) {
                start = le->selectionStart();
                end = start + static_cast<int>(le->selectedText().size());
            } else {
                start = end = le->cursorPosition();
            }
        },
        {
            QTextCursor c = pe->textCursor();
            start = c.selectionStart();
            end = c.selectionEnd();
        })
}

bool TEdit::HasSelection() const {
    int s = 0, e = 0;
    GetSelection(s, e);
    return e > s;
}

void TEdit::SelectAll() { CURVELO_EDIT_DISPATCH(le->selectAll(), pe->selectAll()) }
void TEdit::Copy() { CURVELO_EDIT_DISPATCH(le->copy(), pe->copy()) }
void TEdit::Cut() { CURVELO_EDIT_DISPATCH(le->cut(), pe->cut()) }
void TEdit::Paste() { CURVELO_EDIT_DISPATCH(le->paste(), pe->paste()) }
void TEdit::Clear() { CURVELO_EDIT_DISPATCH(le->clear(), pe->clear()) }
void TEdit::Insert(const std::string& text) {
    CURVELO_EDIT_DISPATCH(le->insert(ToQ(text)), pe->insertPlainText(ToQ(text)))
}

bool TEdit::IsModified() const {
    CURVELO_EDIT_DISPATCH(return le->isModified(), return pe->document()->isModified())
    return false;
}

void TEdit::ClearModify() { CURVELO_EDIT_DISPATCH(le->setModified(false), pe->document()->setModified(false)) }

int TEdit::GetLineCount() const {
    CURVELO_EDIT_DISPATCH((void)le; return 1, return pe->document()->blockCount())
    return 0;
}

int TEdit::GetFirstVisibleLine() const {
    // Without wrapping the vertical scroll position counts lines.
    CURVELO_EDIT_DISPATCH((void)le; return 0, return pe->verticalScrollBar()->value())
    return 0;
}

int TEdit::GetLineFromChar(int index) const {
    CURVELO_EDIT_DISPATCH((void)le; return 0, return pe->document()->findBlock(std::max(0, index)).blockNumber())
    return 0;
}

void TEdit::ScrollToLine(int line) {
    CURVELO_EDIT_DISPATCH((void)le; (void)line, pe->verticalScrollBar()->setValue(std::max(0, line)))
}

#undef CURVELO_EDIT_DISPATCH

TStatic::TStatic(TWindow* parent, int id, const std::string& text) : TControl(parent, id) {
    auto* l = new QLabel(ToQ(text), ParentClient(parent));
    l->setTextFormat(Qt::PlainText);
    ReplaceWidget(this, l);
}

void TStatic::SetText(const std::string& text) {
    if (auto* l = qobject_cast<QLabel*>(Impl()->top.data())) l->setText(ToQ(text));
}

std::string TStatic::GetText() const {
    auto* l = qobject_cast<QLabel*>(Impl()->top.data());
    return l ? FromQ(l->text()) : std::string();
}

TScrollBar::TScrollBar(TWindow* parent, int id, bool horizontal) : TControl(parent, id) {
    auto* s = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, ParentClient(parent));
    QObject::connect(s, &QScrollBar::valueChanged, s, [parent, id](int) { SendNotify(parent, id, Notify::ScrollChange); });
    ReplaceWidget(this, s);
}

static QScrollBar* Bar(const TWindow* w) { return qobject_cast<QScrollBar*>(w->Impl()->top.data()); }

void TScrollBar::SetRange(int min, int max) {
    if (QScrollBar* s = Bar(this)) s->setRange(min, std::max(min, max));
}
void TScrollBar::GetRange(int& min, int& max) const {
    QScrollBar* s = Bar(this);
    min = s ? s->minimum() : 0;
    max = s ? s->maximum() : 0;
}
void TScrollBar::SetPosition(int pos) {
    if (QScrollBar* s = Bar(this)) s->setValue(pos);
}
int TScrollBar::GetPosition() const {
    QScrollBar* s = Bar(this);
    return s ? s->value() : 0;
}
void TScrollBar::SetLineMagnitude(int n) {
    if (QScrollBar* s = Bar(this)) s->setSingleStep(std::max(1, n));
}
void TScrollBar::SetPageMagnitude(int n) {
    if (QScrollBar* s = Bar(this)) s->setPageStep(std::max(1, n));
}

}  // namespace curvelo::fw
