#include "rc_script.h"

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "rc_bytes.h"
#include "rc_image.h"
#include "rc_lexer.h"

namespace rc {

namespace {

constexpr uint16_t kRtBitmap = 2, kRtIcon = 3, kRtMenu = 4, kRtDialog = 5, kRtString = 6, kRtAccelerator = 9,
                   kRtRcdata = 10;
constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsTabstop = 0x00010000, kWsGroup = 0x00020000,
                   kWsBorder = 0x00800000, kWsCaption = 0x00C00000, kDsSetFont = 0x40;

// Predefined control classes and their atoms in dialog templates.
const std::map<std::u16string, uint16_t>& classAtoms() {
  static const std::map<std::u16string, uint16_t> atoms = {{u"BUTTON", 0x80},    {u"EDIT", 0x81},
                                                           {u"STATIC", 0x82},    {u"LISTBOX", 0x83},
                                                           {u"SCROLLBAR", 0x84}, {u"COMBOBOX", 0x85}};
  return atoms;
}

std::u16string upper(std::u16string s) {
  for (char16_t& c : s) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return s;
}

std::u16string widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

struct Control {
  std::u16string text;
  uint16_t textId = 0;
  bool textIsId = false;
  uint16_t id = 0;
  std::u16string className;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct MenuItem {
  std::u16string text;
  uint16_t flags = 0;
  uint16_t id = 0;
  std::vector<MenuItem> children;
};

class Parser {
 public:
  Parser(const std::vector<Token>& tokens, const Defines& defines, std::filesystem::path folder, std::string name,
         Script& out)
      : tokens_(&tokens), defines_(defines), folder_(std::move(folder)), name_(std::move(name)), out_(out) {}

  void run() {
    while (peek().kind != Token::End) statement();
    finishStrings();
  }

 private:
  // --- Token access ---
  const Token& peek(size_t ahead = 0) {
    static const Token end;
    return pos_ + ahead < tokens_->size() ? (*tokens_)[pos_ + ahead] : end;
  }
  const Token& next() {
    const Token& t = peek();
    if (t.kind == Token::End) fail("unexpected end of script");
    ++pos_;
    return t;
  }
  int line() { return peek().kind == Token::End ? (tokens_->empty() ? 1 : tokens_->back().line) : peek().line; }
  [[noreturn]] void fail(const std::string& message) {
    throw ScriptError(name_ + ":" + std::to_string(line()) + ": " + message);
  }
  bool isWord(const char* w, size_t ahead = 0) { return peek(ahead).kind == Token::Word && peek(ahead).word == w; }
  bool isPunct(const char* p) { return peek().kind == Token::Punct && peek().word == p; }
  bool accept(const char* p) {
    if (!isPunct(p)) return false;
    ++pos_;
    return true;
  }
  void expectComma() {
    if (!accept(",")) fail("expected ','");
  }
  void acceptComma() { accept(","); }
  void begin() {
    if (isWord("BEGIN") || isPunct("{")) {
      ++pos_;
      return;
    }
    fail("expected BEGIN");
  }
  bool atEnd() {
    if (isWord("END") || isPunct("}")) {
      ++pos_;
      return true;
    }
    if (peek().kind == Token::End) fail("missing END");
    return false;
  }
  std::u16string string() {
    const Token& t = next();
    if (t.kind != Token::String) fail("expected a quoted string");
    return t.text;
  }

  // --- Expressions ---
  bool isDefined(const std::string& word) { return defines_.count(word) || builtinConstants().count(word); }
  bool startsExpression() {
    const Token& t = peek();
    return t.kind == Token::Number || (t.kind == Token::Word && (isDefined(t.word) || t.word == "NOT")) ||
           (t.kind == Token::Punct && (t.word == "(" || t.word == "-" || t.word == "~"));
  }

  uint32_t primary() {
    const Token& t = next();
    if (t.kind == Token::Number) return t.number;
    if (t.kind == Token::Punct && t.word == "(") {
      uint32_t v = expression();
      if (!accept(")")) fail("expected ')'");
      return v;
    }
    if (t.kind == Token::Punct && t.word == "-") return 0u - primary();
    if (t.kind == Token::Punct && t.word == "~") return ~primary();
    if (t.kind == Token::Word) return wordValue(t.word);
    fail("expected a number");
  }

  uint32_t wordValue(const std::string& word) {
    if (auto b = builtinConstants().find(word); b != builtinConstants().end() && !defines_.count(word)) {
      return b->second;
    }
    auto d = defines_.find(word);
    if (d == defines_.end()) fail("unknown name '" + word + "'");
    if (++depth_ > 32) fail("#define '" + word + "' refers to itself");
    const std::vector<Token>* saved = tokens_;
    size_t savedPos = pos_;
    tokens_ = &d->second;
    pos_ = 0;
    uint32_t v = expression();
    if (peek().kind != Token::End) fail("#define '" + word + "' is not a number");
    tokens_ = saved;
    pos_ = savedPos;
    --depth_;
    return v;
  }

  // a | b, a + b, a - b; NOT b clears b's bits from what came before.
  uint32_t expression() {
    uint32_t v = 0;
    bool first = true;
    for (;;) {
      if (isWord("NOT")) {
        ++pos_;
        v &= ~primary();
      } else if (first) {
        v = primary();
      }
      first = false;
      if (accept("|")) {
        if (!isWord("NOT")) v |= primary();
      } else if (accept("+")) {
        v += primary();
      } else if (accept("-")) {
        v -= primary();
      } else {
        return v;
      }
    }
  }

  // A style after a comma: terms joined by | are added to `base`, NOT terms
  // clear their bits from everything before them.
  uint32_t styleExpression(uint32_t base) {
    uint32_t v = base;
    do {
      if (isWord("NOT")) {
        ++pos_;
        v &= ~primary();
      } else {
        v |= primary();
      }
    } while (accept("|"));
    return v;
  }

  uint16_t word16(uint32_t v) {
    if (v > 0xFFFF && v < 0xFFFF8000u) fail("value " + std::to_string(v) + " does not fit 16 bits");
    return static_cast<uint16_t>(v);
  }
  int16_t coordinate() { return static_cast<int16_t>(word16(expression())); }

  Id nameOrId() {
    const Token& t = peek();
    if (t.kind == Token::String) {
      ++pos_;
      return Id{0, t.text};
    }
    if (t.kind == Token::Word && !isDefined(t.word)) {
      ++pos_;
      return Id{0, upper(widen(t.word))};
    }
    return Id{word16(expression()), {}};
  }

  // --- Statements ---
  void statement() {
    if (isWord("STRINGTABLE")) {
      ++pos_;
      stringTable();
      return;
    }
    Id name = nameOrId();
    const Token& type = next();
    std::string kind = type.kind == Token::Word ? type.word : "";
    if (type.kind == Token::String) kind = "";
    if (kind == "ICON")
      add(kRtIcon, name, fileBytes(string()));
    else if (kind == "BITMAP")
      add(kRtBitmap, name, bitmap(string()));
    else if (kind == "RCDATA")
      add(kRtRcdata, name, dataBlock());
    else if (kind == "ACCELERATORS")
      add(kRtAccelerator, name, accelerators());
    else if (kind == "MENU")
      add(kRtMenu, name, menu());
    else if (kind == "DIALOG")
      add(kRtDialog, name, dialog());
    else if (kind == "SOFTKEYBAR")
      add(kRtRcdata, name, softKeyBar());
    else if (type.kind == Token::String || type.kind == Token::Word)
      addTyped(type, name, dataBlock());
    else
      fail("expected a resource type");
  }

  void add(uint16_t type, const Id& name, std::vector<uint8_t> data) {
    addResource(Resource{Id{type, {}}, name, std::move(data)});
  }
  void addTyped(const Token& type, const Id& name, std::vector<uint8_t> data) {
    std::u16string typeName = type.kind == Token::String ? type.text : widen(type.word);
    if (typeName.empty()) fail("empty type name");
    addResource(Resource{Id{0, typeName}, name, std::move(data)});
  }
  void addResource(Resource r) {
    std::u16string key = (r.type.text.empty() ? u"#" + widen(std::to_string(r.type.number)) : upper(r.type.text)) +
                         u"/" +
                         (r.name.text.empty() ? u"#" + widen(std::to_string(r.name.number)) : upper(r.name.text));
    if (!seen_.insert(key).second) fail("resource defined twice");
    out_.resources.push_back(std::move(r));
  }

  // File names in a script are plain text: a name that is not valid UTF-16
  // (a lone surrogate) cannot name a file.
  std::filesystem::path file(const std::u16string& name) {
    for (size_t i = 0; i < name.size(); ++i) {
      const char16_t c = name[i];
      const bool high = c >= 0xD800 && c <= 0xDBFF;
      const bool low = c >= 0xDC00 && c <= 0xDFFF;
      if (low || (high && (i + 1 == name.size() || name[i + 1] < 0xDC00 || name[i + 1] > 0xDFFF))) {
        fail("file name is not valid text");
      }
      if (high) ++i;
    }
    std::filesystem::path path = folder_ / std::filesystem::path(name);
    out_.dependencies.push_back(path);
    return path;
  }

  std::vector<uint8_t> fileBytes(const std::u16string& name) {
    std::filesystem::path path = file(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path.string());
    std::stringstream content;
    content << in.rdbuf();
    std::string s = content.str();
    return std::vector<uint8_t>(s.begin(), s.end());
  }

  std::vector<uint8_t> bitmap(const std::u16string& name) {
    std::string error;
    std::filesystem::path path = file(name);
    std::vector<uint8_t> dib = loadBitmapAsDib(path, &error);
    if (dib.empty()) fail("cannot read bitmap " + path.string() + ": " + error);
    return dib;
  }

  // "file" or BEGIN values END.
  std::vector<uint8_t> dataBlock() {
    if (peek().kind == Token::String && !peek().wide) return fileBytes(string());
    Bytes out;
    begin();
    while (!atEnd()) {
      const Token& t = peek();
      if (t.kind == Token::String) {
        ++pos_;
        if (t.wide)
          out.text(t.text, false);
        else
          for (char16_t c : t.text) {
            if (c > 0xFF) fail("narrow string holds a character above 255; use L\"...\"");
            out.byte(static_cast<uint8_t>(c));
          }
      } else {
        bool isLong = t.kind == Token::Number && t.longNumber;
        uint32_t v = expression();
        if (isLong)
          out.dword(v);
        else
          out.word(word16(v));
      }
      acceptComma();
    }
    return std::move(out.data());
  }

  void stringTable() {
    begin();
    while (!atEnd()) {
      uint16_t id = word16(expression());
      acceptComma();
      std::u16string text = string();
      if (text.size() > 0xFFFF) fail("string too long");
      if (!strings_.emplace(id, text).second) fail("string " + std::to_string(id) + " defined twice");
    }
  }

  void finishStrings() {
    std::map<uint16_t, std::vector<std::u16string>> blocks;
    for (const auto& [id, text] : strings_) {
      auto& block = blocks[static_cast<uint16_t>(id / 16 + 1)];
      block.resize(16);
      block[id % 16] = text;
    }
    for (const auto& [blockId, texts] : blocks) {
      Bytes out;
      for (const std::u16string& t : texts) {
        out.word(static_cast<uint32_t>(t.size()));
        out.text(t, false);
      }
      addResource(Resource{Id{kRtString, {}}, Id{blockId, {}}, std::move(out.data())});
    }
  }

  std::vector<uint8_t> accelerators() {
    struct Entry {
      uint16_t flags, key, id;
    };
    std::vector<Entry> entries;
    begin();
    while (!atEnd()) {
      Entry e{0, 0, 0};
      bool control = false;
      bool character = peek().kind == Token::String;
      if (character) {
        std::u16string key = string();
        if (key.size() == 2 && key[0] == u'^') {
          control = true;
          key = key.substr(1);
        }
        if (key.size() != 1) fail("accelerator key must be one character");
        e.key = control ? static_cast<uint16_t>(upper(key)[0] & 0x1F) : key[0];
      } else {
        e.key = word16(expression());
      }
      expectComma();
      e.id = word16(expression());
      while (accept(",")) {
        const Token& f = next();
        if (f.kind != Token::Word) fail("expected an accelerator flag");
        if (f.word == "VIRTKEY")
          e.flags |= 0x01;
        else if (f.word == "NOINVERT")
          e.flags |= 0x02;
        else if (f.word == "SHIFT")
          e.flags |= 0x04;
        else if (f.word == "CONTROL")
          e.flags |= 0x08;
        else if (f.word == "ALT")
          e.flags |= 0x10;
        else if (f.word != "ASCII")
          fail("unknown accelerator flag " + f.word);
      }
      // A virtual key named by its letter is the capital's code.
      if (character && (e.flags & 0x01) && e.key >= u'a' && e.key <= u'z') e.key = static_cast<uint16_t>(e.key - 32);
      entries.push_back(e);
    }
    Bytes out;
    for (size_t i = 0; i < entries.size(); ++i) {
      out.word(entries[i].flags | (i + 1 == entries.size() ? 0x80 : 0));
      out.word(entries[i].key);
      out.word(entries[i].id);
      out.word(0);
    }
    return std::move(out.data());
  }

  std::vector<MenuItem> menuItems() {
    std::vector<MenuItem> items;
    begin();
    while (!atEnd()) {
      MenuItem item;
      if (isWord("POPUP")) {
        ++pos_;
        item.text = string();
        item.flags = 0x10;
        menuOptions(item);
        item.children = menuItems();
      } else if (isWord("MENUITEM")) {
        ++pos_;
        if (isWord("SEPARATOR")) {
          ++pos_;
          item.flags = 0x800;
        } else {
          item.text = string();
          expectComma();
          item.id = word16(expression());
          menuOptions(item);
        }
      } else {
        fail("expected POPUP or MENUITEM");
      }
      items.push_back(std::move(item));
    }
    return items;
  }

  void menuOptions(MenuItem& item) {
    while (accept(",")) {
      const Token& f = next();
      if (f.kind == Token::Word && f.word == "GRAYED")
        item.flags |= 0x1;
      else if (f.kind == Token::Word && f.word == "INACTIVE")
        item.flags |= 0x2;
      else if (f.kind == Token::Word && f.word == "CHECKED")
        item.flags |= 0x8;
      else
        fail("unknown menu option");
    }
  }

  static void writeMenu(Bytes& out, const std::vector<MenuItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      const MenuItem& item = items[i];
      out.word(item.flags | (i + 1 == items.size() ? 0x80 : 0));
      if (!(item.flags & 0x10)) out.word(item.id);
      out.text(item.text);
      if (item.flags & 0x10) writeMenu(out, item.children);
    }
  }

  std::vector<uint8_t> menu() {
    std::vector<MenuItem> items = menuItems();
    if (items.empty()) fail("empty menu");
    Bytes out;
    out.word(0);
    out.word(0);
    writeMenu(out, items);
    return std::move(out.data());
  }

  // A soft-key bar or icon bar: BUTTON command, string [, IMAGE n],
  // MENUBUTTON command, string, popup [, IMAGE n], or SEPARATOR.
  std::vector<uint8_t> softKeyBar() {
    uint16_t menuId = word16(expression());
    struct Button {
      uint16_t command, stringId, submenu, image, style;
    };
    std::vector<Button> buttons;
    begin();
    while (!atEnd()) {
      if (isWord("SEPARATOR")) {
        ++pos_;
        buttons.push_back({0, 0, 0xFFFF, 0, 0x01});  // TBSTYLE_SEP
        continue;
      }
      bool menuButton = isWord("MENUBUTTON");
      if (!menuButton && !isWord("BUTTON")) fail("expected BUTTON, MENUBUTTON or SEPARATOR");
      ++pos_;
      Button b{word16(expression()), 0, 0xFFFF, 0xFFFE, 0x10};  // I_IMAGENONE, TBSTYLE_AUTOSIZE
      expectComma();
      b.stringId = word16(expression());
      if (menuButton) {
        expectComma();
        b.submenu = word16(expression());
        b.style |= 0x08;  // TBSTYLE_DROPDOWN
      }
      if (isPunct(",")) {
        expectComma();
        if (!isWord("IMAGE")) fail("expected IMAGE");
        ++pos_;
        b.image = word16(expression());
      }
      buttons.push_back(b);
    }
    Bytes out;
    out.word(menuId);
    out.word(static_cast<uint32_t>(buttons.size()));
    for (const Button& b : buttons) {
      out.word(b.image);
      out.word(b.command);
      out.word(0x04);  // TBSTATE_ENABLED
      out.word(b.style);
      out.word(b.stringId);
      out.word(0);
      out.word(b.submenu);
    }
    return std::move(out.data());
  }

  // --- Dialogs ---
  std::vector<uint8_t> dialog() {
    int16_t box[4];
    for (int i = 0; i < 4; ++i) {
      if (i) expectComma();
      box[i] = coordinate();
    }
    uint32_t style = 0x80000000 | kWsBorder | 0x00080000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
    uint32_t exStyle = 0;
    bool hasCaption = false;
    std::u16string caption, face;
    uint16_t pointSize = 0;
    bool hasFont = false;
    for (;;) {
      if (isWord("STYLE")) {
        ++pos_;
        style = expression();
      } else if (isWord("EXSTYLE")) {
        ++pos_;
        exStyle = expression();
      } else if (isWord("CAPTION")) {
        ++pos_;
        caption = string();
        hasCaption = true;
      } else if (isWord("FONT")) {
        ++pos_;
        pointSize = word16(expression());
        expectComma();
        face = string();
        hasFont = true;
      } else {
        break;
      }
    }
    if (hasCaption) style |= kWsCaption;
    if (hasFont) style |= kDsSetFont;
    std::vector<Control> controls;
    begin();
    while (!atEnd()) controls.push_back(control());
    if (controls.size() > 0xFFFF) fail("too many controls");

    Bytes out;
    out.dword(style);
    out.dword(exStyle);
    out.word(static_cast<uint32_t>(controls.size()));
    for (int16_t v : box) out.word(static_cast<uint16_t>(v));
    out.word(0);  // no menu
    out.word(0);  // default class
    out.text(caption);
    if (style & kDsSetFont) {
      out.word(pointSize);
      out.text(face);
    }
    for (const Control& c : controls) {
      out.alignTo(4);
      out.dword(c.style);
      out.dword(c.exStyle);
      for (int16_t v : {c.x, c.y, c.cx, c.cy}) out.word(static_cast<uint16_t>(v));
      out.word(c.id);
      if (auto atom = classAtoms().find(upper(c.className)); atom != classAtoms().end()) {
        out.word(0xFFFF);
        out.word(atom->second);
      } else {
        out.text(c.className);
      }
      if (c.textIsId) {
        out.word(0xFFFF);
        out.word(c.textId);
      } else {
        out.text(c.text);
      }
      out.word(0);  // no creation data
    }
    return std::move(out.data());
  }

  struct ControlKind {
    const char* keyword;
    const char16_t* className;
    uint32_t style;
    bool hasText;
  };

  Control control() {
    static const ControlKind kinds[] = {
        {"LTEXT", u"Static", 0x0 | kWsGroup, true},
        {"RTEXT", u"Static", 0x2 | kWsGroup, true},
        {"CTEXT", u"Static", 0x1 | kWsGroup, true},
        {"PUSHBUTTON", u"Button", 0x0 | kWsTabstop, true},
        {"DEFPUSHBUTTON", u"Button", 0x1 | kWsTabstop, true},
        {"CHECKBOX", u"Button", 0x2 | kWsTabstop, true},
        {"AUTOCHECKBOX", u"Button", 0x3 | kWsTabstop, true},
        {"RADIOBUTTON", u"Button", 0x4, true},
        {"AUTORADIOBUTTON", u"Button", 0x9, true},
        {"GROUPBOX", u"Button", 0x7, true},
        {"EDITTEXT", u"Edit", kWsBorder | kWsTabstop, false},
        {"COMBOBOX", u"ComboBox", kWsTabstop, false},
        {"LISTBOX", u"ListBox", 0x1 | kWsBorder, false},
        {"ICON", u"Static", 0x3, true},
    };
    const Token& keyword = next();
    if (keyword.kind != Token::Word) fail("expected a control");
    Control c;
    if (keyword.word == "CONTROL") {
      controlText(c);
      expectComma();
      c.id = word16(expression());
      expectComma();
      c.className = peek().kind == Token::String ? string() : widen(next().word);
      expectComma();
      c.style = styleExpression(kWsChild | kWsVisible);
      for (int16_t* v : {&c.x, &c.y, &c.cx, &c.cy}) {
        expectComma();
        *v = coordinate();
      }
      if (accept(",")) c.exStyle = expression();
      return c;
    }
    const ControlKind* kind = nullptr;
    for (const ControlKind& k : kinds) {
      if (keyword.word == k.keyword) kind = &k;
    }
    if (!kind) fail("unknown control " + keyword.word);
    c.className = kind->className;
    if (kind->hasText) {
      controlText(c);
      expectComma();
    }
    c.id = word16(expression());
    for (int16_t* v : {&c.x, &c.y, &c.cx, &c.cy}) {
      expectComma();
      *v = coordinate();
    }
    c.style = kWsChild | kWsVisible | kind->style;
    if (accept(",")) c.style = styleExpression(c.style);
    if (accept(",")) c.exStyle = expression();
    return c;
  }

  // Control text: a string, or a resource id (icons).
  void controlText(Control& c) {
    if (peek().kind == Token::String) {
      c.text = string();
    } else {
      c.textIsId = true;
      c.textId = word16(expression());
    }
  }

  const std::vector<Token>* tokens_;
  const Defines& defines_;
  std::filesystem::path folder_;
  std::string name_;
  Script& out_;
  size_t pos_ = 0;
  int depth_ = 0;
  std::map<uint16_t, std::u16string> strings_;
  std::set<std::u16string> seen_;
};

}  // namespace

Script parseScript(const std::string& text, const std::filesystem::path& folder, const std::string& displayName) {
  Script script;
  Defines defines;
  Lexer lexer(displayName, defines);
  std::vector<std::string> included;
  lexer.run(text, false, folder.string(), included);
  for (const std::string& f : included) script.dependencies.emplace_back(f);
  Parser(lexer.tokens(), defines, folder, displayName, script).run();
  return script;
}

Script readScript(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ScriptError("cannot read " + path.string());
  std::stringstream content;
  content << in.rdbuf();
  return parseScript(content.str(), path.parent_path(), path.string());
}

}  // namespace rc
