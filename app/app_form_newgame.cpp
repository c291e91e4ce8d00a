#include "app_form_newgame.h"

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_game.h"
#include "app_form_ids.h"
#include "app_form_user.h"
#include "app_game.h"
#include "app_settings.h"
#include "app_value_tables.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

namespace {

// The side picture and the name of game types 1-12.
struct GameEntry {
  uint16_t image, name;
};
constexpr GameEntry kGames[CAppNewGameGrid::kCells] = {
    {718, 1153}, {714, 1159}, {746, 1165}, {750, 1182}, {734, 1177}, {730, 1179},
    {742, 1180}, {754, 1181}, {738, 1183}, {758, 1184}, {722, 1178}, {726, 1171},
};
constexpr uint16_t kShadow = 1230;
constexpr int kShadowLevel = 70;
constexpr int kOpaque = 255;

int16_t reportFailure(CQZFObject* form, int line, int16_t code) {
  return CQZFApplication::report(form, "app_form_newgame", line, code);
}

}  // namespace

uint16_t AppGameNameString(int32_t type) {
  return type >= 1 && type <= CAppNewGameGrid::kCells ? kGames[type - 1].name : 0;
}

bool AppBindChoiceForm(CQZFObject& form, CAppApplication*& app, CAppSettings*& settings) {
  app = form.findOwner<CAppApplication>();
  CAppUserForm* profile = app && app->getFormHandler() ? app->getUserForm() : nullptr;
  settings = profile ? &profile->settings() : nullptr;
  return settings != nullptr;
}

// --- The grid ----------------------------------------------------------------------

void CAppNewGameGrid::layout(int iconWidth, int iconHeight, int width) {
  iconWidth_ = iconWidth;
  iconHeight_ = iconHeight;
  const int left = width / 2 - 2 * iconWidth - 15;
  const int rows[kRows] = {5, iconWidth + 15, 2 * iconWidth + 25};
  for (int i = 0; i < kCells; ++i) {
    x_[i] = static_cast<int16_t>(left + (i % kColumns) * (iconWidth + 10));
    y_[i] = static_cast<int16_t>(rows[i / kColumns]);
  }
}

QZRect CAppNewGameGrid::cellRect(int i, int gridY) const {
  return {x_[i], static_cast<int16_t>(gridY + y_[i]), static_cast<int16_t>(iconWidth_ + 4),
          static_cast<int16_t>(iconHeight_ + 4)};
}

int CAppNewGameGrid::hitTest(int x, int y, int gridY) const {
  for (int i = 0; i < kCells; ++i) {
    const QZRect r = cellRect(i, gridY);
    if (x > r.x && y > r.y && x < r.x + r.w && y < r.y + r.h) return i;
  }
  return -1;
}

// Left and right wrap within the row; up and down go a row, or leave the grid.
int CAppNewGameGrid::step(int cursor, int keyCode) {
  const int row = cursor / kColumns, column = cursor % kColumns;
  switch (keyCode) {
    case kQZFKeyLeft: return row * kColumns + (column + kColumns - 1) % kColumns;
    case kQZFKeyRight: return row * kColumns + (column + 1) % kColumns;
    case kQZFKeyUp: return row > 0 ? cursor - kColumns : kLeave;
    case kQZFKeyDown: return row < kRows - 1 ? cursor + kColumns : kLeave;
    default: return kIgnored;
  }
}

// --- The form ----------------------------------------------------------------------

CAppNewGameForm::CAppNewGameForm() { setName(kAppTagNewGame); }

CAppNewGameForm::~CAppNewGameForm() {
  if (picturesLoaded_ && getGraphics()) getGraphics()->releaseBlobSet(kPictureSet);
}

int16_t CAppNewGameForm::bindProfile() {
  return AppBindChoiceForm(*this, app_, settings_) ? 0 : reportFailure(this, __LINE__, QZ_ERR_BAD_STATE);
}

int16_t CAppNewGameForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = bindProfile(); r < 0) return r;
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return reportFailure(this, __LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

// The pictures are the dial's: the form keeps their set loaded while it is
// open, for the play screen has none of them.
Handled CAppNewGameForm::onEvent(const QZFFormEvent& event) {
  CQZFGraphics* graphics = getGraphics();
  if (event.type == kQZFFormOpened) {
    if (graphics && !picturesLoaded_) picturesLoaded_ = graphics->loadBlobSet(kPictureSet, 0) >= 0;
    fill();
    return Handled::kDone;
  }
  if (event.type == kQZFFormRemoved && picturesLoaded_ && graphics) {
    graphics->releaseBlobSet(kPictureSet);
    picturesLoaded_ = false;
  }
  return Handled::kPassOn;
}

void CAppNewGameForm::fill() {
  grid_.layout(AppCurrentValue(app_, kAppValueCurveWidthB), AppCurrentValue(app_, kAppValueCurveHeightB),
               AppCurrentValue(app_, kAppValueGridWidth));
  openingType_ = settings_ ? settings_->currentGameType : 1;
  chosen_ = openingType_ >= 1 && openingType_ <= CAppNewGameGrid::kCells ? static_cast<int>(openingType_ - 1) : 0;
  // The cursor starts on the current game, shown while the grid has the focus.
  cursor_ = chosen_;
  cursorShown_ = focusOnGrid();
  setGadgetValue(kName, kGames[chosen_].name);
  for (int i = 0; i < CAppNewGameGrid::kCells; ++i) invalidateCell(i);
}

int CAppNewGameForm::gridTop() const {
  const CQZFGadget* grid = getGadget(kGrid);
  return grid ? grid->getRect().y : 0;
}

int CAppNewGameForm::hitTest(int x, int y) const { return grid_.hitTest(x, y, gridTop()); }

void CAppNewGameForm::invalidateCell(int i) {
  QZRect r = grid_.cellRect(i, gridTop());
  // The shadow reaches past the frame.
  r.w = static_cast<int16_t>(r.w + 6);
  r.h = static_cast<int16_t>(r.h + 6);
  invalidateRect(r);
}

void CAppNewGameForm::showCursor(bool shown) {
  if (cursorShown_ == shown) return;
  cursorShown_ = shown;
  invalidateCell(cursor_);
}

void CAppNewGameForm::moveCursor(int i) {
  if (i < 0 || i >= CAppNewGameGrid::kCells) return;
  invalidateCell(cursor_);
  cursor_ = i;
  cursorShown_ = true;
  invalidateCell(cursor_);
}

void CAppNewGameForm::closeForm() {
  invalidate();
  close();
}

void CAppNewGameForm::choose(int i) {
  if (i < 0 || i >= CAppNewGameGrid::kCells) return;
  if (i == chosen_) {
    confirm();
    closeForm();
    return;
  }
  invalidateCell(chosen_);
  chosen_ = i;
  invalidateCell(chosen_);
  setGadgetValue(kName, kGames[chosen_].name);
}

// The same game as at the opening starts it only from the title screen (the
// play screen already plays it). Another game takes over from the one in
// play, which is kept as the old game's saved game (a finished game is
// dropped instead, so it is never offered again), and is started.
void CAppNewGameForm::confirm() {
  CQZFFormHandler* handler = app_ ? app_->getFormHandler() : nullptr;
  CAppUserForm* profile = app_ ? app_->getUserForm() : nullptr;
  if (!handler || !profile || !settings_) return;
  const auto type = static_cast<uint32_t>(chosen_ + 1);
  auto* play = dynamic_cast<CAppGameForm*>(handler->findForm(kAppFormGame));
  if (play && play->isClosed()) play = nullptr;
  if (type == openingType_) {
    if (play) return;
  } else if (play) {
    const CAppGame* game = play->game();
    const int slot = static_cast<int>(openingType_) - 1;
    if (slot >= 0 && slot < kAppGameTypes) {
      if (game && game->isFinished() && !game->keepsPlaying()) {
        profile->discardSavedGame(slot);
      } else {
        static_cast<void>(profile->storeSavedGame(slot, *play));
      }
    }
    play->invalidate();
    play->close();
    handler->tick();
  }
  settings_->currentGameType = type;
  app_->startChosenGame();
}

bool CAppNewGameForm::focusOnGrid() const {
  const CQZFGadgetHandler* gadgets = getGadgetHandler();
  return gadgets && gadgets->getFocusedId() == kGrid;
}

Handled CAppNewGameForm::onDirection(int keyCode) {
  CQZFGadgetHandler* gadgets = getGadgetHandler();
  if (!gadgets) return Handled::kPassOn;
  const uint16_t focused = gadgets->getFocusedId();
  const bool vertical = keyCode == kQZFKeyUp || keyCode == kQZFKeyDown;
  if (vertical && (focused == kOk || focused == kCancel)) {
    gadgets->setFocus(kGrid);
    moveCursor(cursor_);
    return Handled::kDone;
  }
  if (focused != kGrid) return Handled::kPassOn;
  const int next = CAppNewGameGrid::step(cursor_, keyCode);
  if (next == CAppNewGameGrid::kLeave) {
    showCursor(false);
    gadgets->setFocus(kOk);
  } else {
    moveCursor(next);
  }
  return Handled::kDone;
}

Handled CAppNewGameForm::onKeyEvent(const QZFKeyEvent& key) {
  if (!key.keyDown) return Handled::kPassOn;
  switch (key.code) {
    case kQZFKeyReturn:
      if (!focusOnGrid()) return Handled::kPassOn;
      if (app_) app_->playSelectSound();
      choose(cursor_);
      return Handled::kDone;
    case kQZFKeyLeft:
    case kQZFKeyRight:
    case kQZFKeyUp:
    case kQZFKeyDown: return onDirection(key.code);
    default: return Handled::kPassOn;
  }
}

Handled CAppNewGameForm::onPenEvent(const QZFPenEvent& pen) {
  if (pen.type == QZFPenType::kDown) {
    penPressed_ = true;
    showCursor(false);
    return Handled::kPassOn;
  }
  if (pen.type != QZFPenType::kUp || !penPressed_) return Handled::kPassOn;
  penPressed_ = false;
  const int cell = hitTest(pen.x, pen.y);
  if (cell < 0) return Handled::kPassOn;
  if (app_) app_->playSelectSound();
  choose(cell);
  return Handled::kDone;
}

Handled CAppNewGameForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_ || event.type != kQZFEventButton) return Handled::kPassOn;
  app_->playSelectSound();
  switch (event.gadgetId) {
    case kOk: confirm(); break;
    case kCancel: break;
    default: return Handled::kPassOn;
  }
  closeForm();
  return Handled::kDone;
}

Handled CAppNewGameForm::drawForeground() {
  drawGrid();
  return Handled::kPassOn;
}

// Each dirty cell: the shadow, the picture, the frame of the chosen game and
// the cursor's frame.
void CAppNewGameForm::drawGrid() {
  CQZFGraphics* graphics = getGraphics();
  if (!graphics || !app_) return;
  const int shadowX = AppCurrentValue(app_, kAppValueDialShadowX);
  const int shadowY = AppCurrentValue(app_, kAppValueDialShadowY);
  const int w = grid_.iconWidth(), h = grid_.iconHeight();
  const QZRect& area = getGadgetRect();
  const int top = gridTop();
  for (int i = 0; i < CAppNewGameGrid::kCells; ++i) {
    const QZRect cell = grid_.cellRect(i, top);
    const int x = area.x + cell.x, y = area.y + cell.y;
    if (!graphics->isRectDirty(x, y, cell.w, cell.h)) continue;
    graphics->drawBlob(kShadow, x - shadowX + 2, y - shadowY + 2, 0, kShadowLevel);
    graphics->drawBlob(kGames[i].image, x + 2, y + 2, 0, kOpaque);
    if (i == chosen_) graphics->drawFrame(x + 1, y + 1, w + 2, h + 2, 2, kOpaque, CQZFGraphics::makeColour(25, 5, 220));
    if (cursorShown_ && i == cursor_) graphics->drawFrame(x, y, w + 4, h + 4, 2, kOpaque, 0);
  }
}
