#include "app_object_trophy.h"

#include <algorithm>

#include "app_application.h"
#include "app_form_ids.h"
#include "app_form_trophy.h"
#include "app_form_user.h"
#include "app_value_tables.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_graphics.h"

namespace AppTrophyCabinet {
namespace {

// How far each place on a shelf sits below the shelf's top: the arc.
constexpr int16_t kArc[kPerShelf] = {20, 15, 10, 6, 3, 1, 0, 1, 3, 6, 10, 15, 20};

int16_t value(std::span<const int16_t> values, AppValue index) { return index < values.size() ? values[index] : 0; }

int firstOfShelf(int a) { return a - a % kPerShelf; }

}  // namespace

Slot slotOf(std::span<const int16_t> values, int a) {
  const int shelf = a / kPerShelf, place = a % kPerShelf;
  const int shelfY = value(values, kAppValueShelfTop) +
                     (shelf + 1) * (value(values, kAppValueSmallCardHeight) + value(values, kAppValueShelfGap));
  const int x = value(values, kAppValueShelfX) + place * value(values, kAppValueShelfPitch);
  return {static_cast<int16_t>(x), static_cast<int16_t>(shelfY + kArc[place])};
}

bool hits(std::span<const int16_t> values, const Slot& slot, int x, int y) {
  return slot.x < x && x < slot.x + value(values, kAppValueShelfPitch) && slot.y < y &&
         y < slot.y + value(values, kAppValueSmallCardHeight);
}

QZRect panelOf(std::span<const int16_t> values, int a) {
  const bool upper = a > kLastLowerPanel;
  return {value(values, upper ? kAppValueTrophyPanelHighX : kAppValueTrophyPanelLowX),
          value(values, upper ? kAppValueTrophyPanelHighY : kAppValueTrophyPanelLowY),
          value(values, kAppValueTrophyPanelWidth), value(values, kAppValueTrophyPanelHeight)};
}

Texts textsOf(int a, bool held) {
  if (a <= kLastLowerPanel) return {kLowerText, textString(a), 0};
  if (a < kFirstNamed) return {kUpperText, textString(a), 0};
  return {kUpperText, static_cast<uint16_t>(held ? 1393 + a : 1419 + a), textString(a)};
}

bool move(Cursor& c, int32_t key) {
  const Cursor before = c;
  const bool onShelf = c.focus == kShelf;
  switch (key) {
    case kQZFKeyLeft:
      if (!onShelf) return false;
      c.index = static_cast<uint8_t>(c.index % kPerShelf == 0 ? c.index + kPerShelf - 1 : c.index - 1);
      c.shown = true;
      break;
    case kQZFKeyRight:
      if (!onShelf) return false;
      c.index = static_cast<uint8_t>(c.index % kPerShelf == kPerShelf - 1 ? firstOfShelf(c.index) : c.index + 1);
      c.shown = true;
      break;
    case kQZFKeyUp:
      if (!onShelf) {
        c = {kShelf, static_cast<uint8_t>(kTrophies - kPerShelf), true};
      } else if (c.index >= kPerShelf) {
        c.index = static_cast<uint8_t>(c.index - kPerShelf);
        c.shown = true;
      } else {
        c.focus = kClose;
        c.shown = false;
      }
      break;
    case kQZFKeyDown:
      if (!onShelf) {
        c = {kShelf, 0, true};
      } else if (c.index < kTrophies - kPerShelf) {
        c.index = static_cast<uint8_t>(c.index + kPerShelf);
        c.shown = true;
      } else {
        c.focus = kClose;
        c.shown = false;
      }
      break;
    default: return false;
  }
  return c.focus != before.focus || c.index != before.index || c.shown != before.shown;
}

bool pen(Cursor& c, bool& pressed, QZFPenType type, int hit) {
  const bool onTrophy = hit >= 0 && hit < kTrophies;
  if (type == QZFPenType::kDown) {
    pressed = true;
  } else if (type == QZFPenType::kMove && pressed) {
    c.shown = false;
  } else if (type == QZFPenType::kUp && pressed) {
    pressed = false;
    c.shown = false;
    return true;
  } else {
    return false;
  }
  if (onTrophy) {
    c.index = static_cast<uint8_t>(hit);
    c.shown = true;
  }
  return true;
}

}  // namespace AppTrophyCabinet

namespace {

constexpr uint16_t kEmptySlot = 1239;
constexpr int kOpaque = 255;
constexpr int kFaint = 150;
constexpr int kSelectionLevel = 240;
constexpr int kFrameThickness = 2;
constexpr int kFrameShade = 40;
// The panel is marked this much higher (and taller) when it goes: the name box sticks out above it.
constexpr int kPanelOverhang = 30;
constexpr int kNameBoxSide = 10;
constexpr int kNameBoxEdge = 4;

int shade(int channel) { return std::max(0, channel - kFrameShade); }

}  // namespace

using namespace AppTrophyCabinet;

CAppTrophy::CAppTrophy(CAppTrophyForm* form) : CQZFObject(form), form_(form) { setName("trophy"); }

int16_t CAppTrophy::init(uint8_t index, int16_t x, int16_t y) {
  app_ = findOwner<CAppApplication>();
  if (!app_) return CQZFApplication::report(this, "app_object_trophy", __LINE__, QZ_ERR_BAD_STATE);
  graphics_ = app_->getGraphics();
  profile_ = app_->getUserForm();
  formHandler_ = app_->getFormHandler();
  index_ = index;
  x_ = x;
  y_ = y;
  return 0;
}

std::span<const int16_t> CAppTrophy::values() const { return app_->getCurrentValueTable(); }

bool CAppTrophy::isHeld() const { return profile_ && profile_->profile().trophies[index_] != 0; }

QZRect CAppTrophy::slotRect() const {
  const auto v = values();
  return {x_, y_, v[kAppValueSmallCardWidth], v[kAppValueSmallCardHeight]};
}

// The panel of one half may cover trophies of the other: marking it makes
// them draw before the panel goes over them.
void CAppTrophy::invalidate() const {
  QZRect panel = panelOf(values(), index_);
  panel.y = static_cast<int16_t>(panel.y - kPanelOverhang);
  panel.h = static_cast<int16_t>(panel.h + kPanelOverhang);
  form_->invalidateRect(panel);
  // The selection frame lies around the slot.
  const QZRect slot = slotRect();
  form_->invalidateRect({static_cast<int16_t>(slot.x - kFrameThickness), static_cast<int16_t>(slot.y - kFrameThickness),
                         static_cast<int16_t>(slot.w + 2 * kFrameThickness),
                         static_cast<int16_t>(slot.h + 2 * kFrameThickness)});
}

bool CAppTrophy::hitTest(int x, int y) const { return hits(values(), {x_, y_}, x, y); }

void CAppTrophy::draw() const {
  const QZRect slot = slotRect();
  if (!graphics_ || !form_->isRectDirty(slot)) return;
  const QZRect& origin = form_->getGadgetRect();
  const int x = origin.x + slot.x, y = origin.y + slot.y;
  if (isHeld()) {
    graphics_->drawBlob(smallImage(index_), x, y, 0, kOpaque);
    return;
  }
  graphics_->drawBlob(kEmptySlot, x, y, 0, kOpaque);
  graphics_->drawBlob(smallImage(index_), x, y, 0, kFaint);
}

void CAppTrophy::drawSelected() const {
  if (!graphics_) return;
  draw();
  const QZRect slot = slotRect();
  form_->drawFrame(slot, kFrameThickness, kSelectionLevel, CQZFGraphics::makeColour(255, 255, 255));
  const auto v = values();
  const CAppColourSchemes::Scheme& theme = app_->colourSchemes().scheme(form_->themeIndex());
  const uint16_t fill = CQZFGraphics::makeColour(theme.form[0], theme.form[1], theme.form[2]);
  const uint16_t edge = CQZFGraphics::makeColour(shade(theme.form[0]), shade(theme.form[1]), shade(theme.form[2]));
  const QZRect panel = panelOf(v, index_);
  form_->fillRect(panel, 0, kOpaque, fill);
  form_->drawFrame(panel, kFrameThickness, kOpaque, edge);
  const QZRect& origin = form_->getGadgetRect();
  graphics_->drawBlob(largeImage(index_), origin.x + v[kAppValueTrophyImageX],
                      origin.y + panel.y + v[kAppValueTrophyImageY], 0, kOpaque);
  const Texts texts = textsOf(index_, isHeld());
  form_->showTexts(texts);
  if (texts.nameString != 0) drawNameBox(fill, edge);
  if (CQZFGadget* label = form_->getGadget(texts.label)) label->drawAt(kOpaque);
}

void CAppTrophy::drawNameBox(uint16_t colour, uint16_t frame) const {
  CQZFGadget* name = form_->getGadget(kNameText);
  if (!name) return;
  const QZRect& r = name->getRect();
  const QZRect box{static_cast<int16_t>(r.x - kNameBoxSide), static_cast<int16_t>(r.y - kNameBoxEdge),
                   static_cast<int16_t>(r.w + 2 * kNameBoxSide), static_cast<int16_t>(r.h + 2 * kNameBoxEdge)};
  form_->fillRect(box, 0, kOpaque, colour);
  form_->drawFrame(box, kFrameThickness, kOpaque, frame);
  name->drawAt(kOpaque);
}

void CAppTrophy::deselect() const {
  form_->showTexts({});
  invalidate();
}
