#include "qzf_form_description.h"

#include <algorithm>
#include <cstdint>

#include "base/byte_order.h"
#include "qz_colour.h"
#include "qzf_graphics.h"

namespace {

// Fixed record sizes by kind code (index 0 unused). The scroll text record
// is 55 bytes: its last colour's blue byte lies at offset 54, inside it.
constexpr size_t kRecordSize[13] = {0, 49, 31, 30, 44, 47, 31, 29, 41, 58, 37, 55, 60};
constexpr size_t kKeySize = 13;
constexpr size_t kColumnSize = 3;
constexpr const char* kTags[13] = {nullptr,    "gdtButton", "gdtSdrbr", "gdtLbl", "gdtChkBox", "gdtTxtEnt", "gdtKybd",
                                   "gdtGrphc", "gdtURL",    "gdtLst",   "gdtTmr", "gdtSclTxt", "gdtTable"};
constexpr uint16_t kSpecialFirst = 0xFFF0;

// Fields of one record at offsets from its start. The caller has checked
// that the record lies inside the resource; a value index outside the
// table marks the record bad.
class Fields {
 public:
  Fields(const uint8_t* at, const QZFDescriptionContext& context) : at_(at), context_(context) {}

  bool ok() const { return ok_; }
  uint8_t u8(size_t offset) const { return at_[offset]; }
  uint16_t u16(size_t offset) const { return base::loadBE16(at_ + offset); }
  uint32_t u32(size_t offset) const { return base::loadBE32(at_ + offset); }

  int16_t valueAt(uint16_t index) {
    if (index >= context_.valueCount || !context_.values) {
      ok_ = false;
      return 0;
    }
    return context_.values[index];
  }
  int16_t value(size_t offset) { return valueAt(u16(offset)); }
  // The layout value, or `none` for index 0xFFFF.
  int16_t valueOr(size_t offset, int16_t none) { return u16(offset) == QZ_NO_ID ? none : value(offset); }

  uint16_t colour(size_t offset) const { return CQZFGraphics::makeColour(u8(offset), u8(offset + 1), u8(offset + 2)); }
  uint8_t paletteIndex(size_t offset) const {
    return static_cast<uint8_t>(QZRGBToIndex(u8(offset), u8(offset + 1), u8(offset + 2)));
  }
  QZFLevelColour levelColour(size_t offset) const { return {u8(offset), colour(offset + 1)}; }
  std::u16string text(size_t offset) const {
    const uint16_t id = u16(offset);
    return id == QZ_NO_ID || !context_.text ? std::u16string() : context_.text(id);
  }
  QZFBoxImages box(size_t offset) const {
    QZFBoxImages b;
    for (int i = 0; i < 3; ++i) b.ids[i] = u16(offset + 2 * i);
    b.level = u8(offset + 6);
    return b;
  }
  // Four arrow images, arrow level, track and thumb at consecutive offsets.
  QZFScrollBarLook scrollBar(size_t offset) const {
    return {u16(offset),    u16(offset + 2),         u16(offset + 4),         u16(offset + 6),
            u8(offset + 8), levelColour(offset + 9), levelColour(offset + 13)};
  }

 private:
  const uint8_t* at_;
  const QZFDescriptionContext& context_;
  bool ok_ = true;
};

QZFAxisDescription readAxis(Fields& f, size_t offset, int16_t areaSize) {
  QZFAxisDescription axis;
  const uint8_t flags = f.u8(offset);
  const uint16_t index = f.u16(offset + 3);
  if (flags & 0x80) {
    axis.anchored = true;
    axis.anchorId = f.u16(offset + 1);
    axis.alignment = flags & 0x0F;
    axis.offset = f.valueAt(index);
  } else if (index >= kSpecialFirst) {
    const int special = index & 0x0F;
    axis.position = special == 1 ? static_cast<int16_t>(areaSize / 2) : special == 2 ? areaSize : 0;
  } else {
    axis.position = f.valueAt(index);
  }
  return axis;
}

QZFGadgetPart readButton(Fields& f) {
  return QZFButtonPart{f.text(22), f.box(24), f.box(31), f.box(38), f.u16(45), f.valueOr(47, -1)};
}
QZFGadgetPart readSliderbar(Fields& f) {
  return QZFSliderbarPart{f.u16(22), f.u8(24), f.u16(25), f.u8(27), f.u16(28), f.u8(30)};
}
QZFGadgetPart readLabel(Fields& f) { return QZFLabelPart{f.text(22), f.valueOr(24, -1), f.valueOr(26, -1), f.u16(28)}; }
QZFGadgetPart readCheckbox(Fields& f) {
  return QZFCheckboxPart{f.text(22), f.u16(24), f.u16(26),        f.u16(28),         f.u8(30),          f.u16(31),
                         f.u16(33),  f.u8(35),  f.valueOr(36, 0), f.valueOr(38, -1), f.valueOr(40, -1), f.u16(42)};
}
QZFGadgetPart readTextEntry(Fields& f) {
  return QZFTextEntryPart{f.text(22), f.u16(24), f.value(26), f.box(28), f.box(35), f.u16(42), f.u8(44), f.u16(45)};
}
QZFGadgetPart readKeyboard(Fields& f) {
  QZFKeyboardPart k{f.u8(22), f.u8(23), f.value(24), f.value(26), f.u16(28), {}};
  const int count = f.u8(30);
  for (int i = 0; i < count; ++i) {
    const size_t at = 31 + kKeySize * i;
    k.keys.push_back({f.u8(at),
                      f.u8(at + 1),
                      f.u8(at + 2),
                      f.u8(at + 3),
                      {f.u16(at + 4), f.u16(at + 7), f.u16(at + 10)},
                      {f.u8(at + 6), f.u8(at + 9), f.u8(at + 12)}});
  }
  return k;
}
QZFGadgetPart readGraphic(Fields& f) {
  return QZFGraphicPart{f.u16(22), f.u8(24), f.valueOr(25, -1), f.valueOr(27, -1)};
}
QZFGadgetPart readURL(Fields& f) {
  return QZFURLPart{f.valueOr(22, -1), f.u16(24),  {f.paletteIndex(26), f.paletteIndex(29), f.paletteIndex(32)},
                    f.text(35),        f.text(37), f.text(39)};
}
QZFGadgetPart readList(Fields& f) {
  QZFListPart l{f.value(22),       f.value(24), f.levelColour(26), f.levelColour(30),
                f.levelColour(34), f.u8(38),    f.valueOr(39, -1), {}};
  l.scrollBar = {f.u16(41), f.u16(43), f.u16(45), f.u16(47), f.u8(49), f.levelColour(50), f.levelColour(54)};
  return l;
}
QZFGadgetPart readTimer(Fields& f) {
  // Whole seconds in the description, hundredths in the gadget, held to
  // what the gadget can count.
  const int64_t hundredths = std::min<int64_t>(f.u32(28) * 100LL, INT32_MAX);
  return QZFTimerPart{f.valueOr(22, -1), f.valueOr(24, -1), f.u16(26), static_cast<int32_t>(hundredths),
                      f.u8(32),          f.text(33),        f.text(35)};
}
QZFGadgetPart readScrollText(Fields& f) {
  return QZFScrollTextPart{f.text(22),        f.valueOr(24, -1), f.valueOr(26, -1), f.u16(28),
                           f.levelColour(30), f.levelColour(34), f.scrollBar(38)};
}
QZFGadgetPart readTable(Fields& f) {
  QZFTablePart t{f.value(22),     f.value(24), f.levelColour(26), f.levelColour(30), f.levelColour(34),
                 f.scrollBar(38), f.u8(55),    f.u8(56),          f.u16(57),         {}};
  const int count = f.u8(59);
  for (int i = 0; i < count; ++i) {
    const size_t at = 60 + kColumnSize * i;
    t.columns.push_back({f.u8(at + 2), f.u8(at + 1), f.u8(at)});
  }
  return t;
}

using PartReader = QZFGadgetPart (*)(Fields&);
constexpr PartReader kReaders[13] = {nullptr,       readButton,     readSliderbar, readLabel, readCheckbox,
                                     readTextEntry, readKeyboard,   readGraphic,   readURL,   readList,
                                     readTimer,     readScrollText, readTable};

// The record's whole size, or 0 when it does not fit in `left` bytes.
size_t recordSize(const uint8_t* at, size_t left, int kind) {
  size_t size = kRecordSize[kind];
  if (left < size) return 0;
  if (kind == kQZFGadgetKeyboard) size += kKeySize * at[30];
  if (kind == kQZFGadgetTable) size += kColumnSize * at[59];
  return left < size ? 0 : size;
}

void readHeader(Fields& f, QZFFormDescription* d) {
  for (int i = 0; i < 8; ++i) d->frame[i] = f.u16(2 * i);
  d->frameLevel = f.u8(16);
  for (int i = 0; i < 3; ++i) d->titleBar[i] = f.u16(17 + 2 * i);
  d->titleBarLevel = f.u8(23);
  d->titleFont = f.u16(24);
  d->titleTextLevel = f.u8(26);
  d->titleStringId = f.u16(27);
  d->title = f.text(27);
  d->background = f.levelColour(29);
  d->focus = f.levelColour(33);
  d->fitToGadgets = f.u16(39) == QZ_NO_ID;
  d->gadgetWidth = f.value(37);
  d->gadgetHeight = d->fitToGadgets ? 0 : f.value(39);
  d->menuId = f.u16(41);
  d->padding = f.valueOr(43, 0);
  d->firstFocusId = f.u16(45);
  d->gadgetCount = f.u16(47);
}

}  // namespace

const char* QZFGadgetTag(int kind) { return kind >= 1 && kind <= 12 ? kTags[kind] : nullptr; }

QZStatus QZFReadFormDescription(const uint8_t* bytes, size_t size, const QZFDescriptionContext& context,
                                QZFFormDescription* out) {
  if (!bytes || size < kQZFFormHeaderSize) return QZ_ERR_GENERAL;
  QZFFormDescription d;
  Fields header(bytes, context);
  readHeader(header, &d);
  if (!header.ok()) return QZ_ERR_GENERAL;
  size_t at = kQZFFormHeaderSize;
  for (int n = 0; n < d.gadgetCount; ++n) {
    if (size - at < kQZFGadgetHeadSize) return QZ_ERR_GENERAL;
    const int kind = bytes[at + 2];
    if (!QZFGadgetTag(kind)) break;
    const size_t length = recordSize(bytes + at, size - at, kind);
    if (length == 0) return QZ_ERR_GENERAL;
    Fields f(bytes + at, context);
    QZFGadgetDescription g;
    g.id = f.u16(0);
    g.kind = static_cast<uint8_t>(kind);
    g.x = readAxis(f, 3, d.gadgetWidth);
    g.y = readAxis(f, 8, d.gadgetHeight);
    const uint8_t box = f.u8(13);
    g.boxAlignment = box == 1 || box == 2 ? box : 0;
    for (int i = 0; i < 4; ++i) g.neighbours[i] = f.u16(14 + 2 * i);
    g.padding = d.padding;
    g.focusColour = d.focus.colour;
    g.focusLevel = d.focus.level;
    g.part = kReaders[kind](f);
    if (!f.ok()) return QZ_ERR_GENERAL;
    d.gadgets.push_back(std::move(g));
    at += length;
  }
  *out = std::move(d);
  return QZ_OK;
}
