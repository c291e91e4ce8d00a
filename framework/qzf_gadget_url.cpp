#include "qzf_gadget_url.h"

#include <algorithm>

#include "qzf_font_manager.h"
#include "qzf_form_description.h"
#include "qzf_gadget_parts.h"
#include "qzf_graphics.h"

namespace {

constexpr const char* kSource = "qzf_gadget_url";
QZFProgramStarter g_starter = nullptr;

bool filled(const std::optional<std::u16string>& text) { return text && !text->empty(); }

}  // namespace

void QZFSetProgramStarter(QZFProgramStarter starter) { g_starter = starter; }

CQZFGadgetURL::CQZFGadgetURL() {
  setName("gdtURL");
  setTakesFocus(true);
}

int16_t CQZFGadgetURL::init(const QZFGadgetDescription& d) {
  int16_t status = 0;
  const auto* part = initAs<QZFURLPart>(d, kSource, &status);
  if (!part) return status;
  boxWidth_ = part->width;
  font_ = part->font;
  std::copy(std::begin(part->colours), std::end(part->colours), colours_);
  const auto text = [](const std::u16string& t) { return t.empty() ? nullptr : t.c_str(); };
  setCaption(text(part->caption));
  setAddress(text(part->address));
  setPlainText(text(part->text));
  return 0;
}

void CQZFGadgetURL::replace(std::optional<std::u16string>& field, const char16_t* text) {
  invalidate();
  field = QZFTextOf(text);
  layout();
}

void CQZFGadgetURL::setCaption(const char16_t* text) { replace(caption_, text); }
void CQZFGadgetURL::setAddress(const char16_t* text) { replace(address_, text); }
void CQZFGadgetURL::setPlainText(const char16_t* text) { replace(plain_, text); }

void CQZFGadgetURL::layout() {
  CQZFGadget::layout();
  isLink_ = filled(address_);
  if (isLink_) {
    shown_ = filled(caption_) ? &caption_ : filled(plain_) ? &plain_ : &address_;
  } else {
    shown_ = filled(plain_) ? &plain_ : &caption_;
  }
  const int limit = boxWidth_ == -1 ? automaticWidth(true) : boxWidth_;
  const char16_t* text = getShownText();
  int w = 0, h = 0;
  textHeight_ = 0;
  CQZFGraphics* g = getGraphics();
  CQZFFontManager* fonts = getFontManager();
  if (usesSystemFont() && g) {
    g->setFont(0);
    h = g->getFontHeight();
    w = boxWidth_ != -1 ? boxWidth_ : text ? g->getSystemTextWidth(text) : 0;
    g->restoreFont();
  } else if (text && fonts) {
    QZFTextSize size;
    fonts->measureText(text, font_, limit, &size, nullptr, nullptr);
    w = size.width;
    textHeight_ = size.height;
  }
  h = std::max(h, textHeight_);
  placeBox(w + 2 * padding_, h + 2 * padding_);
  invalidate();
}

void CQZFGadgetURL::drawFocus(const QZRect& rect, int level) {
  if (colours_[1] == QZ_NO_ID) CQZFGadget::drawFocus(rect, level);
}

void CQZFGadgetURL::draw(const QZRect& rect, int level) {
  CQZFGraphics* g = getGraphics();
  const char16_t* text = getShownText();
  if (!g || !text || !g->isRectangleDirty(rect)) return;
  if (usesSystemFont()) {
    // The system text is drawn at once: what is queued must land first.
    g->flush();
    g->setFont(0);
    const uint16_t colour = pressed_ ? colours_[2] : hasFocus() && colours_[1] != QZ_NO_ID ? colours_[1] : colours_[0];
    g->drawSystemText(text, rect.x + padding_, rect.y + padding_, 0, colour);
    g->restoreFont();
    return;
  }
  if (CQZFFontManager* fonts = getFontManager()) {
    const int top = rect.y + (rect.h - textHeight_) / 2;
    fonts->drawTextBox(text, rect.x, top, rect.w, rect.y + rect.h - top, static_cast<int>(boxAlignment_), font_, level);
  }
}

void CQZFGadgetURL::openLink() const {
  if (!isLink_ || !g_starter) return;
  const std::u16string commandLine = u"http://" + *address_;
  g_starter(u"iexplore.exe", commandLine.c_str());
}

Handled CQZFGadgetURL::onKey(const QZFKeyEvent& key) {
  if (!key.keyDown || key.code != kQZFKeyReturn || !isLink_) return Handled::kPassOn;
  openLink();
  return Handled::kDone;
}

Handled CQZFGadgetURL::onPen(const QZFPenEvent& pen) {
  const PressStep step = trackPress(pen, pressed_);
  if (step == PressStep::kOutside) return Handled::kPassOn;
  if (step == PressStep::kReleased) openLink();
  return Handled::kDone;
}

int16_t CQZFGadgetURL::serialise(SerialiseStream& stream) {
  QZFOptionalText texts[3] = {caption_, address_, plain_};
  for (int i = 0; i < 3; ++i) {
    if (const int16_t r = QZFSerialiseText(stream, texts[i]); r < 0) return report(kSource, 160 + i, r);
  }
  if (QZFIsReading(stream)) {
    const auto text = [](const QZFOptionalText& t) { return t ? t->c_str() : nullptr; };
    setCaption(text(texts[0]));
    setAddress(text(texts[1]));
    setPlainText(text(texts[2]));
  }
  return 0;
}
