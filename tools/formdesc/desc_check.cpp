#include "desc_check.h"

#include <functional>
#include <map>

#include "base/byte_order.h"

namespace {

using K = FieldKind;

std::string idText(uint16_t id) { return id == kDescNone ? "none" : std::to_string(id); }

std::string descName(const Description& d) {
  return (d.type == DescType::Form ? "form " : "menu ") + std::to_string(d.id);
}

std::string gadgetName(const DescRecord& gadget) {
  return "gadget " + idText(base::loadBE16(gadget.bytes.data())) + " (" + gadget.layout->name + ")";
}

// Calls visit(field, record bytes, where) for every field that applies, in
// the head, the slots, the gadgets and every item.
using FieldVisitor = std::function<void(const Field&, const uint8_t*, const std::string&)>;

void visitRecord(const DescRecord& record, const std::string& where, const FieldVisitor& visit) {
  const RecordLayout& layout = *record.layout;
  for (const Field* f : fieldsOf(layout)) {
    if (fieldApplies(*f, record.bytes.data())) visit(*f, record.bytes.data(), where);
  }
  for (const SlotLayout& slot : layout.slots) {
    const uint8_t* bytes = record.bytes.data() + slot.offset;
    for (const Field* f : fieldsOf(*slot.layout)) {
      if (fieldApplies(*f, bytes)) visit(*f, bytes, where + ", " + slot.word + " button");
    }
  }
  for (size_t i = 0; i < record.items.size(); ++i) {
    visitRecord(record.items[i], where + ", " + layout.itemWord + " " + std::to_string(i + 1), visit);
  }
}

void visitFields(const Description& d, const FieldVisitor& visit) {
  visitRecord(d.head, descName(d), visit);
  for (const DescRecord& gadget : d.gadgets) visitRecord(gadget, descName(d) + ", " + gadgetName(gadget), visit);
}

std::string problem(const std::string& where, const Field& field, const std::string& what) {
  return where + ": '" + field.name + "' " + what;
}

void checkValue(const Field& field, const uint8_t* bytes, const std::string& where, std::vector<std::string>& out) {
  const uint8_t* at = bytes + field.offset;
  uint16_t index = base::loadBE16(at);
  bool allowed = field.kind == K::ValueOr && index == kDescNone;
  if (field.kind == K::Axis) {
    index = base::loadBE16(at + 3);
    allowed = !(at[0] & 0x80) && index >= kDescSpecialFirst;
  }
  if (!allowed && index >= kDescValueCount) {
    out.push_back(problem(where, field,
                          "names value T" + std::to_string(index) + ", beyond the table's " +
                              std::to_string(kDescValueCount) + " entries"));
  }
}

// A choice the reader does not know (it reads another alignment as left).
void checkChoice(const Field& field, const uint8_t* bytes, const std::string& where, std::vector<std::string>& out) {
  const uint8_t value = bytes[field.offset];
  std::string known;
  for (const FieldName& n : field.names) {
    if (n.value == value) return;
    known += (known.empty() ? "" : ", ") + std::string(n.word);
  }
  out.push_back(problem(where, field, std::to_string(value) + " is none of " + known));
}

void checkGadgets(const Description& d, std::vector<std::string>& out) {
  std::map<uint16_t, size_t> order;
  for (size_t i = 0; i < d.gadgets.size(); ++i) {
    const uint16_t id = base::loadBE16(d.gadgets[i].bytes.data());
    if (id != kDescNone && !order.emplace(id, i).second) {
      out.push_back(descName(d) + ": gadget id " + std::to_string(id) + " is used twice");
    }
  }
  auto known = [&](uint16_t id) { return id == kDescNone || order.count(id); };
  const uint16_t firstFocus = base::loadBE16(d.head.bytes.data() + 45);
  if (d.type == DescType::Form && !known(firstFocus)) {
    out.push_back(descName(d) + ": 'first-focus' names gadget " + std::to_string(firstFocus) + ", not on the form");
  }
  for (size_t i = 0; i < d.gadgets.size(); ++i) {
    visitRecord(
        d.gadgets[i], descName(d) + ", " + gadgetName(d.gadgets[i]),
        [&](const Field& f, const uint8_t* bytes, const std::string& where) {
          const uint8_t* at = bytes + f.offset;
          if (f.kind == K::Gadget && !known(base::loadBE16(at))) {
            out.push_back(problem(where, f, "names gadget " + idText(base::loadBE16(at)) + ", not on the form"));
          }
          if (f.kind != K::Axis || !(at[0] & 0x80)) return;
          const auto anchor = order.find(base::loadBE16(at + 1));
          if (anchor == order.end() || anchor->second >= i) {
            out.push_back(problem(where, f,
                                  "hangs on gadget " + std::to_string(base::loadBE16(at + 1)) +
                                      ", which is not an earlier gadget of the form"));
          }
        });
  }
}

void checkKeys(const Description& d, std::vector<std::string>& out) {
  for (const DescRecord& gadget : d.gadgets) {
    if (gadget.layout != gadgetLayout(6)) continue;
    const uint8_t columns = gadget.bytes[22];
    const uint8_t rows = gadget.bytes[23];
    for (size_t k = 0; k < gadget.items.size(); ++k) {
      const std::vector<uint8_t>& key = gadget.items[k].bytes;
      if (key[0] >= columns || key[1] >= rows) {
        out.push_back(descName(d) + ", " + gadgetName(gadget) + ", key " + std::to_string(k + 1) +
                      ": lies outside the " + std::to_string(columns) + " x " + std::to_string(rows) + " grid");
      }
    }
  }
}

// A soft key exists only with both a text and an item: half of one is a slip.
void checkSoftKeys(const Description& d, std::vector<std::string>& out) {
  for (const SlotLayout& slot : d.head.layout->slots) {
    const uint8_t* bytes = d.head.bytes.data() + slot.offset;
    const bool text = base::loadBE16(bytes) != kDescNone;
    const bool item = base::loadBE16(bytes + 2) != kDescNone;
    if (text != item) {
      out.push_back(descName(d) + ", " + slot.word + " button: has " +
                    (text ? "a text but no item" : "an item but no text") + ", so it does not exist");
    }
  }
}

}  // namespace

std::vector<std::string> checkDescription(const Description& d) {
  std::vector<std::string> out;
  visitFields(d, [&](const Field& f, const uint8_t* bytes, const std::string& where) {
    if (f.kind == K::Value || f.kind == K::ValueOr || f.kind == K::Axis) checkValue(f, bytes, where, out);
    if (f.kind == K::Choice8) checkChoice(f, bytes, where, out);
    if (f.kind == K::Menu && base::loadBE16(bytes + f.offset) == kDescNone && f.when.mask != 0) {
      out.push_back(problem(where, f, "is needed by the submenu flag"));
    }
  });
  if (d.type == DescType::Form) {
    checkGadgets(d, out);
    checkKeys(d, out);
  }
  checkSoftKeys(d, out);
  return out;
}

std::vector<std::string> checkReferences(const Description& d, const DescUniverse& universe) {
  std::vector<std::string> out;
  auto need = [&](const std::set<uint16_t>& set, uint16_t id, const char* what, const std::string& where,
                  const Field& f) {
    if (id != kDescNone && !set.count(id))
      out.push_back(
          problem(where, f, std::string("names ") + what + " " + std::to_string(id) + ", which no database holds"));
  };
  visitFields(d, [&](const Field& f, const uint8_t* bytes, const std::string& where) {
    const uint8_t* at = bytes + f.offset;
    switch (f.kind) {
      case K::String: need(universe.strings, base::loadBE16(at), "string", where, f); break;
      case K::Menu: need(universe.menus, base::loadBE16(at), "menu", where, f); break;
      case K::Blob:
      case K::Font:
      case K::BlobLevel:
        if (!universe.checkBlobs) break;
        need(universe.blobs, base::loadBE16(at), "blob", where, f);
        break;
      case K::Box:
      case K::Blobs:
        if (!universe.checkBlobs) break;
        for (int i = 0; i < (f.kind == K::Box ? 3 : f.count); ++i) {
          need(universe.blobs, base::loadBE16(at + 2 * i), "blob", where, f);
        }
        break;
      default: break;
    }
  });
  return out;
}
