#include "framework/dialog_template.h"

#include <cctype>

#include "framework/resource_lexer.h"
#include "resources/resources.h"

namespace curvelo::fw {
namespace {

using Kind = DialogItem::Kind;
constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxControls = 500;
constexpr int kMaxWidth = 200;
constexpr int kMaxLines = 100;

std::string Lower(const std::string& s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

bool ControlKind(const std::string& w, Kind& k) {
    static const std::pair<const char*, Kind> kinds[] = {
        {"edit", Kind::Edit},   {"static", Kind::Static}, {"button", Kind::Button},
        {"check", Kind::Check}, {"radio", Kind::Radio},   {"combo", Kind::Combo},
        {"list", Kind::List},   {"hscroll", Kind::HScroll}, {"vscroll", Kind::VScroll}};
    for (auto& [name, kind] : kinds)
        if (w == name) {
            k = kind;
            return true;
        }
    return false;
}

// Parses "name=N" with N in 1..max.
bool SizeOption(const std::string& opt, const char* name, int max, int& out) {
    std::string prefix = std::string(name) + "=";
    if (opt.rfind(prefix, 0) != 0) return false;
    int v = 0;
    if (!detail::ParseInt(opt.substr(prefix.size()), v) || v < 1 || v > max) {
        out = -1;
        return true;
    }
    out = v;
    return true;
}

bool ApplyOption(DialogItem& item, const std::string& opt, std::string& why) {
    int v = 0;
    if (SizeOption(opt, "width", kMaxWidth, v)) {
        if (v < 0) return why = "hibás szélesség", false;
        item.width = v;
        return true;
    }
    if (SizeOption(opt, "lines", kMaxLines, v)) {
        if (v < 0) return why = "hibás sorszám", false;
        item.lines = v;
        if (item.kind == Kind::Edit && v > 1) item.multiline = true;
        return true;
    }
    struct Flag {
        const char* name;
        bool DialogItem::*field;
        bool allowed;
    };
    const Flag flags[] = {
        {"multiline", &DialogItem::multiline, item.kind == Kind::Edit},
        {"readonly", &DialogItem::readOnly, item.kind == Kind::Edit},
        {"password", &DialogItem::password, item.kind == Kind::Edit},
        {"disabled", &DialogItem::disabled, true},
        {"hidden", &DialogItem::hidden, true},
        {"default", &DialogItem::isDefault, item.kind == Kind::Button},
        {"group", &DialogItem::groupStart, item.kind == Kind::Radio},
        {"editable", &DialogItem::editable, item.kind == Kind::Combo},
    };
    for (const Flag& f : flags) {
        if (opt == f.name) {
            if (!f.allowed) return why = "ez a jelző itt nem használható: " + opt, false;
            item.*f.field = true;
            return true;
        }
    }
    why = "ismeretlen jelző: " + opt;
    return false;
}

void CollectControls(const DialogItem& item, std::vector<const DialogItem*>& out) {
    for (const DialogItem& c : item.items) {
        if (c.kind <= Kind::Stretch) CollectControls(c, out);
        else out.push_back(&c);
    }
}

}  // namespace

bool ParseDialogTemplate(std::string_view text, DialogTemplate& out, std::string& error) {
    out = DialogTemplate{};
    std::vector<DialogItem*> stack{&out.root};
    bool haveCaption = false;
    std::size_t count = 0;
    bool ok = detail::ForEachResourceLine(text, error, [&](int lineNo, const std::vector<detail::Token>& t) {
        auto fail = [&](const std::string& why) {
            error = detail::LineError(lineNo, why);
            return false;
        };
        if (t[0].quoted) return fail("utasítás kell");
        const std::string word = Lower(t[0].text);
        if (!haveCaption) {
            if (word != "caption" || t.size() != 2 || !t[1].quoted)
                return fail("az első sor: caption \"cím\"");
            out.caption = t[1].text;
            haveCaption = true;
            return true;
        }
        if (++count > kMaxControls) return fail("túl sok vezérlő");
        DialogItem* parent = stack.back();
        if (parent->kind == Kind::Table && word != "row" && word != "end")
            return fail("a table csak row sorokat tartalmaz");
        if (word == "row" || word == "column" || word == "buttons" || word == "group" || word == "table") {
            DialogItem c;
            c.kind = word == "row" ? Kind::Row : word == "column" ? Kind::Column
                   : word == "buttons" ? Kind::Buttons : word == "table" ? Kind::Table : Kind::Group;
            if (c.kind == Kind::Group) {
                if (t.size() != 2 || !t[1].quoted) return fail("group \"cím\" kell");
                c.caption = t[1].text;
            } else if (t.size() != 1) {
                return fail("váratlan folytatás");
            }
            if (static_cast<int>(stack.size()) > kMaxDepth) return fail("túl mély szerkezet");
            parent->items.push_back(std::move(c));
            stack.push_back(&parent->items.back());
            return true;
        }
        if (word == "end") {
            if (t.size() != 1 || stack.size() == 1) return fail("fölösleges end");
            stack.pop_back();
            return true;
        }
        if (word == "stretch") {
            if (t.size() != 1) return fail("váratlan folytatás");
            DialogItem stretch;
            stretch.kind = Kind::Stretch;
            parent->items.push_back(std::move(stretch));
            return true;
        }
        DialogItem c;
        if (!ControlKind(word, c.kind)) return fail("ismeretlen utasítás: " + t[0].text);
        if (t.size() < 2 || t[1].quoted || !detail::ParseInt(t[1].text, c.id))
            return fail("azonosító kell");
        std::size_t i = 2;
        if (i < t.size() && t[i].quoted) c.caption = t[i++].text;
        for (; i < t.size(); ++i) {
            std::string why;
            if (t[i].quoted) return fail("váratlan szöveg");
            if (!ApplyOption(c, Lower(t[i].text), why)) return fail(why);
        }
        parent->items.push_back(std::move(c));
        return true;
    });
    if (ok && !haveCaption) {
        error = "üres sablon";
        ok = false;
    }
    if (ok && stack.size() != 1) {
        error = "hiányzó end";
        ok = false;
    }
    if (!ok) out = DialogTemplate{};
    return ok;
}

bool LoadDialogTemplate(const std::string& name, DialogTemplate& out, std::string& error) {
    std::string path = "dialogs/" + name + ".dlg";
    if (!res::HasFile(path)) {
        out = DialogTemplate{};
        error = "nincs ilyen párbeszédablak: " + name;
        return false;
    }
    return ParseDialogTemplate(res::File(path), out, error);
}

std::vector<const DialogItem*> TemplateControls(const DialogTemplate& t) {
    std::vector<const DialogItem*> out;
    CollectControls(t.root, out);
    return out;
}

}  // namespace curvelo::fw
