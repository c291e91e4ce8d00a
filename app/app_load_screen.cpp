#include "app_load_screen.h"

#include <span>

#include "app_value_tables.h"
#include "qzf_application.h"
#include "qzf_graphics.h"

namespace {

constexpr int kSets[] = {5, 7, 6};
constexpr uint16_t kBar = 236;
constexpr uint16_t kPicture = 238;
constexpr uint16_t kBarFrame = 239;
constexpr int kOpaque = 255;

}  // namespace

CAppLoadScreen::~CAppLoadScreen() { releaseImages(); }

int CAppLoadScreen::getPercent() const { return getTotal() == 0 ? 100 : getCurrent() * 100 / getTotal(); }

int16_t CAppLoadScreen::loadImages(int) {
  auto* app = findOwner<CQZFApplication>();
  CQZFGraphics* graphics = app ? app->getGraphics() : nullptr;
  if (!graphics) return CQZFApplication::report(this, "app_load_screen", __LINE__, QZ_ERR_BAD_STATE);
  setGraphics(graphics);
  for (int set : kSets) {
    if (const int16_t r = graphics->loadBlobSet(set, 0); r < 0) return r;
    ++loadedSets_;
  }
  return 0;
}

void CAppLoadScreen::releaseImages() {
  CQZFGraphics* graphics = getGraphics();
  for (int i = 0; graphics && i < loadedSets_; ++i) graphics->releaseBlobSet(kSets[i]);
  loadedSets_ = 0;
  setGraphics(nullptr);
}

bool CAppLoadScreen::imagesLoaded() const {
  const CQZFGraphics* g = getGraphics();
  if (!g) return false;
  for (int set : kSets) {
    if (!g->isBlobSetLoaded(set)) return false;
  }
  return true;
}

void CAppLoadScreen::drawProgress() {
  if (!imagesLoaded()) return;
  CQZFGraphics* g = getGraphics();
  auto* app = findOwner<CQZFApplication>();
  const std::span<const int16_t> t = app ? app->getCurrentValueTable() : std::span<const int16_t>();
  if (t.size() <= kAppValueScreenWidth) return;
  g->drawToScreen();
  g->fillRect(0, 0, t[kAppValueScreenWidth], t[kAppValueScreenHeight], 0, kOpaque,
              CQZFGraphics::makeColour(30, 62, 31));
  g->drawBlob(kPicture, t[kAppValueLoadPictureX], t[kAppValueLoadPictureY], 0, kOpaque);
  g->drawBlob(kBarFrame, t[kAppValueLoadBarFrameX], t[kAppValueLoadBarFrameY], 0, kOpaque);
  g->flush();
  g->setClipRect(t[kAppValueProgressX], t[kAppValueProgressY], getPercent() * t[kAppValueProgressWidth] / 100,
                 t[kAppValueProgressHeight]);
  g->drawBlob(kBar, t[kAppValueProgressX], t[kAppValueProgressY], 0, kOpaque);
  g->flush();
  g->clearClipRect();
  g->updateScreen(nullptr);
}
