#include "qzf_gadget_classes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gadget_fixture.h"
#include "qzf_form_dump.h"

namespace gadget_test {
namespace {

// A record of the kind at (x, y) whose Tab (right) neighbour is `next`,
// with every image id "none" and the fields given set.
std::vector<uint8_t> kindRecord(uint16_t id, uint8_t kind, uint16_t x, uint16_t y, size_t size, uint16_t next) {
  std::vector<uint8_t> r = record(id, kind, x, y, size);
  put16(r, 16, next);
  return r;
}

void fillIds(std::vector<uint8_t>& r, std::initializer_list<size_t> offsets, uint16_t value) {
  for (size_t at : offsets) put16(r, at, value);
}

// One record of every kind, chained for Tab from the slider on.
std::vector<std::vector<uint8_t>> everyKind() {
  std::vector<std::vector<uint8_t>> records;
  std::vector<uint8_t> button = kindRecord(1, kQZFGadgetButton, 0, 0, 49, 2);
  put16(button, 22, 10);
  fillIds(button, {24, 26, 28, 31, 33, 35, 38, 40, 42, 47}, QZ_NO_ID);
  put16(button, 45, kFont);
  records.push_back(button);
  std::vector<uint8_t> slider = kindRecord(2, kQZFGadgetSliderbar, 40, 0, 31, 4);
  fillIds(slider, {22, 25, 28}, QZ_NO_ID);
  slider[30] = 10;
  records.push_back(slider);
  std::vector<uint8_t> label = kindRecord(3, kQZFGadgetLabel, 0, 20, 30, QZ_NO_ID);
  put16(label, 22, 10);
  fillIds(label, {24, 26}, QZ_NO_ID);
  put16(label, 28, kFont);
  records.push_back(label);
  std::vector<uint8_t> check = kindRecord(4, kQZFGadgetCheckbox, 40, 20, 44, 5);
  fillIds(check, {22, 24, 26, 28, 31, 33, 36, 38, 40}, QZ_NO_ID);
  put16(check, 42, kFont);
  records.push_back(check);
  std::vector<uint8_t> entry = kindRecord(5, kQZFGadgetTextEntry, 0, 30, 47, 6);
  fillIds(entry, {22, 28, 30, 32, 35, 37, 39, 42}, QZ_NO_ID);
  put16(entry, 24, 8);
  put16(entry, 26, 60);
  entry[44] = 1;
  put16(entry, 45, kFont);
  records.push_back(entry);
  std::vector<uint8_t> keyboard = kindRecord(6, kQZFGadgetKeyboard, 0, 40, 31 + 13, 1);
  keyboard[22] = 2;
  keyboard[23] = 1;
  put16(keyboard, 24, 10);
  put16(keyboard, 26, 10);
  put16(keyboard, 28, kFont);
  keyboard[30] = 1;
  keyboard[31 + 2] = 'q';
  fillIds(keyboard, {31 + 4, 31 + 7, 31 + 10}, QZ_NO_ID);
  records.push_back(keyboard);
  std::vector<uint8_t> graphic = kindRecord(7, kQZFGadgetGraphic, 80, 40, 29, QZ_NO_ID);
  put16(graphic, 22, kBox);
  fillIds(graphic, {25, 27}, QZ_NO_ID);
  records.push_back(graphic);
  std::vector<uint8_t> url = kindRecord(8, kQZFGadgetURL, 0, 60, 41, QZ_NO_ID);
  fillIds(url, {22, 24, 35, 39}, QZ_NO_ID);
  put16(url, 37, 11);
  records.push_back(url);
  std::vector<uint8_t> list = kindRecord(9, kQZFGadgetList, 0, 80, 58, QZ_NO_ID);
  put16(list, 22, 60);
  put16(list, 24, 30);
  fillIds(list, {39, 41, 43, 45, 47}, QZ_NO_ID);
  records.push_back(list);
  std::vector<uint8_t> timer = kindRecord(10, kQZFGadgetTimer, 80, 80, 37, QZ_NO_ID);
  fillIds(timer, {22, 24, 33, 35}, QZ_NO_ID);
  put16(timer, 26, kFont);
  timer[31] = 9;
  records.push_back(timer);
  std::vector<uint8_t> scroll = kindRecord(11, kQZFGadgetScrollText, 0, 95, 55, QZ_NO_ID);
  put16(scroll, 22, 10);
  put16(scroll, 24, 60);
  put16(scroll, 26, 20);
  put16(scroll, 28, kFont);
  fillIds(scroll, {38, 40, 42, 44}, QZ_NO_ID);
  records.push_back(scroll);
  std::vector<uint8_t> table = kindRecord(12, kQZFGadgetTable, 80, 95, 60 + 3, QZ_NO_ID);
  put16(table, 22, 60);
  put16(table, 24, 30);
  fillIds(table, {38, 40, 42, 44}, QZ_NO_ID);
  table[56] = 3;
  put16(table, 57, kFont);
  table[59] = 1;
  table[60] = 100;
  records.push_back(table);
  return records;
}

class EveryKindTest : public GadgetTest {
 protected:
  EventForm* openEveryKind() {
    serve({{7, formBytes(everyKind(), 2)}}, {{10, u"Go"}, {11, u"example.org"}});
    return open(7);
  }
};

TEST_F(EveryKindTest, AFormBuildsEveryKindByItsTag) {
  ASSERT_NE(openEveryKind(), nullptr);
  const char* tags[] = {"gdtButton", "gdtSdrbr", "gdtLbl", "gdtChkBox", "gdtTxtEnt", "gdtKybd",
                        "gdtGrphc",  "gdtURL",   "gdtLst", "gdtTmr",    "gdtSclTxt", "gdtTable"};
  CQZFGadgetHandler* gadgets = form_->getGadgetHandler();
  ASSERT_EQ(gadgets->getCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(std::string(gadgets->at(i)->getName()), tags[i]);
    EXPECT_EQ(gadgets->at(i)->getGadget(), gadgets->at(i)) << tags[i];
  }
  EXPECT_EQ(std::u16string(form_->getGadgetText(3)), u"Go");
  EXPECT_EQ(form_->getGadgetValue(7), kBox);
  EXPECT_EQ(std::u16string(form_->getGadgetText(10)), u"9");
}

TEST_F(EveryKindTest, TabFollowsTheDescriptionsNeighboursAndKeysChangeValues) {
  ASSERT_NE(openEveryKind(), nullptr);
  CQZFGadgetHandler* gadgets = form_->getGadgetHandler();
  EXPECT_EQ(gadgets->getFocusedId(), 2);
  EXPECT_EQ(key(kQZFKeyRight), Handled::kDone);  // the slider takes the arrows
  EXPECT_EQ(form_->getGadgetValue(2), 10);
  std::vector<uint16_t> order;
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(key(kQZFKeyTab), Handled::kDone);
    order.push_back(gadgets->getFocusedId());
  }
  EXPECT_EQ(order, (std::vector<uint16_t>{4, 5, 6, 1, 2}));
  // Typing reaches the text entry wherever the focus is.
  EXPECT_EQ(character(u'h'), Handled::kDone);
  EXPECT_EQ(std::u16string(form_->getGadgetText(5)), u"H");
  // The keyboard's key types too.
  gadgets->setFocus(6);
  EXPECT_EQ(key(kQZFKeyReturn), Handled::kPassOn);
  EXPECT_EQ(std::u16string(form_->getGadgetText(5)), u"HQ");
}

TEST_F(EveryKindTest, TheWholeFormsStateComesBackIntoAFormOpenedAnew) {
  ASSERT_NE(openEveryKind(), nullptr);
  form_->setGadgetValue(2, 75);
  form_->setGadgetValue(4, 1);
  form_->setGadgetText(5, u"SAVED");
  const std::vector<uint8_t> saved = save(*form_->getGadgetHandler());
  ASSERT_NE(openEveryKind(), nullptr);
  EXPECT_EQ(form_->getGadgetValue(2), 0);
  ASSERT_EQ(load(*form_->getGadgetHandler(), saved), 0);
  EXPECT_EQ(form_->getGadgetValue(2), 75);
  EXPECT_EQ(form_->getGadgetValue(4), 1);
  EXPECT_EQ(std::u16string(form_->getGadgetText(5)), u"SAVED");
  // A state cut anywhere is refused with an error, never read past its end.
  for (size_t size = 0; size < saved.size(); size += 7) {
    EXPECT_LT(load(*form_->getGadgetHandler(), std::vector<uint8_t>(saved.begin(), saved.begin() + size)), 0) << size;
  }
  drawAll();
}

TEST_F(EveryKindTest, TheStateDumpListsTheStackTheFocusAndTheTopFormsGadgets) {
  std::string empty;
  QZFDescribeForms(handler_.get(), empty);
  EXPECT_EQ(empty, "forms=\nfocus=none\nmenus=\n");
  ASSERT_NE(open(kFormId), nullptr);
  ASSERT_NE(openEveryKind(), nullptr);
  form_->setGadgetText(3, u"Say \"hi\"\nthen");
  std::string dump;
  QZFDescribeForms(handler_.get(), dump);
  EXPECT_EQ(dump.substr(0, dump.find("gadget=")), "forms=1 7\nfocus=7:2:gdtSdrbr\nmenus=\n");
  EXPECT_NE(dump.find("gadget=7:1:gdtButton value=0 text=\"Go\"\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("gadget=7:3:gdtLbl value=0 text=\"Say \\\"hi\\\"\\nthen\"\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("gadget=7:7:gdtGrphc value=303 text=none\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("gadget=7:10:gdtTmr value=0 text=\"9\"\n"), std::string::npos) << dump;
}

}  // namespace
}  // namespace gadget_test
