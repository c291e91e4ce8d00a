// Resource lookup over the table compiled from tests/wince/resources/test.rc.
#include "wince/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "wince/host/resource.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

std::vector<BYTE> bytesOf(LPCWSTR name, LPCWSTR type) {
  HRSRC r = FindResource(nullptr, name, type);
  if (!r) return {};
  auto* p = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, r)));
  return std::vector<BYTE>(p, p + SizeofResource(nullptr, r));
}

WORD wordAt(const std::vector<BYTE>& d, size_t at) { return static_cast<WORD>(d[at] | d[at + 1] << 8); }
DWORD dwordAt(const std::vector<BYTE>& d, size_t at) {
  return wordAt(d, at) | static_cast<DWORD>(wordAt(d, at + 2)) << 16;
}

// Reads a terminated UTF-16 string at `at` and moves past it.
std::u16string textAt(const std::vector<BYTE>& d, size_t& at) {
  std::u16string s;
  for (WORD c; (c = wordAt(d, at)) != 0; at += 2) s.push_back(c);
  at += 2;
  return s;
}

TEST(ResourceTest, FindsByIdNameAndFourCharacterTypeWithoutRegardToCase) {
  struct Case {
    LPCWSTR name;
    LPCWSTR type;
    std::vector<BYTE> bytes;
  };
  const Case cases[] = {
      {MAKEINTRESOURCE(9900), u"SOLDB", {0x53, 0x4f, 0x4c, 0x00, 0xff}},
      {MAKEINTRESOURCE(9900), u"soldb", {0x53, 0x4f, 0x4c, 0x00, 0xff}},
      {u"#9900", u"SOLDB", {0x53, 0x4f, 0x4c, 0x00, 0xff}},
      {u"0", u"aGML", {1, 0, 2, 0, 6, 5, 4, 3, 'a', 'b', 'c', 0}},
      {u"SETTINGS", u"AFRM", {9, 0}},
      {u"settings", u"aFRM", {9, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(bytesOf(c.name, c.type), c.bytes);
}

TEST(ResourceTest, AbsentResourcesReportWhichPartIsMissing) {
  SetLastError(0);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(9901), u"SOLDB"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(9900), u"NOPE"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  // The integer 0 is not the name "0".
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(0), u"aGML"), nullptr);
  EXPECT_EQ(FindResource(nullptr, u"9900", u"SOLDB"), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
}

TEST(ResourceTest, LoadStringCopiesTruncatesAndTerminates) {
  struct Case {
    UINT id;
    int size;
    int result;
    std::u16string text;
  };
  const Case cases[] = {
      {9100, 64, 7, u"Pellwyn"},
      {9100, 8, 7, u"Pellwyn"},
      {9100, 7, 6, u"Pellwy"},
      {9100, 1, 0, u""},
      {9101, 64, 21, u"H\u00e9llo \u20ac \"quoted\"\n|two"},
      {9117, 64, 10, u"next block"},
      {9102, 64, 0, u""},  // absent, same block
      {9500, 64, 0, u""},  // absent block
  };
  for (const Case& c : cases) {
    WCHAR buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(LoadString(nullptr, c.id, buffer, c.size), c.result) << c.id << "/" << c.size;
    EXPECT_EQ(std::u16string(buffer), c.text) << c.id << "/" << c.size;
    if (c.size < 64) {
      EXPECT_EQ(buffer[c.size], u'#') << "wrote past the buffer";
    }
  }
  WCHAR untouched[2] = {u'#', u'#'};
  EXPECT_EQ(LoadString(nullptr, 9100, untouched, 0), 0);
  EXPECT_EQ(untouched[0], u'#');
}

TEST(ResourceTest, PointerFormGivesTheCountedUnterminatedText) {
  LPCWSTR text = LoadStringPointer(nullptr, 9100);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text[-1], 7);
  EXPECT_EQ(std::u16string(text, 7), u"Pellwyn");
  EXPECT_EQ(LoadStringPointer(nullptr, 9102), nullptr);
  EXPECT_EQ(LoadString(nullptr, 9100, nullptr, 0), 7);
}

TEST(ResourceTest, DialogTemplateHasTheBinaryLayout) {
  std::vector<BYTE> d = bytesOf(MAKEINTRESOURCE(9600), RT_DIALOG);
  ASSERT_GE(d.size(), sizeof(DLGTEMPLATE));
  DLGTEMPLATE t;
  std::memcpy(&t, d.data(), sizeof t);
  EXPECT_EQ(t.style, 0x80000000u | 0x80u | DS_SETFONT | 0x00C00000u);
  EXPECT_EQ(t.cdit, 4);
  EXPECT_EQ(t.cx, 161);
  EXPECT_EQ(t.cy, 100);
  size_t at = sizeof(DLGTEMPLATE);
  EXPECT_EQ(wordAt(d, at), 0);      // menu
  EXPECT_EQ(wordAt(d, at + 2), 0);  // class
  at += 4;
  EXPECT_EQ(textAt(d, at), u"Options");
  EXPECT_EQ(wordAt(d, at), 8);
  at += 2;
  EXPECT_EQ(textAt(d, at), u"Tahoma");

  struct Item {
    WORD id;
    DWORD style;
    std::u16string className;  // empty: predefined atom
    WORD atom;
    std::u16string text;
  };
  const DWORD child = 0x40000000 | 0x10000000;
  const Item items[] = {
      {0xFFFF, child | 0x00020000, u"", 0x82, u"Draw"},
      {1001, child | 0x00010000 | 3, u"", 0x80, u"Timed"},
      {1002, child | 0x00010000, u"msctls_trackbar32", 0, u""},
      {1, child | 0x00020000 | 1, u"", 0x80, u"OK"},  // NOT WS_TABSTOP removed the default
  };
  for (const Item& item : items) {
    at = (at + 3) & ~size_t{3};
    ASSERT_LE(at + sizeof(DLGITEMTEMPLATE), d.size());
    DLGITEMTEMPLATE it;
    std::memcpy(&it, d.data() + at, sizeof it);
    EXPECT_EQ(it.id, item.id);
    EXPECT_EQ(it.style, item.style) << item.id;
    at += sizeof it;
    if (item.className.empty()) {
      EXPECT_EQ(wordAt(d, at), 0xFFFF);
      EXPECT_EQ(wordAt(d, at + 2), item.atom);
      at += 4;
    } else {
      EXPECT_EQ(textAt(d, at), item.className);
    }
    EXPECT_EQ(textAt(d, at), item.text);
    EXPECT_EQ(wordAt(d, at), 0);  // creation data
    at += 2;
  }
  EXPECT_EQ(at, d.size());
}

TEST(ResourceTest, MenuTemplateAndHandle) {
  HMENU menu = LoadMenu(nullptr, MAKEINTRESOURCE(9001));
  ASSERT_NE(menu, nullptr);
  DWORD size = 0;
  const BYTE* p = wince::menuTemplate(menu, &size);
  ASSERT_NE(p, nullptr);
  std::vector<BYTE> d(p, p + size);
  size_t at = 4;  // header
  EXPECT_EQ(wordAt(d, at), MF_POPUP | MF_END);
  at += 2;
  EXPECT_EQ(textAt(d, at), u"Game");
  EXPECT_EQ(wordAt(d, at), 0);
  EXPECT_EQ(wordAt(d, at + 2), 40001);
  at += 4;
  EXPECT_EQ(textAt(d, at), u"New");
  EXPECT_EQ(wordAt(d, at), MF_SEPARATOR);
  at += 4;
  EXPECT_EQ(textAt(d, at), u"");
  EXPECT_EQ(wordAt(d, at), MF_GRAYED | MF_END);
  EXPECT_EQ(wordAt(d, at + 2), 40000);
  at += 4;
  EXPECT_EQ(textAt(d, at), u"Exit");
  EXPECT_EQ(at, d.size());

  EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(9002)), nullptr);
  EXPECT_EQ(wince::menuTemplate(reinterpret_cast<HMENU>(&size), &size), nullptr);
}

TEST(ResourceTest, AcceleratorTables) {
  size_t count = 0;
  const ACCELTABLEENTRY* e = wince::acceleratorEntries(LoadAccelerators(nullptr, MAKEINTRESOURCE(9002)), &count);
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(e[0].fFlags, FVIRTKEY | FCONTROL);
  EXPECT_EQ(e[0].wAnsi, 'A');
  EXPECT_EQ(e[0].wId, 40011);
  EXPECT_EQ(e[1].fFlags, 0);
  EXPECT_EQ(e[1].wAnsi, 17);  // ^Q
  EXPECT_EQ(e[2].fFlags, FVIRTKEY | FSHIFT | FLASTKEY);
  EXPECT_EQ(e[2].wAnsi, 112);

  HACCEL empty = LoadAccelerators(nullptr, MAKEINTRESOURCE(9011));
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(wince::acceleratorEntries(empty, &count), nullptr);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(LoadAccelerators(nullptr, MAKEINTRESOURCE(9012)), nullptr);
  EXPECT_EQ(wince::acceleratorEntries(reinterpret_cast<HACCEL>(LoadMenu(nullptr, MAKEINTRESOURCE(9001))), &count),
            nullptr);
}

TEST(ResourceTest, SoftKeyBarLayout) {
  std::vector<BYTE> d = bytesOf(MAKEINTRESOURCE(9800), RT_RCDATA);
  ASSERT_EQ(d.size(), sizeof(SoftKeyBarHeader) + 2 * sizeof(SoftKeyBarButton));
  SoftKeyBarHeader h;
  std::memcpy(&h, d.data(), sizeof h);
  EXPECT_EQ(h.menuId, 9001);
  EXPECT_EQ(h.buttonCount, 2);
  SoftKeyBarButton b[2];
  std::memcpy(b, d.data() + sizeof h, sizeof b);
  EXPECT_EQ(b[0].command, 40001);
  EXPECT_EQ(b[0].stringId, 9100);
  EXPECT_EQ(b[0].submenu, NOMENU);
  EXPECT_EQ(b[0].image, I_IMAGENONE);
  EXPECT_EQ(b[1].command, 40002);
  EXPECT_EQ(b[1].submenu, 0);
}

TEST(ResourceTest, IconBarLayout) {
  std::vector<BYTE> d = bytesOf(MAKEINTRESOURCE(9801), RT_RCDATA);
  ASSERT_EQ(d.size(), sizeof(SoftKeyBarHeader) + 3 * sizeof(SoftKeyBarButton));
  SoftKeyBarButton b[3];
  std::memcpy(b, d.data() + sizeof(SoftKeyBarHeader), sizeof b);
  EXPECT_EQ(b[0].image, 2);
  EXPECT_EQ(b[0].command, 40001);
  EXPECT_EQ(b[0].style, 0x10);  // autosize
  EXPECT_EQ(b[1].style, 0x01);  // a separator: no command, no label, no popup
  EXPECT_EQ(b[1].command, 0);
  EXPECT_EQ(b[1].stringId, 0);
  EXPECT_EQ(b[1].submenu, NOMENU);
  EXPECT_EQ(b[2].image, 3);
  EXPECT_EQ(b[2].style, 0x18);  // autosize, drop-down
  EXPECT_EQ(b[2].submenu, 0);
}

TEST(ResourceTest, BitmapsBecomeBottomUpDibsAndIconsLoad) {
  for (WORD id : {9200, 9201}) {
    std::vector<BYTE> d = bytesOf(MAKEINTRESOURCE(id), RT_BITMAP);
    ASSERT_EQ(d.size(), 40u + 2 * 8) << id;
    EXPECT_EQ(dwordAt(d, 0), 40u);
    EXPECT_EQ(dwordAt(d, 4), 2u);
    EXPECT_EQ(dwordAt(d, 8), 2u);
    EXPECT_EQ(wordAt(d, 14), 24);
    // Bottom row first, blue-green-red: (0,1) blue, then (0,0) red.
    EXPECT_EQ(std::vector<BYTE>(d.begin() + 40, d.begin() + 43), (std::vector<BYTE>{255, 0, 0})) << id;
    EXPECT_EQ(std::vector<BYTE>(d.begin() + 48, d.begin() + 51), (std::vector<BYTE>{0, 0, 255})) << id;
  }
  EXPECT_NE(LoadIcon(nullptr, MAKEINTRESOURCE(9010)), nullptr);
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(9011)), nullptr);
}

TEST(ResourceTest, TablesCanBeRegisteredAndRemoved) {
  static const BYTE data[] = {42};
  static const wince::ResourceEntry entries[] = {{u"TEST", 0, nullptr, 1, data, 1}};
  static const wince::ResourceTable table{entries, 1};
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(1), u"TEST"), nullptr);
  wince::registerResourceTable(&table);
  EXPECT_EQ(bytesOf(MAKEINTRESOURCE(1), u"test"), std::vector<BYTE>{42});
  wince::unregisterResourceTable(&table);
  EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(1), u"TEST"), nullptr);
}

}  // namespace
