#include "app_minimise.h"

#include <span>

#include "app_value_tables.h"
#include "qzf_application.h"
#include "qzf_graphics.h"

CAppMinimise::CAppMinimise(CQZFObject* owner) : CQZFMinimise(owner) {
  const auto* app = findOwner<CQZFApplication>();
  const std::span<const int16_t> t = app ? app->getCurrentValueTable() : std::span<const int16_t>();
  const CQZFGraphics* g = getGraphics();
  if (t.size() <= kAppValueMinimiseX || !g) return;
  setButton(QZRect{t[kAppValueMinimiseX], t[kAppValueMinimiseY], static_cast<int16_t>(g->getBlobWidth(kButton)),
                   static_cast<int16_t>(g->getBlobHeight(kButton))});
}

void CAppMinimise::drawOverlay() {
  CQZFGraphics* g = getGraphics();
  if (!g) return;
  const QZRect& r = getButton();
  g->drawBlob(isPressed() ? kButtonPressed : kButton, r.x, r.y, 0, 255);
}
