#include "expr/user_function.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "expr/engine.h"
#include "expr/eval.h"
#include "expr/letters.h"
#include "expr/tree.h"

using namespace curvelo;

namespace {

UserFunction Make(const char* name, const char* definition, int args = 1) {
  UserFunction f;
  f.SetName(name);
  f.SetDefinition(definition);
  f.argCount = static_cast<std::uint16_t>(args);
  return f;
}

std::string Expand(const UserFunctionList& list, std::string text, std::uint16_t expected = 0) {
  EXPECT_EQ(ExpandUserFunctions(list, text), expected) << text;
  return text;
}

// Compiles and evaluates with X = x; NaN when the text fails or the value is undefined.
long double ValueAt(FormulaEngine& e, const std::string& text, long double x = 0.0L) {
  if (e.CompileFormula(text)) return NAN;
  ExprNode* t = e.TakeCompiledTree();
  long double r = 0.0L;
  const bool ok = EvalAt(e, t, kLetterX, x, r);
  FreeTree(t);
  return ok ? r : NAN;
}

}  // namespace

// --- stored record and document block ------------------------------------------------

TEST(UserFunctionRecord, ImageHasTheFixedOffsetsAndSurvivesARoundTrip) {
  UserFunction f = Make("NEV", "X^2+1", 2);
  f.link = 0xDEADBEEF;
  std::uint8_t image[kUserFunctionRecordSize] = {};
  EncodeUserFunction(f, image);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image)), "X^2+1");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image + 61)), "NEV");
  EXPECT_EQ(image[71], 2);
  EXPECT_EQ(image[72], 0);
  EXPECT_EQ(GetU32(image + 73), 0xDEADBEEFu);

  UserFunction back;
  ASSERT_TRUE(DecodeUserFunction(image, back));
  EXPECT_EQ(back.Name(), "NEV");
  EXPECT_EQ(back.Definition(), "X^2+1");
  EXPECT_EQ(back.argCount, 2);
  EXPECT_EQ(back.link, 0xDEADBEEFu);
}

TEST(UserFunctionRecord, DecodingRepairsCountsAndUnterminatedTextsAndRefusesBadNames) {
  std::uint8_t image[kUserFunctionRecordSize];
  std::memset(image, 'X', sizeof image);  // no terminators anywhere
  std::memcpy(image + 61, "ABCDEFGHIJ", 10);
  PutU16(image + 71, 7);
  UserFunction f;
  ASSERT_TRUE(DecodeUserFunction(image, f));
  EXPECT_EQ(f.Definition().size(), 60u);
  EXPECT_EQ(f.Name(), "ABCDEFGHI");
  EXPECT_EQ(f.argCount, 1);

  std::memcpy(image + 61, "F1\0", 3);
  EXPECT_FALSE(DecodeUserFunction(image, f));
  std::memcpy(image + 61, "\0", 1);
  EXPECT_FALSE(DecodeUserFunction(image, f));
  std::memcpy(image + 61, "F\0", 2);
  image[3] = 2;  // a control byte inside the definition
  EXPECT_FALSE(DecodeUserFunction(image, f));
}

TEST(UserFunctionBlock, WritesCountAndRecordsAndReadsThemBackInOrder) {
  UserFunctionList list;
  list.Append(Make("F", "X^2"));
  list.Append(Make("G", "X-Y", 2));
  ByteWriter w;
  WriteUserFunctionBlock(list, w);
  ASSERT_EQ(w.Data().size(), 2 + 2 * kUserFunctionRecordSize);
  EXPECT_EQ(GetU16(w.Data().data()), 2);

  UserFunctionList read;
  read.Append(Make("OLD", "X"));
  ByteReader r(w.Data());
  ASSERT_TRUE(ReadUserFunctionBlock(r, read));
  EXPECT_TRUE(r.AtEnd());
  ASSERT_EQ(read.Size(), 2u);
  EXPECT_EQ(read[0].Name(), "F");
  EXPECT_EQ(read[1].Definition(), "X-Y");
  EXPECT_EQ(read[1].argCount, 2);
  EXPECT_EQ(read.Find("OLD"), -1);
}

TEST(UserFunctionBlock, ShortOrHostileBlocksAreRefusedAndTheListIsKept) {
  UserFunctionList list;
  list.Append(Make("KEEP", "X"));
  const UserFunctionList original = list;

  std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 1, 2, 3};  // claims 65535 records
  ByteReader r1(bytes);
  EXPECT_FALSE(ReadUserFunctionBlock(r1, list));
  EXPECT_FALSE(r1.Ok());

  ByteWriter w;
  UserFunctionList two;
  two.Append(Make("A", "X"));
  two.Append(Make("B", "X"));
  WriteUserFunctionBlock(two, w);
  std::vector<std::uint8_t> cut(w.Data().begin(), w.Data().end() - 1);
  ByteReader r2(cut);
  EXPECT_FALSE(ReadUserFunctionBlock(r2, list));

  std::vector<std::uint8_t> badName = w.Data();
  badName[2 + kUserFunctionRecordSize + 61] = '7';
  ByteReader r3(badName);
  EXPECT_FALSE(ReadUserFunctionBlock(r3, list));

  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(list[0].Name(), original[0].Name());

  std::vector<std::uint8_t> empty = {0, 0};
  ByteReader r4(empty);
  EXPECT_TRUE(ReadUserFunctionBlock(r4, list));
  EXPECT_TRUE(list.Empty());
}

// --- expansion -------------------------------------------------------------------------

TEST(UserFunctionExpansion, PastesBracketedArgumentsIntoTheDefinition) {
  UserFunctionList list;
  list.Append(Make("F", "X^2"));
  EXPECT_EQ(Expand(list, "F(X+1)"), "((X+1)^2)");
  EXPECT_EQ(Expand(list, "F(2)F(3)"), "((2)^2)((3)^2)");
  EXPECT_EQ(Expand(list, "FX"), "FX");          // no bracket: not a call
  EXPECT_EQ(Expand(list, "FF(X)"), "FF(X)");    // a longer run is not a call of F
  EXPECT_EQ(Expand(list, "2F(X)"), "2((X)^2)");  // digits end a run
  list.Append(Make("L", "x+1"));  // as a document might hold it
  EXPECT_EQ(Expand(list, "L(2)"), "((2)+1)");
}

TEST(UserFunctionExpansion, TwoVariableCallsSplitAtTheirOwnComma) {
  UserFunctionList list;
  list.Append(Make("G", "X - Y", 2));
  EXPECT_EQ(Expand(list, "G(1,2)"), "((1)-(2))");
  EXPECT_EQ(Expand(list, "G(MAX(1,2),3)", 24), "G(MAX(1,2),3)");
  Expand(list, "G(1)", 24);
  Expand(list, "G(,1)", 24);
  Expand(list, "G()", 108);
  Expand(list, "G(1,2", 108);
}

TEST(UserFunctionExpansion, ProtectedNamesKeepTheirVariableLetters) {
  UserFunctionList list;
  list.Append(Make("FX", "X+1"));
  list.Append(Make("H", "EXP(X)+MAX(X,1)+FX(Y)+JOINY(X|0,Y)", 2));
  const std::string text = Expand(list, "H(A,B)");
  EXPECT_NE(text.find("EXP((A))"), std::string::npos) << text;
  EXPECT_NE(text.find("MAX((A),1)"), std::string::npos) << text;
  EXPECT_NE(text.find("JOINY((A)|0,(B))"), std::string::npos) << text;
  EXPECT_NE(text.find("(((B))+1)"), std::string::npos) << text;  // FX expanded afterwards
}

TEST(UserFunctionExpansion, LaterFunctionsMayCallEarlierOnesAndGrowthStopsAtTheLimit) {
  UserFunctionList list;
  list.Append(Make("F", "X+1"));
  list.Append(Make("G", "F(X)*2"));
  EXPECT_EQ(Expand(list, "G(3)"), "((((3))+1)*2)");

  UserFunctionList deep;
  deep.Append(Make("F", "X*X*X*X"));
  std::string nested = "X";
  for (int i = 0; i < 8; ++i) nested = "F(" + nested + ")";
  Expand(deep, nested, 17);

  UserFunctionList self;  // a definition that calls itself ends at the limit
  self.Append(Make("F", "F(X)+1"));
  std::string text = "F(1)";
  const std::uint16_t code = ExpandUserFunctions(self, text);
  EXPECT_TRUE(code == 17 || code == 0);
  EXPECT_LE(text.size(), 4999u);
}

// --- definitions ------------------------------------------------------------------------

TEST(UserFunctionDefinition, NameChecksComeInOrderAndDefinitionErrorsWin) {
  FormulaEngine e;
  EXPECT_EQ(DefineUserFunction(e, "", "x", 1).code, kMsgMissingData);
  EXPECT_EQ(DefineUserFunction(e, "abcdefghij", "x", 1).code, kMsgTooMany);
  EXPECT_EQ(DefineUserFunction(e, "abcdefghi", "x", 1).code, 0);  // nine letters are fine
  const DefinitionOutcome digit = DefineUserFunction(e, "f1", "x", 1);
  EXPECT_EQ(digit.code, kMsgOnlyLetters);
  EXPECT_EQ(digit.focus, DefinitionFocus::Name);
  const DefinitionOutcome both = DefineUserFunction(e, "", "", 1);
  EXPECT_EQ(both.code, kMsgMissingData);
  EXPECT_EQ(both.focus, DefinitionFocus::Definition);
  EXPECT_EQ(DefineUserFunction(e, "f", std::string(61, 'x'), 1).code, kMsgTooMany);
  EXPECT_EQ(DefineUserFunction(e, "f", std::string(60, 'x'), 1).code, 0);
  EXPECT_EQ(e.userFunctions.Size(), 2u);
}

TEST(UserFunctionDefinition, KeywordAndDuplicateNamesAreRefusedExceptForTheEditedRecord) {
  FormulaEngine e;
  EXPECT_EQ(DefineUserFunction(e, "sin", "x", 1).code, kMsgDuplicateName);
  EXPECT_EQ(DefineUserFunction(e, "joinx", "x", 1).code, kMsgDuplicateName);
  ASSERT_EQ(DefineUserFunction(e, "f", "x^2", 1).code, 0);
  ASSERT_EQ(DefineUserFunction(e, "g", "x+1", 1).code, 0);
  EXPECT_EQ(DefineUserFunction(e, "F", "x", 1).code, kMsgDuplicateName);

  const DefinitionOutcome edit = DefineUserFunction(e, "f", "x^3", 1, 0);
  EXPECT_EQ(edit.code, 0);
  EXPECT_EQ(edit.index, 0);
  EXPECT_EQ(e.userFunctions[0].Definition(), "X^3");
  EXPECT_EQ(DefineUserFunction(e, "g", "x", 1, 0).code, kMsgDuplicateName);
  EXPECT_EQ(e.userFunctions.Size(), 2u);
}

TEST(UserFunctionDefinition, CompileErrorsRefuseAndMissingVariablesOnlyWarn) {
  FormulaEngine e;
  const DefinitionOutcome bad = DefineUserFunction(e, "f", "x+*", 1);
  EXPECT_EQ(bad.code, 6);
  EXPECT_EQ(bad.focus, DefinitionFocus::Definition);
  EXPECT_TRUE(e.userFunctions.Empty());
  EXPECT_EQ(e.CompiledTree, nullptr);

  const DefinitionOutcome noX = DefineUserFunction(e, "c", "exp(2)", 1);
  EXPECT_EQ(noX.code, 0);
  EXPECT_TRUE(noX.warnNoX);
  const DefinitionOutcome noY = DefineUserFunction(e, "h", "x*2", 2);
  EXPECT_EQ(noY.code, 0);
  EXPECT_FALSE(noY.warnNoX);
  EXPECT_TRUE(noY.warnNoY);
  EXPECT_EQ(UserFunctionListLine(e.userFunctions[1]), "H(X,Y) = X*2");
  EXPECT_EQ(UserFunctionListLine(e.userFunctions[0]), "C(X) = EXP(2)");
}

TEST(UserFunctionDefinition, DefinedFunctionsAreCalledFromFormulas) {
  FormulaEngine e;
  ASSERT_EQ(DefineUserFunction(e, "nev", "x^2+1", 1).code, 0);
  ASSERT_EQ(DefineUserFunction(e, "g", "x-y", 2).code, 0);
  SetLetter(e.letters, 20, 3.0L);  // T
  EXPECT_EQ(ValueAt(e, "nev(t)+nev(2)"), 15.0L);
  EXPECT_EQ(ValueAt(e, "g(1,2)"), -1.0L);
  EXPECT_EQ(e.CompileFormula("g(1)"), 24);
  EXPECT_EQ(ValueAt(e, "f x", 2.0L), 0.0L);  // F is a letter here: F = 0
}

TEST(UserFunctionDialogSelection, FollowsTheCountOfEntries) {
  std::uint16_t code = 99;
  EXPECT_EQ(ChooseUserFunction(0, -1, code), -1);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ChooseUserFunction(1, -1, code), 0);
  EXPECT_EQ(ChooseUserFunction(3, 2, code), 2);
  EXPECT_EQ(ChooseUserFunction(3, -1, code), -1);
  EXPECT_EQ(code, kMsgChooseOne);
}
