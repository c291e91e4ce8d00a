#include "app_game_toolbar.h"

#include <string>

#include "app_game.h"
#include "app_game_state.h"
#include "app_hints.h"
#include "app_play_services.h"
#include "qz_datetime.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_helpers.h"

namespace {

// Layout values of the toolbar.
enum : int {
  kTimeWidth = 47,
  kTimeY = 52,
  kTimeX = 53,
  kFirstButtonX = 60,
  kBatteryWidth = 61,
  kBatteryHeight = 62,
  kBatteryY = 63,
  kBatteryX = 64,
  kToolbarY = 65,
  kToolbarX = 66,
  kToolbarHeight = 67,
  kToolbarWidth = 68,
  kButtonHeight = 69,
  kButtonWidth = 70,
  kButtonGap = 58,
  kStripX = 71,
  kStripHeight = 72,
  kStripWidth = 73,
  kTimeHeight = 209,
};
constexpr int kToolbarImage = 704;
constexpr int kClockFont = 535;
constexpr int kOpaque = 255;
constexpr uint16_t kBatteryGreen = 0x07E0;
// The buttons' looks follow their normal picture.
constexpr int kSelectedLook = 1, kPressedLook = 2;

// A time too wide for the plaque loses its day-half marker ("9:00 AM" reads
// "9:00"), then characters from its end.
void fitTime(CQZFFontManager& fonts, char16_t* text, int width) {
  size_t length = std::char_traits<char16_t>::length(text);
  while (length > 0 && fonts.textWidth(text, kClockFont) > width) {
    const char16_t* space = nullptr;
    for (const char16_t* p = text; *p; ++p) {
      if (*p == u' ') space = p;
    }
    length = space ? static_cast<size_t>(space - text) : length - 1;
    text[length] = 0;
  }
}

}  // namespace

CAppGameToolbar::CAppGameToolbar(CAppGame& game, CAppPlayServices& services, CQZFGraphics& graphics)
    : game_(game), services_(services), graphics_(graphics) {
  undoAvailable_ = game_.state().undoSize() > 0;
  redoAvailable_ = game_.state().redoSize() > 0;
  arrangeButtons();
}

int CAppGameToolbar::value(int entry) const { return services_.value(entry); }

void CAppGameToolbar::arrangeButtons() {
  if (game_.option(kOptionToolbarOrder)) buttons_ = {kUndo, kRedo, kRestart, kNewDeal, kHint, kInstructions};
  else buttons_ = {kInstructions, kHint, kNewDeal, kRestart, kRedo, kUndo};
  invalidateAll();
}

void CAppGameToolbar::invalidateButton(int index) {
  graphics_.grid().invalidateRect(value(kFirstButtonX) + index * (value(kButtonWidth) + value(kButtonGap)), 0,
                                  value(kButtonWidth), value(kButtonHeight));
}

void CAppGameToolbar::invalidateAll() {
  graphics_.grid().invalidateRect(value(kStripX), 0, value(kStripWidth), value(kStripHeight));
}

void CAppGameToolbar::setFocused(bool focused) {
  focused_ = focused;
  invalidateButton(selected_);
}

void CAppGameToolbar::moveSelection(bool forward) {
  invalidateButton(selected_);
  selected_ = forward ? (selected_ + 1) % kButtons : (selected_ + kButtons - 1) % kButtons;
  invalidateButton(selected_);
}

void CAppGameToolbar::pressButton(int n) {
  if (n < 1 || n > kButtons) return;
  invalidateButton(selected_);
  pressed_ = true;
  selected_ = n - 1;
  invalidateButton(selected_);
  runCommand(selected_);
}

void CAppGameToolbar::setPressed(bool pressed) {
  pressed_ = pressed;
  invalidateButton(selected_);
}

void CAppGameToolbar::activateSelected() {
  invalidateButton(selected_);
  runCommand(selected_);
}

// Undo, redo and the hint do nothing on a finished game (unless the player
// keeps playing); the others open their forms.
void CAppGameToolbar::runCommand(int index) {
  const uint16_t image = buttons_[static_cast<size_t>(index)];
  const bool over = game_.isFinished() && !game_.keepsPlaying();
  switch (image) {
    case kUndo:
    case kRedo:
      if (over) return;
      game_.finishDealAnimation();
      game_.markDropTargets(false);
      game_.clearPlayableMarks();
      if (image == kUndo) game_.state().undo();
      else game_.state().redo();
      game_.requestSettle();
      game_.settle();
      return;
    case kHint:
      if (!over) game_.hints().showNext();
      return;
    case kRestart: services_.openForm(kRestartAlert, 0); return;
    case kNewDeal: services_.openForm(kNewDealAlert, 0); return;
    case kInstructions: services_.openForm(kFormInstructions, game_.type()); return;
    default: return;
  }
}

void CAppGameToolbar::update(uint32_t secondsInterval) {
  const bool undo = game_.state().undoSize() > 0, redo = game_.state().redoSize() > 0;
  if (undo != undoAvailable_ || redo != redoAvailable_) {
    undoAvailable_ = undo;
    redoAvailable_ = redo;
    invalidateAll();
  }
  if (secondsInterval != 0) {
    graphics_.grid().invalidateRect(value(kTimeX), value(kTimeY), value(kTimeWidth), value(kTimeHeight));
  }
}

void CAppGameToolbar::draw(CQZFFontManager* fonts) {
  const int x = value(kToolbarX), y = value(kToolbarY);
  if (graphics_.isRectDirty(x, y, value(kToolbarWidth), value(kToolbarHeight))) {
    graphics_.drawBlob(kToolbarImage, x, y, 0, kOpaque);
    const int step = value(kButtonWidth) + value(kButtonGap);
    for (int i = 0; i < kButtons; ++i) {
      const int look = i == selected_ && pressed_ ? kPressedLook : i == selected_ && focused_ ? kSelectedLook : 0;
      graphics_.drawBlob(buttons_[static_cast<size_t>(i)] + look, value(kFirstButtonX) + i * step, y + 1, 0, kOpaque);
    }
    uint16_t level = 0, percent = 0;
    QZFGetBatteryStatus(&level, &percent);
    const auto width = static_cast<uint8_t>(percent * value(kBatteryWidth) / 100);
    graphics_.fillRect(x + value(kBatteryX), y + value(kBatteryY), width, value(kBatteryHeight), 0, kOpaque,
                       kBatteryGreen);
  }
  if (fonts && graphics_.isRectDirty(value(kTimeX), value(kTimeY), value(kTimeWidth), value(kTimeHeight))) {
    QZDateTime now{};
    QZGetDateTime(&now);
    char16_t text[10] = {};
    if (QZFormatTime(&now, text, 10, false) >= 0) {
      fitTime(*fonts, text, value(kTimeWidth));
      fonts->drawText(text, value(kTimeX), value(kTimeY), value(kTimeWidth), 1, kClockFont, kOpaque);
    }
  }
}
