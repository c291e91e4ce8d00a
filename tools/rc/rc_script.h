// The resource-script reader: turns a script into compiled resources.
//
// Script syntax (one statement after another; // and /* */ comments;
// #define NAME value; #include "file" takes the #define lines of a header):
//   STRINGTABLE BEGIN id "text" ... END
//   name ICON "file.png"
//   name BITMAP "file.png" | "file.bmp"
//   name RCDATA "file" | BEGIN values END
//   name TYPE "file" | BEGIN values END        custom type, e.g. SOLDB, aFRM
//   name ACCELERATORS BEGIN key, command [, VIRTKEY|ASCII, CONTROL, SHIFT, ALT, NOINVERT] ... END
//   name MENU BEGIN POPUP "text" BEGIN MENUITEM "text", id [, GRAYED, CHECKED]
//                                      MENUITEM SEPARATOR ... END ... END
//   name DIALOG x, y, cx, cy [STYLE e] [EXSTYLE e] [CAPTION "t"] [FONT size, "face"]
//        BEGIN controls END
//   name SOFTKEYBAR menuId BEGIN BUTTON command, stringId
//                                MENUBUTTON command, stringId, popupIndex ... END
// Names and ids are numbers, defined names, or (undefined words and quoted
// text) string names. Values in BEGIN/END data: numbers are WORDs, numbers
// with an L suffix DWORDs, "text" narrow bytes, L"text" UTF-16 units, all
// unterminated. Expressions: numbers, names, | + - ~ NOT and parentheses.
// BEGIN/END may be written { and }.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

// A failure with the script position in its message.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A type or name: an integer, or a string when `text` is not empty.
struct Id {
  uint16_t number = 0;
  std::u16string text;
};

struct Resource {
  Id type;
  Id name;
  std::vector<uint8_t> data;
};

struct Script {
  std::vector<Resource> resources;
  std::vector<std::filesystem::path> dependencies;  // files the script read
};

// Reads a script; files it names are found relative to its folder.
Script readScript(const std::filesystem::path& path);
// Reads script text; `folder` resolves the files it names.
Script parseScript(const std::string& text, const std::filesystem::path& folder, const std::string& displayName);

}  // namespace rc
