#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ce_html.h"

namespace {

std::u16string Html(const WCHAR* html) {
  WCHAR* text = HtmlToText(html);
  std::u16string result = text ? text : u"<null>";
  std::free(text);
  return result;
}

TEST(CeHtml, EntityTable) {
  struct Case {
    const char16_t* entity;
    WCHAR code;
  } cases[] = {
      {u"&quot;", 34},   {u"&AMP;", 38},    {u"&lt;", 60},      {u"&#62;", 62},   {u"&nbsp;", 160},
      {u"&#160;", 160},  {u"&yuml;", 255},  {u"&#255;", 255},   {u"&eacute;", 201},  // the capital comes first
      {u"&#233;", 233},  {u"&Eacute;", 201}, {u"&szlig;", 223}, {u"&divide;", 247},
      {u"&amp", 0},      {u"&amp ", 0},     {u"&bogus;", 0},    {u"&#65;", 0},    {u"amp;", 0},
      {u"&", 0},         {u"&#0233;", 0},   {u"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(EntityToChar(c.entity), c.code) << std::string(c.entity, c.entity + 1);
  EXPECT_EQ(EntityToChar(nullptr), 0);
}

TEST(CeHtml, ToText) {
  struct Case {
    const char16_t* html;
    const char16_t* text;
  } cases[] = {
      {u"a &lt;b&gt; c", u"a <b> c"},
      {u"x<br>y", u"xy"},
      {u"<p class=\"r\">Rules</p>", u"Rules"},
      {u"&AMP;", u"&"},
      {u"&amp and", u"&amp and"},
      {u"&#233;&eacute;", u"\u00e9\u00c9"},
      {u"before<unterminated tag", u"before"},
      {u"&", u"&"},
      {u"tail &am", u"tail &am"},
      {u"a&b;c", u"a&b;c"},
      {u"&&lt;", u"&<"},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Html(c.html), c.text);
  EXPECT_EQ(Html(nullptr), u"");
}

TEST(CeHtml, LongAmpersandRunStopsCollecting) {
  std::u16string input = u"&" + std::u16string(600, u'x') + u"&gt;";
  std::u16string expected = u"&" + std::u16string(600, u'x') + u">";
  EXPECT_EQ(Html(input.c_str()), expected);
}

}  // namespace
