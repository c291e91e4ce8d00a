#include "app_object_timer.h"

#include <cstdio>

#include "app_game_services.h"
#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_font_manager.h"
#include "qzf_graphics.h"
#include "qzf_metrics.h"

namespace {

// Layout values of the clock.
constexpr int kValueWidth = 47;
constexpr int kValueY = 48;
constexpr int kValueX = 49;
constexpr int kValueHeight = 210;
constexpr int kOpaque = 255;
constexpr int kCentre = 1;

}  // namespace

CObjectTimer::CObjectTimer(CQZFObject* owner, const CAppGameServices* layout) : CQZFObject(owner), layout_(layout) {
  setKind(kKind, this);
  application_ = findOwner<CQZFApplication>();
}

// Asked of the application each time: a re-initialisation replaces both.
CQZFMetrics* CObjectTimer::metrics() const { return application_ ? application_->getMetrics() : nullptr; }
CQZFGraphics* CObjectTimer::graphics() const { return application_ ? application_->getGraphics() : nullptr; }

uint32_t CObjectTimer::now() const { return CQZFMetrics::getTime(); }

void CObjectTimer::start() {
  if (running_) return;
  running_ = 1;
  lastUpdate_ = now();
}

void CObjectTimer::update() {
  const CQZFMetrics* m = metrics();
  if (!running_ || !m || m->getSecondsInterval(0, UINT32_MAX) == 0) return;
  const uint32_t t = now();
  // Signed: a clock that stepped back (a restore, a reset device clock)
  // adds nothing rather than a minute.
  const int32_t step = static_cast<int32_t>(t - lastUpdate_);
  if (step > 0) elapsed_ += static_cast<uint32_t>(step) < kMaxStep ? static_cast<uint32_t>(step) : kMaxStep;
  lastUpdate_ = t;
  invalidate();
}

void CObjectTimer::stop() {
  if (!running_) return;
  update();
  running_ = 0;
}

void CObjectTimer::setElapsed(uint32_t t) {
  elapsed_ = t;
  invalidate();
}

bool CObjectTimer::clockRect(QZRect* rect) const {
  if (!layout_) return false;
  *rect = QZRect{static_cast<int16_t>(originX_ + layout_->value(kValueX)),
                 static_cast<int16_t>(originY_ + layout_->value(kValueY)), layout_->value(kValueWidth),
                 layout_->value(kValueHeight)};
  return true;
}

void CObjectTimer::invalidate() const {
  CQZFGraphics* g = graphics();
  QZRect r;
  if (g && clockRect(&r)) g->invalidateRectangle(r);
}

void CObjectTimer::draw(int originX, int originY) {
  originX_ = originX;
  originY_ = originY;
  CQZFFontManager* fonts = application_ ? application_->getFontManager() : nullptr;
  const CQZFGraphics* g = graphics();
  QZRect r;
  if (!fonts || !g || !clockRect(&r) || !g->isRectangleDirty(r)) return;
  char16_t text[kTextSize];
  format(elapsed_, text);
  fonts->drawText(text, r.x, r.y, r.w, kCentre, kFont, kOpaque);
}

void CObjectTimer::format(uint32_t t, char16_t (&text)[kTextSize]) {
  // Hours are shown whole: a clock left running for days still reads right.
  const uint32_t s = t / 100;
  const uint32_t hours = s / 3600;
  const uint32_t minutes = s % 3600 / 60;
  const uint32_t seconds = s % 60;
  char narrow[kTextSize];
  const int n = std::snprintf(narrow, sizeof narrow, "%u:%02u:%02u", hours, minutes, seconds);
  int i = 0;
  for (; i < n && i < kTextSize - 1; ++i) text[i] = static_cast<char16_t>(narrow[i]);
  text[i] = u'\0';
}

int16_t CObjectTimer::serialise(SerialiseStream& stream) {
  int16_t status = serialiseU8(stream, &running_, 1);
  if (status < 0) return CQZFApplication::report(this, "app_object_timer", 115, status);
  status = serialiseU32(stream, &elapsed_, 1);
  if (status < 0) return CQZFApplication::report(this, "app_object_timer", 116, status);
  const bool read = stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
  if (read) {
    running_ = running_ ? 1 : 0;
    // A clock restored running counts from now, not from a time of the old session.
    if (running_) lastUpdate_ = now();
  }
  return 0;
}
