#include "qzf_gadget.h"

#include <algorithm>
#include <vector>

#include "qzf_application.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget_event.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"
#include "qzf_resource.h"

CQZFGadget::CQZFGadget() { setKind(kKind, this); }

int16_t CQZFGadget::fail(int line) const {
  return CQZFApplication::report(const_cast<CQZFGadget*>(this), "qzf_gadget", line, QZ_ERR_BAD_STATE);
}

int16_t CQZFGadget::init(const QZFGadgetDescription& d) {
  form_ = findOwner<CQZFForm>();
  if (!form_) return fail(93);
  CQZFApplication* app = findOwner<CQZFApplication>();
  if (!app) return fail(94);
  graphics_ = app->getGraphics();
  if (!graphics_) return fail(95);
  fonts_ = app->getFontManager();
  if (!fonts_) return fail(96);
  resources_ = app->getResourceManager();
  if (!resources_) return fail(97);
  id_ = static_cast<int16_t>(d.id);
  x_ = {d.x.position, d.x.anchored, static_cast<int16_t>(d.x.anchorId), d.x.alignment, d.x.offset};
  y_ = {d.y.position, d.y.anchored, static_cast<int16_t>(d.y.anchorId), d.y.alignment, d.y.offset};
  boxAlignment_ = d.boxAlignment;
  for (int i = 0; i < 4; ++i) neighbours_[i] = d.neighbours[i];
  padding_ = d.padding;
  focusColour_ = d.focusColour;
  focusLevel_ = d.focusLevel;
  return 0;
}

QZRect CQZFGadget::screenRect() const {
  QZRect r = rect_;
  if (form_) {
    r.x = static_cast<int16_t>(r.x + form_->getGadgetRect().x);
    r.y = static_cast<int16_t>(r.y + form_->getGadgetRect().y);
  }
  return r;
}

void CQZFGadget::drawFocus(const QZRect& rect, int level) {
  if (graphics_ && graphics_->isRectangleDirty(rect)) graphics_->fillRectangle(rect, 0, focusLevel_, focusColour_);
}

void CQZFGadget::drawAt(int level) {
  const QZRect r = screenRect();
  if (hasFocus_) drawFocus(r, level);
  draw(r, level);
}

void CQZFGadget::invalidate() const {
  if (graphics_) graphics_->invalidateRectangle(screenRect());
}

bool CQZFGadget::isDirty() const { return graphics_ && graphics_->isRectangleDirty(screenRect()); }

uint16_t CQZFGadget::getNeighbour(int direction) const {
  return direction >= 0 && direction < 4 ? neighbours_[direction] : QZ_NO_ID;
}

int16_t CQZFGadget::anchorPosition(const QZFAnchor& anchor, bool vertical) const {
  const CQZFGadgetHandler* handler = findOwner<CQZFGadgetHandler>();
  const CQZFGadget* target = handler ? handler->find(static_cast<uint16_t>(anchor.anchorId)) : nullptr;
  const QZRect r = target ? target->getRect() : QZRect{};
  int position = vertical ? r.y : r.x;
  const int size = vertical ? r.h : r.w;
  if (anchor.alignment == 1) position += size / 2;
  if (anchor.alignment == (vertical ? 4 : 2)) position += size;
  return static_cast<int16_t>(position + anchor.offset);
}

void CQZFGadget::layout() {
  invalidate();
  if (x_.anchored) x_.position = anchorPosition(x_, false);
  if (y_.anchored) y_.position = anchorPosition(y_, true);
  invalidate();
}

void CQZFGadget::setAnchors(const QZFAnchor& x, const QZFAnchor& y) {
  invalidate();
  x_ = x;
  y_ = y;
  layout();
}

void CQZFGadget::setValue(int32_t value) {
  value_ = value;
  invalidate();
}

void CQZFGadget::setText(const char16_t* text) {
  if (text) {
    text_ = std::u16string(text);
  } else {
    text_.reset();
  }
}

void QZFReplaceFirst(std::u16string& text, const char16_t* token, const char16_t* value) {
  if (!token || !*token) return;
  const size_t at = text.find(token);
  if (at != std::u16string::npos) text.replace(at, std::char_traits<char16_t>::length(token), value ? value : u"");
}

void CQZFGadget::replaceInText(const char16_t* token, const char16_t* value) {
  if (text_) QZFReplaceFirst(*text_, token, value);
}

CQZFGadget::PressStep CQZFGadget::trackPress(const QZFPenEvent& pen, bool& pressed) {
  if (!insideInclusive(pen.x, pen.y)) {
    if (pressed) {
      pressed = false;
      invalidate();
    }
    return PressStep::kOutside;
  }
  if (pen.type == QZFPenType::kDown) {
    pressed = true;
    invalidate();
    return PressStep::kPressed;
  }
  if (pen.type != QZFPenType::kUp || !pressed) return PressStep::kOther;
  pressed = false;
  invalidate();
  return PressStep::kReleased;
}

int CQZFGadget::combineLevel(int formLevel, int ownLevel) { return std::clamp(formLevel + ownLevel - 255, 0, 255); }

std::u16string CQZFGadget::stringText(uint16_t stringId) {
  const uint16_t length = CQZFResourceManager::getStringLength(stringId);
  if (length == 0) return {};
  std::vector<char16_t> buffer(length + 1u, u'\0');
  CQZFResourceManager::getString(stringId, buffer.data(), length + 1);
  return std::u16string(buffer.data());
}

int16_t CQZFGadget::boxX(int x, int w) const {
  if (boxAlignment_ == 1) return static_cast<int16_t>(x - w / 2);
  if (boxAlignment_ == 2) return static_cast<int16_t>(x - w);
  return static_cast<int16_t>(x);
}

void CQZFGadget::placeBox(int w, int h) {
  rect_.w = static_cast<int16_t>(w);
  rect_.h = static_cast<int16_t>(h);
  rect_.x = boxX(x_.position, w);
  rect_.y = y_.position;
}

bool CQZFGadget::insideInclusive(int x, int y) const {
  return x >= rect_.x && x <= rect_.x + rect_.w && y >= rect_.y && y <= rect_.y + rect_.h;
}

void CQZFGadget::setTextFromStringId(uint16_t stringId) {
  const std::u16string text = stringText(stringId);
  setText(text.empty() ? nullptr : text.c_str());
}

void CQZFGadget::sendEvent(CQZFGadgetEvent event) {
  event.gadgetId = static_cast<uint16_t>(id_);
  if (form_) static_cast<void>(form_->onGadgetEvent(event));
}

bool CQZFGadget::hasBlob(uint16_t id) const { return graphics_ && id != QZ_NO_ID && graphics_->getBlob(id); }
int CQZFGadget::blobWidth(uint16_t id) const { return hasBlob(id) ? graphics_->getBlobWidth(id) : 0; }
int CQZFGadget::blobHeight(uint16_t id) const { return hasBlob(id) ? graphics_->getBlobHeight(id) : 0; }

int CQZFGadget::automaticWidth(bool doubleCentred) const {
  const int x = x_.position;
  const int area = form_ ? form_->getGadgetRect().w : 0;
  const bool towardZero = boxAlignment_ == 2 || (boxAlignment_ == 1 && x < area / 2);
  int width = towardZero ? x : area - x;
  if (boxAlignment_ == 1 && doubleCentred) width *= 2;
  return std::max(0, width);
}

int CQZFGadget::automaticHeight() const {
  const int y = y_.position;
  int area = form_ ? form_->getGadgetRect().h : 0;
  if (area == 0 || (form_ && form_->isFitToGadgets())) area = graphics_ ? graphics_->getScreenHeight() : 0;
  return std::max(0, area - y);
}

int16_t CQZFGadget::report(const char* source, int line, int16_t code) {
  return CQZFApplication::report(this, source, line, code);
}
