#include "dial_pictures.h"

#include <cmath>
#include <functional>

namespace {

constexpr double kBox = 66;  // layouts are drawn in a 66-unit box
constexpr int kGridPanel = 761;
constexpr int kGridPanelWidth = 208, kGridPanelHeight = 136;
constexpr double kW = 6, kH = 8;

struct Mini {
  cairo_t* cr;
  Canvas& canvas;
  void card(double x, double y, bool up, double w = kW) {
    cairo_rectangle(cr, x, y, w, kH);
    canvas.setColour(up ? Rgb{246, 244, 236} : Rgb{40, 70, 150});
    cairo_fill_preserve(cr);
    canvas.setColour({20, 30, 20});
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
  }
  void place(double x, double y, double w = kW) {
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, kH - 1);
    canvas.setColour({170, 210, 170});
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
  // A column of n cards stepped down, the first `down` of them face down.
  void column(double x, double y, int n, int down, double step = 3, double w = kW) {
    for (int i = 0; i < n; ++i) card(x, y + i * step, i >= down, w);
  }
};

using Layout = std::function<void(Mini&)>;

void klondike(Mini& m) {
  m.card(3, 4, false);
  m.place(12, 4);
  for (int i = 0; i < 4; ++i) m.place(30 + i * 9, 4);
  for (int i = 0; i < 7; ++i) m.column(3 + i * 9, 16, i + 1, i);
}
void freecell(Mini& m) {
  for (int i = 0; i < 8; ++i) m.place(2 + i * 8, 4);
  for (int i = 0; i < 8; ++i) m.column(2 + i * 8, 16, i < 4 ? 7 : 6, 0);
}
void spider(Mini& m) {
  for (int i = 0; i < 10; ++i) m.column(3 + i * 6, 4, i < 4 ? 6 : 5, i < 4 ? 5 : 4, 3, 5);
  for (int i = 0; i < 5; ++i) m.card(50 + i * 1.5, 52, false);
}
void calculation(Mini& m) {
  for (int i = 0; i < 4; ++i) m.card(14 + i * 11, 6, true);
  for (int i = 0; i < 4; ++i) m.place(14 + i * 11, 24);
  m.card(3, 50, false);
  m.place(12, 50);
}
void golf(Mini& m) {
  for (int i = 0; i < 7; ++i) m.column(3 + i * 9, 4, 5, 0);
  m.card(20, 48, false);
  m.card(32, 48, true);
}
void idiot(Mini& m) {
  m.card(4, 4, false);
  for (int i = 0; i < 4; ++i) m.column(20 + i * 11, 4, i + 1, 0, 4);
}
void canfield(Mini& m) {
  m.column(4, 16, 6, 5, 3);
  m.card(18, 4, true);
  for (int i = 0; i < 3; ++i) m.place(28 + i * 10, 4);
  for (int i = 0; i < 4; ++i) m.card(18 + i * 10, 18, true);
  m.card(4, 52, false);
  m.card(14, 52, true);
}
void clockGame(Mini& m) {
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    m.card(30 + std::sin(a) * 24, 29 - std::cos(a) * 24, i % 3 == 0);
  }
  m.card(30, 29, false);
}
void fourCorners(Mini& m) {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) m.card(6 + c * 14, 8 + r * 18, true);
  }
  m.card(52, 56, false);
}
void yukon(Mini& m) {
  for (int i = 0; i < 7; ++i) m.column(3 + i * 9, 6, i == 0 ? 1 : i + 5, i, 2.6);
}
void sultan(Mini& m) {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) m.card(20 + c * 9, 10 + r * 14, true);
  }
  for (int r = 0; r < 4; ++r) {
    m.card(4, 6 + r * 11, true);
    m.card(56, 6 + r * 11, true);
  }
  m.card(26, 54, false);
}
void pyramid(Mini& m) {
  for (int row = 0; row < 7; ++row) {
    for (int i = 0; i <= row; ++i) m.card(30 - row * 3.5 + i * 7, 4 + row * 5, true);
  }
  m.card(4, 52, false);
  m.card(14, 52, true);
}

// Front image id of each game type 1-12; the side image follows two later.
const struct {
  int front;
  void (*layout)(Mini&);
} kGames[] = {{716, klondike}, {712, freecell}, {744, spider}, {748, calculation}, {732, golf}, {728, idiot},
              {740, canfield}, {752, clockGame}, {736, fourCorners}, {756, yukon}, {720, sultan}, {724, pyramid}};

void tile(Canvas& c, void (*layout)(Mini&), bool pressed) {
  cairo_t* cr = c.cr();
  const double s = c.width() / kBox;
  const double r = c.width() * 0.14;
  cairo_new_sub_path(cr);
  cairo_arc(cr, c.width() - r, r, r, -M_PI / 2, 0);
  cairo_arc(cr, c.width() - r, c.height() - r, r, 0, M_PI / 2);
  cairo_arc(cr, r, c.height() - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, r, r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
  c.setColour(pressed ? Rgb{26, 80, 44} : Rgb{44, 118, 66});
  cairo_fill_preserve(cr);
  c.setColour(pressed ? Rgb{240, 200, 80} : Rgb{250, 244, 220});
  cairo_set_line_width(cr, std::max(1.0, c.width() / 33.0));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_scale(cr, s, s);
  Mini mini{cr, c};
  layout(mini);
  cairo_restore(cr);
}

void arrow(Canvas& c, bool forward, bool pressed) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  cairo_arc(cr, w / 2, h / 2, w / 2 - 1, 0, 2 * M_PI);
  c.setColour(pressed ? Rgb{240, 200, 80} : Rgb{250, 244, 220});
  cairo_fill_preserve(cr);
  c.setColour({40, 60, 40});
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  const double d = forward ? 1 : -1;
  cairo_move_to(cr, w / 2 + d * w * 0.22, h / 2);
  cairo_line_to(cr, w / 2 - d * w * 0.14, h * 0.26);
  cairo_line_to(cr, w / 2 - d * w * 0.14, h * 0.74);
  cairo_close_path(cr);
  c.setColour({40, 90, 50});
  cairo_fill(cr);
}

template <typename Draw>
bool add(ArtPlan& plan, int blobId, int size, Draw draw) {
  Canvas canvas(size, size);
  draw(canvas);
  return plan.add(13, blobId, canvas);
}

// The new-game grid's panel: a light card table with rounded corners, so the
// green tiles, the blue frame of the chosen game and the black cursor all
// stand out on it.
bool addGridPanel(ArtPlan& plan) {
  Canvas c(kGridPanelWidth, kGridPanelHeight);
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height(), r = 9;
  const auto outline = [&](double inset) {
    const double x0 = inset, y0 = inset, x1 = w - inset, y1 = h - inset, q = r - inset;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - q, y0 + q, q, -M_PI / 2, 0);
    cairo_arc(cr, x1 - q, y1 - q, q, 0, M_PI / 2);
    cairo_arc(cr, x0 + q, y1 - q, q, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + q, y0 + q, q, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
  };
  outline(0);
  c.setColour({96, 78, 52});
  cairo_fill(cr);
  outline(1.5);
  cairo_pattern_t* wash = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(wash, 0, 250 / 255.0, 246 / 255.0, 232 / 255.0);
  cairo_pattern_add_color_stop_rgb(wash, 1, 226 / 255.0, 214 / 255.0, 186 / 255.0);
  cairo_set_source(cr, wash);
  cairo_fill(cr);
  cairo_pattern_destroy(wash);
  // A thin gilt line inside the edge.
  outline(4.5);
  c.setColour({200, 170, 96});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  return plan.add(13, kGridPanel, c);
}

}  // namespace

bool drawDialPictures(ArtPlan& plan) {
  for (const auto& game : kGames) {
    for (int pressed = 0; pressed < 2; ++pressed) {
      if (!add(plan, game.front + pressed, 66, [&](Canvas& c) { tile(c, game.layout, pressed); }) ||
          !add(plan, game.front + 2 + pressed, 34, [&](Canvas& c) { tile(c, game.layout, pressed); })) {
        return false;
      }
    }
  }
  const bool arrows = add(plan, 708, 24, [](Canvas& c) { arrow(c, false, false); }) &&
                      add(plan, 709, 24, [](Canvas& c) { arrow(c, false, true); }) &&
                      add(plan, 710, 24, [](Canvas& c) { arrow(c, true, false); }) &&
                      add(plan, 711, 24, [](Canvas& c) { arrow(c, true, true); });
  return arrows && addGridPanel(plan) && add(plan, 1230, 34, [](Canvas& c) {
           cairo_rectangle(c.cr(), 2, 2, 30, 30);
           c.setColour({0, 0, 0});
           cairo_fill(c.cr());
         });
}
