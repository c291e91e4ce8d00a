#include "desc_model.h"

#include "base/byte_order.h"
#include "desc_field.h"

namespace {

void writeCount(const DescRecord& record, std::vector<uint8_t>& bytes) {
  const RecordLayout& layout = *record.layout;
  if (layout.countWidth == 1) bytes[layout.countOffset] = static_cast<uint8_t>(record.items.size());
  if (layout.countWidth == 2) base::storeBE16(&bytes[layout.countOffset], static_cast<uint16_t>(record.items.size()));
}

void appendRecord(const DescRecord& record, std::vector<uint8_t>& out) {
  std::vector<uint8_t> bytes = record.bytes;
  writeCount(record, bytes);
  out.insert(out.end(), bytes.begin(), bytes.end());
  for (const DescRecord& item : record.items) appendRecord(item, out);
}

class Reader {
 public:
  Reader(const uint8_t* bytes, size_t size, std::string& error) : bytes_(bytes), size_(size), error_(error) {}

  bool fail(const std::string& reason) {
    error_ = reason + " at byte " + std::to_string(at_);
    return false;
  }
  size_t at() const { return at_; }
  size_t left() const { return size_ - at_; }
  const uint8_t* here() const { return bytes_ + at_; }

  // A record of the layout with `count` items (read from its bytes).
  bool record(const RecordLayout& layout, DescRecord& out) {
    if (left() < layout.size) return fail(std::string("the ") + layout.name + " record is cut short");
    out.layout = &layout;
    out.bytes.assign(here(), here() + layout.size);
    at_ += layout.size;
    size_t count = 0;
    if (layout.countWidth == 1) count = out.bytes[layout.countOffset];
    if (layout.countWidth == 2) count = base::loadBE16(&out.bytes[layout.countOffset]);
    if (layout.item && left() / layout.item->size < count) {
      return fail(std::to_string(count) + " " + layout.itemWord + " records do not fit");
    }
    for (size_t i = 0; i < count && layout.item; ++i) {
      out.items.emplace_back();
      if (!record(*layout.item, out.items.back())) return false;
    }
    return true;
  }

 private:
  const uint8_t* bytes_;
  size_t size_;
  std::string& error_;
  size_t at_ = 0;
};

bool readForm(Reader& r, Description& out) {
  if (!r.record(formHeaderLayout(), out.head)) return false;
  const uint16_t count = base::loadBE16(&out.head.bytes[formHeaderLayout().countOffset]);
  for (uint16_t n = 0; n < count; ++n) {
    if (r.left() < 3) return r.fail("gadget " + std::to_string(n) + " is cut short");
    const RecordLayout* layout = gadgetLayout(r.here()[2]);
    if (!layout) return r.fail("gadget kind " + std::to_string(r.here()[2]) + " is not known");
    out.gadgets.emplace_back();
    if (!r.record(*layout, out.gadgets.back())) return false;
  }
  return true;
}

}  // namespace

uint32_t descResourceType(DescType type) { return type == DescType::Form ? kDescFormType : kDescMenuType; }

DescRecord makeRecord(const RecordLayout& layout) {
  DescRecord record;
  record.layout = &layout;
  record.bytes.assign(layout.size, 0);
  if (gadgetLayout(layout.code) == &layout) record.bytes[2] = layout.code;
  if (menuLayout(layout.code) == &layout) record.bytes[0] = layout.code;
  for (const Field* f : fieldsOf(layout)) writeFieldFallback(*f, record.bytes.data());
  for (const SlotLayout& slot : layout.slots) {
    for (const Field* f : fieldsOf(*slot.layout)) writeFieldFallback(*f, record.bytes.data() + slot.offset);
  }
  return record;
}

std::vector<uint8_t> writeDescription(const Description& description) {
  std::vector<uint8_t> out;
  appendRecord(description.head, out);
  if (description.type == DescType::Form) {
    base::storeBE16(&out[formHeaderLayout().countOffset], static_cast<uint16_t>(description.gadgets.size()));
    for (const DescRecord& gadget : description.gadgets) appendRecord(gadget, out);
  }
  return out;
}

bool readDescription(DescType type, uint16_t id, const uint8_t* bytes, size_t size, Description& out,
                     std::string& error) {
  Description d;
  d.type = type;
  d.id = id;
  Reader r(bytes, size, error);
  if (type == DescType::Form) {
    if (!readForm(r, d)) return false;
  } else {
    const RecordLayout* layout = size > 0 ? menuLayout(bytes[0]) : nullptr;
    if (!layout) return r.fail("the menu kind is not 0, 1 or 2");
    if (!r.record(*layout, d.head)) return false;
  }
  if (r.left() != 0) return r.fail(std::to_string(r.left()) + " bytes follow the description");
  out = std::move(d);
  return true;
}
