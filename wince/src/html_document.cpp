#include "html_document.h"

#include <algorithm>
#include <array>
#include <string>

namespace wince::html {

namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f'; }
bool isNameChar(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'); }
char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

std::u16string lowered(std::u16string_view s) {
  std::u16string out(s);
  std::transform(out.begin(), out.end(), out.begin(), lower);
  return out;
}

struct Entity {
  const char16_t* name;
  char16_t value;
};
constexpr std::array<Entity, 12> kEntities{{{u"amp", u'&'},
                                            {u"lt", u'<'},
                                            {u"gt", u'>'},
                                            {u"quot", u'"'},
                                            {u"apos", u'\''},
                                            {u"nbsp", u'\u00A0'},
                                            {u"copy", u'\u00A9'},
                                            {u"reg", u'\u00AE'},
                                            {u"trade", u'\u2122'},
                                            {u"hellip", u'\u2026'},
                                            {u"mdash", u'\u2014'},
                                            {u"ndash", u'\u2013'}}};

// A numeric reference's value, or 0 when it names no usable character.
char16_t numericEntity(std::u16string_view digits) {
  const bool hex = !digits.empty() && (digits[0] == u'x' || digits[0] == u'X');
  if (hex) digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 6) return 0;
  uint32_t value = 0;
  for (char16_t c : digits) {
    const char16_t l = lower(c);
    uint32_t d = 0;
    if (l >= u'0' && l <= u'9') {
      d = l - u'0';
    } else if (hex && l >= u'a' && l <= u'f') {
      d = l - u'a' + 10;
    } else {
      return 0;
    }
    value = value * (hex ? 16 : 10) + d;
  }
  // One UTF-16 unit: no controls, no surrogate halves.
  if (value < 0x20 || value > 0xFFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return static_cast<char16_t>(value);
}

// Decodes the character references in text; unknown ones stay as written.
std::u16string decodeEntities(std::u16string_view in) {
  std::u16string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != u'&') {
      out.push_back(in[i]);
      continue;
    }
    const size_t semi = in.find(u';', i + 1);
    if (semi == std::u16string_view::npos || semi - i > 10) {
      out.push_back(u'&');
      continue;
    }
    const std::u16string_view name = in.substr(i + 1, semi - i - 1);
    char16_t value = 0;
    if (!name.empty() && name[0] == u'#') {
      value = numericEntity(name.substr(1));
    } else {
      for (const Entity& e : kEntities) {
        if (name == e.name) value = e.value;
      }
    }
    if (value == 0) {
      out.push_back(u'&');
      continue;
    }
    out.push_back(value);
    i = semi;
  }
  return out;
}

struct Tag {
  std::u16string name;  // lower case, without the '/'
  bool closing = false;
  std::u16string href;
};

// The value of the href attribute in a tag's attribute text, if any.
std::u16string hrefOf(std::u16string_view attrs) {
  const std::u16string low = lowered(attrs);
  size_t at = low.find(u"href");
  if (at == std::u16string::npos) return {};
  at += 4;
  while (at < attrs.size() && isSpace(attrs[at])) ++at;
  if (at >= attrs.size() || attrs[at] != u'=') return {};
  ++at;
  while (at < attrs.size() && isSpace(attrs[at])) ++at;
  if (at >= attrs.size()) return {};
  size_t end = 0;
  if (attrs[at] == u'"' || attrs[at] == u'\'') {
    end = attrs.find(attrs[at], at + 1);
    ++at;
    if (end == std::u16string_view::npos) end = attrs.size();
  } else {
    end = at;
    while (end < attrs.size() && !isSpace(attrs[end])) ++end;
  }
  return decodeEntities(attrs.substr(at, end - at));
}

Tag readTag(std::u16string_view inside) {
  Tag t;
  size_t i = 0;
  if (i < inside.size() && inside[i] == u'/') {
    t.closing = true;
    ++i;
  }
  const size_t start = i;
  while (i < inside.size() && isNameChar(inside[i])) ++i;
  t.name = lowered(inside.substr(start, i - start));
  if (t.name == u"a" && !t.closing) t.href = hrefOf(inside.substr(i));
  return t;
}

class Builder {
 public:
  // White space collapses to one space, in the style where it stands; none
  // at the start of a line.
  void text(std::u16string_view raw) {
    const std::u16string decoded = decodeEntities(raw);
    for (char16_t c : decoded) {
      if (isSpace(c)) {
        if (!lastSpace_ && !atLineStart()) append(u" ");
        lastSpace_ = true;
        continue;
      }
      lastSpace_ = false;
      const char16_t ch = c == u'\u00A0' ? u' ' : c;
      append(std::u16string_view(&ch, 1));
    }
  }

  void tag(const Tag& t) {
    const std::u16string& n = t.name;
    if (n == u"br") {
      trimTrailingSpace();
      append(u"\n");
    } else if (n == u"p" || n == u"div") {
      endBlock();
    } else if (n.size() == 2 && n[0] == u'h' && n[1] >= u'1' && n[1] <= u'6') {
      endBlock();
      if (!t.closing)
        startBlock(n[1] == u'1' ? BlockKind::Heading1 : n[1] == u'2' ? BlockKind::Heading2 : BlockKind::Heading3);
    } else if (n == u"b" || n == u"strong") {
      count(bold_, t.closing);
    } else if (n == u"i" || n == u"em") {
      count(italic_, t.closing);
    } else if (n == u"u") {
      count(underline_, t.closing);
    } else if (n == u"a") {
      href_ = t.closing ? std::u16string() : t.href;
    } else if (n == u"ul" || n == u"ol") {
      list(n == u"ol", t.closing);
    } else if (n == u"li" && !t.closing) {
      item();
    }
  }

  Document finish() {
    endBlock();
    return std::move(doc_);
  }

 private:
  struct List {
    bool ordered;
    int counter;
  };

  static void count(int& c, bool closing) { c = closing ? std::max(0, c - 1) : c + 1; }

  uint8_t style() const {
    return static_cast<uint8_t>((bold_ ? kBold : 0) | (italic_ ? kItalic : 0) | (underline_ ? kUnderline : 0) |
                                (href_.empty() ? 0 : kLink));
  }

  bool atLineStart() const { return !open_ || block_.runs.empty() || block_.runs.back().text == u"\n"; }

  void append(std::u16string_view s) {
    if (!open_) startBlock(lists_.empty() ? BlockKind::Paragraph : BlockKind::Item, true);
    const uint8_t st = style();
    if (s != u"\n" && !block_.runs.empty() && block_.runs.back().style == st && block_.runs.back().href == href_ &&
        block_.runs.back().text != u"\n") {
      block_.runs.back().text += s;
      return;
    }
    block_.runs.push_back(Run{std::u16string(s), st, st & kLink ? href_ : std::u16string()});
  }

  void startBlock(BlockKind kind, bool continuation = false) {
    endBlock();
    block_ = Block{};
    block_.kind = kind;
    block_.depth = static_cast<int>(lists_.size());
    if (kind == BlockKind::Item && continuation) block_.kind = BlockKind::Paragraph;  // text after an item's end
    open_ = true;
  }

  void trimTrailingSpace() {
    while (!block_.runs.empty() && block_.runs.back().text != u"\n" && !block_.runs.back().text.empty() &&
           block_.runs.back().text.back() == u' ') {
      block_.runs.back().text.pop_back();
      if (block_.runs.back().text.empty()) block_.runs.pop_back();
    }
  }

  void endBlock() {
    if (open_) {
      trimTrailingSpace();
      while (!block_.runs.empty() && block_.runs.back().text == u"\n") block_.runs.pop_back();
      if (!block_.runs.empty()) doc_.blocks.push_back(std::move(block_));
    }
    open_ = false;
    lastSpace_ = false;
  }

  void list(bool ordered, bool closing) {
    endBlock();
    if (closing) {
      if (!lists_.empty() && depth_ <= kMaxListDepth) lists_.pop_back();
      depth_ = std::max(0, depth_ - 1);
    } else {
      ++depth_;
      if (depth_ <= kMaxListDepth) lists_.push_back(List{ordered, 0});
    }
  }

  void item() {
    if (lists_.empty()) {  // an item outside a list: a bullet
      lists_.push_back(List{false, 0});
      depth_ = 1;
    }
    startBlock(BlockKind::Item);
    List& l = lists_.back();
    block_.number = l.ordered ? ++l.counter : 0;
  }

  Document doc_;
  Block block_;
  bool open_ = false;
  bool lastSpace_ = false;
  int bold_ = 0, italic_ = 0, underline_ = 0;
  std::u16string href_;
  std::vector<List> lists_;
  int depth_ = 0;  // lists opened, also past the limit
};

// Elements whose content is not shown.
bool hidesContent(const std::u16string& name) {
  return name == u"head" || name == u"title" || name == u"script" || name == u"style";
}

// Where the element's closing tag starts, or the end of the source.
size_t closingTag(std::u16string_view source, size_t from, const std::u16string& name) {
  for (size_t at = source.find(u"</", from); at != std::u16string_view::npos; at = source.find(u"</", at + 2)) {
    if (lowered(source.substr(at + 2, name.size())) == name) return at;
  }
  return source.size();
}

}  // namespace

Document parse(std::u16string_view source) {
  Builder b;
  size_t i = 0;
  while (i < source.size()) {
    const size_t lt = source.find(u'<', i);
    b.text(source.substr(i, lt == std::u16string_view::npos ? std::u16string_view::npos : lt - i));
    if (lt == std::u16string_view::npos) break;
    if (source.substr(lt, 4) == u"<!--") {
      const size_t end = source.find(u"-->", lt + 4);
      i = end == std::u16string_view::npos ? source.size() : end + 3;
      continue;
    }
    const size_t gt = source.find(u'>', lt + 1);
    const bool tagLike =
        lt + 1 < source.size() && (isNameChar(source[lt + 1]) || source[lt + 1] == u'/' || source[lt + 1] == u'!');
    if (gt == std::u16string_view::npos || !tagLike) {
      b.text(u"<");  // a '<' that opens no tag is text
      i = lt + 1;
      continue;
    }
    const Tag t = readTag(source.substr(lt + 1, gt - lt - 1));
    i = gt + 1;
    if (hidesContent(t.name) && !t.closing) {
      i = closingTag(source, i, t.name);
      continue;
    }
    b.tag(t);
  }
  return b.finish();
}

std::u16string plainText(const Document& doc) {
  std::u16string out;
  for (const Block& block : doc.blocks) {
    if (!out.empty()) out += u"\n";
    out.append(static_cast<size_t>(block.depth) * 2, u' ');
    if (block.kind == BlockKind::Item && block.number == 0) out += u"* ";
    if (block.kind == BlockKind::Item && block.number != 0) {
      for (char c : std::to_string(block.number)) out.push_back(static_cast<char16_t>(c));
      out += u". ";
    }
    for (const Run& run : block.runs) out += run.text;
  }
  return out;
}

}  // namespace wince::html
