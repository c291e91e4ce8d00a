#include "qzf_menu_handler.h"

#include <new>

#include "qzf_application.h"
#include "qzf_form.h"
#include "qzf_menu_bar.h"
#include "qzf_menu_description.h"
#include "qzf_menu_popup.h"
#include "qzf_menu_quick.h"
#include "qzf_resource.h"

namespace {

// Pen events of this type never reach the menus.
constexpr int16_t kPenPastMenus = 32;
// The key a menu may take before the menu key toggles the root.
constexpr int32_t kMenuToggleKey = 256;
constexpr int kOpenLine = 76;
constexpr int kSubmenuLine = 220;

}  // namespace

class CQZFMenuHandler::Dispatch {
 public:
  explicit Dispatch(CQZFMenuHandler& handler) : handler_(handler) { ++handler_.dispatching_; }
  ~Dispatch() {
    if (--handler_.dispatching_ == 0) handler_.retired_.clear();
  }
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

 private:
  CQZFMenuHandler& handler_;
};

CQZFMenuHandler::CQZFMenuHandler(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }

// The form may be going too: it is not told anything.
CQZFMenuHandler::~CQZFMenuHandler() = default;

int16_t CQZFMenuHandler::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "qzf_menu_handler", line, code);
}

CQZFForm* CQZFMenuHandler::form() const { return findOwner<CQZFForm>(); }

CQZFMenu* CQZFMenuHandler::newest() const {
  for (size_t n = menus_.size(); n > 0; --n) {
    if (!menus_[n - 1]->isFinished()) return menus_[n - 1].get();
  }
  return nullptr;
}

std::unique_ptr<CQZFMenu> CQZFMenuHandler::makeMenu(uint16_t menuId, bool root, int x, int y, uint8_t flags,
                                                    int16_t* result) {
  const int line = root ? kOpenLine : kSubmenuLine;
  QZResourceLock lock;
  const uint8_t* bytes = lock.lock(kQZFMenuType, menuId);
  if (!bytes) {
    *result = fail(line, QZ_ERR_BAD_STATE);
    return nullptr;
  }
  QZFMenuDescription description;
  if (const QZStatus r = QZFReadMenuDescription(bytes, lock.size(), &description); r != QZ_OK) {
    *result = fail(line, r);
    return nullptr;
  }
  lock.unlock();
  std::unique_ptr<CQZFMenu> menu;
  switch (description.kind) {
    case kQZFMenuKindQuick: menu.reset(new (std::nothrow) CQZFMenuQuick(this)); break;
    case kQZFMenuKindBar: menu.reset(new (std::nothrow) CQZFMenuBar(this)); break;
    default: menu.reset(new (std::nothrow) CQZFMenuPopup(this)); break;
  }
  if (!menu) {
    *result = fail(line, QZ_ERR_NO_MEMORY);
    return nullptr;
  }
  *result = root ? menu->load(menuId, description) : menu->loadAt(menuId, description, x, y, flags);
  if (*result < 0) return nullptr;
  adopt(*menu);
  return menu;
}

void CQZFMenuHandler::adopt(CQZFMenu& menu) const {
  menu.setFading(fading_);
  menu.setLevel(fading_ ? CQZFMenu::kInvisible : 0);
}

int16_t CQZFMenuHandler::openMenu(uint16_t menuId) {
  closeAndDeleteMenus();
  int16_t result = 0;
  std::unique_ptr<CQZFMenu> menu = makeMenu(menuId, true, 0, 0, 0, &result);
  if (!menu) return result;
  menu->show(false);
  menus_.push_back(std::move(menu));
  CQZFForm* owner = form();
  if (!owner) return fail(kOpenLine, QZ_ERR_BAD_STATE);
  static_cast<void>(owner->onMenuEvent({menuId, kQZFMenuOpened, QZ_NO_ID}));
  syncCover();
  return result;
}

int16_t CQZFMenuHandler::openSubmenu(uint16_t menuId, int x, int y, uint8_t flags) {
  int16_t result = 0;
  std::unique_ptr<CQZFMenu> menu = makeMenu(menuId, false, x, y, flags, &result);
  if (!menu) return result;
  CQZFMenu& opened = *menu;
  menus_.push_back(std::move(menu));
  opened.show(true);
  opened.update();
  CQZFForm* owner = form();
  if (!owner) return fail(kSubmenuLine, QZ_ERR_BAD_STATE);
  static_cast<void>(owner->onMenuEvent({menuId, kQZFMenuOpened, QZ_NO_ID}));
  syncCover();
  return result;
}

void CQZFMenuHandler::closeMenus() {
  for (size_t n = 1; n < menus_.size(); ++n) menus_[n]->finish();
  if (CQZFMenu* r = root()) r->show(false);
  syncCover();
}

void CQZFMenuHandler::closeNewestMenu() {
  if (CQZFMenu* menu = newest()) {
    if (menu == root()) {
      menu->show(false);
    } else {
      menu->finish();
    }
  }
  syncCover();
}

void CQZFMenuHandler::closeAndDeleteMenus() {
  removeMenus(false);
  syncCover();
}

void CQZFMenuHandler::removeMenus(bool finishedOnly) {
  std::vector<std::unique_ptr<CQZFMenu>> kept;
  for (std::unique_ptr<CQZFMenu>& menu : menus_) {
    if (finishedOnly && !menu->isFinished()) {
      kept.push_back(std::move(menu));
    } else if (dispatching_ > 0) {
      retired_.push_back(std::move(menu));
    }
  }
  menus_ = std::move(kept);
}

void CQZFMenuHandler::toggleMenu() {
  if (menus_.empty()) return;
  Dispatch dispatch(*this);
  if (newest()->onKey(QZFKeyEvent::character(kMenuToggleKey)) != Handled::kDone) {
    if (root()->isShown()) {
      closeMenus();
    } else {
      root()->show(true);
      syncCover();
      if (root()->getMenuKind() == kQZFMenuKindBar) static_cast<void>(root()->onKey(QZFKeyEvent::key(kQZFKeyReturn)));
    }
  }
  syncCover();
  CQZFForm* owner = form();
  if (!root() || !root()->isShown() || !owner) return;
  static_cast<void>(owner->onMenuEvent({newest()->getId(), kQZFMenuOpened, QZ_NO_ID}));
  if (root()) root()->update();
}

void CQZFMenuHandler::setFading(bool on) {
  fading_ = on;
  for (const std::unique_ptr<CQZFMenu>& menu : menus_) {
    menu->setFading(on);
    // Turned off, a menu is where its shown flag says at once.
    menu->setLevel(on || !menu->isShown() ? CQZFMenu::kInvisible : 0);
    menu->invalidate();
  }
}

void CQZFMenuHandler::setItemFlags(uint16_t itemId, uint16_t flags) {
  if (coversForm()) newest()->setItemFlags(itemId, flags);
}

Handled CQZFMenuHandler::onKey(const QZFKeyEvent& key) {
  Dispatch dispatch(*this);
  for (size_t n = menus_.size(); n > 0 && n <= menus_.size(); --n) {
    CQZFMenu& menu = *menus_[n - 1];
    if (menu.isFinished()) continue;
    if (menu.onKey(key) == Handled::kDone) {
      syncCover();
      return Handled::kDone;
    }
  }
  if (key.code == kQZFKeyMenu || (key.code == kQZFKeySoftRight && key.keyDown)) {
    toggleMenu();
    return Handled::kDone;
  }
  return Handled::kPassOn;
}

Handled CQZFMenuHandler::onPen(const QZFPenEvent& pen) {
  if (static_cast<int16_t>(pen.type) == kPenPastMenus || !root() || !root()->isShown()) return Handled::kPassOn;
  Dispatch dispatch(*this);
  Handled result = Handled::kPassOn;
  for (size_t n = menus_.size(); n > 0 && n <= menus_.size(); --n) {
    CQZFMenu& menu = *menus_[n - 1];
    if (menu.isFinished()) continue;
    const QZFMenuPen answer = menu.onPen(pen);
    if (answer == QZFMenuPen::kOutside) {
      closeNewestMenu();
      result = Handled::kDone;
      continue;
    }
    if (answer == QZFMenuPen::kTaken) result = Handled::kDone;
    break;
  }
  syncCover();
  return result;
}

void CQZFMenuHandler::update() {
  removeMenus(true);
  for (size_t n = 0; n < menus_.size(); ++n) menus_[n]->update();
}

void CQZFMenuHandler::draw() {
  for (const std::unique_ptr<CQZFMenu>& menu : menus_) {
    if (menu->getLevel() < CQZFMenu::kInvisible) menu->draw();
  }
}

void CQZFMenuHandler::invalidate() const {
  for (const std::unique_ptr<CQZFMenu>& menu : menus_) menu->invalidate();
}

bool CQZFMenuHandler::isDirty() const {
  for (const std::unique_ptr<CQZFMenu>& menu : menus_) {
    if (menu->isDirty()) return true;
  }
  return false;
}

uint16_t CQZFMenuHandler::getMenuId() const { return root() ? root()->getId() : QZ_NO_ID; }

bool CQZFMenuHandler::coversForm() const {
  int open = 0;
  for (const std::unique_ptr<CQZFMenu>& menu : menus_) open += menu->isFinished() ? 0 : 1;
  return open > 1 || (root() && root()->isShown() && root()->getMenuKind() != kQZFMenuKindQuick);
}

void CQZFMenuHandler::syncCover() {
  const bool covers = coversForm();
  if (covers == covering_) return;
  covering_ = covers;
  CQZFForm* owner = form();
  if (!owner) return;
  if (covers) {
    owner->obscure();
  } else {
    owner->reveal();
  }
}
