// Dialog templates in the binary layout, written as the resource compiler
// writes them, for the dialog and control tests.
#pragma once

#include <string>
#include <vector>

#include "wince/window.h"

// Writes dialog templates in the binary layout, as the resource compiler does.
class TemplateBuilder {
 public:
  TemplateBuilder& header(DWORD style, WORD count, short x, short y, short cx, short cy, std::u16string title,
                          bool font = true) {
    dword(style | (font ? DS_SETFONT : 0));
    dword(0);
    word(count);
    for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
    word(0);  // no menu
    word(0);  // the standard dialog class
    text(title);
    if (font) {
      word(8);
      text(u"Tahoma");
    }
    return *this;
  }
  TemplateBuilder& item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classOrdinal,
                        std::u16string title) {
    itemHead(style, x, y, cx, cy, id);
    word(0xFFFF);
    word(classOrdinal);
    return itemTail(title);
  }
  // A control of a class given by name ("SysListView32", ...).
  TemplateBuilder& item(DWORD style, short x, short y, short cx, short cy, WORD id, const std::u16string& className,
                        std::u16string title) {
    itemHead(style, x, y, cx, cy, id);
    text(className);
    return itemTail(title);
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes.data()); }

  std::vector<BYTE> bytes;

 private:
  void itemHead(DWORD style, short x, short y, short cx, short cy, WORD id) {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    dword(style | WS_CHILD | WS_VISIBLE);
    dword(0);
    for (short v : {x, y, cx, cy}) word(static_cast<WORD>(v));
    word(id);
  }
  TemplateBuilder& itemTail(const std::u16string& title) {
    text(title);
    word(0);  // no creation data
    return *this;
  }
  void word(WORD v) {
    bytes.push_back(static_cast<BYTE>(v));
    bytes.push_back(static_cast<BYTE>(v >> 8));
  }
  void dword(DWORD v) {
    word(static_cast<WORD>(v));
    word(static_cast<WORD>(v >> 16));
  }
  void text(const std::u16string& s) {
    for (char16_t c : s) word(c);
    word(0);
  }
};

