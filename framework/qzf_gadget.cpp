#include "qzf_gadget.h"

#include "qzf_application.h"
#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget_handler.h"
#include "qzf_graphics.h"

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

void CQZFGadget::replaceInText(const char16_t* token, const char16_t* value) {
  if (!text_ || !token || !*token) return;
  const size_t at = text_->find(token);
  if (at != std::u16string::npos) text_->replace(at, std::char_traits<char16_t>::length(token), value ? value : u"");
}
