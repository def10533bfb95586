#include "framework/qt/ResourceScript.h"

#include <algorithm>
#include <cstdint>
#include <optional>


namespace kirabo {

namespace {

struct Token {
  enum Kind { End, Number, String, Word, Comma, Bar };
  explicit Token(Kind kind = End) : kind(kind) {}
  Kind kind;
  std::string text;  // Word and String (unescaped)
  int64_t value = 0;  // Number
};

bool IsWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() {
    SkipBlanks();
    Token token;
    if (pos_ >= text_.size()) return token;
    const char c = text_[pos_];
    if (c == ',') return ++pos_, Token(Token::Comma);
    if (c == '|') return ++pos_, Token(Token::Bar);
    if (c == '"') return ReadString();
    if (IsDigit(c) || (c == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) return ReadNumber();
    if (IsWordStart(c)) {
      const size_t start = pos_;
      while (pos_ < text_.size() && (IsWordStart(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
      token.kind = Token::Word;
      token.text = text_.substr(start, pos_ - start);
      return token;
    }
    pos_ = text_.size();  // a character no statement of ours holds
    return token;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        lineStart_ = true;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '#' && lineStart_) {
        SkipTo("\n");
      } else if (text_.substr(pos_, 2) == "//") {
        SkipTo("\n");
      } else if (text_.substr(pos_, 2) == "/*") {
        SkipTo("*/");
        pos_ = std::min(pos_ + 2, text_.size());
      } else {
        lineStart_ = false;
        return;
      }
    }
  }

  void SkipTo(std::string_view end) {
    const size_t found = text_.find(end, pos_);
    pos_ = found == std::string_view::npos ? text_.size() : found;
  }

  Token ReadString() {
    Token token(Token::String);
    ++pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          token.text += '"';
          ++pos_;
          continue;
        }
        return token;
      }
      if (c == '\\' && pos_ < text_.size()) {
        const char escaped = text_[pos_++];
        token.text += escaped == '0' ? '\0' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        continue;
      }
      token.text += c;
    }
    return Token();  // unterminated
  }

  Token ReadNumber() {
    Token token(Token::Number);
    bool negative = false;
    if (text_[pos_] == '-') negative = true, ++pos_;
    int base = 10;
    if (text_.substr(pos_, 2) == "0x" || text_.substr(pos_, 2) == "0X") base = 16, pos_ += 2;
    int64_t value = 0;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      int digit = -1;
      if (IsDigit(c)) digit = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
      if (digit < 0) break;
      if (value < (int64_t(1) << 40)) value = value * base + digit;  // ids and sizes are far smaller
      ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'L' || text_[pos_] == 'l')) ++pos_;  // a long number's suffix
    token.value = negative ? -value : value;
    return token;
  }

  std::string_view text_;
  size_t pos_ = 0;
  bool lineStart_ = true;
};

// Values of the names that the script's ids and styles use.
std::optional<int64_t> NamedId(const std::string& name) {
  if (name == "IDOK") return 1;
  if (name == "IDCANCEL") return 2;
  if (name == "IDC_STATIC") return NoControlId;
  return std::nullopt;
}

uint32_t ControlStyleOf(const std::string& name) {
  using namespace ControlStyle;
  if (name == "WS_TABSTOP") return TabStop;
  if (name == "BS_DEFPUSHBUTTON") return DefaultButton;
  if (name == "WS_BORDER") return Border;
  if (name == "CBS_DROPDOWNLIST") return DropDownList;
  if (name == "SS_PATHELLIPSIS") return PathEllipsis;
  return 0;
}

uint32_t DialogStyleOf(const std::string& name) {
  if (name == "WS_CAPTION") return DialogStyle::Caption;
  if (name == "WS_SYSMENU") return DialogStyle::SystemMenu;
  if (name == "WS_EX_APPWINDOW") return DialogStyle::AppWindow;
  if (name == "DS_CENTER") return DialogStyle::Centred;
  if (name == "WS_MINIMIZEBOX") return DialogStyle::MinimizeBox;
  return 0;
}

// The control statements: their kind, the styles the resource compiler gives
// them unasked, and whether they start with a text.
struct ControlStatement {
  const char* keyword;
  ControlKind kind;
  uint32_t defaultStyle;
  bool hasText;
};
constexpr ControlStatement kControlStatements[] = {
    {"DEFPUSHBUTTON", ControlKind::PushButton, ControlStyle::DefaultButton | ControlStyle::TabStop, true},
    {"PUSHBUTTON", ControlKind::PushButton, ControlStyle::TabStop, true},
    {"LTEXT", ControlKind::StaticText, ControlStyle::LeftWordWrap, true},
    {"GROUPBOX", ControlKind::GroupBox, 0, true},
    {"EDITTEXT", ControlKind::EditField, ControlStyle::Border | ControlStyle::TabStop, false},
    {"COMBOBOX", ControlKind::ComboBox, ControlStyle::TabStop, false},
    {"ICON", ControlKind::Icon, 0, true},
};

class Parser {
 public:
  Parser(std::string_view text, const ResourceSymbols& symbols) : lexer_(text), symbols_(symbols) { Advance(); }

  ResourceScript Parse() {
    while (token_.kind != Token::End && Statement()) {
    }
    return std::move(script_);
  }

 private:
  void Advance() { token_ = lexer_.Next(); }
  bool IsWord(const char* word) const { return token_.kind == Token::Word && token_.text == word; }
  bool Skip(Token::Kind kind) {
    if (token_.kind != kind) return false;
    Advance();
    return true;
  }
  // A comma between arguments; optional where the compiler allows it.
  void SkipComma() { Skip(Token::Comma); }

  std::optional<int64_t> Number() {
    std::optional<int64_t> value;
    if (token_.kind == Token::Number) value = token_.value;
    else if (token_.kind == Token::Word) value = NamedId(token_.text);
    if (!value && token_.kind == Token::Word) {
      const auto symbol = symbols_.find(token_.text);
      if (symbol != symbols_.end()) value = symbol->second;
    }
    if (value) Advance();
    return value;
  }

  std::optional<std::string> String() {
    if (token_.kind != Token::String) return std::nullopt;
    std::string text = token_.text;
    Advance();
    return text;
  }

  // name | name | ..., each mapped through `map`.
  uint32_t Styles(uint32_t (*map)(const std::string&)) {
    uint32_t style = 0;
    while (token_.kind == Token::Word || token_.kind == Token::Number) {
      if (token_.kind == Token::Word) style |= map(token_.text);
      Advance();
      if (!Skip(Token::Bar)) break;
    }
    return style;
  }

  bool Rect(DialogRect& rect) {
    int64_t values[4];
    for (int64_t& value : values) {
      SkipComma();
      const std::optional<int64_t> number = Number();
      if (!number) return false;
      value = *number;
    }
    rect = {int(values[0]), int(values[1]), int(values[2]), int(values[3])};
    return true;
  }

  // Passes over BEGIN ... END with whatever nests inside.
  bool SkipBlock() {
    while (token_.kind != Token::End && !IsWord("BEGIN")) Advance();
    int depth = 0;
    do {
      if (IsWord("BEGIN")) ++depth;
      else if (IsWord("END")) --depth;
      else if (token_.kind == Token::End) return false;
      Advance();
    } while (depth > 0);
    return true;
  }

  bool Statement() {
    if (IsWord("LANGUAGE")) {
      Advance();
      Styles(DialogStyleOf);
      SkipComma();
      Styles(DialogStyleOf);
      return true;
    }
    if (IsWord("STRINGTABLE")) return StringTable();
    const std::optional<int64_t> id = Number();
    if (!id || token_.kind == Token::End) return false;
    if (IsWord("DIALOGEX") || IsWord("DIALOG")) return Dialog(int(*id));
    Advance();  // the type
    if (token_.kind == Token::String) return String().has_value();  // a file
    return SkipBlock();
  }

  bool StringTable() {
    while (!IsWord("BEGIN")) {
      if (token_.kind == Token::End) return false;
      Advance();
    }
    Advance();
    while (!IsWord("END")) {
      const std::optional<int64_t> id = Number();
      SkipComma();
      const std::optional<std::string> text = String();
      if (!id || !text) return false;
      script_.strings[int(*id)] = *text;
    }
    Advance();
    return true;
  }

  bool Dialog(int id) {
    Advance();
    DialogTemplate dialog;
    dialog.id = id;
    DialogRect rect;
    if (!Rect(rect)) return false;
    dialog.width = rect.width;
    dialog.height = rect.height;
    while (!IsWord("BEGIN")) {
      if (IsWord("STYLE") || IsWord("EXSTYLE")) {
        Advance();
        dialog.style |= Styles(DialogStyleOf);
      } else if (IsWord("CAPTION")) {
        Advance();
        const std::optional<std::string> title = String();
        if (!title) return false;
        dialog.title = *title;
      } else if (IsWord("FONT")) {
        Advance();
        const std::optional<int64_t> size = Number();
        SkipComma();
        const std::optional<std::string> face = String();
        if (!size || !face) return false;
        dialog.pointSize = int(*size);
        dialog.fontName = *face;
        while (Skip(Token::Comma) && Number()) {
        }
      } else {
        return false;
      }
    }
    Advance();
    while (!IsWord("END")) {
      if (!Control(dialog)) return false;
    }
    Advance();
    script_.dialogs[id] = std::move(dialog);
    return true;
  }

  bool Control(DialogTemplate& dialog) {
    const ControlStatement* statement = nullptr;
    for (const ControlStatement& candidate : kControlStatements)
      if (IsWord(candidate.keyword)) statement = &candidate;
    if (statement == nullptr) return false;
    Advance();
    ControlTemplate control;
    control.kind = statement->kind;
    if (statement->kind == ControlKind::Icon) {
      const std::optional<int64_t> icon = Number();
      if (!icon) return false;
      control.iconId = int(*icon);
      SkipComma();
    } else if (statement->hasText) {
      const std::optional<std::string> text = String();
      if (!text) return false;
      control.text = *text;
      SkipComma();
    }
    const std::optional<int64_t> id = Number();
    if (!id || !Rect(control.rect)) return false;
    control.id = int(*id);
    control.style = statement->defaultStyle;
    if (Skip(Token::Comma)) control.style |= Styles(ControlStyleOf);
    dialog.controls.push_back(std::move(control));
    return true;
  }

  Lexer lexer_;
  const ResourceSymbols& symbols_;
  Token token_;
  ResourceScript script_;
};

}  // namespace

ResourceSymbols ReadDefines(std::string_view header) {
  ResourceSymbols symbols;
  constexpr std::string_view kDefine = "#define";
  size_t start = 0;
  while (start < header.size()) {
    const size_t end = std::min(header.find('\n', start), header.size());
    std::string_view line = header.substr(start, end - start);
    start = end + 1;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (line.substr(0, kDefine.size()) != kDefine) continue;
    // The rest of the line read as the script's tokens: a name, then a number.
    Lexer lexer(line.substr(kDefine.size()));
    const Token name = lexer.Next();
    const Token value = lexer.Next();
    if (name.kind == Token::Word && value.kind == Token::Number) symbols[name.text] = value.value;
  }
  return symbols;
}

ResourceScript ParseResourceScript(std::string_view script, const ResourceSymbols& symbols) {
  return Parser(script, symbols).Parse();
}

}  // namespace kirabo
