#include "app_form_user.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "app_application.h"
#include "app_form_ids.h"
#include "app_form_trophy_alert.h"
#include "app_preferences.h"
#include "app_serialise_stream.h"
#include "base/byte_order.h"
#include "qz_preferences.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"
#include "qzf_helpers.h"

namespace {

// A saved-game resource: checksum, length, then the bytes.
constexpr uint16_t kSavedGameHead = 6;

}  // namespace

// Its saved state holds no text, so it comes back whatever the language.
CAppUserForm::CAppUserForm() {
  setName(kAppTagUser);
  setAnyLanguage(true);
}

int16_t CAppUserForm::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "app_form_user", line, code);
}

// The profile form shows nothing: it has no description to build.
int16_t CAppUserForm::open(uint16_t formId, uint32_t param) {
  if (const int16_t r = prepareOpen(formId, param); r != 0) return r;
  formHandler_ = findOwner<CQZFFormHandler>();
  if (!findOwner<CAppApplication>() || !formHandler_) return fail(__LINE__, QZ_ERR_BAD_STATE);
  return 0;
}

Handled CAppUserForm::onBack() {
  if (auto* app = findOwner<CAppApplication>()) app->requestMinimise();
  return Handled::kDone;
}

Handled CAppUserForm::onEvent(const QZFFormEvent& event) {
  auto* app = findOwner<CAppApplication>();
  if (!app) return Handled::kPassOn;
  if (event.type == kQZFFormRestored) app->setSettings(&settings());
  if (event.type == kQZFFormRemoved && app->getSettings() == &settings()) app->setSettings(nullptr);
  return Handled::kPassOn;
}

int16_t CAppUserForm::serialise(SerialiseStream& stream) {
  const int16_t r = profile_.serialise(stream);
  return r < 0 ? fail(__LINE__, r) : 0;
}

int32_t CAppUserForm::getCustomStateSize() {
  SerialiseStream counter;
  static_cast<void>(profile_.serialise(counter));
  return counter.position;
}

int16_t CAppUserForm::saveCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                      uint8_t* record) {
  if (!database) return fail(__LINE__, QZ_ERR_BAD_STATE);
  SerialiseStream stream{SERIALISE_WRITE_RECORD, record, recordSize, position, database->getCore()};
  if (const int16_t r = serialise(stream); r < 0) return r;
  return writeSavedGames(*database);
}

int16_t CAppUserForm::restoreCustomState(uint16_t recordSize, uint16_t position, CQZFRsrcDatabase* database,
                                         uint8_t* record) {
  if (!database) return fail(__LINE__, QZ_ERR_BAD_STATE);
  SerialiseStream stream{SERIALISE_READ_RECORD, record, recordSize, position, database->getCore()};
  if (const int16_t r = serialise(stream); r < 0) return r;
  if (const int16_t r = readSavedGames(*database); r < 0) {
    profile_.reset();
    return r;
  }
  return 0;
}

int16_t CAppUserForm::writeSavedGames(CQZFRsrcDatabase& database) {
  for (uint16_t slot = 0; slot < kAppGameTypes; ++slot) {
    const uint16_t length = profile_.getSavedGameLength(slot);
    if (length > 0xFFFF - kSavedGameHead) return fail(__LINE__, QZ_ERR_OVERRUN);
    std::vector<uint8_t> bytes(kSavedGameHead + length);
    base::storeBE16(bytes.data() + 4, length);
    if (length) std::memcpy(bytes.data() + kSavedGameHead, profile_.getSavedGame(slot), length);
    base::storeBE32(bytes.data(), QZComputePreferencesChecksum(bytes.data(), static_cast<uint32_t>(bytes.size())));
    static_cast<void>(database.removeResource(kSavedGameType, slot));
    if (const QZStatus r =
            database.addResource(kSavedGameType, slot, static_cast<uint32_t>(bytes.size()), bytes.data());
        r < 0) {
      return fail(__LINE__, r);
    }
  }
  return 0;
}

// A missing or damaged saved game is left out alone, and the form handler
// hears of it; the profile and the other saved games are kept.
int16_t CAppUserForm::readSavedGames(CQZFRsrcDatabase& database) {
  for (uint16_t slot = 0; slot < kAppGameTypes; ++slot) {
    const uint16_t size = database.getResourceSize(kSavedGameType, slot);
    const uint8_t* bytes = size >= kSavedGameHead ? database.getResource(kSavedGameType, slot) : nullptr;
    const bool good = bytes && base::loadBE32(bytes) == QZComputePreferencesChecksum(bytes, size) &&
                      base::loadBE16(bytes + 4) == size - kSavedGameHead;
    const auto length = static_cast<uint16_t>(good ? size - kSavedGameHead : 0);
    std::unique_ptr<uint8_t[]> block(length ? new (std::nothrow) uint8_t[length] : nullptr);
    if (block) std::memcpy(block.get(), bytes + kSavedGameHead, length);
    if (bytes) static_cast<void>(database.releaseResource(kSavedGameType, slot));
    if (length && !block) return fail(__LINE__, QZ_ERR_NO_MEMORY);
    profile_.setSavedGame(slot, std::move(block), length);
    if (!good && formHandler_) formHandler_->noteDroppedPart();
  }
  return 0;
}

int16_t CAppUserForm::saveProfile(int userIndex) {
  auto* app = findOwner<CAppApplication>();
  CAppPreferences* players = app ? app->getPreferences() : nullptr;
  char16_t name[CAppPreferences::kDatabaseNameUnits] = {};
  if (!players || !players->getDatabaseName(userIndex, name)) return QZ_ERR_GENERAL;
  if (!formHandler_) return fail(__LINE__, QZ_ERR_BAD_STATE);
  const int16_t r = formHandler_->saveForms(QZFGetCreatorID(), name);
  if (r < 0) app->storageNotices().addSaveFailure();
  return r;
}

int16_t CAppUserForm::renameProfile(int userIndex, const char16_t* name) {
  auto* app = findOwner<CAppApplication>();
  CAppPreferences* players = app ? app->getPreferences() : nullptr;
  if (!players || !players->setName(userIndex, name)) return QZ_ERR_GENERAL;
  static_cast<void>(players->getName(userIndex, profile_.userName));
  return saveProfile(userIndex);
}

int16_t CAppUserForm::startNewProfile(int userIndex) {
  auto* app = findOwner<CAppApplication>();
  CAppPreferences* players = app ? app->getPreferences() : nullptr;
  if (!players || !players->isValidIndex(userIndex)) return QZ_ERR_GENERAL;
  profile_.reset();
  static_cast<void>(players->getName(userIndex, profile_.userName));
  return saveProfile(userIndex);
}

int16_t CAppUserForm::storeSavedGame(int slot, CQZFForm& form) {
  if (slot < 0 || slot >= kAppGameTypes) return fail(__LINE__, QZ_ERR_GENERAL);
  const int32_t size = form.getSaveSize();
  if (size <= 0 || size > 0xFFFF - kSavedGameHead) return fail(__LINE__, QZ_ERR_OVERRUN);
  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[static_cast<size_t>(size)]());
  if (!block) return fail(__LINE__, QZ_ERR_NO_MEMORY);
  SerialiseStream stream{SERIALISE_WRITE_MEMORY, block.get(), static_cast<uint16_t>(size), 0, nullptr};
  if (const int16_t r = form.saveState(stream, nullptr); r < 0) return r;
  profile_.setSavedGame(slot, std::move(block), static_cast<uint16_t>(size));
  return 0;
}

int16_t CAppUserForm::restoreSavedGame(int slot, CQZFForm& form, bool discardAfter) {
  if (slot < 0 || slot >= kAppGameTypes || profile_.getSavedGameLength(slot) == 0) return QZ_ERR_GENERAL;
  // The memory stream only reads: the block stays as it is.
  SerialiseStream stream{SERIALISE_READ_MEMORY, const_cast<uint8_t*>(profile_.getSavedGame(slot)),
                         profile_.getSavedGameLength(slot), 0, nullptr};
  if (const int16_t r = form.restoreState(stream, nullptr); r < 0) return r;
  if (discardAfter) profile_.discardSavedGame(slot);
  return 0;
}

void CAppUserForm::showTrophy(int trophy) {
  if (trophy == CAppProfile::kNoTrophy || !formHandler_) return;
  auto* app = findOwner<CAppApplication>();
  if (!app) return;
  auto form = app->createObject<CQZFForm>(kAppTagTrophyAlert);
  auto* alert = dynamic_cast<CAppTrophyAlertForm*>(form.get());
  if (formHandler_->openForm(kAppFormTrophyAlert, std::move(form), static_cast<uint32_t>(trophy)) == 0 && alert) {
    alert->setTrophy(trophy);
  }
}

void CAppUserForm::recordGameResult(uint32_t type, bool won, uint32_t time, int16_t hints, int16_t undos,
                                    const CAppProfile::GameState& game) {
  const int trophy = profile_.recordGameResult(type, won, time, hints, undos, game);
  showTrophy(trophy);
  auto* app = findOwner<CAppApplication>();
  if (trophy != CAppProfile::kNoTrophy && profile_.isOnlyTrophy() && app && formHandler_) {
    static_cast<void>(formHandler_->openForm(kAppFormFirstTrophy, app->createObject<CQZFForm>(kAppTagAlert), 0));
  }
}

void CAppUserForm::checkTrophies(const CAppProfile::GameState& game) { showTrophy(profile_.checkTrophies(game)); }
