// The HTML view's reader: the subset it understands, and what it makes of
// markup it does not.
#include "html_document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using wince::html::BlockKind;
using wince::html::parse;
using wince::html::plainText;

struct TextCase {
  const char16_t* source;
  const char16_t* text;
};

TEST(HtmlDocument, TextComesOutAsAReaderSeesIt) {
  const TextCase cases[] = {
      {u"one  two\n three", u"one two three"},                           // white space collapses
      {u"line<br>next<BR/>last", u"line\nnext\nlast"},                   // breaks, any case, self-closing
      {u"<p>first</p><p>second", u"first\nsecond"},                      // paragraphs
      {u"<h1>Title</h1>body", u"Title\nbody"},                           // headings end their block
      {u"<ul><li>a<li>b</ul>after", u"  * a\n  * b\nafter"},             // bullets, indented
      {u"<ol><li>x</li><li>y</li></ol>", u"  1. x\n  2. y"},             // numbers
      {u"a &lt;b&gt; &amp; &#65;&#x42; &nbsp;c", u"a <b> & AB  c"},      // entities; nbsp stays a space
      {u"&bogus; &#0; &#xD800; &", u"&bogus; &#0; &#xD800; &"},          // unknown or unusable: as written
      {u"1 < 2 and 3 > 2", u"1 < 2 and 3 > 2"},                          // a '<' opening no tag is text
      {u"x <unterminated", u"x <unterminated"},                          // no '>': text
      {u"<head><title>T</title></head>shown<!-- hidden -->", u"shown"},  // hidden content and comments
      {u"<script>no</SCRIPT>yes", u"yes"},
      {u"<blink>kept</blink> text", u"kept text"},  // unknown tags dropped
      {u"<br><br>", u""},                           // no empty blocks
      {u"", u""},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(plainText(parse(c.source)), std::u16string(c.text))
        << std::string(c.source, c.source + std::char_traits<char16_t>::length(c.source));
  }
}

TEST(HtmlDocument, RunsCarryTheirStyleAndLinks) {
  const auto doc = parse(u"<b>bold <i>both</i></b> plain <a href=\"rules.htm#top\">link</a> <em>it</em></b></i>");
  ASSERT_EQ(doc.blocks.size(), 1u);
  const auto& runs = doc.blocks[0].runs;
  ASSERT_EQ(runs.size(), 6u);
  EXPECT_EQ(runs[0].text, u"bold ");
  EXPECT_EQ(runs[0].style, wince::html::kBold);
  EXPECT_EQ(runs[1].style, wince::html::kBold | wince::html::kItalic);
  EXPECT_EQ(runs[2].text, u" plain ");
  EXPECT_EQ(runs[2].style, 0);
  EXPECT_EQ(runs[3].style, wince::html::kLink);
  EXPECT_EQ(runs[3].href, u"rules.htm#top");
  EXPECT_EQ(runs[5].style, wince::html::kItalic);  // stray closing tags change nothing
}

TEST(HtmlDocument, HeadingLevelsAndListDepthAreKept) {
  const auto doc = parse(u"<h2>Two</h2><h5>Five</h5><ul><li>a<ol><li>b</ol></ul>");
  ASSERT_EQ(doc.blocks.size(), 4u);
  EXPECT_EQ(doc.blocks[0].kind, BlockKind::Heading2);
  EXPECT_EQ(doc.blocks[1].kind, BlockKind::Heading3);
  EXPECT_EQ(doc.blocks[3].depth, 2);
  EXPECT_EQ(doc.blocks[3].number, 1);
}

TEST(HtmlDocument, DeepNestingStopsAtTheLimit) {
  std::u16string deep;
  for (int i = 0; i < 1000; ++i) deep += u"<ul><li>x";
  for (int i = 0; i < 1000; ++i) deep += u"</ul>";
  deep += u"end";
  const auto doc = parse(deep);
  for (const auto& block : doc.blocks) EXPECT_LE(block.depth, wince::html::kMaxListDepth);
  EXPECT_EQ(doc.blocks.back().depth, 0);
  EXPECT_EQ(doc.blocks.back().runs[0].text, u"end");
}

}  // namespace
