#include "dialog_template.h"

#include <span>

#include "base/byte_reader.h"
#include "wince/window.h"

namespace wince::win {

namespace {

// The template's little-endian fields over the checked byte reader, with
// the text of the first failure.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : in_(data, size) {}

  bool ok() const { return in_.ok(); }
  const std::string& error() const { return error_; }

  WORD word() { return checked(in_.readLE16(), "a field"); }
  DWORD dword() { return checked(in_.readLE32(), "a field"); }
  short shortValue() { return static_cast<short>(word()); }

  std::u16string text() {
    std::u16string s;
    for (;;) {
      const WORD c = checked(in_.readLE16(), "a terminated text");
      if (c == 0) return s;
      s.push_back(static_cast<char16_t>(c));
    }
  }

  // 0: none; 0xFFFF then an ordinal; otherwise a terminated text.
  TemplateName name() {
    TemplateName n;
    if (!in_.has(2)) return checked(n, "a name", true);
    if (base::loadLE16(in_.rest().data()) == 0xFFFF) {
      in_.skip(2);
      n.isOrdinal = true;
      n.ordinal = word();
    } else {
      n.text = text();
    }
    return n;
  }

  std::vector<BYTE> bytes(size_t n) {
    const std::span<const uint8_t> data = in_.viewBytes(n);
    checked(0, "creation data");
    return std::vector<BYTE>(data.begin(), data.end());
  }

  void alignTo(size_t n) {
    if (ok() && !in_.seek((in_.position() + n - 1) / n * n)) fail("an item past the end");
  }

  void fail(const std::string& what) {
    if (error_.empty()) error_ = "dialog template: " + what;
    in_.fail();
  }

 private:
  // Names the first failure of the reader (or a forced one) after a read.
  template <class T>
  T checked(T value, const char* what, bool force = false) {
    if ((force || in_.failed()) && error_.empty()) error_ = std::string("dialog template: truncated in ") + what;
    if (force) in_.fail();
    return value;
  }

  base::ByteReader in_;
  std::string error_;
};

void readItem(Reader& r, DialogItem* item) {
  r.alignTo(4);
  item->style = r.dword();
  item->exStyle = r.dword();
  item->x = r.shortValue();
  item->y = r.shortValue();
  item->cx = r.shortValue();
  item->cy = r.shortValue();
  item->id = r.word();
  item->className = r.name();
  item->title = r.name();
  const WORD extra = r.word();
  item->creationData = r.bytes(extra);
  if (r.ok() && !item->className.isOrdinal && item->className.text.empty()) r.fail("a control without a class");
}

}  // namespace

bool readDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out, std::string* error) {
  *out = DialogTemplate{};
  Reader r(data, data != nullptr ? size : 0);
  out->style = r.dword();
  out->exStyle = r.dword();
  if (r.ok() && (out->style & 0xFFFF0000u) == 0xFFFF0000u) r.fail("the extended layout is not supported");
  const WORD count = r.word();
  out->x = r.shortValue();
  out->y = r.shortValue();
  out->cx = r.shortValue();
  out->cy = r.shortValue();
  out->menu = r.name();
  out->className = r.name();
  out->title = r.text();
  if (out->style & DS_SETFONT) {
    out->hasFont = true;
    out->pointSize = r.word();
    out->faceName = r.text();
  }
  for (WORD i = 0; i < count && r.ok(); ++i) {
    DialogItem item;
    readItem(r, &item);
    if (r.ok()) out->items.push_back(std::move(item));
  }
  if (!r.ok() && error != nullptr) *error = r.error();
  return r.ok();
}

const char16_t* controlClassForOrdinal(WORD ordinal) {
  switch (ordinal) {
    case 0x80: return u"BUTTON";
    case 0x81: return u"EDIT";
    case 0x82: return u"STATIC";
    case 0x83: return u"LISTBOX";
    case 0x84: return u"SCROLLBAR";
    case 0x85: return u"COMBOBOX";
    default: return nullptr;
  }
}

}  // namespace wince::win
