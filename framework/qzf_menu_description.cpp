#include "qzf_menu_description.h"

#include "base/byte_order.h"
#include "qzf_graphics.h"

namespace {

uint16_t u16(const uint8_t* at, size_t offset) { return base::loadBE16(at + offset); }

QZFLevelColour levelColour(const uint8_t* at, size_t offset) {
  return {at[offset], CQZFGraphics::makeColour(at[offset + 1], at[offset + 2], at[offset + 3])};
}

QZFSoftKeyDescription readSoftKey(const uint8_t* at) {
  QZFSoftKeyDescription key;
  key.text = u16(at, 0);
  key.itemId = u16(at, 2);
  key.flags = at[4];
  key.pressedBlob = u16(at, 5);
  key.pressedLevel = at[7];
  key.blob = u16(at, 8);
  key.level = at[10];
  return key;
}

QZStatus readQuick(const uint8_t* bytes, size_t size, QZFMenuDescription* d) {
  if (size < kQZFQuickMenuSize) return QZ_ERR_GENERAL;
  d->quick.font = u16(bytes, 2);
  d->quick.keys[0] = readSoftKey(bytes + 4);
  d->quick.keys[1] = readSoftKey(bytes + 4 + kQZFSoftKeySize);
  return QZ_OK;
}

QZStatus readList(const uint8_t* bytes, size_t size, QZFMenuDescription* d) {
  if (size < kQZFMenuHeaderSize) return QZ_ERR_GENERAL;
  const size_t count = u16(bytes, 41);
  if ((size - kQZFMenuHeaderSize) / kQZFMenuItemSize < count) return QZ_ERR_GENERAL;
  QZFMenuListDescription& l = d->list;
  l.background = levelColour(bytes, 2);
  l.selection = levelColour(bytes, 6);
  l.disabled = levelColour(bytes, 10);
  l.font = u16(bytes, 14);
  l.textLevel = bytes[16];
  l.disabledFont = u16(bytes, 17);
  l.disabledTextLevel = bytes[19];
  for (int i = 0; i < 8; ++i) l.frame[i] = u16(bytes, 20 + 2 * static_cast<size_t>(i));
  l.frameLevel = bytes[36];
  l.arrowLeft = u16(bytes, 37);
  l.arrowRight = u16(bytes, 39);
  l.items.resize(count);
  for (size_t n = 0; n < count; ++n) {
    const uint8_t* at = bytes + kQZFMenuHeaderSize + n * kQZFMenuItemSize;
    l.items[n] = {u16(at, 0), u16(at, 2), u16(at, 4), u16(at, 6), u16(at, 8)};
  }
  return QZ_OK;
}

}  // namespace

QZStatus QZFReadMenuDescription(const uint8_t* bytes, size_t size, QZFMenuDescription* out) {
  if (!bytes || size < 2) return QZ_ERR_GENERAL;
  QZFMenuDescription d;
  d.kind = bytes[0];
  d.flags = bytes[1];
  QZStatus r = QZ_ERR_NO_MEMORY;
  if (d.kind == kQZFMenuKindQuick) r = readQuick(bytes, size, &d);
  if (d.kind == kQZFMenuKindBar || d.kind == kQZFMenuKindPopup) r = readList(bytes, size, &d);
  if (r == QZ_OK) *out = std::move(d);
  return r;
}
