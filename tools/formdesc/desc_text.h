// The text form of a description, one per file:
//
//   form 2000                        menu 2000 bar
//   title GALLERY_TITLE              font FONT_TEXT
//   width T212                       item id 1 text STR_NEW
//   gadget button 1                  item submenu 2001 text STR_MORE flags submenu
//   x half                           (quick menus: `left ...` and `right ...` lines)
//   text STR_OK
//   ...
//
// A line names a field and gives its value; lines that start with the item
// word of the record (key, column, item) or a slot word (left, right) hold a
// whole sub-record, field after field. '#' at the start of a line, or after
// a space, starts a comment. Fields left out keep their fallback value; value
// indices (T<n>) with no fallback must be given.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "desc_field.h"
#include "desc_model.h"

// Parses a whole source; false with "line N: reason" in `error`.
bool parseDescription(const std::string& text, const DescSymbols& symbols, Description& out, std::string& error);

// The text of a string id for the dump's comments; false when there is none.
using DescStringText = std::function<bool(uint16_t id, std::string& utf8)>;

// The source text of a description; fields at their fallback are left out.
std::string printDescription(const Description& description, const DescStringText& strings = nullptr);
