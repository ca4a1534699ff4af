#include "app/calculator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

using namespace curvelo;

namespace {

struct CalcResult {
  int code = -1;
  std::string out, err;
};

CalcResult Calc(std::vector<std::string> args) {
  args.insert(args.begin(), "curvelo");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::ostringstream out, err;
  CalcResult r;
  r.code = RunCalculator(static_cast<int>(args.size()), argv.data(), out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

}  // namespace

TEST(Calculator, PrintsTheValueWithFullPrecision) {
  CalcResult r = Calc({"--eval", "1+2"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "3\n");
  r = Calc({"--eval", "1/3"});
  EXPECT_EQ(r.out, "0.333333333333333333\n");
  r = Calc({"--eval", "e"});  // a new engine has E = e
  EXPECT_EQ(r.out, "2.71828182845904524\n");
  r = Calc({"--eval", "x"});  // and every other letter 0
  EXPECT_EQ(r.out, "0\n");
  r = Calc({"--eval", "0*(-1)"});
  EXPECT_EQ(r.out, "0\n");
}

TEST(Calculator, UndefinedAndCompileErrors) {
  CalcResult r = Calc({"--eval", "sqrt(-1)"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "undefined\n");
  r = Calc({"--eval", "x=1"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "error 401: nem értem\n");
  r = Calc({"--eval", "(x+1"});
  EXPECT_EQ(r.out, "error 508: nem megfelelő zárójelezés\n");
  r = Calc({"--eval", ""});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out.rfind("error 409: ", 0), 0u) << r.out;
}

TEST(Calculator, SetsLettersInOrder) {
  CalcResult r = Calc({"--set", "a=2", "--set", "B=a*3", "--set", "@=1", "--eval", "a+b+@"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "9\n");
  r = Calc({"--set", "a=1/0", "--eval", "a"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "error 401: nem értem\n");
  r = Calc({"--set", "ab=1", "--eval", "a"});
  EXPECT_EQ(r.code, 2);
}

TEST(Calculator, DefinesUserFunctionsThroughTheDefinitionChecks) {
  CalcResult r = Calc({"--define", "nev(x)=x^2+1", "--set", "t=3", "--eval", "nev(t)+nev(2)"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "15\n");
  r = Calc({"--define", "g(x,y)=x-y", "--eval", "g(1,2)"});
  EXPECT_EQ(r.out, "-1\n");
  r = Calc({"--define", "g(x,y)=x-y", "--eval", "g(1)"});
  EXPECT_EQ(r.out, "error 424: hiányzó adatok\n");
  r = Calc({"--define", "sin(x)=x", "--eval", "1"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "error 522: a címke megkétszerezése\n");
  r = Calc({"--define", "f1(x)=x", "--eval", "1"});
  EXPECT_EQ(r.out, "error 544: csak a-tól z-ig\n");
  r = Calc({"--define", "c(x)=2", "--eval", "c(5)"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "2\n");
  EXPECT_EQ(r.err, "warning 540: X nem fordul elő benne!\n");
  r = Calc({"--define", "h(x,y)=x", "--eval", "h(5,1)"});
  EXPECT_EQ(r.err, "warning 541: Y nem fordul elő benne!\n");
}

TEST(Calculator, DerivativeAndComplexMode) {
  CalcResult r = Calc({"--set", "x=3", "--derivative", "x", "--eval", "x^2"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "6\n");
  r = Calc({"--set", "a=5", "--derivative", "A", "--eval", "a*x+a^2"});
  EXPECT_EQ(r.out, "10\n");
  r = Calc({"--complex", "--eval", "i*i+2"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "1 0\n");
  r = Calc({"--complex", "--eval", "conj(3+4i)"});
  EXPECT_EQ(r.out, "3 -4\n");
}

TEST(Calculator, MalformedArgumentsAreReportedNotCrashed) {
  EXPECT_EQ(Calc({"--eval"}).code, 2);
  EXPECT_EQ(Calc({"--set", "a=1"}).code, 2);  // no --eval
  EXPECT_EQ(Calc({"--eval", "1", "--eval", "2"}).code, 2);
  EXPECT_EQ(Calc({"--eval", "1", "--bogus"}).code, 2);
  EXPECT_EQ(Calc({"--eval", "1", "--derivative", "xy"}).code, 2);
  EXPECT_EQ(Calc({"--define", "f(z)=z", "--eval", "1"}).code, 2);
  EXPECT_EQ(Calc({"--define", "f=x", "--eval", "1"}).code, 2);
  EXPECT_EQ(Calc({"--eval", std::string(6000, '(')}).code, 2);
}

TEST(Calculator, TimeLimitStopsALongEvaluation) {
  using Clock = std::chrono::steady_clock;
  std::string nested = "x";
  for (int i = 0; i < 20; ++i) nested = "iter(3," + nested + ")";
  for (const std::string& text :
       std::vector<std::string>{"sum(n,n,1,2147483647)", "iter(2147483647,x)", nested}) {
    const auto start = Clock::now();
    CalcResult r = Calc({"--timeout", "1", "--eval", text});
    EXPECT_EQ(r.code, 1) << text;
    EXPECT_EQ(r.err, "error 409: nem tudom folytatni (--timeout 1 s)\n") << text;
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(4)) << text;
  }
  // A short one is not affected, and 0 means no limit.
  CalcResult r = Calc({"--eval", "sum(n,n,1,100)", "--timeout", "0"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "5050\n");
  EXPECT_EQ(Calc({"--eval", "1", "--timeout", "x"}).code, 2);
  EXPECT_EQ(Calc({"--eval", "1", "--timeout", "-3"}).code, 2);
  EXPECT_EQ(Calc({"--eval", "1", "--timeout"}).code, 2);
}

TEST(Calculator, ADerivativeTooLargeIsRefused) {
  std::string tower = "x";
  for (int i = 1; i < 2499; ++i) tower += "^x";
  CalcResult r = Calc({"--derivative", "x", "--eval", tower});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "error 404: nincs hely\n");
  EXPECT_TRUE(r.out.empty());
}
