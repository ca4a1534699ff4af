#include "app/calculator.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch_time_limit.h"
#include "app/command_line.h"
#include "expr/differentiate.h"
#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/node_kinds.h"
#include "expr/tree.h"
#include "expr/user_function.h"
#include "resources/resources.h"

namespace curvelo {

namespace {

constexpr int kExitValue = 0;
constexpr int kExitUndefined = 1;
constexpr int kExitError = 2;

// Codes for malformed arguments, shown like the engine's own messages.
constexpr std::uint16_t kBadArgument = 1;   // 401
constexpr std::uint16_t kMissingValue = 24;  // 424

struct Step {
  enum Kind { Set, Define } kind;
  std::string_view text;
};

struct Options {
  std::optional<std::string_view> eval;
  std::vector<Step> steps;  // --set and --define in the order given
  std::optional<std::string_view> derivative;
  bool complex = false;
  int timeout = kDefaultBatchTimeout;
};

int ReportError(std::ostream& out, std::uint16_t code) {
  out << "error " << (400 + code) << ": " << res::String(400 + code) << '\n';
  return kExitError;
}

// A request that was understood but cannot be carried out.
int ReportRefusal(std::ostream& err, std::uint16_t code) {
  err << "error " << (400 + code) << ": " << res::String(400 + code) << '\n';
  return kExitUndefined;
}

// "@" or a letter A..Z in either case -> letter index 0..26, or -1.
int LetterIndexOf(std::string_view s) {
  if (s.size() != 1) return -1;
  char c = s[0];
  if (c == '@') return 0;
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
  return -1;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string LowerNoSpaces(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == ' ') continue;
    out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

// The shared parser has checked names, values and repeats; what is left is the values.
std::uint16_t ParseOptions(int argc, char** argv, Options& o) {
  const CommandLine line = ParseCommandLine(argc, argv);
  if (line.error == CommandLineError::MissingValue) return kMissingValue;
  if (line.error != CommandLineError::None || line.command != Command::Eval) return kBadArgument;
  for (const OptionValue& v : line.options) {
    const std::string_view name = v.option->name;
    if (name == "--eval") {
      o.eval = v.value;
    } else if (name == "--complex") {
      o.complex = true;
    } else if (name == "--derivative") {
      if (LetterIndexOf(v.value) < 0) return kBadArgument;
      o.derivative = v.value;
    } else if (name == "--set" || name == "--define") {
      o.steps.push_back({name == "--set" ? Step::Set : Step::Define, v.value});
    } else if (name == "--timeout") {
      if (!ParseTimeoutSeconds(v.value, o.timeout)) return kBadArgument;
    } else {
      return kBadArgument;  // an option of the table this command does not know yet
    }
  }
  return o.eval ? 0 : kMissingValue;
}

// L=TEXT: evaluated in real mode and stored in the letter.
std::uint16_t ApplySet(FormulaEngine& engine, std::string_view text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return kBadArgument;
  const int k = LetterIndexOf(Trim(text.substr(0, eq)));
  if (k < 0) return kBadArgument;
  long double v = 0.0L;
  if (std::uint16_t code = EvaluateText(engine, text.substr(eq + 1), v)) return code;
  SetLetter(engine.letters, k, v);
  return 0;
}

// NAME(x)=TEXT or NAME(x,y)=TEXT, through the same checks as the dialog's definitions.
std::uint16_t ApplyDefine(FormulaEngine& engine, std::string_view text, std::ostream& err) {
  const std::size_t eq = text.find('=');
  const std::size_t open = text.find('(');
  if (eq == std::string_view::npos || open == std::string_view::npos || open > eq)
    return kBadArgument;
  const std::size_t close = text.find(')', open);
  if (close == std::string_view::npos || close > eq) return kBadArgument;
  if (!Trim(text.substr(close + 1, eq - close - 1)).empty()) return kBadArgument;
  const std::string params = LowerNoSpaces(text.substr(open + 1, close - open - 1));
  int argCount = 0;
  if (params == "x") argCount = 1;
  if (params == "x,y") argCount = 2;
  if (!argCount) return kBadArgument;

  const DefinitionOutcome r = DefineUserFunction(engine, Trim(text.substr(0, open)),
                                                 Trim(text.substr(eq + 1)), argCount);
  if (r.code) return r.code;
  if (r.warnNoX) err << "warning " << (400 + kMsgNoX) << ": " << res::String(400 + kMsgNoX) << '\n';
  if (r.warnNoY) err << "warning " << (400 + kMsgNoY) << ": " << res::String(400 + kMsgNoY) << '\n';
  return 0;
}

std::string Format(long double v) {
  if (v == 0.0L) v = 0.0L;  // no "-0"
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.18Lg", v);
  return buf;
}

}  // namespace

int RunCalculator(int argc, char** argv, std::ostream& out, std::ostream& err) {
  Options o;
  if (std::uint16_t code = ParseOptions(argc, argv, o)) return ReportError(out, code);

  FormulaEngine engine;
  BatchTimeLimit limit(o.timeout);
  ScopedCancelCheck stopAtLimit(engine.letters, limit.Check());
  if (o.complex) engine.SetComplexMode(true);
  for (const Step& s : o.steps) {
    const std::uint16_t code =
        s.kind == Step::Set ? ApplySet(engine, s.text) : ApplyDefine(engine, s.text, err);
    if (limit.Passed()) return limit.Report(err);
    if (code) return ReportError(out, code);
  }

  if (std::uint16_t code = engine.CompileFormula(*o.eval)) return ReportError(out, code);
  ExprNode* tree = engine.TakeCompiledTree();
  if (o.derivative) {
    ExprNode* d = Differentiate(engine, tree, nk::LetterKind(LetterIndexOf(*o.derivative)));
    FreeTree(tree);
    if (!d) return ReportRefusal(err, kDerivativeTooLarge);
    tree = d;
  }
  const bool defined = EvalNode(engine, tree);
  const ExtComplex v = tree ? tree->value : ExtComplex{};
  FreeTree(tree);
  if (limit.Passed()) return limit.Report(err);
  if (!defined || !std::isfinite(v.re) || !std::isfinite(v.im)) {
    out << "undefined\n";
    return kExitUndefined;
  }
  out << Format(v.re);
  if (o.complex) out << ' ' << Format(v.im);
  out << '\n';
  return kExitValue;
}

}  // namespace curvelo
