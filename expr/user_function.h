#pragma once
// User-defined functions of one window: the stored 77-byte record, the list in order of
// definition, the text expansion of calls inside a formula, the checks made when a
// function is defined, and the document block (u16 count + records).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expr/byte_io.h"

namespace curvelo {

class FormulaEngine;

inline constexpr std::size_t kUserFunctionRecordSize = 77;
inline constexpr std::size_t kUserFunctionMaxDefinition = 60;  // characters, without NUL
inline constexpr std::size_t kUserFunctionMaxName = 9;         // letters, without NUL
// Places for names protected during expansion (built-in names plus user names with X/Y).
inline constexpr int kProtectedNamePlaces = 20;

// One function; the fields mirror the stored image (offsets 0, 61, 71, 73).
struct UserFunction {
  std::array<char, 61> definition{};  // upper case, NUL-terminated
  std::array<char, 10> name{};        // upper-case letters, NUL-terminated
  std::uint16_t argCount = 1;         // 1 = f(X), 2 = f(X,Y)
  std::uint32_t link = 0;             // meaningless link field, kept as read

  std::string_view Name() const;
  std::string_view Definition() const;
  // Copies (truncating to the field sizes) and upper-cases nothing: callers pass upper case.
  void SetName(std::string_view text);
  void SetDefinition(std::string_view text);
};

// The stored image; bytes after a text's NUL are written as they are held.
void EncodeUserFunction(const UserFunction& f, std::uint8_t out[kUserFunctionRecordSize]);
// Reads one image; an argument count outside 1..2 becomes 1; the texts are forced to be
// NUL-terminated. Returns false when a name or definition is not acceptable (see .cpp).
bool DecodeUserFunction(const std::uint8_t in[kUserFunctionRecordSize], UserFunction& f);

// The window's functions in order of definition (new ones at the end).
class UserFunctionList {
 public:
  std::size_t Size() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const UserFunction& operator[](std::size_t i) const { return items_[i]; }
  const std::vector<UserFunction>& Items() const { return items_; }
  // Index of the function with this exact (upper-case) name, or -1.
  int Find(std::string_view name) const;
  void Append(const UserFunction& f) { items_.push_back(f); }
  bool Replace(std::size_t index, const UserFunction& f);
  bool Remove(std::size_t index);
  void Clear() { items_.clear(); }

 private:
  std::vector<UserFunction> items_;
};

// The built-in names containing X that expansion must never read as arguments.
const std::vector<std::string_view>& ProtectedBuiltinNames();  // EXP, MAX, JOINX

// Expands every call of a user function in the working text (upper case, no spaces), from
// the last defined function to the first. Returns 0, 108 (call bracket not closed or
// empty), 24 (two-variable call without a usable comma) or 17 (text would exceed limit).
std::uint16_t ExpandUserFunctions(const UserFunctionList& functions, std::string& text,
                                  std::size_t limit = 4999);

// --- defining a function (the "megad" operation of the dialog) ----------------------

enum class DefinitionFocus { None, Name, Definition };

struct DefinitionOutcome {
  std::uint16_t code = 0;       // 0, or the message number minus 400 (24, 116, 144, 122, parser)
  DefinitionFocus focus = DefinitionFocus::None;
  bool warnNoX = false;         // message 540: the definition has no X
  bool warnNoY = false;         // message 541: a two-variable definition has no Y
  int index = -1;               // the record written, on success
};

// Message numbers of the checks (shown as string-table entries).
inline constexpr std::uint16_t kMsgMissingData = 24;     // 424
inline constexpr std::uint16_t kMsgTooMany = 116;        // 516
inline constexpr std::uint16_t kMsgOnlyLetters = 144;    // 544
inline constexpr std::uint16_t kMsgDuplicateName = 122;  // 522
inline constexpr std::uint16_t kMsgNoX = 140;            // 540
inline constexpr std::uint16_t kMsgNoY = 141;            // 541
inline constexpr std::uint16_t kMsgChooseOne = 15;       // 415

// Checks name and definition (converted to upper case here) for a function of argCount
// variables; editIndex >= 0 overwrites that record and skips the duplicate-name check.
// On success the record is appended (or overwritten) in engine.userFunctions; on any
// error nothing changes.
DefinitionOutcome DefineUserFunction(FormulaEngine& engine, std::string_view name,
                                     std::string_view definition, int argCount,
                                     int editIndex = -1);
// The same checks without changing the list.
DefinitionOutcome CheckUserFunctionDefinition(FormulaEngine& engine, std::string_view name,
                                              std::string_view definition, int argCount,
                                              int editIndex = -1);

// One line of the dialog's list: NAME(X) = DEF or NAME(X,Y) = DEF.
std::string UserFunctionListLine(const UserFunction& f);
// The record the dialog's buttons act on: none with no entries, the only one with one
// entry, otherwise the selected line (selected < 0: code 15, message 415). Returns -1 and
// sets code when there is none.
int ChooseUserFunction(std::size_t count, int selected, std::uint16_t& code);

// --- document block -----------------------------------------------------------------

void WriteUserFunctionBlock(const UserFunctionList& functions, ByteWriter& out);
// Reads a u16 count and that many records. On success the list is replaced; on a short or
// malformed block the reader fails, false is returned and the list is left as it was.
bool ReadUserFunctionBlock(ByteReader& in, UserFunctionList& functions);

}  // namespace curvelo
