// Check boxes, round buttons, the slider and the keyboard's keys.
#include <cmath>

#include "chrome_groups.h"

namespace {

Box whole(const Canvas& c) { return {0, 0, static_cast<double>(c.width()), static_cast<double>(c.height())}; }

// A box or round button: a focus ring when focused, an outline, a paper face
// with a shade along its top, and the tick or dot when on.
void drawToggle(Canvas& c, Palette& palette, bool round, bool focused, bool on) {
  const Box all = whole(c);
  const double r = round ? all.w / 2 : 2.5;
  Box face = all;
  if (focused) {
    fillRounded(c, face, r, palette["toggle.focus"]);
    face = face.inset(1);
  }
  fillRounded(c, face, round ? face.w / 2 : r - (focused ? 1 : 0), palette["toggle.outline"]);
  face = face.inset(1);
  fillRounded(c, face, round ? face.w / 2 : 1, palette["toggle.shadow"]);
  shadeRounded(c, Box{face.x, face.y + 1, face.w, face.h - 1}, round ? (face.h - 1) / 2 : 1, palette["toggle.paper"],
               palette["toggle.paperBottom"]);
  if (!on) return;
  cairo_t* cr = c.cr();
  if (round) {
    const double cx = all.w / 2, cy = all.h / 2;
    cairo_arc(cr, cx, cy, all.w * 0.22, 0, 2 * M_PI);
    c.setColour(palette["toggle.ink"]);
    cairo_fill(cr);
    return;
  }
  cairo_set_line_width(cr, 2.2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_move_to(cr, all.w * 0.24, all.h * 0.52);
  cairo_line_to(cr, all.w * 0.43, all.h * 0.72);
  cairo_line_to(cr, all.w * 0.78, all.h * 0.26);
  c.setColour(palette["toggle.ink"]);
  cairo_stroke(cr);
}

// The slider's groove across the canvas, its ends rounded, with marks at the
// quarters.
void drawGroove(Canvas& c, Palette& palette, bool focused) {
  const Box all = whole(c);
  const double gh = 6, gy = (all.h - gh) / 2;
  if (focused) fillRounded(c, Box{0, gy - 2, all.w, gh + 4}, (gh + 4) / 2, palette["toggle.focus"]);
  fillRounded(c, Box{1, gy - 1, all.w - 2, gh + 2}, (gh + 2) / 2, palette["toggle.outline"]);
  fillRounded(c, Box{2, gy, all.w - 4, gh}, gh / 2, palette["slider.groove"]);
  fillRounded(c, Box{4, gy + gh - 2, all.w - 8, 1}, 0, palette["slider.grooveLight"]);
  for (int q = 1; q < 4; ++q) {
    const double x = std::round(2 + (all.w - 4) * q / 4.0) - 0.5;
    fillRounded(c, Box{x, gy + 1, 1, 2}, 0, palette["slider.grooveLight"]);
  }
}

void drawKnob(Canvas& c, Palette& palette) {
  const Box all = whole(c);
  fillRounded(c, all, 3, palette["toggle.outline"]);
  fillRounded(c, all.inset(1), 2, palette["knob.gleam"]);
  shadeRounded(c, Box{1, 2, all.w - 2, all.h - 3}, 2, palette["knob.top"], palette["knob.bottom"]);
  for (int i = -1; i <= 1; ++i) {
    const double y = std::floor(all.h / 2) + 3 * i - 1;
    fillRounded(c, Box{3, y, all.w - 6, 1}, 0, palette["knob.groove"]);
    fillRounded(c, Box{3, y + 1, all.w - 6, 1}, 0, palette["knob.gleam"]);
  }
}

// A key cap: it stands two pixels proud of its base; pressed, it sits down.
void drawKey(Canvas& c, Palette& palette, const std::string& look) {
  const Box all = whole(c);
  const bool pressed = look == "pressed";
  fillRounded(c, Box{0, 1, all.w, all.h - 1}, 3, palette["key.base"]);
  Box cap{0, pressed ? 1.0 : 0.0, all.w, all.h - 2};
  if (look == "focused") {
    fillRounded(c, cap, 3, palette["toggle.focus"]);
    cap = cap.inset(1);
  }
  fillRounded(c, cap, 3, palette["key.outline"]);
  cap = cap.inset(1);
  shadeRounded(c, cap, 2, palette[pressed ? "key.pressedTop" : "key.top"],
               palette[pressed ? "key.pressedBottom" : "key.bottom"]);
}

}  // namespace

bool drawControlPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string group = job.group(), part = job.part();
  if (group == "checkbox" || group == "radio") {
    const bool focused = part.rfind("focus", 0) == 0;
    const std::string state = focused ? part.substr(5) : part;
    if (state != "On" && state != "Off" && state != "on" && state != "off") return unknownPart(job, error);
    drawToggle(canvas, job.palette, group == "radio", focused, state == "On" || state == "on");
    return true;
  }
  if (group == "slider") {
    if (part == "knob") drawKnob(canvas, job.palette);
    else if (part == "bar" || part == "barFocused") drawGroove(canvas, job.palette, part == "barFocused");
    else return unknownPart(job, error);
    return true;
  }
  if (part != "normal" && part != "focused" && part != "pressed") return unknownPart(job, error);
  drawKey(canvas, job.palette, part);
  return true;
}
