#include "app_scaffold.h"

#include "qz_startup.h"
#include "qzf_graphics.h"
#include "wince/shell.h"

namespace {

const QZGraphicsMode kModes[] = {
    {'E', 16, 320, 240, 0},
    {'D', 16, 240, 320, 0},
};
const QZFModeTable kModeTable{kModes, 2};
const int16_t kValues[256] = {};

const uint16_t kBackground = CQZFGraphics::makeColour(0, 96, 48);
constexpr uint16_t kBarFrame = 0xFFFF;
constexpr uint16_t kBarFill = 0x07E0;

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

int16_t CAppScaffold::preInit(const QZFModeTable** out) {
  *out = &kModeTable;
  return 2;
}

const int16_t* CAppScaffold::getValueTable(int) { return kValues; }

void CAppScaffold::onUpdate() {
  ++frames_;
  setFrameParameters(frames_ <= 25 ? 2 : 10, frames_ <= 25 ? 2 : 10);
  if (frames_ <= kLoadFrames && getGraphics()) getGraphics()->invalidateAll();
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

void CAppScaffold::drawUserInterface() {
  CQZFGraphics* g = getGraphics();
  if (!g->grid().isWholeScreen() && g->grid().getUpdateList().empty()) return;
  const int w = g->getScreenWidth(), h = g->getScreenHeight();
  g->fillRect(0, 0, w, h, 0, 255, kBackground);
  if (!isLoading()) return;
  const int barW = w * 3 / 4, barH = 12, x = (w - barW) / 2, y = h / 2 - barH / 2;
  g->drawFrame(x, y, barW, barH, 1, 255, kBarFrame);
  g->fillRect(x + 2, y + 2, (barW - 4) * static_cast<int>(frames_) / kLoadFrames, barH - 4, 0, 255, kBarFill);
}

void CAppScaffold::describe(std::string& out) const {
  out += "application=scaffold\n";
  out += "frames=" + std::to_string(frames_) + "\n";
  out += std::string("screen=") + (isLoading() ? "load" : "empty") + "\n";
  out += "forms=\nfocus=none\n";
  out += "pen=" + std::to_string(penX_) + "," + std::to_string(penY_) + "\n";
  std::string updates;
  if (getGraphics()) {
    for (const QZRect& r : getGraphics()->grid().getUpdateList()) {
      updates += (updates.empty() ? "" : " ") + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
                 std::to_string(r.w) + "," + std::to_string(r.h);
    }
  }
  out += "update_list=" + updates + "\n";
}

QZApplicationHooks AppScaffoldHooks() {
  QZApplicationHooks hooks{};
  hooks.getLaunchSettings = getLaunchSettings;
  hooks.createApplication = createApplication;
  return hooks;
}
