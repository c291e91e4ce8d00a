#include "desc_text.h"

#include <cctype>
#include <set>
#include <sstream>

#include "base/byte_order.h"

namespace {

// Splits a line into tokens; a quoted character ('x', with \' and \\) is one
// token; '#' as the first token or after a blank starts a comment.
std::vector<std::string> tokenize(const std::string& line) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (true) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i >= line.size()) break;
    const bool commentMark =
        line[i] == '#' && (i + 1 >= line.size() || std::isspace(static_cast<unsigned char>(line[i + 1])));
    if (commentMark || (line[i] == '#' && tokens.empty())) break;
    const size_t start = i;
    if (line[i] == '\'') {
      for (++i; i < line.size() && line[i] != '\''; ++i) {
        if (line[i] == '\\') ++i;
      }
      i = std::min(i + 1, line.size());
    } else {
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    }
    tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

bool parseId(const std::string& token, uint16_t& out) {
  uint32_t value = kDescNone;
  if (token != "none" && !parseDescNumber(token, 0xFFFF, value)) return false;
  out = static_cast<uint16_t>(value);
  return true;
}

class Parser {
 public:
  Parser(const DescSymbols& symbols, Description& out, std::string& error)
      : symbols_(symbols), d_(out), error_(error) {}

  bool line(int number, const std::vector<std::string>& tokens) {
    line_ = number;
    if (!started_) return start(tokens);
    if (d_.type == DescType::Form && tokens[0] == "gadget") return startGadget(tokens);
    DescRecord& current = d_.gadgets.empty() ? d_.head : d_.gadgets.back();
    const RecordLayout& layout = *current.layout;
    if (layout.itemWord && tokens[0] == layout.itemWord) return item(current, tokens);
    if (const SlotLayout* slot = findSlot(layout, tokens[0])) {
      std::set<std::string>& seen = seen_.back();
      if (!seen.insert(tokens[0]).second) return fail(tokens[0] + " is given twice");
      std::set<std::string> slotSeen;
      return fields(*slot->layout, tokens, 1, current.bytes.data() + slot->offset, slotSeen);
    }
    return fields(layout, tokens, 0, current.bytes.data(), seen_.back());
  }

  bool finish() {
    if (!started_) return fail("the source holds no description");
    return required();
  }

  bool fail(const std::string& reason) {
    error_ = "line " + std::to_string(line_) + ": " + reason;
    return false;
  }

 private:
  bool start(const std::vector<std::string>& tokens) {
    started_ = true;
    if (tokens.size() == 2 && tokens[0] == "form" && parseId(tokens[1], d_.id)) {
      d_.type = DescType::Form;
      d_.head = makeRecord(formHeaderLayout());
    } else if (tokens.size() == 3 && tokens[0] == "menu" && parseId(tokens[1], d_.id)) {
      const RecordLayout* layout = menuLayoutNamed(tokens[2]);
      if (!layout) return fail("menu kind '" + tokens[2] + "' is not quick, bar or popup");
      d_.type = DescType::Menu;
      d_.head = makeRecord(*layout);
    } else {
      return fail("expected 'form ID' or 'menu ID quick|bar|popup'");
    }
    d_.head.line = line_;
    seen_.emplace_back();
    return true;
  }

  bool startGadget(const std::vector<std::string>& tokens) {
    if (!required()) return false;
    if (d_.gadgets.size() >= 0xFFFF) return fail("too many gadgets for one form");
    const RecordLayout* layout = tokens.size() == 3 ? gadgetLayoutNamed(tokens[1]) : nullptr;
    uint16_t id = 0;
    if (!layout || !parseId(tokens[2], id)) return fail("expected 'gadget KIND ID' with a known kind");
    d_.gadgets.push_back(makeRecord(*layout));
    d_.gadgets.back().line = line_;
    base::storeBE16(d_.gadgets.back().bytes.data(), id);
    seen_.emplace_back();
    return true;
  }

  bool item(DescRecord& owner, const std::vector<std::string>& tokens) {
    const size_t limit = owner.layout->countWidth == 1 ? 0xFF : 0xFFFF;
    if (owner.items.size() >= limit) return fail(std::string("too many ") + owner.layout->itemWord + " lines");
    DescRecord record = makeRecord(*owner.layout->item);
    record.line = line_;
    std::set<std::string> seen;
    if (!fields(*record.layout, tokens, 1, record.bytes.data(), seen)) return false;
    owner.items.push_back(std::move(record));
    return true;
  }

  // Field after field from tokens[pos]; each at most once, and each one that
  // depends on flags only where they allow it.
  bool fields(const RecordLayout& layout, const std::vector<std::string>& tokens, size_t pos, uint8_t* bytes,
              std::set<std::string>& seen) {
    std::vector<const Field*> given;
    while (pos < tokens.size()) {
      const std::string& name = tokens[pos++];
      const Field* field = findField(layout, name);
      if (!field) return fail(std::string("a ") + layout.name + " has no field '" + name + "'");
      if (!seen.insert(name).second) return fail("'" + name + "' is given twice");
      std::string reason;
      if (!parseFieldValue(*field, tokens, pos, symbols_, bytes, reason)) return fail(reason);
      given.push_back(field);
    }
    for (const Field* field : given) {
      if (!fieldApplies(*field, bytes))
        return fail(std::string("'") + field->name + "' does not apply with these flags");
    }
    return true;
  }

  // Every value index without a fallback of the record just finished is given.
  bool required() {
    const DescRecord& record = d_.gadgets.empty() ? d_.head : d_.gadgets.back();
    for (const Field* field : fieldsOf(*record.layout)) {
      if (field->kind == FieldKind::Value && !seen_.back().count(field->name)) {
        return fail(std::string("the ") + record.layout->name + " above needs '" + field->name + "'");
      }
    }
    return true;
  }

  const DescSymbols& symbols_;
  Description& d_;
  std::string& error_;
  std::vector<std::set<std::string>> seen_;
  bool started_ = false;
  int line_ = 0;
};

// `name value` of each field that applies and differs from its fallback
// (value indices always), with the string's text for a comment.
struct FieldText {
  std::string text;
  std::string note;
};

std::vector<FieldText> fieldTexts(const RecordLayout& layout, const uint8_t* bytes, const DescStringText& strings) {
  std::vector<FieldText> out;
  for (const Field* field : fieldsOf(layout)) {
    if (!fieldApplies(*field, bytes)) continue;
    if (field->kind != FieldKind::Value && fieldIsFallback(*field, bytes)) continue;
    FieldText& f = out.emplace_back();
    f.text = std::string(field->name) + " " + printFieldValue(*field, bytes);
    std::string text;
    if (field->kind != FieldKind::String || !strings) continue;
    const uint16_t id = base::loadBE16(bytes + field->offset);
    if (id != kDescNone && strings(id, text)) f.note = "\"" + text + "\"";
  }
  return out;
}

// One line of fields after `start`, their notes as one comment.
std::string oneLine(const std::string& start, const std::vector<FieldText>& fields) {
  std::string line = start;
  std::string notes;
  for (const FieldText& f : fields) {
    line += (line.empty() ? "" : " ") + f.text;
    if (!f.note.empty()) notes += (notes.empty() ? "" : ", ") + f.note;
  }
  return notes.empty() ? line + "\n" : line + "  # " + notes + "\n";
}

// Fields one per line, then slot and item lines.
void printRecord(const DescRecord& record, const std::string& indent, const DescStringText& strings, std::string& out) {
  const RecordLayout& layout = *record.layout;
  for (const FieldText& f : fieldTexts(layout, record.bytes.data(), strings)) out += indent + oneLine("", {f});
  for (const SlotLayout& slot : layout.slots) {
    const std::vector<FieldText> fields = fieldTexts(*slot.layout, record.bytes.data() + slot.offset, strings);
    if (!fields.empty()) out += indent + oneLine(slot.word, fields);
  }
  for (const DescRecord& item : record.items) {
    out += indent + oneLine(layout.itemWord, fieldTexts(*item.layout, item.bytes.data(), strings));
  }
}

std::string idText(uint16_t id) { return id == kDescNone ? "none" : std::to_string(id); }

}  // namespace

bool parseDescription(const std::string& text, const DescSymbols& symbols, Description& out, std::string& error) {
  Description d;
  Parser parser(symbols, d, error);
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::vector<std::string> tokens = tokenize(line);
    if (!tokens.empty() && !parser.line(number, tokens)) return false;
  }
  if (!parser.finish()) return false;
  out = std::move(d);
  return true;
}

std::string printDescription(const Description& description, const DescStringText& strings) {
  std::string out;
  if (description.type == DescType::Form) {
    out += "form " + std::to_string(description.id) + "\n";
  } else {
    out += "menu " + std::to_string(description.id) + " " + description.head.layout->name + "\n";
  }
  printRecord(description.head, "", strings, out);
  for (const DescRecord& gadget : description.gadgets) {
    out += "\ngadget " + std::string(gadget.layout->name) + " " + idText(base::loadBE16(gadget.bytes.data())) + "\n";
    printRecord(gadget, "  ", strings, out);
  }
  return out;
}
