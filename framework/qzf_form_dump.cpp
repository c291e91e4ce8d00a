#include "qzf_form_dump.h"

#include "base/utf8.h"
#include "qzf_form.h"
#include "qzf_form_handler.h"
#include "qzf_gadget.h"
#include "qzf_gadget_handler.h"
#include "qzf_menu.h"
#include "qzf_menu_description.h"
#include "qzf_menu_handler.h"

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

const char* menuKindName(uint8_t kind) {
  switch (kind) {
    case kQZFMenuKindQuick: return "quick";
    case kQZFMenuKindBar: return "bar";
    case kQZFMenuKindPopup: return "popup";
    default: return "unknown";
  }
}

// The menus open on a form, root first, those finished left out.
std::string openMenus(const CQZFForm* form) {
  const CQZFMenuHandler* menus = form ? form->getMenuHandler() : nullptr;
  std::string out;
  for (int i = 0; menus && i < menus->getMenuCount(); ++i) {
    const CQZFMenu* menu = menus->getMenu(i);
    if (menu->isFinished()) continue;
    out += (out.empty() ? "" : " ") + std::to_string(menu->getId()) + ":" + menuKindName(menu->getMenuKind());
  }
  return out;
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
  out += "menus=" + openMenus(top) + "\n";
  for (int i = 0; gadgets && i < gadgets->getCount(); ++i) {
    const CQZFGadget* g = gadgets->at(i);
    out += "gadget=" + gadgetName(*top, *g) + " value=" + std::to_string(g->getValue()) +
           " text=" + quoted(g->getText()) + "\n";
  }
}
