// The HTML view's document: the small subset of HTML that help and rules
// pages use (headings, paragraphs, line breaks, lists, bold, italic,
// underline, links, character entities), read into blocks of styled runs.
// Any input gives a document: unknown tags are dropped, a '<' that opens no
// tag is text, and nesting is bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wince::html {

enum RunStyle : uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kLink = 8 };

struct Run {
  std::u16string text;  // "\n" alone: a line break
  uint8_t style = 0;
  std::u16string href;  // for kLink
};

enum class BlockKind { Paragraph, Heading1, Heading2, Heading3, Item };

struct Block {
  BlockKind kind = BlockKind::Paragraph;
  int depth = 0;   // list nesting: indentation steps
  int number = 0;  // an ordered list item's number; 0 for a bullet
  std::vector<Run> runs;
};

struct Document {
  std::vector<Block> blocks;
};

// Lists nest at most this deep; deeper ones stay at this depth.
constexpr int kMaxListDepth = 8;

Document parse(std::u16string_view source);

// The document's text as a reader would copy it: blocks on lines of their
// own, list items marked, line breaks kept.
std::u16string plainText(const Document& doc);

}  // namespace wince::html
