// Saved forms: any bytes as the one Afrm record of a user database are
// restored or refused; a refused record closes the forms, nothing more.
// The first byte chooses whether the harness gives the record a true checksum,
// so the fuzzer reaches the fields behind it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app_serialise_stream.h"
#include "base/byte_order.h"
#include "fuzz_folder.h"
#include "qz_preferences.h"
#include "qzf_application.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kUser = QZFourCC("USER");
constexpr char16_t kName[] = u"Fuzz-QZSUser";

class FuzzForm : public CQZFForm {
 public:
  FuzzForm() { setName("frmfuzz"); }
  int16_t open(uint16_t formId, uint32_t param) override { return prepareOpen(formId, param); }
  int16_t serialise(SerialiseStream& stream) override {
    const int16_t r = serialiseU16(stream, &count_, 1);
    if (r < 0) return r;
    return serialiseBytes(stream, sizeof bytes_, bytes_);
  }

 private:
  uint16_t count_ = 0;
  uint8_t bytes_[16] = {};
};

bool writeDatabase(std::vector<uint8_t> record, bool trueChecksum) {
  if (trueChecksum && record.size() >= 4)
    base::storeBE32(record.data(), QZComputePreferencesChecksum(record.data(), record.size()));
  CQZFRsrcDatabase db;
  if (db.create(kName, kCreator, kUser) != 0 || db.open(kName, kCreator, kUser, false) != 0) return false;
  const bool added = record.empty() || db.addResource(QZFourCC("Afrm"), 0, record.size(), record.data()) == 0;
  return db.close() == 0 && added;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CQZFApplication app;
  static const bool registered = [] {
    app.registerClass<FuzzForm>("frmfuzz");
    return true;
  }();
  static_cast<void>(registered);
  fuzzFolder();
  if (size == 0 || size > 0xFFFF) return 0;
  if (!writeDatabase(std::vector<uint8_t>(data + 1, data + size), (data[0] & 1) == 0)) return 0;
  CQZFFormHandler handler(&app);
  const int16_t result = handler.restoreForms(kCreator, kName, true, -1);
  if (result != 0 && result != QZ_ERR_SIZE_MISMATCH && result >= 0) __builtin_trap();
  return 0;
}
