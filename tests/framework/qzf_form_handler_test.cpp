#include "qzf_form_handler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "qzf_application.h"

namespace {

using Log = std::vector<std::string>;

// A form that writes what happens to it into a shared log as "id:what".
class LogForm : public CQZFForm {
 public:
  LogForm(Log* log, int16_t openResult = 0) : log_(log), openResult_(openResult) {}
  ~LogForm() override { note("deleted"); }

  int16_t open(uint16_t formId, uint32_t param) override {
    const int16_t result = prepareOpen(formId, param);
    return result != 0 ? result : openResult_;
  }
  void update() override { note("update"); }
  Handled onKey(const QZFKeyEvent& key) override {
    note("key " + std::to_string(key.code));
    return Handled::kDone;
  }
  Handled onEvent(const QZFFormEvent& event) override {
    note(std::to_string(event.type));
    return Handled::kPassOn;
  }

 protected:
  Log* log() const { return log_; }

 private:
  void note(const std::string& what) { log_->push_back(std::to_string(getFormId()) + ":" + what); }

  Log* log_;
  int16_t openResult_;
};

class FormHandlerTest : public ::testing::Test {
 protected:
  std::unique_ptr<LogForm> form(int16_t openResult = 0) { return std::make_unique<LogForm>(&log_, openResult); }
  void open(uint16_t id) { ASSERT_EQ(handler_.openForm(id, form(), 0), 0); }
  std::vector<uint16_t> stack() const {
    std::vector<uint16_t> ids;
    for (int i = 0; i < handler_.getFormCount(); ++i) ids.push_back(handler_.getForm(i)->getFormId());
    return ids;
  }

  Log log_;
  CQZFApplication app_;
  CQZFFormHandler handler_{&app_};
};

}  // namespace

TEST_F(FormHandlerTest, AFormOpenedOnTopCoversTheOneBelow) {
  open(10);
  EXPECT_EQ(log_, (Log{"10:2"}));
  log_.clear();
  open(20);
  EXPECT_EQ(log_, (Log{"10:3", "20:2"}));
  EXPECT_EQ(handler_.getTopFormId(), 20);
  EXPECT_EQ(handler_.findForm(10)->getObscureCount(), 1);
  EXPECT_EQ(handler_.findForm(20)->getOwner(), &handler_);
  EXPECT_EQ(handler_.findForm(30), nullptr);
}

TEST_F(FormHandlerTest, AFailedOpenDeletesTheFormAndLeavesTheStack) {
  open(10);
  log_.clear();
  EXPECT_EQ(handler_.openForm(20, form(QZ_ERR_NO_RESOURCE), 0), QZ_ERR_NO_RESOURCE);
  EXPECT_EQ(log_, (Log{"20:deleted"}));
  EXPECT_EQ(handler_.openForm(30, nullptr, 0), QZ_ERR_NO_MEMORY);
  EXPECT_EQ(stack(), (std::vector<uint16_t>{10}));
}

TEST_F(FormHandlerTest, ClosedFormsGoAtTheNextTickAndTheOneBelowBecomesActive) {
  open(10);
  open(20);
  log_.clear();
  handler_.closeForm(20);
  EXPECT_EQ(handler_.getTopFormId(), 20);  // still there until the tick
  handler_.tick();
  EXPECT_EQ(log_, (Log{"20:3", "20:1", "10:2", "20:deleted", "10:update"}));
  EXPECT_EQ(stack(), (std::vector<uint16_t>{10}));
}

TEST_F(FormHandlerTest, WhileTheApplicationStopsRemovedFormsOnlyHearTheyAreRemoved) {
  open(10);
  open(20);
  log_.clear();
  app_.requestMinimise();
  handler_.closeAllForms();
  handler_.tick();
  EXPECT_EQ(log_, (Log{"20:1", "20:deleted", "10:1", "10:deleted"}));
  EXPECT_EQ(handler_.getTopFormId(), QZ_NO_ID);
}

TEST_F(FormHandlerTest, CloseFormsToStopsAtTheTopmostFormWithTheId) {
  struct Case {
    uint16_t id;
    bool inclusive;
    std::vector<uint16_t> left;
  };
  const Case cases[] = {
      {1, false, {1}}, {1, true, {}}, {2, false, {1, 2}}, {3, true, {1, 2}}, {9, false, {}},
  };
  for (const Case& c : cases) {
    CQZFFormHandler handler(&app_);
    for (uint16_t id : {1, 2, 3}) ASSERT_EQ(handler.openForm(id, form(), 0), 0);
    handler.closeFormsTo(c.id, c.inclusive);
    handler.tick();
    std::vector<uint16_t> left;
    for (int i = 0; i < handler.getFormCount(); ++i) left.push_back(handler.getForm(i)->getFormId());
    EXPECT_EQ(left, c.left) << c.id << " " << c.inclusive;
  }
}

TEST_F(FormHandlerTest, EventsGoToTheTopFormOnly) {
  EXPECT_EQ(handler_.onKey(QZFKeyEvent::key(13)), Handled::kPassOn);
  EXPECT_EQ(handler_.onPen(QZFPenEvent::make(1, 0, 0)), Handled::kPassOn);
  open(10);
  open(20);
  log_.clear();
  EXPECT_EQ(handler_.onKey(QZFKeyEvent::key(13)), Handled::kDone);
  EXPECT_EQ(log_, (Log{"20:key 13"}));
  log_.clear();
  handler_.setActive(0);
  EXPECT_EQ(log_, (Log{"20:3", "10:3"}));
}

// A form that opens another from its update: the new form waits for the next tick.
TEST_F(FormHandlerTest, FormsOpenedDuringTheTickAreUpdatedFromTheNextTick) {
  class Opener : public LogForm {
   public:
    Opener(Log* log, CQZFFormHandler* handler) : LogForm(log), handler_(handler) {}
    void update() override {
      LogForm::update();
      if (!opened_) opened_ = handler_->openForm(99, std::make_unique<LogForm>(log()), 0) == 0;
    }

   private:
    CQZFFormHandler* handler_;
    bool opened_ = false;
  };
  ASSERT_EQ(handler_.openForm(10, std::make_unique<Opener>(&log_, &handler_), 0), 0);
  log_.clear();
  handler_.tick();
  EXPECT_EQ(log_, (Log{"10:update", "10:3", "99:2"}));
  log_.clear();
  handler_.tick();
  EXPECT_EQ(log_, (Log{"99:update", "10:update"}));
}

TEST_F(FormHandlerTest, FormsAreMadeByTheirRegisteredTag) {
  app_.registerClass<CQZFForm>("frmtitle");
  EXPECT_NE(handler_.createObjectByTag("frmtitle"), nullptr);
  EXPECT_EQ(handler_.createObjectByTag("frmnone"), nullptr);
}

TEST_F(FormHandlerTest, DeletingTheHandlerRemovesEveryForm) {
  {
    CQZFFormHandler handler(&app_);
    ASSERT_EQ(handler.openForm(1, form(), 0), 0);
    ASSERT_EQ(handler.openForm(2, form(), 0), 0);
    log_.clear();
  }
  EXPECT_EQ(log_, (Log{"2:3", "2:1", "1:2", "2:deleted", "1:3", "1:1", "1:deleted"}));
}
