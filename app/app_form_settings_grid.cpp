#include "app_form_settings_grid.h"

#include <algorithm>

#include "app_application.h"
#include "app_form_alert.h"
#include "app_form_user.h"
#include "qzf_gadget.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

namespace {

constexpr uint16_t kLockedTitle = 1626;
constexpr uint16_t kLockedText = 1627;
constexpr uint16_t kLockedButton = 1010;
constexpr int kCellGap = 10;
constexpr int kFrameThickness = 2;
constexpr int kOpaque = 255;
// The pen must land strictly inside the cell and its frame.
constexpr int kHitGrow = 4;

}  // namespace

namespace AppChooserGrid {

int stepInRow(int index, int columns, bool forward, const std::function<bool(int)>& skip) {
  const int rowStart = index - index % columns;
  int at = index % columns;
  for (int tries = 1; tries < columns; ++tries) {
    at = (at + (forward ? 1 : columns - 1)) % columns;
    if (!skip(rowStart + at)) return rowStart + at;
  }
  return index;
}

QZRect cell(int x0, int w, int h, int columns, int i) {
  return {static_cast<int16_t>(x0 + (i % columns) * (w + kCellGap)),
          static_cast<int16_t>((i / columns) * (h + kCellGap)), static_cast<int16_t>(w), static_cast<int16_t>(h)};
}

}  // namespace AppChooserGrid

int16_t CAppChooserForm::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "app_form_settings_grid", line, code);
}

int16_t CAppChooserForm::open(uint16_t formId, uint32_t param) {
  app_ = findOwner<CAppApplication>();
  CAppUserForm* user = app_ ? app_->getUserForm() : nullptr;
  if (!app_ || !app_->getFormHandler() || !user) return fail(__LINE__, QZ_ERR_BAD_STATE);
  profile_ = &user->profile();
  settings_ = &user->settings();
  if (const int16_t r = CQZFForm::open(formId, param); r < 0) return fail(__LINE__, r);
  AppFormLook::applyThemeColour(*this, *app_);
  return 0;
}

Handled CAppChooserForm::onEvent(const QZFFormEvent& event) {
  if (event.type == kQZFFormOpened) {
    if (!profile_) return Handled::kPassOn;
    if (const int16_t r = loadChoice(); r < 0) return handledStatus(fail(__LINE__, r));
    invalidateGrid();
    return Handled::kDone;
  }
  if (event.type == kQZFFormRemoved) releasePictures();
  return Handled::kPassOn;
}

int16_t CAppChooserForm::value(int index) const {
  const auto values = app_ ? app_->getCurrentValueTable() : std::span<const int16_t>();
  return index >= 0 && static_cast<size_t>(index) < values.size() ? values[index] : 0;
}

QZRect CAppChooserForm::cellRect(int i) const {
  QZRect r = AppChooserGrid::cell(firstX(), cellWidth(), cellHeight(), look().columns, i);
  const CQZFGadget* grid = getGadget(kGrid);
  r.y = static_cast<int16_t>(r.y + (grid ? grid->getRect().y : 0));
  return r;
}

QZRect CAppChooserForm::grown(int i, int inset, int grow) const {
  const QZRect r = cellRect(i);
  return {static_cast<int16_t>(r.x + inset), static_cast<int16_t>(r.y + inset), static_cast<int16_t>(r.w + grow),
          static_cast<int16_t>(r.h + grow)};
}

void CAppChooserForm::invalidateCell(int i) {
  if (i >= 0 && i < cellCount()) invalidateRect(grown(i, 0, look().dirtyGrow));
}

void CAppChooserForm::invalidateGrid() {
  for (int i = 0; i < cellCount(); ++i) invalidateCell(i);
}

void CAppChooserForm::choose(int i) {
  invalidateCell(chosen_);
  invalidateCell(i);
  chosenPage_ = pageShown_;
  chosen_ = i;
  showChoice();
}

void CAppChooserForm::moveCursor(int i) {
  invalidateCell(cursor_);
  invalidateCell(i);
  cursor_ = i;
}

void CAppChooserForm::setCursorShown(bool shown) {
  cursorShown_ = shown;
  invalidateCell(cursor_);
}

void CAppChooserForm::setPage(int page) {
  pageShown_ = page;
  invalidateGrid();
}

void CAppChooserForm::focus(uint16_t id) {
  if (CQZFGadgetHandler* gadgets = getGadgetHandler()) gadgets->setFocus(id);
}

uint16_t CAppChooserForm::focusedId() const {
  const CQZFGadgetHandler* gadgets = getGadgetHandler();
  return gadgets ? gadgets->getFocusedId() : QZ_NO_ID;
}

void CAppChooserForm::showLockedMessage() {
  if (app_) app_->users().showUserAlert(kLockedTitle, kLockedText, kLockedButton);
}

void CAppChooserForm::tryChoose(int i) {
  if (isEmpty(i)) return;
  if (isLocked(i)) {
    showLockedMessage();
    return;
  }
  choose(i);
  app_->playSelectSound();
}

Handled CAppChooserForm::onGadgetEvent(const CQZFGadgetEvent& event) {
  if (!app_) return Handled::kPassOn;
  app_->playSelectSound();
  if (event.type == kQZFEventButton && (event.gadgetId == kOk || event.gadgetId == kCancel)) {
    if (event.gadgetId == kOk) apply();
    invalidate();
    close();
    return Handled::kDone;
  }
  return onButton(event);
}

Handled CAppChooserForm::onKeyEvent(const QZFKeyEvent& key) {
  if (!key.keyDown || !app_) return Handled::kPassOn;
  const uint16_t focused = focusedId();
  if (key.code == kQZFKeyReturn && focused == kGrid) {
    tryChoose(cursor_);
    return Handled::kDone;
  }
  return onArrow(key.code, focused);
}

Handled CAppChooserForm::onPenEvent(const QZFPenEvent& pen) {
  if (pen.type == QZFPenType::kDown) {
    penPressed_ = true;
    return Handled::kPassOn;
  }
  if (pen.type != QZFPenType::kUp || !penPressed_) return Handled::kPassOn;
  penPressed_ = false;
  for (int i = 0; i < cellCount(); ++i) {
    const QZRect r = grown(i, 0, kHitGrow);
    if (pen.x <= r.x || pen.x >= r.x + r.w || pen.y <= r.y || pen.y >= r.y + r.h || isEmpty(i)) continue;
    if (isLocked(i)) {
      showLockedMessage();
      return Handled::kPassOn;
    }
    choose(i);
    app_->playSelectSound();
    return Handled::kDone;
  }
  return Handled::kPassOn;
}

Handled CAppChooserForm::drawForeground() {
  const Look& l = look();
  const uint16_t chosenColour = CQZFGraphics::makeColour(25, 5, 220);
  const uint16_t cursorColour = CQZFGraphics::makeColour(0, 0, 0);
  CQZFGraphics* g = getGraphics();
  for (int i = 0; g && i < cellCount(); ++i) {
    if (!isRectDirty(grown(i, 0, l.dirtyGrow))) continue;
    const QZRect picture = grown(i, 2, 0);
    drawPicture(i, picture);
    if (!isEmpty(i) && isLocked(i) && l.lockImage != 0) {
      const QZRect& origin = getGadgetRect();
      g->drawBlob(l.lockImage, origin.x + picture.x, origin.y + picture.y, 0, l.lockLevel);
    }
    if (i == chosen_ && chosenPage_ == pageShown_) {
      drawFrame(grown(i, l.chosenInset, l.chosenGrow), kFrameThickness, kOpaque, chosenColour);
    }
    if (i == cursor_ && cursorShown_)
      drawFrame(grown(i, l.cursorInset, l.cursorGrow), kFrameThickness, kOpaque, cursorColour);
  }
  return Handled::kPassOn;
}
