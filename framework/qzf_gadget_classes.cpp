#include "qzf_gadget_classes.h"

#include "qzf_application.h"
#include "qzf_form_description.h"
#include "qzf_gadget_button.h"
#include "qzf_gadget_checkbox.h"
#include "qzf_gadget_graphic.h"
#include "qzf_gadget_keyboard.h"
#include "qzf_gadget_label.h"
#include "qzf_gadget_list.h"
#include "qzf_gadget_scrolltext.h"
#include "qzf_gadget_sliderbar.h"
#include "qzf_gadget_table.h"
#include "qzf_gadget_textentry.h"
#include "qzf_gadget_timer.h"
#include "qzf_gadget_url.h"

void QZFRegisterGadgetClasses(CQZFApplication& app) {
  app.registerClass<CQZFGadgetButton>(QZFGadgetTag(kQZFGadgetButton));
  app.registerClass<CQZFGadgetSliderbar>(QZFGadgetTag(kQZFGadgetSliderbar));
  app.registerClass<CQZFGadgetLabel>(QZFGadgetTag(kQZFGadgetLabel));
  app.registerClass<CQZFGadgetCheckbox>(QZFGadgetTag(kQZFGadgetCheckbox));
  app.registerClass<CQZFGadgetTextEntry>(QZFGadgetTag(kQZFGadgetTextEntry));
  app.registerClass<CQZFGadgetKeyboard>(QZFGadgetTag(kQZFGadgetKeyboard));
  app.registerClass<CQZFGadgetGraphic>(QZFGadgetTag(kQZFGadgetGraphic));
  app.registerClass<CQZFGadgetURL>(QZFGadgetTag(kQZFGadgetURL));
  app.registerClass<CQZFGadgetList>(QZFGadgetTag(kQZFGadgetList));
  app.registerClass<CQZFGadgetTimer>(QZFGadgetTag(kQZFGadgetTimer));
  app.registerClass<CQZFGadgetScrollText>(QZFGadgetTag(kQZFGadgetScrollText));
  app.registerClass<CQZFGadgetTable>(QZFGadgetTag(kQZFGadgetTable));
}
