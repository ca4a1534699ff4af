#include <gtest/gtest.h>

#include <chrono>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/parser.h"
#include "expr/parser_errors.h"
#include "fuzz/parser_fuzz_input.h"

using namespace curvelo;

namespace {

// Prefix rendering of a tree: leaves as letters or numbers, other nodes as
// "(kind a c b)" with operator characters where they exist, codes otherwise.
std::string Render(const ExprNode* n) {
  if (!n) return "_";
  if (n->kind == nk::NUM) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10Lg", n->value.re);
    return buf;
  }
  if (nk::IsLetter(n->kind) && !n->childA && !n->childB) return std::string(1, char(n->kind));
  std::string head;
  if (n->kind < 128) head = std::string(1, char(n->kind));
  else head = std::to_string(n->kind);
  if (n->aux) head += "#" + std::to_string(n->aux);
  std::string s = "(" + head;
  if (n->childA) s += " " + Render(n->childA);
  if (n->childC) s += " " + Render(n->childC);
  s += " " + Render(n->childB);
  return s + ")";
}

class Parser : public ::testing::Test {
 protected:
  // Tree of every pass except the final simplification, so shapes stay as parsed.
  std::string Shape(const std::string& text) {
    ExprNode* root = nullptr;
    const std::uint16_t e = parser::ParseFormula(text, engine.keywords, engine.classes,
                                                 engine.userFunctions, engine.IsComplex(), root);
    std::string s = e ? "error " + std::to_string(e) : Render(root);
    FreeTree(root);
    return s;
  }

  std::uint16_t Code(const std::string& text) {
    const std::uint16_t e = engine.CompileFormula(text);
    FreeTree(engine.TakeCompiledTree());
    return e;
  }

  // Compiles, sets X, evaluates; nullopt for a compile error or an undefined value.
  std::optional<long double> Value(const std::string& text, long double x = 0.0L) {
    if (engine.CompileFormula(text) != 0) return std::nullopt;
    ExprNode* tree = engine.TakeCompiledTree();
    SetLetter(engine.letters, nk::LetterIndex(nk::X), x);
    const bool defined = EvalNode(engine.letters, tree);
    const long double v = tree ? tree->value.re : 0.0L;
    FreeTree(tree);
    if (!defined) return std::nullopt;
    return v;
  }

  void ExpectValue(const std::string& text, long double expected, long double x = 0.0L) {
    auto v = Value(text, x);
    ASSERT_TRUE(v.has_value()) << text << " code " << Code(text);
    EXPECT_NEAR(static_cast<double>(*v), static_cast<double>(expected),
                1e-12 * (1.0 + std::fabs(static_cast<double>(expected))))
        << text << " at x=" << static_cast<double>(x);
  }

  FormulaEngine engine;
};

TEST_F(Parser, EmptyAndBracketErrors) {
  EXPECT_EQ(Code(""), kErrCannotContinue);
  EXPECT_EQ(Code("    "), kErrCannotContinue);
  EXPECT_EQ(Code("(x+1"), kErrBrackets);
  EXPECT_EQ(Code("x+1)]"), kErrBrackets);
  EXPECT_EQ(Code(")x("), kErrBrackets);
  EXPECT_EQ(Code("[x+1)"), 0);
  EXPECT_EQ(Code("{x}*[2]"), 0);
  EXPECT_EQ(Shape("((x))"), "X");
  EXPECT_EQ(Code("()"), kErrInconsistent);
  // A failed compile leaves the result slot empty, also after a late error.
  EXPECT_EQ(engine.CompileFormula("iter(0,x)"), kErrOutOfBounds);
  EXPECT_EQ(engine.CompiledTree, nullptr);
}

TEST_F(Parser, LetterRunsAndKeywords) {
  EXPECT_EQ(Shape("zpi"), "(* Z 3.141592654)");
  EXPECT_EQ(Shape("piz"), "(* (* P I) Z)");
  EXPECT_EQ(Shape("2pi"), "(* 2 3.141592654)");
  EXPECT_EQ(Shape("sinx"), "(* (* (* S I) N) X)");
  EXPECT_EQ(Shape("sin x"), "(* (* (* S I) N) X)");
  EXPECT_EQ(Shape("xsin(x)"), "(* X (142 X))");
  EXPECT_EQ(Shape("Sin(X)"), "(142 X)");
  EXPECT_EQ(Shape("sin(x)cos(x)"), "(* (142 X) (130 X))");
  EXPECT_EQ(Code("sin2x"), kErrInconsistent);
  EXPECT_EQ(Code("sin"), kErrInconsistent);
  // No exponent notation: E is the letter.
  EXPECT_EQ(Shape("1E2"), "(* (* 1 E) 2)");
  ExpectValue("1e2", 2.0L * std::exp(1.0L));
  EXPECT_EQ(Code("x=1"), kErrNotUnderstood);
}

TEST_F(Parser, CommaDecidesAbsLogArg) {
  ExpectValue("abs(3,4)", 5.0L);
  ExpectValue("abs(-3)", 3.0L);
  ExpectValue("log(100)", 2.0L);
  ExpectValue("log(2,8)", 3.0L);
  EXPECT_EQ(Shape("log(b,x)"), "(/ (138 X) (138 B))");
  // The first comma is nested: ABS stays one-argument and the outer comma is refused.
  EXPECT_EQ(Code("abs(max(1,2),3)"), kErrNotUnderstood);
  ExpectValue("arg(1,1)", std::atan2(1.0L, 1.0L));
  // ARG without a comma is a keyword only in complex mode.
  EXPECT_EQ(Shape("arg"), "(* (* A R) G)");
  EXPECT_EQ(Shape("re"), "(* R E)");
  EXPECT_EQ(Shape("conj"), "(* (* (* C O) N) J)");
  engine.SetComplexMode(true);
  EXPECT_EQ(Shape("arg(z)"), "(147 Z)");
  EXPECT_EQ(Shape("re(z)+im(z)"), "(+ (171 Z) (172 Z))");
  EXPECT_EQ(Shape("conj(z)"), "(173 Z)");
}

TEST_F(Parser, OperatorOrder) {
  ExpectValue("-2^2", -4.0L);
  ExpectValue("2^-1", 0.5L);
  ExpectValue("2^3^2", 512.0L);
  ExpectValue("1-2-3", -4.0L);
  ExpectValue("8/2/2", 2.0L);
  ExpectValue("2+3*4", 14.0L);
  ExpectValue("2*-3", -6.0L);
  ExpectValue("--2", 2.0L);
  ExpectValue("2(3)(4)", 24.0L);
  EXPECT_EQ(Shape("-x^2"), "(* -1 (^ X 2))");
  EXPECT_EQ(Shape("-3"), "-3");
  EXPECT_EQ(Shape("2^-x"), "(^ 2 (* -1 X))");
  EXPECT_EQ(Shape("a-b+c"), "(+ (- A B) C)");
  EXPECT_EQ(Code("2+"), kErrInconsistent);
  EXPECT_EQ(Code("*2"), kErrInconsistent);
  EXPECT_EQ(Code("2**3"), kErrInconsistent);
}

TEST_F(Parser, NumbersAndConstants) {
  ExpectValue("1.25", 1.25L);
  ExpectValue(".5", 0.5L);
  ExpectValue("1.2.3", 1.2L);
  EXPECT_EQ(Shape("pi"), "3.141592654");
  auto pi = Value("pi");
  ASSERT_TRUE(pi);
  EXPECT_EQ(*pi, static_cast<long double>(3.141592653589793));
  auto deg = Value("deg");
  ASSERT_TRUE(deg);
  EXPECT_EQ(*deg, static_cast<long double>(0.017453292519943295));
  ExpectValue("phi", (1.0L + std::sqrt(5.0L)) / 2.0L);
  ExpectValue("pinf", 1e18L);
  ExpectValue("ninf", -1e18L);
  ExpectValue("sin(90deg)", 1.0L);
  EXPECT_EQ(Code(std::string(49, '1')), 0);
  EXPECT_EQ(Code(std::string(50, '1')), kErrOutOfBounds);
}

TEST_F(Parser, PostfixFactorial) {
  EXPECT_EQ(Shape("x!"), "(132 X)");
  EXPECT_EQ(Shape("(x+1)!"), "(132 (+ X 1))");
  EXPECT_EQ(Shape("2x!"), "(* 2 (132 X))");
  // The moved FACT separates the function from its bracket.
  EXPECT_EQ(Code("sin(x)!"), kErrInconsistent);
  EXPECT_EQ(Code("x!!"), kErrInconsistent);
  EXPECT_EQ(Code("!x"), kErrNotUnderstood);
  EXPECT_EQ(Code("x+!"), kErrInconsistent);
  ExpectValue("3!", 6.0L);
  ExpectValue("4!/2", 12.0L);
}

TEST_F(Parser, CommasAndArgumentCounts) {
  EXPECT_EQ(Code("root(8)"), kErrInconsistent);
  EXPECT_EQ(Code("root(3,8,1)"), kErrTooManyArgs);
  ExpectValue("root(3,8)", 2.0L);
  ExpectValue("max(1,2,3)", 3.0L);
  ExpectValue("min(4,2,3)", 2.0L);
  EXPECT_EQ(Shape("max(a,b,c)"), "(153 (153 A B) C)");
  EXPECT_EQ(Code("(1,2)"), kErrNotUnderstood);
  EXPECT_EQ(Code("sin(1,2)"), kErrNotUnderstood);
  EXPECT_EQ(Code("1,2"), kErrNotUnderstood);
  EXPECT_EQ(Code("max(1,(2,3))"), kErrNotUnderstood);
  EXPECT_EQ(Code("max(1)"), kErrInconsistent);
  ExpectValue("mod(7,3)", 1.0L);
  ExpectValue("gcd(12,18)", 6.0L);
  ExpectValue("binom(5,2)", 10.0L);
  ExpectValue("pow(3,2)", 8.0L);
}

TEST_F(Parser, SumsAndProducts) {
  ExpectValue("sum(n^2,n,1,4)", 30.0L);
  ExpectValue("prod(k,k,1,5)", 120.0L);
  ExpectValue("sum(sum(j,j,1,k),k,1,3)", 10.0L);
  ExpectValue("sum(k,k,1,sum(j,j,1,2))", 6.0L);
  ExpectValue("2sum(n,n,1,3)^2", 72.0L);
  EXPECT_EQ(Shape("sum(n,n,1,x)"), "(161 (220 N N) (221 1 X))");
  EXPECT_EQ(Code("sum(n,nn,1,2)"), kErrNotUnderstood);
  EXPECT_EQ(Code("sum(n,2,1,3)"), kErrOutOfBounds);
  EXPECT_EQ(Code("sum(n,@,1,3)"), kErrOutOfBounds);
  EXPECT_EQ(Code("sum(n,n,1)"), kErrNotUnderstood);
  EXPECT_EQ(Code("sum(,n,1,2)"), kErrNotUnderstood);
  EXPECT_EQ(Code("sum(n,n,,2)"), kErrNotUnderstood);
  EXPECT_EQ(Code("sum"), kErrNotUnderstood);
  EXPECT_EQ(Code("prodx"), 0);  // a letter run, not the keyword
  EXPECT_EQ(Code("prod+x"), kErrNotUnderstood);
}

TEST_F(Parser, IterationCount) {
  EXPECT_EQ(Code("iter(0,x^2)"), kErrOutOfBounds);
  EXPECT_EQ(Code("iter(a,x^2)"), kErrOutOfBounds);
  EXPECT_EQ(Code("iter(1+1,x^2)"), kErrOutOfBounds);
  EXPECT_EQ(Code("iter(2147483648,x)"), kErrOutOfBounds);
  EXPECT_EQ(Shape("iter(2.5,x^2)"), "(151#2 2.5 (^ X 2))");
  EXPECT_EQ(Shape("iter(2.6,x^2)"), "(151#3 2.6 (^ X 2))");
  ExpectValue("iter(2,x^2)", 81.0L, 3.0L);
}

TEST_F(Parser, ChiIsAProductOfSteps) {
  for (long double x : {-0.5L, 0.25L, 0.75L, 1.5L}) {
    auto chi = Value("chi(0,1,x)", x);
    auto steps = Value("hvs(x)*hvs(1-x)", x);
    ASSERT_TRUE(chi && steps);
    EXPECT_EQ(*chi, *steps) << static_cast<double>(x);
  }
  // The call stays one operand.
  ExpectValue("chi(0,1,x)^2*3", 3.0L, 0.5L);
  ExpectValue("2-chi(0,1,x)", 1.0L, 0.5L);
  EXPECT_EQ(Code("chi(0,1)"), kErrNotUnderstood);
  EXPECT_EQ(Code("chi(0,,x)"), kErrNotUnderstood);
  EXPECT_EQ(Code("chi"), kErrNotUnderstood);
}

TEST_F(Parser, PiecewiseJoin) {
  EXPECT_EQ(Shape("joinx(x|0,2x|1,3)"), "(180#24 X 0 (180#24 (* 2 X) 1 3))");
  ExpectValue("joinx(x|0,2x|1,3)", -1.0L, -1.0L);
  ExpectValue("joinx(x|0,2x|1,3)", 1.0L, 0.5L);
  ExpectValue("joinx(x|0,2x|1,3)", 3.0L, 2.0L);
  EXPECT_EQ(Shape("joina(1|2,3)"), "(180#1 1 2 3)");
}

TEST_F(Parser, CompileTimeRewrites) {
  EXPECT_EQ(Shape("arcsec(x)"), "(137 (/ 1 X))");
  EXPECT_EQ(Shape("arccsc(x)"), "(140 (/ 1 X))");
  EXPECT_EQ(Shape("argsech(x)"), "(211 (/ 1 X))");
  EXPECT_EQ(Shape("argcsch(x)"), "(210 (/ 1 X))");
  EXPECT_EQ(Shape("x\xfd"), "(^ X 2)");
  EXPECT_EQ(Shape("-(-(2))"), "2");
  ExpectValue("arcsec(2)", std::acos(0.5L));
}

TEST_F(Parser, HostileBytes) {
  EXPECT_EQ(Code("x\xe1"), kErrNotUnderstood);  // accented letter
  EXPECT_EQ(Code("\x8e(x)"), kErrNotUnderstood);  // raw keyword code
  EXPECT_EQ(Code("\xb4\x18(x)"), kErrNotUnderstood);
  EXPECT_EQ(Code("x\x01"), kErrNotUnderstood);
  EXPECT_EQ(Code(std::string("x+1\0garbage(", 12)), 0);  // a NUL ends the text
  EXPECT_EQ(Code(std::string("\0x", 2)), kErrCannotContinue);
}

TEST_F(Parser, LengthAndDepthLimits) {
  std::string sum = "x";
  while (sum.size() + 2 <= 4999) sum += "+1";
  ASSERT_EQ(sum.size(), 4999u);
  ExpectValue(sum, 2499.0L);
  EXPECT_EQ(Code(sum + "1"), kErrOutOfBounds);
  // Spaces do not count.
  EXPECT_EQ(Code(sum + std::string(100, ' ')), 0);

  const std::string nested = std::string(2000, '(') + "x" + std::string(2000, ')');
  EXPECT_EQ(Shape(nested), "X");
  std::string sines;
  for (int i = 0; i < 800; ++i) sines += "sin(";
  sines += "x" + std::string(800, ')');
  EXPECT_EQ(Code(sines), 0);
  std::string powers = "x";
  while (powers.size() + 2 <= 4999) powers += "^x";
  EXPECT_EQ(Code(powers), 0);
  EXPECT_EQ(Code(std::string(2499, '-') + "x"), 0);

  // The deepest trees such texts make evaluate, clone and free on the default stack.
  std::string negations;
  for (int i = 0; i < 1666; ++i) negations += "-(";
  negations += "x" + std::string(1666, ')');
  for (const std::string& deep : {std::string(4999, 'x'), powers, negations}) {
    ASSERT_EQ(engine.CompileFormula(deep), 0) << deep.substr(0, 20);
    ExprNode* tree = engine.TakeCompiledTree();
    SetLetter(engine.letters, nk::LetterIndex(nk::X), 1.0L);
    EXPECT_TRUE(EvalNode(engine.letters, tree));
    EXPECT_EQ(tree->value.re, 1.0L);
    ExprNode* copy = CloneTree(tree);
    EXPECT_TRUE(TreesEqual(tree, copy));
    FreeTree(copy);
    FreeTree(tree);
  }
}

TEST_F(Parser, UserFunctionsExpandBeforeKeywords) {
  UserFunction f;
  f.SetName("F");
  f.SetDefinition("X^2");
  engine.userFunctions.Append(f);
  UserFunction g;
  g.SetName("G");
  g.SetDefinition("X-Y");
  g.argCount = 2;
  engine.userFunctions.Append(g);
  ExpectValue("f(x+1)", 16.0L, 3.0L);
  ExpectValue("f(2)f(3)", 36.0L);
  ExpectValue("g(1,2)", -1.0L);
  EXPECT_EQ(Code("g(1)"), kErrMissingData);
  EXPECT_EQ(Code("f()"), kErrBrackets);
  EXPECT_EQ(Shape("f x"), "(* F X)");
}

TEST(KeywordTable, HoldsEveryNameOnce) {
  KeywordTable table;
  EXPECT_EQ(table.Entries().size(), 94u);
  for (std::size_t i = 0; i < table.Entries().size(); ++i)
    for (std::size_t j = i + 1; j < table.Entries().size(); ++j)
      EXPECT_STRNE(table.Entries()[i].name, table.Entries()[j].name);
  EXPECT_EQ(table.Lookup("JOINA", false), 1001);
  EXPECT_EQ(table.Lookup("JOINZ", false), 1026);
  EXPECT_EQ(table.Lookup("RANDOM", false), 163);
  EXPECT_EQ(table.Lookup("RE", false), 0);
  EXPECT_EQ(table.Lookup("RE", true), 171);
  EXPECT_EQ(table.Lookup("SINX", false), 0);
  EXPECT_TRUE(table.IsKeywordName("CONJ"));
  EXPECT_FALSE(table.IsKeywordName("NEV"));
}

TEST(CharClasses, PrefixExcludesSeparatorsAndSums) {
  CharClasses c;
  EXPECT_TRUE(c.IsPrefixFunction(nk::NEG));
  EXPECT_TRUE(c.IsPrefixFunction(nk::SIN));
  EXPECT_FALSE(c.IsPrefixFunction(nk::SUM));
  EXPECT_FALSE(c.IsPrefixFunction(nk::JOIN));
  EXPECT_FALSE(c.IsPrefixFunction(nk::ROOT));
  EXPECT_TRUE(c.IsBinaryOperator(nk::MAX));
  EXPECT_TRUE(c.IsBinaryOperator(nk::SUMTERM));
  EXPECT_TRUE(c.IsOperatorOrOpen(nk::SENTINEL));
  EXPECT_FALSE(c.IsValidCharacter('='));
  EXPECT_FALSE(c.IsValidCharacter(nk::SENTINEL));
  EXPECT_TRUE(c.IsValidCharacter('@'));
}

// Every input the fuzzer ever kept or crashed on, through a plain build of its body.
TEST(ParserFuzzCorpus, ReplaysCleanly) {
  const auto dir = std::filesystem::path(CURVELO_SOURCE_DIR) / "fuzz/corpus/parser";
  ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file() || entry.file_size() > 20000) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // No formula may hang: loops are stopped by their cancel check, derivatives by their
    // node budget.
    const auto start = std::chrono::steady_clock::now();
    curvelo::fuzz::RunParserFuzzInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                      bytes.size());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 10);
}

}  // namespace
