#include "qzf_form.h"

#include <algorithm>
#include <iterator>
#include <new>
#include <span>
#include <vector>

#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"
#include "qzf_menu_handler.h"
#include "qzf_resource.h"

namespace {

// v rounded up to a multiple of the unit; a unit below 1 (a missing image)
// leaves it as it is.
int roundUp(int v, int unit) { return unit > 0 ? (v + unit - 1) / unit * unit : v; }

QZRect moved(const QZRect& r, int dx, int dy) {
  return {static_cast<int16_t>(r.x + dx), static_cast<int16_t>(r.y + dy), r.w, r.h};
}

bool insideInclusive(const QZRect& r, int x, int y) { return x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h; }

}  // namespace

CQZFForm::CQZFForm() { setKind(kKind, this); }

CQZFForm::~CQZFForm() { invalidate(); }

int16_t CQZFForm::fail(int line, int16_t code) { return CQZFApplication::report(this, "qzf_form", line, code); }

int16_t CQZFForm::prepareOpen(uint16_t formId, uint32_t param) {
  if (gadgets_) {
    gadgets_->clear();
  } else {
    gadgets_.reset(new (std::nothrow) CQZFGadgetHandler(this));
    if (!gadgets_) return fail(135, QZ_ERR_NO_MEMORY);
  }
  app_ = findOwner<CQZFApplication>();
  if (!app_) return fail(144, QZ_ERR_BAD_STATE);
  graphics_ = app_->getGraphics();
  fonts_ = app_->getFontManager();
  formId_ = formId;
  openParam_ = param;
  return 0;
}

int16_t CQZFForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = prepareOpen(formId, param); r != 0) return r;
  // A form is laid out on the screen and measured in fonts: no form opens
  // before the application has started them.
  if (!graphics_ || !fonts_) return fail(144, QZ_ERR_BAD_STATE);
  if (const int16_t r = build(*app_); r != 0) return r;
  formRect_.x = formRect_.y = 0;
  computeLayout();
  calculateTitleSize();
  send(kQZFFormOpened);
  centre();
  invalidate();
  if (menuId_ != QZ_NO_ID && !menus_) makeMenus(false);
  return 0;
}

void CQZFForm::makeMenus(bool open) {
  if (menus_) {
    menus_->closeAndDeleteMenus();
    menus_.reset();
  }
  menusMadeFor_ = menuId_;
  if (menuId_ == QZ_NO_ID) return;
  menus_.reset(new (std::nothrow) CQZFMenuHandler(this));
  if (!menus_) return;
  // A failure is reported by the handler; the form goes on without its menu.
  static_cast<void>(menus_->openMenu(menuId_));
  if (open) menus_->toggleMenu();
}

int16_t CQZFForm::build(CQZFApplication& app) {
  QZResourceLock lock;
  const uint8_t* bytes = lock.lock(kQZFFormType, formId_);
  if (!bytes) return fail(142, QZ_ERR_NO_RESOURCE);
  const std::span<const int16_t> values = app.getCurrentValueTable();
  const QZFDescriptionContext context{values.data(), values.size(), CQZFResourceManager::getStringText};
  QZFFormDescription description;
  if (QZFReadFormDescription(bytes, lock.size(), context, &description) != 0) return fail(142, QZ_ERR_NO_RESOURCE);
  lock.unlock();
  takeHeader(description);
  for (const QZFGadgetDescription& d : description.gadgets) {
    std::unique_ptr<CQZFGadget> gadget = app.createObject<CQZFGadget>(QZFGadgetTag(d.kind));
    if (gadget) static_cast<void>(gadgets_->addGadget(d, std::move(gadget)));
  }
  if (description.firstFocusId != QZ_NO_ID) gadgets_->setFocus(description.firstFocusId);
  gadgets_->layout();
  if (fitToGadgets_) gadgetRect_.h = gadgetsBottom();
  return 0;
}

void CQZFForm::takeHeader(const QZFFormDescription& d) {
  std::copy(std::begin(d.frame), std::end(d.frame), frame_);
  frameLevel_ = d.frameLevel;
  std::copy(std::begin(d.titleBar), std::end(d.titleBar), titleBar_);
  titleBarLevel_ = d.titleBarLevel;
  titleFont_ = d.titleFont;
  titleTextLevel_ = d.titleTextLevel;
  title_.reset();
  if (!d.title.empty()) title_ = d.title;
  backgroundColour_ = d.background.colour;
  backgroundLevel_ = d.background.level;
  gadgetRect_ = {0, 0, d.gadgetWidth, d.gadgetHeight};
  fitToGadgets_ = d.fitToGadgets;
  if (d.menuId != QZ_NO_ID) menuId_ = d.menuId;
}

int16_t CQZFForm::reopen() {
  const int16_t r = open(formId_, openParam_);
  send(kQZFFormRemoved);
  return r;
}

// --- Layout -------------------------------------------------------------------

int CQZFForm::blobWidth(uint16_t id) const { return graphics_ && id != QZ_NO_ID ? graphics_->getBlobWidth(id) : 0; }
int CQZFForm::blobHeight(uint16_t id) const { return graphics_ && id != QZ_NO_ID ? graphics_->getBlobHeight(id) : 0; }
int CQZFForm::screenWidth() const { return graphics_ ? graphics_->getScreenWidth() : 0; }
int CQZFForm::screenHeight() const { return graphics_ ? graphics_->getScreenHeight() : 0; }

void CQZFForm::computeLayout() {
  const int w = gadgetRect_.w, h = gadgetRect_.h;
  gadgetRect_.x = static_cast<int16_t>((screenWidth() - w) / 2);
  gadgetRect_.y = static_cast<int16_t>((screenHeight() - h) / 2);
  if (!hasFrame()) {
    formRect_ = clientRect_ = gadgetRect_;
    if (title_) {
      const int t = blobHeight(titleFont_);
      clientRect_.y = formRect_.y = static_cast<int16_t>(gadgetRect_.y - t);
      clientRect_.h = formRect_.h = static_cast<int16_t>(gadgetRect_.h + t);
    }
  } else {
    const int left = blobWidth(frame_[kQZFFrameTopLeft]), right = blobWidth(frame_[kQZFFrameTopRight]);
    const int top = blobHeight(frame_[kQZFFrameTopLeft]), bottom = blobHeight(frame_[kQZFFrameBottomRight]);
    int clientH = roundUp(h, blobHeight(frame_[kQZFFrameRight]));
    const int cap = blobHeight(titleBar_[0]);
    if (titleBar_[0] != QZ_NO_ID && cap > top) clientH += roundUp(cap - top, blobHeight(frame_[kQZFFrameLeft]));
    clientRect_.w = static_cast<int16_t>(roundUp(w, blobWidth(frame_[kQZFFrameTop])));
    clientRect_.h = static_cast<int16_t>(clientH);
    formRect_.w = static_cast<int16_t>(left + right + clientRect_.w);
    formRect_.h = static_cast<int16_t>(clientH + top + bottom);
    clientRect_.x = static_cast<int16_t>(formRect_.x + (left + right) / 2);
    clientRect_.y = static_cast<int16_t>(formRect_.y + top);
  }
  titleRect_ = {formRect_.x, formRect_.y, 0, 0};
  gadgetRect_.x = static_cast<int16_t>(formRect_.x + (formRect_.w - w) / 2);
  gadgetRect_.y = static_cast<int16_t>(clientRect_.y + (clientRect_.h - h) / 2);
  moveBy(0, 0, true);
}

void CQZFForm::calculateTitleSize() {
  if (!title_ || !fonts_) return;
  const int textWidth = fonts_->textWidth(title_->c_str(), titleFont_);
  int w = textWidth;
  int h = fonts_->lineHeight(titleFont_);
  if (hasFrame()) h = std::max(h, blobHeight(frame_[kQZFFrameTopLeft]));
  if (titleBar_[0] != QZ_NO_ID) {
    // The left cap's width is the tiling unit of the width.
    const int unit = std::max(1, blobWidth(titleBar_[0]));
    w = blobWidth(titleBar_[0]) + blobWidth(titleBar_[2]) + unit * ((textWidth + unit - 1) / unit);
    h = std::max(h, blobHeight(titleBar_[0]));
  }
  titleRect_.w = static_cast<int16_t>(w);
  titleRect_.h = static_cast<int16_t>(h);
  titleRect_.x = static_cast<int16_t>(gadgetRect_.x + (gadgetRect_.w - w) / 2);
}

void CQZFForm::moveBy(int dx, int dy, bool clamp) {
  invalidate();
  int x = formRect_.x + dx, y = formRect_.y + dy;
  if (clamp) {
    x = std::max(0, x);
    if (x + formRect_.w > screenWidth()) x = std::max(0, screenWidth() - formRect_.w);
    y = std::max(0, y);
    if (y + formRect_.h > screenHeight()) y = std::max(0, screenHeight() - formRect_.h);
  }
  dx = x - formRect_.x;
  dy = y - formRect_.y;
  formRect_ = moved(formRect_, dx, dy);
  titleRect_ = moved(titleRect_, dx, dy);
  clientRect_ = moved(clientRect_, dx, dy);
  gadgetRect_ = moved(gadgetRect_, dx, dy);
  invalidate();
}

void CQZFForm::centre(bool clamp) {
  moveBy((screenWidth() - formRect_.w) / 2 - formRect_.x, (screenHeight() - formRect_.h) / 2 - formRect_.y, clamp);
}

int16_t CQZFForm::gadgetsBottom() const {
  QZRect box{};
  if (gadgets_) gadgets_->getExtent(box);
  return static_cast<int16_t>(box.y + box.h);
}

void CQZFForm::fitHeightToGadgets() {
  invalidate();
  gadgetRect_.h = gadgetsBottom();
  computeLayout();
  calculateTitleSize();
  invalidate();
}

void CQZFForm::relayout() {
  if (gadgets_) gadgets_->layout();
  if (fitToGadgets_) fitHeightToGadgets();
}

// --- Activity -----------------------------------------------------------------

void CQZFForm::setActive(bool active) { send(active ? kQZFFormActivated : kQZFFormDeactivated); }

void CQZFForm::reveal() {
  if (obscureCount_ == 0) return;
  if (--obscureCount_ == 0) {
    send(kQZFFormActivated);
    invalidate();
  }
}

void CQZFForm::obscure() {
  if (obscureCount_ == 255) return;
  if (obscureCount_++ == 0) {
    send(kQZFFormDeactivated);
    invalidate();
  }
}

bool CQZFForm::isUnfocused() const { return !isMenuOpen() && (!gadgets_ || gadgets_->getFocusedId() == QZ_NO_ID); }

void CQZFForm::update() {
  if (menuId_ != menusMadeFor_) makeMenus(isMenuOpen());
  if (gadgets_) gadgets_->update();
  if (menus_) menus_->update();
  followMenuVisibility();
  static_cast<void>(onUpdate());
}

bool CQZFForm::menusVisible() const { return menus_ && (obscureCount_ == 0 || isMenuOpen()); }

void CQZFForm::followMenuVisibility() {
  const bool shown = menusVisible();
  if (shown == menusShown_) return;
  menusShown_ = shown;
  // A form covered while one of its menus was open keeps its soft keys on
  // the screen until their cells are drawn again without them.
  if (menus_) menus_->invalidate();
}

bool CQZFForm::isMenuOpen() const { return menus_ && menus_->coversForm(); }

bool CQZFForm::isActive() const { return obscureCount_ == 0 && !isMenuOpen(); }

void CQZFForm::setMenuItemFlags(uint16_t itemId, uint16_t flags) {
  if (menus_) menus_->setItemFlags(itemId, flags);
}

void CQZFForm::toggleMenu() {
  if (menus_) menus_->toggleMenu();
}

void CQZFForm::setMenuFading(bool on) {
  if (menus_) menus_->setFading(on);
}

// --- Input --------------------------------------------------------------------

Handled CQZFForm::onKey(const QZFKeyEvent& key) {
  if (app_) app_->setAudioActive(1);
  if (closed_) return Handled::kPassOn;
  Handled result = Handled::kPassOn;
  if (menus_) {
    result = menus_->onKey(key);
    if (isMenuOpen()) return result;
  } else if (key.code == kQZFKeyMenu) {
    // Without a menu the menu key has nothing to open.
    return Handled::kDone;
  }
  if (isPassedOn(result)) result = onKeyEvent(key);
  if (isPassedOn(result) && gadgets_) result = gadgets_->onKey(key);
  if (isPassedOn(result) && key.code == kQZFKeyBack) result = onBack();
  return result;
}

Handled CQZFForm::onPen(const QZFPenEvent& pen) {
  if (closed_) return Handled::kPassOn;
  if (menus_) {
    // A pen the menus took (a soft key pressed, a menu closed) reaches nothing below them.
    const Handled taken = menus_->onPen(pen);
    if (isMenuOpen() || !isPassedOn(taken)) return taken;
  }
  // Only a form with a title has a title bar to drag by.
  if (dragging_ || (pen.type == QZFPenType::kDown && title_ && insideInclusive(titleRect_, pen.x, pen.y))) {
    if (dragging_ && pen.type != QZFPenType::kDown) {
      moveBy(pen.x - lastPenX_, pen.y - lastPenY_, true);
      if (pen.type == QZFPenType::kUp) dragging_ = false;
    } else {
      dragging_ = true;
      invalidate();
    }
    lastPenX_ = pen.x;
    lastPenY_ = pen.y;
    return Handled::kDone;
  }
  const QZFPenEvent inArea = pen.relativeTo(gadgetRect_.x, gadgetRect_.y);
  Handled result = Handled::kPassOn;
  if (inArea.x >= 0 && inArea.x <= gadgetRect_.w && inArea.y >= 0 && inArea.y <= gadgetRect_.h) {
    result = onPenEvent(inArea);
  }
  if (isPassedOn(result) && gadgets_) result = gadgets_->onPen(inArea);
  return result;
}

Handled CQZFForm::onTextInput(const char16_t* text) {
  if (gadgets_) gadgets_->onTextInput(text);
  return Handled::kDone;
}

Handled CQZFForm::onBack() {
  if (!app_ || app_->backClosesForms()) {
    invalidate();
    close();
  } else {
    app_->requestMinimise();
  }
  return Handled::kPassOn;
}

// --- Drawing ------------------------------------------------------------------

void CQZFForm::invalidate() {
  if (graphics_) graphics_->invalidateRectangle(formRect_);
  if (menus_) menus_->invalidate();
}

bool CQZFForm::isDirty() const {
  return (graphics_ && graphics_->isRectangleDirty(formRect_)) || (menus_ && menus_->isDirty());
}

int CQZFForm::faded(uint8_t level) const { return std::max(0, level - (255 - fadeLevel_)); }

void CQZFForm::restoreBackground() {
  if (!graphics_) return;
  QZRect cover{};
  if (!(dragOutline_ && dragging_) && !closed_) {
    send(kQZFFormRestoringBackground);
    if (wholeScreenBackground_) {
      cover = {0, 0, static_cast<int16_t>(screenWidth()), static_cast<int16_t>(screenHeight())};
    } else if (backgroundLevel_ == 255) {
      cover = clientRect_;
    }
  }
  graphics_->markCovered(cover);
}

void CQZFForm::draw() {
  if (!graphics_) return;
  graphics_->releaseCoverLevel();
  if (closed_ || !graphics_->computeUncovered()) return;
  graphics_->buildBackgroundList();
  if (graphics_->isRectangleDirty(formRect_)) drawBody();
  if (menusVisible()) menus_->draw();
}

void CQZFForm::drawBody() {
  if (dragOutline_ && dragging_) {
    graphics_->drawFrameRectangle(formRect_, 3, faded(backgroundLevel_), backgroundColour_);
    return;
  }
  if (graphics_->isRectangleDirty(clientRect_)) {
    graphics_->fillRectangle(clientRect_, 0, faded(backgroundLevel_), backgroundColour_);
    static_cast<void>(drawBackground());
  }
  if (hasFrame()) drawFramePieces(faded(frameLevel_));
  if (title_ && graphics_->isRectangleDirty(titleRect_)) drawTitle();
  if (gadgets_ && graphics_->isRectangleDirty(gadgetRect_)) {
    gadgets_->draw(fadeLevel_);
    static_cast<void>(drawForeground());
  }
}

void CQZFForm::drawFramePieces(int level) {
  const QZRect& f = formRect_;
  const int right = f.x + f.w, bottom = f.y + f.h;
  const int topW = blobWidth(frame_[kQZFFrameTop]);
  const int bottomY = bottom - blobHeight(frame_[kQZFFrameBottomRight]);
  graphics_->drawBlob(frame_[kQZFFrameTopLeft], f.x, f.y, 0, level);
  graphics_->drawBlob(frame_[kQZFFrameBottomLeft], f.x, bottomY, 0, level);
  for (int x = f.x + blobWidth(frame_[kQZFFrameTopLeft]); topW > 0 && x < right - topW; x += topW) {
    graphics_->drawBlob(frame_[kQZFFrameTop], x, f.y, 0, level);
    graphics_->drawBlob(frame_[kQZFFrameBottom], x, bottomY, 0, level);
  }
  // Both right corners stand one top edge tile from the right edge.
  graphics_->drawBlob(frame_[kQZFFrameTopRight], right - topW, f.y, 0, level);
  graphics_->drawBlob(frame_[kQZFFrameBottomRight], right - topW, bottomY, 0, level);
  const int sideH = blobHeight(frame_[kQZFFrameRight]);
  const int sideEnd = bottom - blobHeight(frame_[kQZFFrameBottom]);
  const int rightX = right - blobWidth(frame_[kQZFFrameRight]);
  for (int y = f.y + blobHeight(frame_[kQZFFrameTopLeft]); sideH > 0 && y < sideEnd; y += sideH) {
    graphics_->drawBlob(frame_[kQZFFrameLeft], f.x, y, 0, level);
    graphics_->drawBlob(frame_[kQZFFrameRight], rightX, y, 0, level);
  }
}

void CQZFForm::drawTitle() {
  const QZRect& t = titleRect_;
  if (titleBar_[0] != QZ_NO_ID) {
    const int level = faded(titleBarLevel_);
    const int middle = blobWidth(titleBar_[1]);
    const int capX = t.x + t.w - blobWidth(titleBar_[2]);
    graphics_->drawBlob(titleBar_[0], t.x, t.y, 0, level);
    for (int x = t.x + blobWidth(titleBar_[0]); middle > 0 && x < capX; x += middle) {
      graphics_->drawBlob(titleBar_[1], x, t.y, 0, level);
    }
    graphics_->drawBlob(titleBar_[2], capX, t.y, 0, level);
  }
  if (!fonts_) return;
  const int y = t.y + (t.h - fonts_->lineHeight(titleFont_)) / 2;
  fonts_->drawText(title_->c_str(), t.x, y, t.w, 1, titleFont_, faded(titleTextLevel_));
}

// --- Title and colours --------------------------------------------------------

void CQZFForm::setTitleById(uint16_t stringId) {
  const std::u16string text = CQZFResourceManager::getStringText(stringId);
  setTitle(text.empty() ? nullptr : text.c_str());
}

void CQZFForm::setTitle(const char16_t* text) {
  if (text) {
    title_ = std::u16string(text);
  } else {
    title_.reset();
  }
  calculateTitleSize();
}

void CQZFForm::setBackgroundColour(uint16_t colour) {
  backgroundColour_ = colour;
  invalidate();
}

// --- Gadgets by id ------------------------------------------------------------

int16_t CQZFForm::addGadget(const QZFGadgetDescription& description, std::unique_ptr<CQZFGadget> gadget) {
  if (!gadget || !gadgets_) return 0;
  const int16_t r = gadgets_->addGadget(description, std::move(gadget));
  relayout();
  return r;
}

void CQZFForm::removeGadget(uint16_t id) {
  if (!gadgets_) return;
  gadgets_->removeGadget(id);
  relayout();
}

void CQZFForm::setGadgetValue(uint16_t id, int32_t value) {
  if (!gadgets_) return;
  gadgets_->setValue(id, value);
  relayout();
}

void CQZFForm::setGadgetText(uint16_t id, const char16_t* text) {
  if (!gadgets_) return;
  gadgets_->setText(id, text);
  relayout();
}

void CQZFForm::replaceInGadgetText(uint16_t id, const char16_t* token, const char16_t* value) {
  if (!gadgets_) return;
  gadgets_->replaceInText(id, token, value);
  relayout();
}

int32_t CQZFForm::getGadgetValue(uint16_t id) const { return gadgets_ ? gadgets_->getValue(id) : 0; }
const char16_t* CQZFForm::getGadgetText(uint16_t id) const { return gadgets_ ? gadgets_->getText(id) : nullptr; }
CQZFGadget* CQZFForm::getGadget(uint16_t id) const { return gadgets_ ? gadgets_->find(id) : nullptr; }

// --- Drawing in gadget coordinates --------------------------------------------

QZRect CQZFForm::toScreen(const QZRect& rect) const { return moved(rect, gadgetRect_.x, gadgetRect_.y); }

void CQZFForm::fillRect(const QZRect& rect, int flags, int level, uint16_t colour) {
  if (graphics_) graphics_->fillRectangle(toScreen(rect), flags, level, colour);
}
void CQZFForm::fillGradient(const QZRect& rect, int flags, int level, uint16_t top, uint16_t bottom) {
  if (graphics_) graphics_->fillGradientRectangle(toScreen(rect), flags, level, top, bottom);
}
void CQZFForm::drawFrame(const QZRect& rect, int thickness, int level, uint16_t colour) {
  if (graphics_) graphics_->drawFrameRectangle(toScreen(rect), thickness, level, colour);
}
void CQZFForm::invalidateRect(const QZRect& rect) {
  if (graphics_) graphics_->invalidateRectangle(toScreen(rect));
}
bool CQZFForm::isRectDirty(const QZRect& rect) const {
  return graphics_ && graphics_->isRectangleDirty(toScreen(rect));
}

// --- Saved state --------------------------------------------------------------

int32_t CQZFForm::getSaveSize() {
  const int32_t custom = getCustomStateSize();
  SerialiseStream counter;
  if (gadgets_) static_cast<void>(gadgets_->serialise(counter));
  if (custom == 0) static_cast<void>(serialise(counter));
  return counter.position + custom + 8;
}

int16_t CQZFForm::transferOwnState(SerialiseStream& stream, CQZFRsrcDatabase* database, bool saving) {
  if (getCustomStateSize() == 0) return serialise(stream);
  return saving ? saveCustomState(stream.limit, stream.position, database, stream.data)
                : restoreCustomState(stream.limit, stream.position, database, stream.data);
}

int16_t CQZFForm::saveState(SerialiseStream& stream, CQZFRsrcDatabase* database) {
  uint16_t menuId = menus_ ? menus_->getMenuId() : QZ_NO_ID;
  int16_t r = gadgets_ ? gadgets_->serialise(stream) : 0;
  if (r < 0) return fail(1101, r);
  r = serialiseU16(stream, &menuId, 1);
  if (r < 0) return fail(1104, r);
  r = serialiseU32(stream, &openParam_, 1);
  if (r < 0) return fail(1105, r);
  r = transferOwnState(stream, database, true);
  if (r < 0) return fail(getCustomStateSize() ? 1110 : 1114, r);
  return 0;
}

int16_t CQZFForm::restoreState(SerialiseStream& stream, CQZFRsrcDatabase* database) {
  int16_t r = gadgets_ ? gadgets_->serialise(stream) : 0;
  if (r < 0) return fail(1126, r);
  r = serialiseU16(stream, &menuId_, 1);
  if (r < 0) return fail(1129, r);
  r = serialiseU32(stream, &openParam_, 1);
  if (r < 0) return fail(1132, r);
  r = transferOwnState(stream, database, false);
  if (r < 0) return fail(getCustomStateSize() ? 1137 : 1141, r);
  if (fitToGadgets_) fitHeightToGadgets();
  return 0;
}
