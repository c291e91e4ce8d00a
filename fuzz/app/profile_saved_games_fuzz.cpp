// A player's database with a good profile record and saved-game resources
// made of any bytes: the first byte says how many slots the input fills
// (the rest keep good resources), the next bytes are cut into them, and the
// first byte's top bit says whether each gets a true checksum. The profile
// either comes back whole or is refused with every form closed.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "app_application.h"
#include "app_form_user.h"
#include "base/byte_order.h"
#include "fuzz_folder.h"
#include "qz_preferences.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kUser = QZFourCC("USER");
constexpr char16_t kName[] = u"Fuzz-QZSUser";

CAppApplication& application() {
  static CAppApplication app;
  static const bool registered = [] {
    app.registerClass<CAppUserForm>("frmuser");
    return true;
  }();
  static_cast<void>(registered);
  return app;
}

// The database of a fresh profile, saved once and written again as bytes for each input.
bool writeGoodDatabase() {
  static const std::vector<uint8_t> good = [] {
    CQZFFormHandler handler(&application());
    if (handler.openForm(1190, application().createObject<CQZFForm>("frmuser"), 0) != 0) return std::vector<uint8_t>();
    if (handler.saveForms(kCreator, kName) != 0) return std::vector<uint8_t>();
    std::ifstream in(fuzzFolder() / "Fuzz-QZSUser.pdb", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }();
  if (good.empty()) return false;
  writeFuzzFile("Fuzz-QZSUser", good.data(), good.size());
  return true;
}

bool replaceSavedGames(const uint8_t* data, size_t size) {
  const int slots = data[0] % 13;
  const bool trueChecksums = (data[0] & 0x80) != 0;
  CQZFRsrcDatabase db;
  if (db.open(kName, kCreator, kUser, false) != 0) return false;
  const size_t piece = slots ? (size - 1) / static_cast<size_t>(slots) : 0;
  for (int slot = 0; slot < slots; ++slot) {
    std::vector<uint8_t> bytes(data + 1 + piece * static_cast<size_t>(slot),
                               data + 1 + piece * static_cast<size_t>(slot + 1));
    if (trueChecksums && bytes.size() >= 4) {
      base::storeBE32(bytes.data(), QZComputePreferencesChecksum(bytes.data(), static_cast<uint32_t>(bytes.size())));
    }
    static_cast<void>(db.removeResource(CAppUserForm::kSavedGameType, static_cast<uint16_t>(slot)));
    if (!bytes.empty() &&
        db.addResource(CAppUserForm::kSavedGameType, static_cast<uint16_t>(slot), bytes.size(), bytes.data()) != 0) {
      static_cast<void>(db.discard());
      return false;
    }
  }
  return db.close() == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzFolder();
  if (size == 0 || size > 0xFFFF) return 0;
  if (!writeGoodDatabase() || !replaceSavedGames(data, size)) return 0;
  CQZFFormHandler handler(&application());
  const int16_t result = handler.restoreForms(kCreator, kName, true, 1190);
  if (result == 0) {
    const CQZFForm* form = handler.findForm(1190);
    const auto* profile = dynamic_cast<const CAppUserForm*>(form);
    if (!profile) __builtin_trap();
    for (int slot = 0; slot < 12; ++slot) {
      const uint16_t length = profile->profile().getSavedGameLength(slot);
      if ((length == 0) != (profile->profile().getSavedGame(slot) == nullptr)) __builtin_trap();
    }
  } else if (result != QZ_ERR_SIZE_MISMATCH) {
    __builtin_trap();
  }
  return 0;
}
