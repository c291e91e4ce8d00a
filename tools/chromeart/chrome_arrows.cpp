// Arrows and small marks: the selectors' arrow buttons, submenu arrows, menu
// marks, scroll arrows, soft keys and the minimise button.
#include <cmath>

#include "chrome_groups.h"

namespace {

Box whole(const Canvas& c) { return {0, 0, static_cast<double>(c.width()), static_cast<double>(c.height())}; }

// A triangle pointing left, right, up or down, centred in box, s across its
// base.
void triangle(Canvas& c, const Box& box, char towards, double s, Rgb colour) {
  const double cx = box.x + box.w / 2, cy = box.y + box.h / 2, d = s / 2, n = s * 0.3;
  double p[6];
  switch (towards) {
    case 'l':
      p[0] = cx - n;
      p[1] = cy;
      p[2] = cx + n;
      p[3] = cy - d;
      p[4] = cx + n;
      p[5] = cy + d;
      break;
    case 'r':
      p[0] = cx + n;
      p[1] = cy;
      p[2] = cx - n;
      p[3] = cy - d;
      p[4] = cx - n;
      p[5] = cy + d;
      break;
    case 'u':
      p[0] = cx;
      p[1] = cy - n;
      p[2] = cx - d;
      p[3] = cy + n;
      p[4] = cx + d;
      p[5] = cy + n;
      break;
    default:
      p[0] = cx;
      p[1] = cy + n;
      p[2] = cx - d;
      p[3] = cy - n;
      p[4] = cx + d;
      p[5] = cy - n;
      break;
  }
  fillPolygon(c, p, 3, colour);
}

// "leftPressed" -> ("left", "pressed"); "left.focused" -> ("left", "focused");
// "up" -> ("up", "normal").
void splitState(const std::string& part, std::string& which, std::string& look) {
  const size_t dot = part.find('.');
  if (dot != std::string::npos) {
    which = part.substr(0, dot);
    look = part.substr(dot + 1);
    return;
  }
  const size_t pressed = part.find("Pressed");
  which = part.substr(0, pressed);
  look = pressed == std::string::npos ? "normal" : "pressed";
}

bool drawSelector(const PieceJob& job, Canvas& c, std::string& error) {
  std::string which, look;
  splitState(job.part(), which, look);
  if ((which != "left" && which != "right") || (look != "normal" && look != "pressed" && look != "focused")) {
    return unknownPart(job, error);
  }
  drawButtonLook(c, job.palette, "button", look);
  Box face = whole(c);
  if (look == "pressed") face.y += 1;
  triangle(c, face, which[0], 9, job.palette["button.ink"]);
  return true;
}

bool drawScroll(const PieceJob& job, Canvas& c, std::string& error) {
  std::string which, look;
  splitState(job.part(), which, look);
  if (which != "up" && which != "down") return unknownPart(job, error);
  const Box all = whole(c);
  const bool pressed = look == "pressed";
  fillRounded(c, all, 2, job.palette["menu.outline"]);
  shadeRounded(c, all.inset(1), 1, job.palette[pressed ? "menu.shade" : "menu.light"],
               job.palette[pressed ? "menu.light" : "menu.face"]);
  Box arrow = all;
  if (pressed) arrow.y += 1;
  triangle(c, arrow, which[0], all.w * 0.58, job.palette["menu.ink"]);
  return true;
}

// A small box, ticked when on (the menu's mark for an item that is set).
void drawMark(Canvas& c, Palette& palette, bool on) {
  const Box all = whole(c).inset(1);
  fillRounded(c, all, 1.5, palette["menu.ink"]);
  fillRounded(c, all.inset(1), 0.5, palette["menu.paper"]);
  if (!on) return;
  cairo_t* cr = c.cr();
  cairo_set_line_width(cr, 1.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, all.x + all.w * 0.22, all.y + all.h * 0.5);
  cairo_line_to(cr, all.x + all.w * 0.44, all.y + all.h * 0.74);
  cairo_line_to(cr, all.x + all.w * 0.82, all.y + all.h * 0.22);
  c.setColour(palette["menu.ink"]);
  cairo_stroke(cr);
}

// A soft key: a tab at a bottom corner of the screen, rounded on its inner
// top corner only.
void drawSoftKey(Canvas& c, Palette& palette, bool left, bool pressed) {
  const Box all = whole(c);
  const Box tab{left ? -8.0 : 0.0, 0, all.w + 8, all.h + 8};
  fillRounded(c, tab, 7, palette["soft.outline"]);
  const Box inner{left ? -8.0 : 1.0, 1, all.w + 7, all.h + 8};
  fillRounded(c, inner, 6, palette["soft.gleam"]);
  shadeRounded(c, Box{inner.x, inner.y + 1, inner.w, inner.h - 1}, 6, palette[pressed ? "soft.pressedTop" : "soft.top"],
               palette[pressed ? "soft.pressedBottom" : "soft.bottom"]);
}

void drawMinimise(Canvas& c, Palette& palette, bool pressed) {
  const Box all = whole(c);
  cairo_t* cr = c.cr();
  cairo_arc(cr, all.w / 2, all.h / 2, all.w / 2, 0, 2 * M_PI);
  c.setColour(palette["minimise.outline"]);
  cairo_fill(cr);
  cairo_arc(cr, all.w / 2, all.h / 2, all.w / 2 - 1.2, 0, 2 * M_PI);
  setShade(c, 1, all.h - 1, palette[pressed ? "minimise.bottom" : "minimise.top"],
           palette[pressed ? "minimise.top" : "minimise.bottom"]);
  cairo_fill(cr);
  const double y = std::round(all.h * 0.62) + (pressed ? 1 : 0);
  fillRounded(c, Box{std::round(all.w * 0.28), y, std::round(all.w * 0.44), 3}, 1, palette["minimise.ink"]);
}

}  // namespace

bool drawArrowPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string group = job.group(), part = job.part();
  if (group == "selector") return drawSelector(job, canvas, error);
  if (group == "scroll") return drawScroll(job, canvas, error);
  if (group == "submenu") {
    if (part != "left" && part != "right") return unknownPart(job, error);
    triangle(canvas, whole(canvas), part[0], canvas.height() * 0.95, job.palette["menu.ink"]);
    return true;
  }
  if (group == "mark") {
    if (part != "on" && part != "off") return unknownPart(job, error);
    drawMark(canvas, job.palette, part == "on");
    return true;
  }
  std::string which, look;
  splitState(part, which, look);
  if (group == "softKey" && (which == "left" || which == "right")) {
    drawSoftKey(canvas, job.palette, which == "left", look == "pressed");
    return true;
  }
  if (group == "minimise" && (part == "normal" || part == "pressed")) {
    drawMinimise(canvas, job.palette, part == "pressed");
    return true;
  }
  return unknownPart(job, error);
}
