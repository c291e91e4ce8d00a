#include "dialog_template.h"

#include <cstring>

#include "wince/window.h"

namespace wince::win {

namespace {

// Reads little-endian fields from a bounded buffer; the first failure sticks.
class Reader {
 public:
  Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }

  WORD word() {
    if (!need(2, "a field")) return 0;
    const WORD v = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  DWORD dword() {
    const DWORD lo = word();
    const DWORD hi = word();
    return lo | (hi << 16);
  }
  short shortValue() { return static_cast<short>(word()); }

  std::u16string text() {
    std::u16string s;
    for (;;) {
      if (!need(2, "a terminated text")) return s;
      const WORD c = word();
      if (c == 0) return s;
      s.push_back(static_cast<char16_t>(c));
    }
  }

  // 0: none; 0xFFFF then an ordinal; otherwise a terminated text.
  TemplateName name() {
    TemplateName n;
    if (!need(2, "a name")) return n;
    const WORD first = static_cast<WORD>(data_[pos_] | (data_[pos_ + 1] << 8));
    if (first == 0xFFFF) {
      pos_ += 2;
      n.isOrdinal = true;
      n.ordinal = word();
    } else {
      n.text = text();
    }
    return n;
  }

  std::vector<BYTE> bytes(size_t n) {
    if (!need(n, "creation data")) return {};
    std::vector<BYTE> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }

  void alignTo(size_t n) {
    const size_t aligned = (pos_ + n - 1) / n * n;
    if (aligned > size_) {
      fail("an item past the end");
      return;
    }
    pos_ = aligned;
  }

  void fail(const std::string& what) {
    if (ok_) error_ = "dialog template: " + what;
    ok_ = false;
  }

 private:
  bool need(size_t n, const char* what) {
    if (!ok_) return false;
    if (size_ - pos_ < n) {
      fail(std::string("truncated in ") + what);
      return false;
    }
    return true;
  }

  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
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
