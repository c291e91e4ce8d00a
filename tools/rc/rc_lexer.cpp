#include "rc_lexer.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "rc_script.h"

namespace rc {

namespace {

bool isWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Appends one UTF-8 sequence at text[i] as UTF-16; advances i.
void appendUtf8(const std::string& text, size_t& i, std::u16string& out) {
  auto b = static_cast<unsigned char>(text[i]);
  int len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
  char32_t v = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (int k = 1; k < len; ++k) {
    if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
      len = 1;
      v = 0xFFFD;
      break;
    }
    v = (v << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  }
  i += static_cast<size_t>(len);
  if (v >= 0x10000) {
    out.push_back(static_cast<char16_t>(0xD800 + ((v - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((v - 0x10000) & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(v));
  }
}

}  // namespace

Lexer::Lexer(std::string displayName, Defines& defines) : displayName_(std::move(displayName)), defines_(defines) {}

void Lexer::fail(int line, const std::string& message) const {
  throw ScriptError(displayName_ + ":" + std::to_string(line) + ": " + message);
}

void Lexer::run(const std::string& text, bool headerMode, const std::string& folder,
                std::vector<std::string>& includedFiles) {
  int line = 1;
  bool lineStart = true;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
      lineStart = true;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#' && lineStart) {
      size_t end = text.find('\n', i);
      if (end == std::string::npos) end = text.size();
      directive(text.substr(i + 1, end - i - 1), line, headerMode, folder, includedFiles);
      i = end;
      continue;
    }
    lineStart = false;
    if (headerMode) {
      size_t end = text.find('\n', i);
      i = end == std::string::npos ? text.size() : end;
      continue;
    }
    tokenizeLine(text, i, line);
  }
}

// One token (or comment) at text[i].
void Lexer::tokenizeLine(const std::string& text, size_t& i, int& line) {
  char c = text[i];
  if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
    while (i < text.size() && text[i] != '\n') ++i;
    return;
  }
  if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
    size_t end = text.find("*/", i + 2);
    if (end == std::string::npos) fail(line, "unterminated comment");
    for (size_t k = i; k < end; ++k) line += text[k] == '\n';
    i = end + 2;
    return;
  }
  if (c == 'L' && i + 1 < text.size() && text[i + 1] == '"') {
    i += 1;
    tokens_.push_back(stringToken(text, i, line, true));
    return;
  }
  if (c == '"') {
    tokens_.push_back(stringToken(text, i, line, false));
    return;
  }
  Token t;
  t.line = line;
  if (std::isdigit(static_cast<unsigned char>(c))) {
    size_t end = i;
    int base = 10;
    if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
      base = 16;
      end += 2;
    }
    size_t digits = end;
    while (end < text.size() && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
    std::string number = text.substr(digits, end - digits);
    try {
      size_t used = 0;
      unsigned long long v = std::stoull(number, &used, base);
      if (used != number.size() || v > 0xFFFFFFFFull) throw std::out_of_range("number");
      t.number = static_cast<uint32_t>(v);
    } catch (const std::exception&) {
      fail(line, "bad number '" + text.substr(i, end - i) + "'");
    }
    while (end < text.size() && (text[end] == 'L' || text[end] == 'l' || text[end] == 'U' || text[end] == 'u')) {
      if (text[end] == 'L' || text[end] == 'l') t.longNumber = true;
      ++end;
    }
    t.kind = Token::Number;
    i = end;
  } else if (isWordStart(c)) {
    size_t end = i;
    while (end < text.size() && isWordChar(text[end])) ++end;
    t.kind = Token::Word;
    t.word = text.substr(i, end - i);
    i = end;
  } else if (std::string(",|(){}+-~").find(c) != std::string::npos) {
    t.kind = Token::Punct;
    t.word = std::string(1, c);
    ++i;
  } else {
    fail(line, std::string("unexpected character '") + c + "'");
  }
  tokens_.push_back(t);
}

// A quoted string at text[i] ("" stands for a quote; \n \t \r \\ \" \0 and
// \xHH escapes). The text is UTF-8.
Token Lexer::stringToken(const std::string& text, size_t& i, int line, bool wide) {
  Token t;
  t.kind = Token::String;
  t.wide = wide;
  t.line = line;
  ++i;
  for (;;) {
    if (i >= text.size() || text[i] == '\n') fail(line, "unterminated string");
    char c = text[i];
    if (c == '"') {
      if (i + 1 < text.size() && text[i + 1] == '"') {
        t.text.push_back(u'"');
        i += 2;
        continue;
      }
      ++i;
      return t;
    }
    if (c != '\\') {
      appendUtf8(text, i, t.text);
      continue;
    }
    if (i + 1 >= text.size()) fail(line, "unterminated string");
    char e = text[i + 1];
    i += 2;
    switch (e) {
      case 'n':
        t.text.push_back(u'\n');
        break;
      case 't':
        t.text.push_back(u'\t');
        break;
      case 'r':
        t.text.push_back(u'\r');
        break;
      case '0':
        t.text.push_back(u'\0');
        break;
      case '\\':
        t.text.push_back(u'\\');
        break;
      case '"':
        t.text.push_back(u'"');
        break;
      case 'x': {
        size_t end = i;
        while (end < text.size() && end < i + 4 && std::isxdigit(static_cast<unsigned char>(text[end]))) ++end;
        if (end == i) fail(line, "bad \\x escape");
        t.text.push_back(static_cast<char16_t>(std::stoul(text.substr(i, end - i), nullptr, 16)));
        i = end;
        break;
      }
      default:
        fail(line, std::string("unknown escape \\") + e);
    }
  }
}

void Lexer::directive(const std::string& lineText, int line, bool headerMode, const std::string& folder,
                      std::vector<std::string>& includedFiles) {
  std::istringstream in(lineText);
  std::string keyword;
  in >> keyword;
  if (keyword == "define") {
    std::string name;
    in >> name;
    if (name.empty() || !isWordStart(name[0])) fail(line, "bad #define");
    std::string rest;
    std::getline(in, rest);
    Lexer value(displayName_, defines_);
    size_t i = 0;
    int valueLine = line;
    try {
      while (i < rest.size()) {
        if (rest[i] == ' ' || rest[i] == '\t' || rest[i] == '\r') {
          ++i;
          continue;
        }
        value.tokenizeLine(rest, i, valueLine);
      }
    } catch (const ScriptError&) {
      if (!headerMode) throw;
      return;  // a header's non-resource define
    }
    defines_[name] = value.tokens();
    return;
  }
  if (keyword == "include" && !headerMode) {
    size_t open = lineText.find('"');
    size_t close = open == std::string::npos ? open : lineText.find('"', open + 1);
    if (close == std::string::npos) fail(line, "bad #include");
    std::string file = folder + "/" + lineText.substr(open + 1, close - open - 1);
    std::ifstream stream(file, std::ios::binary);
    if (!stream) fail(line, "cannot read " + file);
    std::stringstream content;
    content << stream.rdbuf();
    includedFiles.push_back(file);
    Lexer header(file, defines_);
    header.run(content.str(), true, folder, includedFiles);
    return;
  }
  if (!headerMode) fail(line, "unknown directive #" + keyword);
}

const std::map<std::string, uint32_t>& builtinConstants() {
  static const std::map<std::string, uint32_t> constants = {
      // Window styles.
      {"WS_OVERLAPPED", 0},
      {"WS_POPUP", 0x80000000},
      {"WS_CHILD", 0x40000000},
      {"WS_VISIBLE", 0x10000000},
      {"WS_DISABLED", 0x08000000},
      {"WS_CLIPSIBLINGS", 0x04000000},
      {"WS_CLIPCHILDREN", 0x02000000},
      {"WS_CAPTION", 0x00C00000},
      {"WS_BORDER", 0x00800000},
      {"WS_DLGFRAME", 0x00400000},
      {"WS_VSCROLL", 0x00200000},
      {"WS_HSCROLL", 0x00100000},
      {"WS_SYSMENU", 0x00080000},
      {"WS_THICKFRAME", 0x00040000},
      {"WS_GROUP", 0x00020000},
      {"WS_TABSTOP", 0x00010000},
      {"WS_EX_DLGMODALFRAME", 0x1},
      {"WS_EX_TOPMOST", 0x8},
      {"WS_EX_WINDOWEDGE", 0x100},
      {"WS_EX_CLIENTEDGE", 0x200},
      {"WS_EX_CONTROLPARENT", 0x10000},
      {"WS_EX_STATICEDGE", 0x20000},
      {"WS_EX_NOACTIVATE", 0x08000000},
      {"WS_EX_NODRAG", 0x40000000},
      {"WS_EX_CAPTIONOKBTN", 0x80000000},
      // Dialog styles.
      {"DS_ABSALIGN", 0x1},
      {"DS_SYSMODAL", 0x2},
      {"DS_LOCALEDIT", 0x20},
      {"DS_SETFONT", 0x40},
      {"DS_MODALFRAME", 0x80},
      {"DS_NOIDLEMSG", 0x100},
      {"DS_SETFOREGROUND", 0x200},
      {"DS_CONTROL", 0x400},
      {"DS_CENTER", 0x800},
      // Static, button, edit, combo box and list box styles.
      {"SS_LEFT", 0},
      {"SS_CENTER", 1},
      {"SS_RIGHT", 2},
      {"SS_ICON", 3},
      {"SS_LEFTNOWORDWRAP", 0xC},
      {"SS_BITMAP", 0xE},
      {"SS_NOPREFIX", 0x80},
      {"SS_NOTIFY", 0x100},
      {"SS_CENTERIMAGE", 0x200},
      {"BS_PUSHBUTTON", 0},
      {"BS_DEFPUSHBUTTON", 1},
      {"BS_CHECKBOX", 2},
      {"BS_AUTOCHECKBOX", 3},
      {"BS_RADIOBUTTON", 4},
      {"BS_3STATE", 5},
      {"BS_AUTO3STATE", 6},
      {"BS_GROUPBOX", 7},
      {"BS_AUTORADIOBUTTON", 9},
      {"BS_OWNERDRAW", 0xB},
      {"BS_LEFT", 0x100},
      {"BS_RIGHT", 0x200},
      {"BS_CENTER", 0x300},
      {"BS_MULTILINE", 0x2000},
      {"BS_NOTIFY", 0x4000},
      {"ES_LEFT", 0},
      {"ES_CENTER", 1},
      {"ES_RIGHT", 2},
      {"ES_MULTILINE", 4},
      {"ES_UPPERCASE", 8},
      {"ES_LOWERCASE", 0x10},
      {"ES_PASSWORD", 0x20},
      {"ES_AUTOVSCROLL", 0x40},
      {"ES_AUTOHSCROLL", 0x80},
      {"ES_NOHIDESEL", 0x100},
      {"ES_READONLY", 0x800},
      {"ES_WANTRETURN", 0x1000},
      {"ES_NUMBER", 0x2000},
      {"CBS_SIMPLE", 1},
      {"CBS_DROPDOWN", 2},
      {"CBS_DROPDOWNLIST", 3},
      {"CBS_AUTOHSCROLL", 0x40},
      {"CBS_SORT", 0x100},
      {"CBS_HASSTRINGS", 0x200},
      {"LBS_NOTIFY", 1},
      {"LBS_SORT", 2},
      {"LBS_HASSTRINGS", 0x40},
      {"LBS_NOINTEGRALHEIGHT", 0x100},
      // Dialog ids, soft-key bar words.
      {"IDOK", 1},
      {"IDCANCEL", 2},
      {"IDC_STATIC", 0xFFFF},
      {"I_IMAGENONE", 0xFFFE},
      {"NOMENU", 0xFFFF},
      {"TBSTATE_ENABLED", 0x4},
      {"TBSTYLE_BUTTON", 0},
      {"TBSTYLE_DROPDOWN", 0x8},
      {"TBSTYLE_AUTOSIZE", 0x10},
      // Virtual keys.
      {"VK_BACK", 8},
      {"VK_TAB", 9},
      {"VK_RETURN", 13},
      {"VK_SHIFT", 16},
      {"VK_CONTROL", 17},
      {"VK_ESCAPE", 27},
      {"VK_SPACE", 32},
      {"VK_PRIOR", 33},
      {"VK_NEXT", 34},
      {"VK_END", 35},
      {"VK_HOME", 36},
      {"VK_LEFT", 37},
      {"VK_UP", 38},
      {"VK_RIGHT", 39},
      {"VK_DOWN", 40},
      {"VK_INSERT", 45},
      {"VK_DELETE", 46},
      {"VK_F1", 112},
      {"VK_F2", 113},
      {"VK_F3", 114},
      {"VK_F4", 115},
      {"VK_F5", 116},
      {"VK_F6", 117},
      {"VK_F7", 118},
      {"VK_F8", 119},
      {"VK_F9", 120},
      {"VK_F10", 121},
      {"VK_F11", 122},
      {"VK_F12", 123},
      {"VK_TSOFT1", 112},
      {"VK_TSOFT2", 113},
      {"VK_TBACK", 27},
      {"VK_TACTION", 13},
  };
  return constants;
}

}  // namespace rc
