#include "app_scaffold.h"

#include "qzf_form_dump.h"

#include <new>

#include "qz_startup.h"
#include "qzf_form_dump.h"
#include "qzf_graphics.h"
#include "qzf_ui.h"
#include "wince/shell.h"

namespace {

// Pellwyn's two displays: portrait, then landscape.
const QZGraphicsMode kModes[] = {
    {'D', 16, 240, 320, 0},
    {'E', 16, 320, 240, 0},
};
const QZFModeTable kModeTable{kModes, 2};
const int16_t kValues[256] = {};

const uint16_t kBackground = CQZFGraphics::makeColour(0, 96, 48);
constexpr uint16_t kBarFrame = 0xFFFF;
constexpr uint16_t kBarFill = 0x07E0;
constexpr int16_t kNoObject = -50;

int getLaunchSettings(QZApplicationConfig* c) {
  c->installKeyStringId = 7423;
  c->productKeyStringId = 7422;
  c->iconId = 10;
  c->acceleratorId = 11;
  c->classStringId = 7421;
  c->titleStringId = 7420;
  c->menuBarId = 7800;
  c->creator = 0x517A536F;  // "QzSo"
  c->blobMapSize = 1400;
  c->blobSetSlots = 130;
  c->planeSlots = 10;
  c->borderColour = 0;
  c->menuBarHook = [](HWND) {};
  return 0;
}

QZApplicationInterface* createApplication() { return new (std::nothrow) CAppScaffold(); }

bool isBack(const MSG& m) {
  if (m.message == WM_HOTKEY) return HIWORD(m.lParam) == VK_TBACK && !(LOWORD(m.lParam) & MOD_KEYUP);
  return m.message == WM_KEYDOWN && m.wParam == VK_TBACK;
}

}  // namespace

// --- CAppScaffoldLoadScreen ---------------------------------------------------

int CAppScaffoldLoadScreen::getPercent() const { return getTotal() == 0 ? 100 : getCurrent() * 100 / getTotal(); }

CAppScaffoldLoadScreen::Bar CAppScaffoldLoadScreen::barFor(int screenWidth, int screenHeight) {
  const int w = screenWidth * 3 / 4, h = 12;
  return Bar{(screenWidth - w) / 2, screenHeight / 2 - h / 2, w, h};
}

int16_t CAppScaffoldLoadScreen::loadImages(int) {
  auto* app = findOwner<CQZFApplication>();
  CQZFGraphics* graphics = app ? app->getGraphics() : nullptr;
  if (!graphics) return CQZFApplication::report(this, "app_scaffold", __LINE__, kNoObject);
  setGraphics(graphics);
  return 0;
}

void CAppScaffoldLoadScreen::releaseImages() { setGraphics(nullptr); }

void CAppScaffoldLoadScreen::drawProgress() {
  CQZFGraphics* g = getGraphics();
  if (!g) return;
  const int width = g->getScreenWidth(), height = g->getScreenHeight();
  const Bar bar = barFor(width, height);
  g->drawToScreen();
  g->fillRect(0, 0, width, height, 0, 255, kBackground);
  g->drawFrame(bar.x, bar.y, bar.w, bar.h, 1, 255, kBarFrame);
  g->fillRect(bar.x + 2, bar.y + 2, (bar.w - 4) * getPercent() / 100, bar.h - 4, 0, 255, kBarFill);
  g->flush();
  g->updateScreen(nullptr);
}

// --- CAppScaffold ---------------------------------------------------------------

int16_t CAppScaffold::preInit(const QZFModeTable** out) {
  *out = &kModeTable;
  return 2;
}

std::span<const int16_t> CAppScaffold::getValueTable(int) { return kValues; }

int16_t CAppScaffold::init() {
  loadScreen_.reset(new (std::nothrow) CAppScaffoldLoadScreen(this));
  if (!loadScreen_) return QZ_ERR_NO_MEMORY;
  loadScreen_->addSteps(kOwnSteps);
  setLoadScreen(loadScreen_.get());
  if (const int16_t r = CQZFApplication::init(); r < 0) return r;
  loadScreen_->step();
  closeLoadScreen();
  paintEmptyScreen();
  return 0;
}

int16_t CAppScaffold::shutdown() {
  CQZFApplication::shutdown();
  closeLoadScreen();
  return 0;
}

void CAppScaffold::closeLoadScreen() {
  if (!loadScreen_) return;
  loadScreen_->releaseImages();
  setLoadScreen(nullptr);
  loadScreen_.reset();
}

// The screen plane keeps the empty screen; every frame after it copies only
// what is dirty, and nothing is.
void CAppScaffold::paintEmptyScreen() {
  CQZFGraphics* g = getGraphics();
  g->drawToScreen();
  g->fillRect(0, 0, g->getScreenWidth(), g->getScreenHeight(), 0, 255, kBackground);
  g->flush();
  g->invalidateAll();
}

void CAppScaffold::drawFrame() {
  const bool whole = getGraphics() && getGraphics()->grid().isWholeScreen();
  CQZFApplication::drawFrame();
  lastFrameWhole_ = whole;
}

void CAppScaffold::onUpdate() {
  ++frames_;
  setFrameParameters(frames_ <= 25 ? 2 : 10, frames_ <= 25 ? 2 : 10);
}

int CAppScaffold::onSystemEvent(const MSG& message) {
  if (isBack(message)) {
    requestMinimise();
    return 1;
  }
  return CQZFApplication::onSystemEvent(message);
}

int CAppScaffold::onPen(int type, int x, int y) {
  penX_ = x;
  penY_ = y;
  return CQZFApplication::onPen(type, x, y);
}

void CAppScaffold::describe(std::string& out) const {
  out += "application=scaffold\n";
  out += "frames=" + std::to_string(frames_) + "\n";
  out += std::string("screen=") + (loadScreen_ ? "load" : "empty") + "\n";
  QZFDescribeForms(getUI() ? getUI()->getFormHandler() : nullptr, out);
  out += "pen=" + std::to_string(penX_) + "," + std::to_string(penY_) + "\n";
  std::string updates = lastFrameWhole_ ? "screen" : "";
  if (getGraphics() && !lastFrameWhole_) {
    for (const QZRect& r : getGraphics()->grid().getUpdateList()) {
      updates += (updates.empty() ? "" : " ") + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
                 std::to_string(r.w) + "," + std::to_string(r.h);
    }
  }
  // "screen" when the last frame copied the whole screen.
  out += "update_list=" + updates + "\n";
}

QZApplicationHooks AppScaffoldHooks() {
  QZApplicationHooks hooks{};
  hooks.getLaunchSettings = getLaunchSettings;
  hooks.createApplication = createApplication;
  return hooks;
}
