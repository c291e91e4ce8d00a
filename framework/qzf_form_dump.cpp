#include "qzf_form_dump.h"

#include "base/utf8.h"
#include "qzf_form.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"

namespace {

std::string quoted(const char16_t* text) {
  if (!text) return "none";
  std::string out = "\"";
  for (const char c : base::utf16ToUtf8(text)) {
    if (c == '\n') {
      out += "\\n";
    } else {
      if (c == '"' || c == '\\') out += '\\';
      out += c;
    }
  }
  return out + "\"";
}

std::string gadgetName(const CQZFForm& form, const CQZFGadget& gadget) {
  return std::to_string(form.getFormId()) + ":" + std::to_string(static_cast<uint16_t>(gadget.getId())) + ":" +
         gadget.getName();
}

}  // namespace

void QZFDescribeForms(const CQZFFormHandler* handler, std::string& out) {
  const int count = handler ? handler->getFormCount() : 0;
  std::string forms;
  for (int i = 0; i < count; ++i) {
    forms += (i ? " " : "") + std::to_string(handler->getForm(i)->getFormId());
  }
  out += "forms=" + forms + "\n";
  const CQZFForm* top = count ? handler->getForm(count - 1) : nullptr;
  const CQZFGadgetHandler* gadgets = top ? top->getGadgetHandler() : nullptr;
  const CQZFGadget* focused = gadgets ? gadgets->find(gadgets->getFocusedId()) : nullptr;
  out += "focus=" + (focused ? gadgetName(*top, *focused) : std::string("none")) + "\n";
  for (int i = 0; gadgets && i < gadgets->getCount(); ++i) {
    const CQZFGadget* g = gadgets->at(i);
    out += "gadget=" + gadgetName(*top, *g) + " value=" + std::to_string(g->getValue()) +
           " text=" + quoted(g->getText()) + "\n";
  }
}
