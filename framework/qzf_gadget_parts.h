// Pieces several gadget kinds share: a saved text, a box of tiled caps, a
// framed background, a scroll bar (arrows, track and thumb) and the row
// cursor of the list and the table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "qz_rect.h"
#include "qzf_events.h"
#include "qzf_form_description.h"

class CQZFGraphics;
struct SerialiseStream;

using QZFOptionalText = std::optional<std::u16string>;

// The stream reads (else it counts or writes).
bool QZFIsReading(const SerialiseStream& stream);

// Counts or writes the text (u16 length with the terminator, 0 for none,
// then the units), or reads one into `text`. A read text is taken whole into
// a fresh string, so every later field is read where it lies; a text whose
// last unit is no terminator is cut there. 0 or a negative status.
[[nodiscard]] int16_t QZFSerialiseText(SerialiseStream& stream, QZFOptionalText& text);

// The text of a gadget as a value for QZFSerialiseText.
QZFOptionalText QZFTextOf(const char16_t* text);

// Draws a box of caps: the left cap at x, middle tiles while their left edge
// lies left of `limit`, then the right cap where they end. A middle tile
// without width (not loaded) is not repeated. Answers where the right cap went.
int QZFDrawCaps(CQZFGraphics& graphics, const QZFBoxImages& caps, int x, int y, int limit, int level);

// A filled rectangle with a one-pixel frame.
void QZFDrawFramedBox(CQZFGraphics& graphics, const QZRect& rect, const QZFLevelColour& background,
                      const QZFLevelColour& frame);

// What a pen on a scroll bar asks of the gadget.
enum class QZFScrollRequest { kNone, kLineUp, kLineDown, kSetFirst };

// The scroll bar at the right edge of a gadget of w x h: two arrow images
// with a track between them and a thumb showing the page in the whole.
class QZFScrollBar {
 public:
  static constexpr int kPlainArrowSize = 8;

  void setLook(const QZFScrollBarLook& look) { look_ = look; }
  const QZFScrollBarLook& look() const { return look_; }
  // Geometry from the up arrow's width and the arrows' heights.
  void measure(CQZFGraphics& graphics, int w, int h);
  int16_t barX() const { return barX_; }
  int16_t barWidth() const { return barWidth_; }
  bool isHeld() const { return upPressed_ || downPressed_; }
  // Releases both arrows; true when one was held.
  bool release();

  // Track, thumb and arrows inside the gadget's screen rectangle.
  void draw(CQZFGraphics& graphics, const QZRect& rect, int first, int count, int perPage) const;
  // A pen at (x, y) relative to the gadget's corner, at or right of the bar
  // or with an arrow held. `first` receives the first unit for kSetFirst.
  QZFScrollRequest onPen(QZFPenType type, int x, int y, int count, int perPage, int* first);

 private:
  int thumbHeight(int count, int perPage) const;
  void drawArrow(CQZFGraphics& graphics, uint16_t id, int x, int y) const;

  QZFScrollBarLook look_;
  int16_t barX_ = 0, upHeight_ = 0, downTop_ = 0, barWidth_ = 0, trackHeight_ = 0;
  bool upPressed_ = false, downPressed_ = false;
};

// The first row shown, the keyboard's current row and the chosen row of a
// list or a table; -1 for none.
struct QZFRowCursor {
  int first = 0;
  int current = -1;
  int selected = -1;

  // Scrolls so that the current row is on the page of perPage rows.
  void keepCurrentVisible(int perPage);
  // Pulls the current row into the page that starts at first.
  void pullCurrentIntoPage(int perPage, int count);
  bool isVisible(int row, int perPage) const { return row >= first && row < first + perPage; }
  void clear() { *this = QZFRowCursor{}; }
};
