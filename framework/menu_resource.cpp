#include "framework/menu_resource.h"

#include <cctype>

#include "framework/fw_types.h"
#include "framework/keys.h"
#include "framework/resource_lexer.h"
#include "resources/resources.h"

namespace curvelo::fw {
namespace {

constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxItems = 2000;

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

struct NamedKey {
    const char* name;
    int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"space", vk::kSpace},   {"enter", vk::kReturn},  {"return", vk::kReturn},
    {"esc", vk::kEscape},    {"escape", vk::kEscape}, {"tab", vk::kTab},
    {"backspace", vk::kBack}, {"ins", vk::kInsert},   {"insert", vk::kInsert},
    {"del", vk::kDelete},    {"delete", vk::kDelete}, {"home", vk::kHome},
    {"end", vk::kEnd},       {"pgup", vk::kPrior},    {"pgdn", vk::kNext},
    {"left", vk::kLeft},     {"right", vk::kRight},   {"up", vk::kUp},
    {"down", vk::kDown},     {"pause", vk::kPause},   {"plus", vk::kOemPlus},
    {"minus", vk::kOemMinus}, {"num+", vk::kAdd},     {"num-", vk::kSubtract},
    {"num*", vk::kMultiply}, {"num/", vk::kDivide},
};

}  // namespace

bool ParseKeyName(std::string_view name, int& vkOut, unsigned& modifiers) {
    modifiers = 0;
    std::string s = Lower(name);
    // Modifiers end with '+'; a trailing "num+" is the key itself.
    for (;;) {
        if (s.rfind("ctrl+", 0) == 0 && s.size() > 5) {
            modifiers |= kCtrl;
            s.erase(0, 5);
        } else if (s.rfind("shift+", 0) == 0 && s.size() > 6) {
            modifiers |= kShift;
            s.erase(0, 6);
        } else if (s.rfind("alt+", 0) == 0 && s.size() > 4) {
            modifiers |= kAlt;
            s.erase(0, 4);
        } else {
            break;
        }
    }
    if (s.size() == 1 && ((s[0] >= 'a' && s[0] <= 'z') || (s[0] >= '0' && s[0] <= '9'))) {
        vkOut = std::toupper(static_cast<unsigned char>(s[0]));
        return true;
    }
    if (s.size() >= 2 && s[0] == 'f') {
        int n = 0;
        if (detail::ParseInt(s.substr(1), n) && n >= 1 && n <= 24 && s[1] != '-' && s[1] != '0') {
            vkOut = vk::F(n);
            return true;
        }
    }
    for (const NamedKey& k : kNamedKeys) {
        if (s == k.name) {
            vkOut = k.vk;
            return true;
        }
    }
    return false;
}

bool ParseMenu(std::string_view text, std::vector<MenuItem>& out, std::string& error) {
    out.clear();
    std::vector<std::vector<MenuItem>*> stack{&out};
    std::size_t count = 0;
    bool ok = detail::ForEachResourceLine(text, error, [&](int lineNo, const std::vector<detail::Token>& t) {
        auto fail = [&](const std::string& why) {
            error = detail::LineError(lineNo, why);
            return false;
        };
        if (++count > kMaxItems) return fail("túl sok menüpont");
        const std::string word = t[0].quoted ? std::string() : Lower(t[0].text);
        if (word == "popup") {
            if (t.size() != 2 || !t[1].quoted) return fail("popup \"felirat\" kell");
            if (static_cast<int>(stack.size()) > kMaxDepth) return fail("túl mély menü");
            MenuItem m;
            m.kind = MenuItem::Kind::Popup;
            m.caption = t[1].text;
            stack.back()->push_back(std::move(m));
            stack.push_back(&stack.back()->back().items);
            return true;
        }
        if (word == "end") {
            if (t.size() != 1 || stack.size() == 1) return fail("fölösleges end");
            stack.pop_back();
            return true;
        }
        if (word == "separator") {
            if (t.size() != 1 || stack.size() == 1) return fail("elválasztó csak legördülő menüben lehet");
            MenuItem m;
            m.kind = MenuItem::Kind::Separator;
            stack.back()->push_back(std::move(m));
            return true;
        }
        if (word == "item") {
            MenuItem m;
            if (t.size() < 3 || t[1].quoted || !detail::ParseInt(t[1].text, m.id) || !t[2].quoted)
                return fail("item AZONOSÍTÓ \"felirat\" kell");
            m.caption = t[2].text;
            for (std::size_t i = 3; i < t.size(); ++i) {
                std::string opt = Lower(t[i].text);
                if (t[i].quoted) return fail("váratlan szöveg");
                if (opt == "checked") m.checked = true;
                else if (opt == "disabled") m.disabled = true;
                else return fail("ismeretlen jelző: " + t[i].text);
            }
            stack.back()->push_back(std::move(m));
            return true;
        }
        return fail("ismeretlen utasítás: " + t[0].text);
    });
    if (ok && stack.size() != 1) {
        error = "hiányzó end";
        ok = false;
    }
    if (!ok) out.clear();
    return ok;
}

bool ParseAccelerators(std::string_view text, std::vector<Accelerator>& out, std::string& error) {
    out.clear();
    bool ok = detail::ForEachResourceLine(text, error, [&](int lineNo, const std::vector<detail::Token>& t) {
        Accelerator a;
        if (t.size() != 2 || t[0].quoted || t[1].quoted || !detail::ParseInt(t[1].text, a.id)) {
            error = detail::LineError(lineNo, "BILLENTYŰ AZONOSÍTÓ kell");
            return false;
        }
        if (!ParseKeyName(t[0].text, a.vk, a.modifiers)) {
            error = detail::LineError(lineNo, "ismeretlen billentyű: " + t[0].text);
            return false;
        }
        if (out.size() >= kMaxItems) {
            error = detail::LineError(lineNo, "túl sok gyorsbillentyű");
            return false;
        }
        out.push_back(a);
        return true;
    });
    if (!ok) out.clear();
    return ok;
}

bool LoadMenuResource(const std::string& name, std::vector<MenuItem>& out, std::string& error) {
    std::string path = "menus/" + name + ".menu";
    if (!res::HasFile(path)) {
        out.clear();
        error = "nincs ilyen menü: " + name;
        return false;
    }
    return ParseMenu(res::File(path), out, error);
}

bool LoadAcceleratorResource(const std::string& name, std::vector<Accelerator>& out,
                             std::string& error) {
    std::string path = "menus/" + name + ".acc";
    if (!res::HasFile(path)) {
        out.clear();
        error = "nincsenek ilyen gyorsbillentyűk: " + name;
        return false;
    }
    return ParseAccelerators(res::File(path), out, error);
}

int FindAccelerator(const std::vector<Accelerator>& table, int vkCode, unsigned modifiers) {
    modifiers &= (kShift | kCtrl | kAlt);
    for (const Accelerator& a : table)
        if (a.vk == vkCode && a.modifiers == modifiers) return a.id;
    return 0;
}

}  // namespace curvelo::fw
