// The play screen's pictures: the strip behind the toolbar, the corner
// ornament, the toolbar buttons with their icons and the whole toolbar, the
// tutorial arrow and the hint marker's three frames.
#include <cmath>

#include "chrome_groups.h"

namespace {

Box whole(const Canvas& c) { return {0, 0, static_cast<double>(c.width()), static_cast<double>(c.height())}; }

void strokeInk(Canvas& c, Rgb ink, double width) {
  cairo_set_line_width(c.cr(), width);
  cairo_set_line_cap(c.cr(), CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
  c.setColour(ink);
  cairo_stroke(c.cr());
}

// A curved arrow over the top, its head at the left (mirrored: at the right).
void curvedArrow(Canvas& c, Rgb ink, bool mirrored) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  if (mirrored) {
    cairo_translate(cr, 14, 0);
    cairo_scale(cr, -1, 1);
  }
  cairo_arc(cr, 7.5, 7.5, 4.5, M_PI * 1.1, M_PI * 2.25);
  cairo_restore(cr);
  strokeInk(c, ink, 1.8);
  const double head[6] = {mirrored ? 13.2 : 0.8, 6.2, mirrored ? 8.6 : 5.4, 6.2, mirrored ? 10.9 : 3.1, 10.2};
  fillPolygon(c, head, 3, ink);
}

// The icon of a command in a 14 x 13 box, drawn in ink; hollow fills the
// inside of its shapes.
void drawIcon(Canvas& c, Palette& palette, const std::string& command, Rgb ink, Rgb hollow) {
  cairo_t* cr = c.cr();
  const Rgb accent = palette["tool.accent"];
  if (command == "undo" || command == "redo") {
    curvedArrow(c, ink, command == "redo");
  } else if (command == "restart") {
    cairo_arc(cr, 7, 6.5, 4.6, M_PI * 0.35, M_PI * 1.85);
    strokeInk(c, ink, 1.8);
    const double head[6] = {12.9, 1.6, 12.9, 6.6, 8.4, 3.4};
    fillPolygon(c, head, 3, ink);
  } else if (command == "instructions") {
    const double left[8] = {0.5, 2, 6.6, 3, 6.6, 12, 0.5, 11};
    const double right[8] = {13.5, 2, 7.4, 3, 7.4, 12, 13.5, 11};
    fillPolygon(c, left, 4, ink);
    fillPolygon(c, right, 4, ink);
    const double pageL[8] = {1.6, 3.3, 6, 4.1, 6, 10.6, 1.6, 9.9};
    const double pageR[8] = {12.4, 3.3, 8, 4.1, 8, 10.6, 12.4, 9.9};
    fillPolygon(c, pageL, 4, hollow);
    fillPolygon(c, pageR, 4, hollow);
  } else if (command == "hint") {
    cairo_arc(cr, 7, 5, 4.3, 0, 2 * M_PI);
    c.setColour(ink);
    cairo_fill(cr);
    cairo_arc(cr, 7, 5, 3.1, 0, 2 * M_PI);
    c.setColour(accent);
    cairo_fill(cr);
    fillRounded(c, Box{5, 9, 4, 3}, 0.8, ink);
  } else if (command == "deal") {
    for (int k = 0; k < 2; ++k) {
      cairo_save(cr);
      cairo_translate(cr, 5.5 + k * 3.5, 6.5);
      cairo_rotate(cr, (k == 0 ? -0.3 : 0.25));
      roundedPath(cr, Box{-3.2, -5, 6.4, 9.6}, 1.2);
      c.setColour(ink);
      cairo_fill(cr);
      roundedPath(cr, Box{-2.2, -4, 4.4, 7.6}, 0.6);
      c.setColour(k == 0 ? palette["tool.paper"] : accent);
      cairo_fill(cr);
      if (k == 1) {
        const double pip[8] = {0, -2.2, 1.5, 0, 0, 2.2, -1.5, 0};
        fillPolygon(c, pip, 4, palette["tool.ink"]);
      }
      cairo_restore(cr);
    }
  }
}

// A toolbar button: a light plate with the command's icon; selected, the
// plate turns dark and the icon light; pressed, the plate is sunken and the
// icon a pixel lower.
void drawToolButton(Canvas& c, Palette& palette, const std::string& command, const std::string& look) {
  const Box all = whole(c);
  const bool pressed = look == "pressed", selected = look == "selected";
  fillRounded(c, all, 4, palette["tool.outline"]);
  const Box face = all.inset(1);
  const std::string top = pressed ? "tool.pressedTop" : selected ? "tool.selectedTop" : "tool.top";
  const std::string bottom = pressed ? "tool.pressedBottom" : selected ? "tool.selectedBottom" : "tool.bottom";
  fillRounded(c, face, 3, palette[pressed ? top : selected ? "tool.selectedGleam" : "tool.gleam"]);
  shadeRounded(c, Box{face.x, face.y + 1, face.w, face.h - 1}, 3, palette[top], palette[bottom]);
  cairo_save(c.cr());
  cairo_translate(c.cr(), std::floor((all.w - 14) / 2), std::floor((all.h - 13) / 2) + (pressed ? 1 : 0));
  drawIcon(c, palette, command, palette[selected ? "tool.paper" : "tool.ink"],
           palette[selected ? "tool.selectedTop" : "tool.paper"]);
  cairo_restore(c.cr());
}

// The commands of the toolbar picture, left to right, in the toolbar's
// first order.
const char* const kToolbarOrder[] = {"instructions", "hint", "deal", "restart", "redo", "undo"};

bool drawToolbar(const PieceJob& job, Canvas& c, std::string& error) {
  const ChromePiece* button = job.recipe.find("toolbarButton.undo.normal");
  if (!button) {
    error = "the toolbar needs toolbarButton.undo.normal for the size of its buttons";
    return false;
  }
  // A tray under the buttons hides what lies behind the toolbar between them.
  const Box all = whole(c);
  fillRounded(c, all, 4, job.palette["tray.edge"]);
  shadeRounded(c, all.inset(1), 3, job.palette["tray.top"], job.palette["tray.bottom"]);
  const int gap = 2;
  int x = 1;
  for (const char* command : kToolbarOrder) {
    Canvas b(button->width, button->height);
    drawToolButton(b, job.palette, command, "normal");
    paste(b, c, x, (c.height() - b.height()) / 2);
    x += button->width + gap;
  }
  // The battery gauge: a case with a nub; the level bar is drawn over its
  // dark inside.
  const double bx = x + 3, by = std::round((c.height() - 12) / 2.0);
  fillRounded(c, Box{bx, by, 24, 12}, 2, job.palette["battery.case"]);
  fillRounded(c, Box{bx + 24, by + 3, 2, 6}, 0, job.palette["battery.case"]);
  fillRounded(c, Box{bx + 2, by + 2, 20, 8}, 0, job.palette["battery.empty"]);
  if (bx + 26 > c.width()) {
    error = "the toolbar picture is too narrow for six buttons and the gauge";
    return false;
  }
  return true;
}

void drawStrip(Canvas& c, Palette& palette) {
  const Box all = whole(c);
  fillRounded(c, all, 0, palette["strip.edge"]);
  shadeRounded(c, Box{0, 0, all.w, all.h - 1}, 0, palette["strip.top"], palette["strip.bottom"]);
  fillRounded(c, Box{0, 0, all.w, 1}, 0, palette["strip.gleam"]);
  fillRounded(c, Box{0, all.h - 3, all.w, 1}, 0, palette["strip.line"]);
}

// A cartouche: a rounded plate with an inner line and a diamond at each end.
void drawOrnament(Canvas& c, Palette& palette) {
  const Box all = whole(c);
  const double r = all.h / 2;
  fillRounded(c, all, r, palette["ornament.edge"]);
  shadeRounded(c, all.inset(1), r - 1, palette["ornament.top"], palette["ornament.bottom"]);
  roundedPath(c.cr(), all.inset(2.5), r - 2.5);
  c.setColour(palette["ornament.line"]);
  cairo_set_line_width(c.cr(), 1);
  cairo_stroke(c.cr());
  for (int side = 0; side < 2; ++side) {
    const double cx = side == 0 ? 6.5 : all.w - 6.5, cy = all.h / 2;
    const double diamond[8] = {cx, cy - 3, cx + 2.2, cy, cx, cy + 3, cx - 2.2, cy};
    fillPolygon(c, diamond, 4, palette["ornament.line"]);
  }
}

// An arrow pointing down with a dark rim.
void drawTutorialArrow(Canvas& c, Palette& palette) {
  const double w = c.width(), h = c.height(), m = w / 2;
  const double shape[14] = {m - w * 0.2, 1.5, m + w * 0.2, 1.5, m + w * 0.2, h * 0.5,     w - 1.2,
                            h * 0.5,     m,   h - 1.5,     1.2, h * 0.5,     m - w * 0.2, h * 0.5};
  cairo_t* cr = c.cr();
  cairo_move_to(cr, shape[0], shape[1]);
  for (int i = 1; i < 7; ++i) cairo_line_to(cr, shape[2 * i], shape[2 * i + 1]);
  cairo_close_path(cr);
  setShade(c, 0, h, palette["arrow.top"], palette["arrow.bottom"]);
  cairo_fill_preserve(cr);
  c.setColour(palette["arrow.edge"]);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

// A four-pointed sparkle, larger and turned a little further in each frame.
void drawHintFrame(Canvas& c, Palette& palette, int frame) {
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  const double outer = c.width() / 2.0 * (0.72 + 0.14 * frame), inner = outer * 0.34, turn = frame * M_PI / 12;
  cairo_t* cr = c.cr();
  for (int i = 0; i < 8; ++i) {
    const double a = turn + i * M_PI / 4 - M_PI / 2, r = i % 2 == 0 ? outer : inner;
    cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
  c.setColour(palette["hint.glow"]);
  cairo_fill_preserve(cr);
  c.setColour(palette["hint.edge"]);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, outer * 0.22, 0, 2 * M_PI);
  c.setColour(palette["hint.core"]);
  cairo_fill(cr);
}

bool knownCommand(const std::string& command) {
  return command == "undo" || command == "redo" || command == "restart" || command == "instructions" ||
         command == "hint" || command == "blank" || command == "deal";
}

}  // namespace

bool drawPlayPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string group = job.group(), part = job.part();
  if (group == "toolbarButton") {
    const size_t dot = part.find('.');
    const std::string command = part.substr(0, dot), look = dot == std::string::npos ? "" : part.substr(dot + 1);
    if (!knownCommand(command) || (look != "normal" && look != "selected" && look != "pressed")) {
      return unknownPart(job, error);
    }
    drawToolButton(canvas, job.palette, command, look);
    return true;
  }
  if (group == "toolbar" && part == "whole") return drawToolbar(job, canvas, error);
  if (group == "strip" && part == "toolbar") drawStrip(canvas, job.palette);
  else if (group == "ornament" && part == "corner") drawOrnament(canvas, job.palette);
  else if (group == "tutorialArrow" && part == "down") drawTutorialArrow(canvas, job.palette);
  else if (group == "hintMarker" && (part == "0" || part == "1" || part == "2")) {
    drawHintFrame(canvas, job.palette, part[0] - '0');
  } else {
    return unknownPart(job, error);
  }
  return true;
}
