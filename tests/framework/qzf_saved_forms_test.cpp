#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../platform/database_fixture.h"
#include "app_serialise_stream.h"
#include "qz_preferences.h"
#include "qzf_application.h"
#include "qzf_database.h"
#include "qzf_form_handler.h"
#include "qzf_helpers.h"

namespace {

constexpr uint32_t kCreator = QZFourCC("QzSo");
constexpr uint32_t kUser = QZFourCC("USER");
constexpr uint32_t kSaved = QZFourCC("Afrm");
constexpr char16_t kName[] = u"Ann-QZSUser";

std::vector<std::string>* g_log = nullptr;

// A form with one word of its own state; it logs its events as "id:event".
class StateForm : public CQZFForm {
 public:
  StateForm() { setName("frmstate"); }
  // The stack is under test, not descriptions: the form opens without one.
  int16_t open(uint16_t formId, uint32_t param) override { return prepareOpen(formId, param); }
  int16_t serialise(SerialiseStream& stream) override { return serialiseU16(stream, &value, 1); }
  Handled onEvent(const QZFFormEvent& event) override {
    if (g_log) g_log->push_back(std::to_string(getFormId()) + ":" + std::to_string(event.type));
    return Handled::kPassOn;
  }
  uint16_t value = 0;
};

class Unnamed : public StateForm {
 public:
  Unnamed() { setName(""); }
};

// A form whose saved state cannot be read back.
class UnreadableForm : public StateForm {
 public:
  UnreadableForm() { setName("frmunread"); }
  int16_t serialise(SerialiseStream& stream) override {
    const bool reading = stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
    return reading ? QZ_ERR_OVERRUN : StateForm::serialise(stream);
  }
};

// A form whose state is too large for a record.
class OversizedForm : public StateForm {
 public:
  int32_t getSaveSize() override { return 0x10000; }
};

class SavedFormsTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    g_log = &log_;
    app_.registerClass<StateForm>("frmstate");
    app_.registerClass<UnreadableForm>("frmunread");
  }
  void TearDown() override { g_log = nullptr; }

  void open(CQZFFormHandler& handler, uint16_t id, uint16_t value, std::unique_ptr<StateForm> form = nullptr) {
    if (!form) form = std::make_unique<StateForm>();
    form->value = value;
    ASSERT_EQ(handler.openForm(id, std::move(form), 7000 + id), 0);
  }
  static std::vector<uint16_t> ids(const CQZFFormHandler& handler) {
    std::vector<uint16_t> out;
    for (int i = 0; i < handler.getFormCount(); ++i) {
      if (!handler.getForm(i)->isClosed()) out.push_back(handler.getForm(i)->getFormId());
    }
    return out;
  }
  // Changes one byte of a saved record behind the handler's back.
  static void spoil(uint16_t record, uint16_t offset) {
    CQZFRsrcDatabase db;
    ASSERT_EQ(db.open(kName, kCreator, kUser, false), 0);
    uint8_t* bytes = db.getResource(kSaved, record);
    ASSERT_NE(bytes, nullptr);
    ASSERT_EQ(db.putU8(bytes, offset, static_cast<uint8_t>(db.getU8(bytes, offset) ^ 0x5A)), 0);
    ASSERT_EQ(db.close(), 0);
  }

  std::vector<std::string> log_;
  CQZFApplication app_;
};

}  // namespace

TEST_F(SavedFormsTest, NamedFormsAreSavedBottomFirstWithoutGapsAndComeBack) {
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1000, 11);
    open(handler, 1200, 0, std::make_unique<Unnamed>());
    open(handler, 1300, 33);
    log_.clear();
    ASSERT_EQ(handler.saveForms(kCreator, kName), 0);
    EXPECT_EQ(log_, (std::vector<std::string>{"1000:5", "1000:6", "1200:5", "1200:6", "1300:5", "1300:6"}));
  }
  {
    CQZFRsrcDatabase db;
    ASSERT_EQ(db.open(kName, kCreator, kUser, false), 0);
    // 20 bytes of head, the gadgets' count and focus, 8 kept for the menu id
    // and open parameter (6 used), and the form's word.
    EXPECT_EQ(db.getResourceSize(kSaved, 0), 20 + 4 + 8 + 2);
    EXPECT_NE(db.getResourceSize(kSaved, 1), 0);
    EXPECT_EQ(db.getResourceSize(kSaved, 2), 0);
  }
  CQZFFormHandler handler(&app_);
  log_.clear();
  ASSERT_EQ(handler.restoreForms(kCreator, kName, false, -1), 0);
  ASSERT_EQ(ids(handler), (std::vector<uint16_t>{1000, 1300}));
  const auto* top = static_cast<const StateForm*>(handler.getForm(1));
  EXPECT_EQ(top->value, 33);
  EXPECT_EQ(top->getOpenParam(), 8300u);
  EXPECT_EQ(log_, (std::vector<std::string>{"1000:2", "1000:7", "1000:8", "1000:3", "1300:2", "1300:7", "1300:8"}));
  EXPECT_TRUE(std::filesystem::exists(savePath("Ann-QZSUser")));
  ASSERT_EQ(handler.restoreForms(kCreator, kName, true, -1), 0);
  EXPECT_FALSE(std::filesystem::exists(savePath("Ann-QZSUser")));
}

TEST_F(SavedFormsTest, ABadRecordKeepsOnlyTheKeptForm) {
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1000, 1);
    open(handler, 1100, 2);
    ASSERT_EQ(handler.saveForms(kCreator, kName), 0);
  }
  struct Case {
    const char* name;
    uint16_t record, offset;  // the byte spoiled
    int32_t keep;
    int16_t result;
    std::vector<uint16_t> left;
  };
  const Case cases[] = {
      {"checksum, kept form open", 1, 25, 1190, 4, {1190}},
      {"checksum, no kept form", 1, 25, -1, QZ_ERR_SIZE_MISMATCH, {}},
      {"unknown tag", 0, 9, 1000, QZ_ERR_SIZE_MISMATCH, {}},
      {"version", 0, 5, 1190, 4, {1190}},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(spoil(c.record, c.offset));
    CQZFFormHandler handler(&app_);
    open(handler, 1190, 0);
    if (c.offset == 9) {
      // A tag no class answers to: fix the checksum so only the tag is wrong.
      CQZFRsrcDatabase db;
      ASSERT_EQ(db.open(kName, kCreator, kUser, false), 0);
      uint8_t* bytes = db.getResource(kSaved, 0);
      const uint16_t size = db.getResourceSize(kSaved, 0);
      ASSERT_EQ(db.putU32(bytes, 0, QZComputePreferencesChecksum(bytes, size)), 0);
      ASSERT_EQ(db.close(), 0);
    }
    EXPECT_EQ(handler.restoreForms(kCreator, kName, false, c.keep), c.result) << c.name;
    EXPECT_EQ(ids(handler), c.left) << c.name;
    EXPECT_TRUE(std::filesystem::exists(savePath("Ann-QZSUser"))) << c.name;
    ASSERT_NO_FATAL_FAILURE(spoil(c.record, c.offset));  // undo
    if (c.offset == 9) {
      CQZFRsrcDatabase db;
      ASSERT_EQ(db.open(kName, kCreator, kUser, false), 0);
      uint8_t* bytes = db.getResource(kSaved, 0);
      ASSERT_EQ(db.putU32(bytes, 0, QZComputePreferencesChecksum(bytes, db.getResourceSize(kSaved, 0))), 0);
      ASSERT_EQ(db.close(), 0);
    }
  }
}

// The kept form is one that was open before: a form of its id that could be
// read only in part is closed with the others.
TEST_F(SavedFormsTest, AKeptFormReadInPartIsNotKept) {
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1190, 3, std::make_unique<UnreadableForm>());
    ASSERT_EQ(handler.saveForms(kCreator, kName), 0);
  }
  CQZFFormHandler handler(&app_);
  EXPECT_EQ(handler.restoreForms(kCreator, kName, false, 1190), QZ_ERR_SIZE_MISMATCH);
  EXPECT_TRUE(ids(handler).empty());
}

TEST_F(SavedFormsTest, ASaveThatFailsLeavesTheOldSaveWhole) {
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1190, 11);
    open(handler, 1000, 12);
    ASSERT_EQ(handler.saveForms(kCreator, kName), 0);
  }
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1190, 21);
    open(handler, 1300, 22, std::make_unique<OversizedForm>());
    EXPECT_EQ(handler.saveForms(kCreator, kName), QZ_ERR_OVERRUN);
  }
  CQZFFormHandler handler(&app_);
  ASSERT_EQ(handler.restoreForms(kCreator, kName, false, -1), 0);
  EXPECT_EQ(ids(handler), (std::vector<uint16_t>{1190, 1000}));
  EXPECT_EQ(dynamic_cast<const StateForm*>(handler.getForm(0))->value, 11);
}

TEST_F(SavedFormsTest, AFormOfAnotherLanguageIsABadRecord) {
  {
    CQZFFormHandler handler(&app_);
    open(handler, 1000, 1);
    ASSERT_EQ(handler.saveForms(kCreator, kName), 0);
  }
  const uint16_t saved = QZFGetLanguage();
  QZFSetLanguage(saved == 1031 ? 1033 : 1031);
  CQZFFormHandler handler(&app_);
  EXPECT_EQ(handler.restoreForms(kCreator, kName, false, -1), QZ_ERR_SIZE_MISMATCH);
  EXPECT_TRUE(ids(handler).empty());
  QZFSetLanguage(saved);
}

TEST_F(SavedFormsTest, AMissingDatabaseIsReportedByItsStatus) {
  CQZFFormHandler handler(&app_);
  EXPECT_EQ(handler.restoreForms(kCreator, u"Nobody-QZSUser", false, -1), QZ_ERR_NO_DATABASE);
}
