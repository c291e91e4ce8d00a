#include "qzf_gadget_graphic.h"

#include "app_serialise_stream.h"
#include "qzf_form_description.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {
constexpr const char* kSource = "qzf_gadget_graphic";
}

CQZFGadgetGraphic::CQZFGadgetGraphic() {
  setName("gdtGrphc");
  CQZFGadget::setValue(QZ_NO_ID);
}

int16_t CQZFGadgetGraphic::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFGraphicPart>(d, kSource, &status);
  if (!part) return status;
  boxWidth_ = part->width;
  boxHeight_ = part->height;
  level_ = part->level;
  CQZFGadget::setValue(part->image);
  layout();
  return 0;
}

void CQZFGadgetGraphic::layout() {
  CQZFGadget::layout();
  const uint16_t image = static_cast<uint16_t>(getValue());
  int w = rect_.w, h = rect_.h;
  if (image != QZ_NO_ID) {
    w = boxWidth_ == -1 ? blobWidth(image) : boxWidth_;
    h = boxHeight_ == -1 ? blobHeight(image) : boxHeight_;
  }
  placeBox(w, h);
  invalidate();
}

void CQZFGadgetGraphic::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  const uint16_t image = static_cast<uint16_t>(getValue());
  if (!g || image == QZ_NO_ID || !isDirty()) return;
  if (!hasBlob(image)) {
    // An image that is not there leaves its box framed.
    if (rect.w > 0 && rect.h > 0) g->drawFrameRectangle(rect, 1, level, focusColour_);
    return;
  }
  const int x = rect.x + (rect.w - blobWidth(image)) / 2;
  const int y = rect.y + (rect.h - blobHeight(image)) / 2;
  g->drawBlob(image, x, y, 0, combineLevel(level, level_));
}

void CQZFGadgetGraphic::setValue(int32_t blobId) {
  invalidate();
  CQZFGadget::setValue(static_cast<uint16_t>(blobId));
  layout();
  invalidate();
}

int16_t CQZFGadgetGraphic::serialise(SerialiseStream& stream) {
  uint32_t value = static_cast<uint32_t>(getValue());
  if (const int16_t r = serialiseU32(stream, &value, 1); r < 0) return report(kSource, 90, r);
  if (QZFIsReading(stream)) setValue(static_cast<int32_t>(value));
  return 0;
}
