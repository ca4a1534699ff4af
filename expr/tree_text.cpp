#include "expr/tree_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "expr/keywords.h"
#include "expr/node_kinds.h"

namespace curvelo {
namespace {

constexpr std::size_t kTextLimit = 4999;
constexpr std::size_t kNumberLimit = 49;

// The first keyword name of a code: the one a user would write.
const char* NameOf(std::uint16_t code) {
    static const KeywordTable table;
    for (const Keyword& k : table.Entries())
        if (k.code == code && k.name[0] != '!') return k.name;
    return nullptr;
}

bool AppendNumber(long double v, std::string& out) {
    if (!std::isfinite(v)) return false;
    char buf[128];
    const long double mag = std::fabs(v);
    std::to_chars_result r{};
    if (mag == 0 || (mag >= 1e-20L && mag < 1e21L)) {
        r = std::to_chars(buf, buf + sizeof buf, mag, std::chars_format::fixed);
        if (r.ec != std::errc() || static_cast<std::size_t>(r.ptr - buf) > kNumberLimit) return false;
        const std::string_view digits(buf, static_cast<std::size_t>(r.ptr - buf));
        out += v < 0 ? "(-" : "(";
        out += digits;
        out += ")";
        return true;
    }
    // Far from 1: mantissa times a power of ten, as the language has no exponent notation.
    r = std::to_chars(buf, buf + sizeof buf, mag, std::chars_format::scientific);
    if (r.ec != std::errc()) return false;
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = s.find('e');
    if (e == std::string_view::npos) return false;
    std::string_view exponent = s.substr(e + 1);
    if (!exponent.empty() && exponent[0] == '+') exponent.remove_prefix(1);
    out += v < 0 ? "(-" : "(";
    out += s.substr(0, e);
    out += "*10^(";
    out += exponent;
    out += "))";
    return true;
}

bool Write(const ExprNode* n, std::string& out);

bool Call(const char* name, std::initializer_list<const ExprNode*> args, std::string& out) {
    if (!name) return false;
    out += name;
    out += '(';
    bool first = true;
    for (const ExprNode* a : args) {
        if (!first) out += ',';
        first = false;
        if (!Write(a, out)) return false;
    }
    out += ')';
    return true;
}

bool Binary(const ExprNode* n, char op, std::string& out) {
    out += '(';
    if (!Write(n->childA, out)) return false;
    out += op;
    if (!Write(n->childB, out)) return false;
    out += ')';
    return true;
}

bool Write(const ExprNode* n, std::string& out) {
    if (!n || out.size() > kTextLimit) return false;
    const std::uint16_t k = n->kind;
    if (k == nk::NUM) {
        if (n->value.im != 0) return false;
        return AppendNumber(n->value.re, out);
    }
    if (nk::IsLetter(k)) {
        out += static_cast<char>(k);
        return true;
    }
    switch (k) {
    case nk::PLUS: return Binary(n, '+', out);
    case nk::MINUS: return Binary(n, '-', out);
    case nk::TIMES: return Binary(n, '*', out);
    case nk::DIVIDE: return Binary(n, '/', out);
    case nk::CARET: return Binary(n, '^', out);
    case nk::NEG:
        out += "(-";
        if (!Write(n->childB, out)) return false;
        out += ')';
        return true;
    case nk::SQUARE:
        out += '(';
        if (!Write(n->childB, out)) return false;
        out += "^2)";
        return true;
    case nk::ABS2: return Call("ABS", {n->childA, n->childB}, out);
    case nk::ARG2: return Call("ARG", {n->childA, n->childB}, out);
    case nk::LG: return Call("LOG", {n->childA, n->childB}, out);
    case nk::ITER:
    case nk::ROOT:
    case nk::MAX:
    case nk::MIN:
    case nk::POW:
    case nk::BINOM:
    case nk::MOD:
    case nk::GCD: return Call(NameOf(k), {n->childA, n->childB}, out);
    case nk::SUM:
    case nk::PROD: {
        const ExprNode* term = n->childA;
        const ExprNode* range = n->childB;
        if (!term || !range || term->kind != nk::SUMTERM || range->kind != nk::SUMRANGE || !term->childB ||
            !nk::IsLetter(term->childB->kind))
            return false;
        out += NameOf(k);
        out += '(';
        if (!Write(term->childA, out)) return false;
        out += ',';
        out += static_cast<char>(term->childB->kind);
        out += ',';
        if (!Write(range->childA, out)) return false;
        out += ',';
        if (!Write(range->childB, out)) return false;
        out += ')';
        return true;
    }
    default:
        break;
    }
    // One-argument functions; kinds that live only in compiled trees have no name here.
    if (n->childA || n->childC || k < 128) return false;
    if (k == nk::ITERD || k == nk::PERIODIC || k == nk::JOIN || k == nk::JOINP || k == nk::SELNEG ||
        k == nk::SELPOS || k == nk::SUMTERM || k == nk::SUMRANGE)
        return false;
    return Call(NameOf(k), {n->childB}, out);
}

}  // namespace

bool TreeToText(const ExprNode* tree, std::string& out) {
    std::string text;
    if (!Write(tree, text) || text.size() > kTextLimit) return false;
    out = std::move(text);
    return true;
}

}  // namespace curvelo
