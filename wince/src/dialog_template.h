// The dialog-template reader: turns the binary layout into a description
// of the dialog and its controls, checking every size and count.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wince/types.h"

namespace wince::win {

// A class or title field: either a string or an ordinal.
struct TemplateName {
  std::u16string text;
  WORD ordinal = 0;
  bool isOrdinal = false;
};

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  TemplateName className;
  TemplateName title;
  std::vector<BYTE> creationData;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu;
  TemplateName className;
  std::u16string title;
  bool hasFont = false;
  WORD pointSize = 0;
  std::u16string faceName;
  std::vector<DialogItem> items;
};

// False with a reason in *error when the data is not a complete template.
bool readDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out, std::string* error);

// The class name a control ordinal stands for ("BUTTON" for 0x80, ...);
// null for an unknown ordinal.
const char16_t* controlClassForOrdinal(WORD ordinal);

}  // namespace wince::win
