#include "expr/user_function.h"

#include <algorithm>
#include <cstring>

#include "expr/engine.h"
#include "expr/tree.h"

namespace curvelo {

namespace {

constexpr std::size_t kDefinitionOffset = 0;
constexpr std::size_t kNameOffset = 61;
constexpr std::size_t kArgCountOffset = 71;
constexpr std::size_t kLinkOffset = 73;

bool IsLetterByte(unsigned char c) { return c >= '@' && c <= 'Z'; }

std::string ToUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string WithoutSpaces(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

template <std::size_t N>
std::string_view FieldText(const std::array<char, N>& field) {
  const void* nul = std::memchr(field.data(), 0, N);
  std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field.data()) : N - 1;
  return {field.data(), len};
}

template <std::size_t N>
void SetFieldText(std::array<char, N>& field, std::string_view text) {
  field.fill(0);
  std::size_t n = std::min(text.size(), N - 1);
  std::memcpy(field.data(), text.data(), n);
}

// Names whose letters must survive the pasting of arguments: the built-in names holding
// X or Y, then the user names holding X or Y. Longest first, so that a name containing
// another one is kept whole.
std::vector<std::string_view> ProtectedNames(const UserFunctionList& functions) {
  std::vector<std::string_view> names = ProtectedBuiltinNames();
  for (const UserFunction& f : functions.Items()) {
    std::string_view n = f.Name();
    if (n.find('X') != std::string_view::npos || n.find('Y') != std::string_view::npos)
      names.push_back(n);
  }
  std::stable_sort(names.begin(), names.end(),
                   [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
  return names;
}

// Length of the protected name starting at text[i], or 0.
std::size_t ProtectedAt(std::string_view text, std::size_t i,
                        const std::vector<std::string_view>& names) {
  for (std::string_view n : names)
    if (!n.empty() && text.substr(i, n.size()) == n) return n.size();
  return 0;
}

// The definition with spaces removed and X (and Y for two variables) replaced by the
// argument texts; protected names are copied untouched.
std::string PasteArguments(std::string_view definition, int argCount, std::string_view first,
                           std::string_view second,
                           const std::vector<std::string_view>& names) {
  // Definitions read from documents may not be upper case like typed ones.
  const std::string def = ToUpper(WithoutSpaces(definition));
  std::string out = "(";
  for (std::size_t i = 0; i < def.size();) {
    if (std::size_t len = ProtectedAt(def, i, names)) {
      out.append(def, i, len);
      i += len;
      continue;
    }
    char c = def[i++];
    if (c == 'X')
      out += first;
    else if (c == 'Y' && argCount == 2)
      out += second;
    else
      out += c;
  }
  out += ')';
  return out;
}

// Whether the variable letter occurs outside the protected names.
bool MentionsVariable(std::string_view definition, char letter,
                      const std::vector<std::string_view>& names) {
  for (std::size_t i = 0; i < definition.size();) {
    if (std::size_t len = ProtectedAt(definition, i, names)) {
      i += len;
      continue;
    }
    if (definition[i++] == letter) return true;
  }
  return false;
}

// Position of the first call "NAME(" where NAME is a whole letter run, or npos.
std::size_t FindCall(std::string_view text, std::string_view name) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsLetterByte(static_cast<unsigned char>(text[i]))) {
      ++i;
      continue;
    }
    std::size_t start = i;
    while (i < text.size() && IsLetterByte(static_cast<unsigned char>(text[i]))) ++i;
    if (text.substr(start, i - start) == name && i < text.size() && text[i] == '(') return start;
  }
  return std::string_view::npos;
}

// A safety bound for self-referring definitions: every expansion adds text, so the
// length limit ends them, but a bound on the count keeps the loop finite in any case.
constexpr std::size_t kMaxExpansions = 100000;

}  // namespace

std::string_view UserFunction::Name() const { return FieldText(name); }
std::string_view UserFunction::Definition() const { return FieldText(definition); }
void UserFunction::SetName(std::string_view text) { SetFieldText(name, text); }
void UserFunction::SetDefinition(std::string_view text) { SetFieldText(definition, text); }

void EncodeUserFunction(const UserFunction& f, std::uint8_t out[kUserFunctionRecordSize]) {
  std::memcpy(out + kDefinitionOffset, f.definition.data(), f.definition.size());
  std::memcpy(out + kNameOffset, f.name.data(), f.name.size());
  PutU16(out + kArgCountOffset, f.argCount);
  PutU32(out + kLinkOffset, f.link);
}

bool DecodeUserFunction(const std::uint8_t in[kUserFunctionRecordSize], UserFunction& f) {
  std::memcpy(f.definition.data(), in + kDefinitionOffset, f.definition.size());
  std::memcpy(f.name.data(), in + kNameOffset, f.name.size());
  f.definition.back() = 0;
  f.name.back() = 0;
  std::uint16_t count = GetU16(in + kArgCountOffset);
  f.argCount = (count == 1 || count == 2) ? count : 1;
  f.link = GetU32(in + kLinkOffset);
  // A name that the definition checks would refuse could shadow a keyword or never be
  // found; control bytes in a definition have no meaning in a formula.
  std::string_view name = f.Name();
  if (name.empty()) return false;
  for (char c : name)
    if (c < 'A' || c > 'Z') return false;
  for (char c : f.Definition())
    if (static_cast<unsigned char>(c) < 32) return false;
  return true;
}

int UserFunctionList::Find(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Name() == name) return static_cast<int>(i);
  return -1;
}

bool UserFunctionList::Replace(std::size_t index, const UserFunction& f) {
  if (index >= items_.size()) return false;
  items_[index] = f;
  return true;
}

bool UserFunctionList::Remove(std::size_t index) {
  if (index >= items_.size()) return false;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

const std::vector<std::string_view>& ProtectedBuiltinNames() {
  // JOINY too: its Y would otherwise be taken for the second argument.
  static const std::vector<std::string_view> names = {"EXP", "MAX", "JOINX", "JOINY"};
  return names;
}

std::uint16_t ExpandUserFunctions(const UserFunctionList& functions, std::string& text,
                                  std::size_t limit) {
  if (functions.Empty()) return 0;
  const std::vector<std::string_view> names = ProtectedNames(functions);
  std::size_t expansions = 0;
  for (std::size_t fi = functions.Size(); fi-- > 0;) {
    const UserFunction& f = functions[fi];
    const std::string_view name = f.Name();
    if (name.empty()) continue;
    for (;;) {
      if (text.size() >= limit) return 0;
      const std::size_t at = FindCall(text, name);
      if (at == std::string::npos) break;
      const std::size_t open = at + name.size();
      std::size_t close = std::string::npos;
      int depth = 0;
      for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && --depth == 0) {
          close = i;
          break;
        }
      }
      if (close == std::string::npos || close == open + 1) return 108;

      std::string first, second;
      if (f.argCount == 2) {
        std::size_t comma = std::string::npos;
        int d = 0;
        for (std::size_t i = open; i < close; ++i) {
          if (text[i] == '(') ++d;
          if (text[i] == ')') --d;
          if (text[i] == ',') {
            if (d == 1) comma = i;
            break;
          }
        }
        if (comma == std::string::npos || comma == open + 1) return 24;
        first = text.substr(open, comma - open) + ")";
        second = "(" + text.substr(comma + 1, close - comma);
      } else {
        first = text.substr(open, close - open + 1);
      }

      const std::string replacement =
          PasteArguments(f.Definition(), f.argCount, first, second, names);
      if (text.size() + replacement.size() > limit) return 17;
      if (++expansions > kMaxExpansions) return 17;
      text.replace(at, close - at + 1, replacement);
    }
  }
  return 0;
}

DefinitionOutcome CheckUserFunctionDefinition(FormulaEngine& engine, std::string_view nameText,
                                              std::string_view definitionText, int argCount,
                                              int editIndex) {
  DefinitionOutcome r;
  const std::string name = ToUpper(nameText);
  const std::string definition = ToUpper(definitionText);

  std::uint16_t nameCode = 0;
  if (name.empty())
    nameCode = kMsgMissingData;
  else if (name.size() > kUserFunctionMaxName)
    nameCode = kMsgTooMany;
  else if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
    nameCode = kMsgOnlyLetters;

  std::uint16_t defCode = 0;
  if (definition.empty())
    defCode = kMsgMissingData;
  else if (definition.size() > kUserFunctionMaxDefinition)
    defCode = kMsgTooMany;

  if (defCode) {
    r.code = defCode;
    r.focus = DefinitionFocus::Definition;
    return r;
  }
  if (nameCode) {
    r.code = nameCode;
    r.focus = DefinitionFocus::Name;
    return r;
  }

  // The record being edited may keep its own name, but no record may take a keyword's
  // name or another record's name: expansion would then read the wrong function.
  const int existing = engine.userFunctions.Find(name);
  if (engine.keywords.IsKeywordName(name) || (existing >= 0 && existing != editIndex)) {
    r.code = kMsgDuplicateName;
    r.focus = DefinitionFocus::Name;
    return r;
  }

  if (std::uint16_t code = engine.CompileFormula(definition)) {
    r.code = code;
    r.focus = DefinitionFocus::Definition;
    return r;
  }
  FreeTree(engine.TakeCompiledTree());

  const std::vector<std::string_view> names = ProtectedNames(engine.userFunctions);
  const std::string bare = WithoutSpaces(definition);
  r.warnNoX = !MentionsVariable(bare, 'X', names);
  r.warnNoY = argCount == 2 && !MentionsVariable(bare, 'Y', names);
  return r;
}

DefinitionOutcome DefineUserFunction(FormulaEngine& engine, std::string_view nameText,
                                     std::string_view definitionText, int argCount,
                                     int editIndex) {
  UserFunctionList& list = engine.userFunctions;
  if (editIndex >= static_cast<int>(list.Size())) editIndex = -1;
  DefinitionOutcome r =
      CheckUserFunctionDefinition(engine, nameText, definitionText, argCount, editIndex);
  if (r.code) return r;
  UserFunction f;
  f.SetName(ToUpper(nameText));
  f.SetDefinition(ToUpper(definitionText));
  f.argCount = argCount == 2 ? 2 : 1;
  if (editIndex >= 0) {
    list.Replace(static_cast<std::size_t>(editIndex), f);
    r.index = editIndex;
  } else {
    list.Append(f);
    r.index = static_cast<int>(list.Size()) - 1;
  }
  return r;
}

std::string UserFunctionListLine(const UserFunction& f) {
  std::string line(f.Name());
  line += f.argCount == 2 ? "(X,Y) = " : "(X) = ";
  line += f.Definition();
  return line;
}

int ChooseUserFunction(std::size_t count, int selected, std::uint16_t& code) {
  code = 0;
  if (count == 0) return -1;
  if (count == 1) return 0;
  if (selected < 0 || static_cast<std::size_t>(selected) >= count) {
    code = kMsgChooseOne;
    return -1;
  }
  return selected;
}

void WriteUserFunctionBlock(const UserFunctionList& functions, ByteWriter& out) {
  const std::size_t n = std::min<std::size_t>(functions.Size(), 0xFFFF);
  out.U16(static_cast<std::uint16_t>(n));
  std::uint8_t image[kUserFunctionRecordSize];
  for (std::size_t i = 0; i < n; ++i) {
    EncodeUserFunction(functions[i], image);
    out.Bytes(image, sizeof image);
  }
}

bool ReadUserFunctionBlock(ByteReader& in, UserFunctionList& functions) {
  const std::size_t n = in.Count(kUserFunctionRecordSize, 0xFFFF);
  if (!in.Ok()) return false;
  UserFunctionList fresh;
  std::uint8_t image[kUserFunctionRecordSize];
  for (std::size_t i = 0; i < n; ++i) {
    if (!in.Bytes(image, sizeof image)) return false;
    UserFunction f;
    if (!DecodeUserFunction(image, f)) {
      in.Fail();
      return false;
    }
    fresh.Append(f);
  }
  functions = std::move(fresh);
  return true;
}

}  // namespace curvelo
