// Frames of eight pieces and pieces of three (caps and middle tile), drawn
// whole and sliced.
#include <algorithm>

#include "chrome_groups.h"

namespace {

// The colour prefix of a frame group in the palette.
std::string framePrefix(const std::string& group) {
  if (group == "formFrame") return "frame";
  if (group == "alertFrame") return "alert";
  return "menu";
}

// A frame band of thickness a around the whole canvas: from the outside an
// outline, a light bevel, the face, a shade (bands of 5 or more) and an inner
// line; the corners are rounded outside and square inside.
void drawFrameWhole(Canvas& whole, Palette& palette, const std::string& prefix, int a) {
  const double radius = a / 2 + 1;
  for (int ring = 0; ring < a; ++ring) {
    std::string name = "face";
    if (ring == 0) name = "outline";
    else if (ring == 1) name = "light";
    else if (ring == a - 1) name = "inner";
    else if (ring == a - 2 && a >= 5) name = "shade";
    const Box box = Box{0, 0, static_cast<double>(whole.width()), static_cast<double>(whole.height())}.inset(ring);
    fillRounded(whole, box, std::max(0.0, radius - ring), palette[prefix + "." + name]);
  }
  clearBox(whole, Box{0, 0, static_cast<double>(whole.width()), static_cast<double>(whole.height())}.inset(a));
}

struct Slice {
  const char* part;
  int column;  // 0 left band, 1 middle, 2 right band
  int row;
};

const Slice kFrameSlices[] = {{"tl", 0, 0}, {"t", 1, 0}, {"tr", 2, 0}, {"r", 2, 1},
                              {"br", 2, 2}, {"b", 1, 2}, {"bl", 0, 2}, {"l", 0, 1}};

// The picture of a whole button-like control in one look, lw + 2 mw + rw wide.
void drawCapWhole(Canvas& c, Palette& palette, const std::string& group, const std::string& look) {
  const double w = c.width(), h = c.height();
  const Box all{0, 0, w, h};
  if (group == "textEntry") {
    const bool focused = look == "focused";
    fillRounded(c, all, 3, palette[focused ? "field.focus" : "field.outline"]);
    const Box inner = all.inset(focused ? 2 : 1);
    fillRounded(c, inner, 1, palette["field.shadow"]);
    fillRounded(c, Box{inner.x, inner.y + 1, inner.w, inner.h - 1}, 1, palette["field.paper"]);
    return;
  }
  if (group == "titleBar") {
    fillRounded(c, all, 4, palette["title.outline"]);
    fillRounded(c, all.inset(1), 3, palette["title.gleam"]);
    shadeRounded(c, Box{1, 2, w - 2, h - 3}, 3, palette["title.top"], palette["title.bottom"]);
    return;
  }
  drawButtonLook(c, palette, group, look);
}

}  // namespace

void drawButtonLook(Canvas& c, Palette& palette, const std::string& group, const std::string& look) {
  const double w = c.width(), h = c.height();
  const Box all{0, 0, w, h};
  const std::string p = group == "accentButton" ? "accent." : "button.";
  const double r = std::min(5.0, h / 2);
  if (look == "pressed") {
    fillRounded(c, all, r, palette[p + "outline"]);
    shadeRounded(c, all.inset(1), r - 1, palette[p + "pressedTop"], palette[p + "pressedBottom"]);
    fillRounded(c, Box{r, 1, w - 2 * r, 1}, 0, palette[p + "shadow"]);
    return;
  }
  Box face = all;
  if (look == "focused") {
    fillRounded(c, face, r, palette[p + "focus"]);
    face = face.inset(1);
  }
  fillRounded(c, face, r - (look == "focused" ? 1 : 0), palette[p + "outline"]);
  face = face.inset(1);
  fillRounded(c, face, r - 1, palette[p + "gleam"]);
  shadeRounded(c, Box{face.x, face.y + 1, face.w, face.h - 1}, r - 1,
               palette[p + (look == "focused" ? "focusTop" : "top")], palette[p + "bottom"]);
}

bool drawFramePiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  int a = 0, b = 0, tw = 0, th = 0, lw = 0, lh = 0;
  if (!job.sibling("tl", a, b) || !job.sibling("t", tw, th) || !job.sibling("l", lw, lh)) {
    error = "frame group " + job.group() + " needs its tl, t and l pieces";
    return false;
  }
  const Slice* cut = nullptr;
  for (const Slice& s : kFrameSlices) {
    if (job.part() == s.part) cut = &s;
  }
  if (!cut) return unknownPart(job, error);
  const int widths[3] = {a, tw, a}, heights[3] = {b, lh, b};
  if (a != b || th != b || lw != a || canvas.width() != widths[cut->column] || canvas.height() != heights[cut->row]) {
    error = "frame pieces of " + job.group() + " must be square corners with edges as thick as them";
    return false;
  }
  Canvas whole(2 * a + tw, 2 * b + lh);
  drawFrameWhole(whole, job.palette, framePrefix(job.group()), a);
  const int xs[3] = {0, a, a + tw}, ys[3] = {0, b, b + lh};
  slice(whole, xs[cut->column], ys[cut->row], canvas);
  return true;
}

bool drawCapPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string part = job.part();
  if (part == "cursor" && job.group() == "textEntry") {
    fillRounded(canvas, Box{0, 0, static_cast<double>(canvas.width()), static_cast<double>(canvas.height())}, 0,
                job.palette["field.caret"]);
    return true;
  }
  const size_t dot = part.find('.');
  const std::string look = job.group() == "titleBar" ? "" : part.substr(0, dot);
  const std::string which = job.group() == "titleBar" ? part : part.substr(dot + 1);
  const bool lookKnown = job.group() == "titleBar"    ? dot == std::string::npos
                         : job.group() == "textEntry" ? (look == "normal" || look == "focused")
                                                      : (look == "normal" || look == "focused" || look == "pressed");
  if (!lookKnown || (which != "left" && which != "middle" && which != "right")) return unknownPart(job, error);
  const std::string prefix = look.empty() ? "" : look + ".";
  int lw = 0, mw = 0, rw = 0, h = 0;
  if (!job.sibling(prefix + "left", lw, h) || !job.sibling(prefix + "middle", mw, h) ||
      !job.sibling(prefix + "right", rw, h)) {
    error = job.group() + " needs its left, middle and right pieces";
    return false;
  }
  Canvas whole(lw + 2 * mw + rw, canvas.height());
  drawCapWhole(whole, job.palette, job.group(), look);
  slice(whole, which == "left" ? 0 : which == "middle" ? lw : lw + 2 * mw, 0, canvas);
  return true;
}
