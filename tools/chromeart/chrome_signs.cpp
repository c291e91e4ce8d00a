// The alert signs (information, warning, question, error) and the rule.
#include <cmath>

#include "chrome_groups.h"

namespace {

void disc(Canvas& c, Palette& palette, const std::string& colour) {
  const double r = c.width() / 2.0;
  cairo_t* cr = c.cr();
  cairo_arc(cr, r, r, r, 0, 2 * M_PI);
  c.setColour(palette["sign.edge"]);
  cairo_fill(cr);
  cairo_arc(cr, r, r, r - 1.2, 0, 2 * M_PI);
  setShade(c, 0, 2 * r, mixRgb(palette[colour], {255, 255, 255}, 0.35), palette[colour]);
  cairo_fill(cr);
}

void dot(Canvas& c, double x, double y, double r, Rgb colour) {
  cairo_arc(c.cr(), x, y, r, 0, 2 * M_PI);
  c.setColour(colour);
  cairo_fill(c.cr());
}

void stroke(Canvas& c, double width, Rgb colour) {
  cairo_set_line_width(c.cr(), width);
  cairo_set_line_cap(c.cr(), CAIRO_LINE_CAP_ROUND);
  c.setColour(colour);
  cairo_stroke(c.cr());
}

// Each sign is designed on a 24-unit square and scaled to the canvas.
void drawSign(Canvas& c, Palette& palette, const std::string& kind) {
  cairo_t* cr = c.cr();
  const double s = c.width() / 24.0;
  const Rgb mark = palette["sign.mark"];
  if (kind == "warning") {
    const double outer[6] = {12 * s, 0.5 * s, 23.5 * s, 22.5 * s, 0.5 * s, 22.5 * s};
    fillPolygon(c, outer, 3, palette["sign.edge"]);
    const double inner[6] = {12 * s, 3 * s, 21.3 * s, 21.2 * s, 2.7 * s, 21.2 * s};
    cairo_move_to(cr, inner[0], inner[1]);
    cairo_line_to(cr, inner[2], inner[3]);
    cairo_line_to(cr, inner[4], inner[5]);
    cairo_close_path(cr);
    setShade(c, 3 * s, 21 * s, mixRgb(palette["sign.warn"], {255, 255, 255}, 0.35), palette["sign.warn"]);
    cairo_fill(cr);
    fillRounded(c, Box{10.7 * s, 8 * s, 2.6 * s, 7.6 * s}, 1.2 * s, palette["sign.edge"]);
    dot(c, 12 * s, 18.4 * s, 1.5 * s, palette["sign.edge"]);
    return;
  }
  disc(c, palette, kind == "information" ? "sign.info" : kind == "question" ? "sign.ask" : "sign.error");
  if (kind == "information") {
    dot(c, 12 * s, 6.6 * s, 1.9 * s, mark);
    fillRounded(c, Box{10.4 * s, 10 * s, 3.2 * s, 9 * s}, 1 * s, mark);
  } else if (kind == "question") {
    cairo_arc(cr, 12 * s, 9.2 * s, 3.8 * s, M_PI * 1.05, M_PI * 2.3);
    cairo_line_to(cr, 12 * s, 14.6 * s);
    stroke(c, 2.6 * s, mark);
    dot(c, 12 * s, 18.6 * s, 1.6 * s, mark);
  } else {
    cairo_move_to(cr, 7.8 * s, 7.8 * s);
    cairo_line_to(cr, 16.2 * s, 16.2 * s);
    cairo_move_to(cr, 16.2 * s, 7.8 * s);
    cairo_line_to(cr, 7.8 * s, 16.2 * s);
    stroke(c, 3 * s, mark);
  }
}

// A divider line: a dark lens over a short light line.
void drawRule(Canvas& c, Palette& palette) {
  const double w = c.width(), h = c.height();
  const double lens[8] = {0, h / 2 - 0.5, w / 2, h / 2 - 1.5, w, h / 2 - 0.5, w / 2, h / 2 + 0.5};
  fillPolygon(c, lens, 4, palette["rule.dark"]);
  fillRounded(c, Box{std::round(w * 0.12), std::floor(h / 2) + 1, std::round(w * 0.76), 1}, 0, palette["rule.light"]);
}

}  // namespace

bool drawSignPiece(const PieceJob& job, Canvas& canvas, std::string& error) {
  const std::string part = job.part();
  if (job.group() == "rule" && part == "line") {
    drawRule(canvas, job.palette);
    return true;
  }
  if (job.group() != "sign" || (part != "information" && part != "warning" && part != "question" && part != "error")) {
    return unknownPart(job, error);
  }
  drawSign(canvas, job.palette, part);
  return true;
}
