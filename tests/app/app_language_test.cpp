// The strings of the built data database as the program finds them: the
// resource manager, given the database and a language, answers each string
// id with that language's text through the database's id map, and with the
// English text for a language not offered or a string not translated.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "app_form_languagesettings.h"
#include "database_source.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto source = std::make_unique<FileSource>(kPellwynDatabase, withIdMap());
    ASSERT_FALSE(source->empty()) << "cannot read " << kPellwynDatabase;
    source_ = source.get();
    manager_.addSource(std::move(source));
  }
  virtual bool withIdMap() const { return true; }
  std::u16string text(uint16_t id, uint16_t language) {
    static_cast<void>(manager_.setModeAndLanguage(0, language));
    QZResourceHandle* handle = manager_.getString(id);
    if (!handle) return u"(none)";
    std::u16string out = handle->getText();
    handle->release();
    delete handle;
    return out;
  }

  CQZResourceManager manager_;
  FileSource* source_ = nullptr;
};

class UntranslatedDatabaseTest : public LanguageTest {
 protected:
  bool withIdMap() const override { return false; }
};

constexpr uint16_t kTourTitle = 1547;
constexpr uint16_t kCancel = 2000;

TEST_F(LanguageTest, EachLanguageOfTheFormFindsItsOwnText) {
  const struct {
    uint16_t language;
    const char16_t* title;
    const char16_t* cancel;
  } cases[] = {
      {1031, u"So wird gespielt", u"Abbrechen"}, {1033, u"How to play", u"Cancel"},
      {1034, u"Cómo se juega", u"Cancelar"},     {1036, u"Comment jouer", u"Annuler"},
      {1040, u"Come si gioca", u"Annulla"},
  };
  ASSERT_EQ(std::size(cases), static_cast<size_t>(CAppLanguageSettingsForm::kLanguages));
  for (size_t i = 0; i < std::size(cases); ++i) {
    // The language form offers exactly these, in this order.
    EXPECT_EQ(cases[i].language, CAppLanguageSettingsForm::kLanguageIds[i]);
    EXPECT_EQ(text(kTourTitle, cases[i].language), cases[i].title) << cases[i].language;
    EXPECT_EQ(text(kCancel, cases[i].language), cases[i].cancel) << cases[i].language;
  }
}

TEST_F(LanguageTest, ALanguageNotOfferedReadsEnglish) {
  for (uint16_t language : {0, 1046, 1041}) EXPECT_EQ(text(kTourTitle, language), u"How to play") << language;
}

TEST_F(LanguageTest, AStringWithoutItsTranslationFallsBackToEnglish) {
  // The German text is gone but the map still points at it.
  source_->drop(QZ_TYPE_ASTR, 10000 + kTourTitle);
  EXPECT_EQ(text(kTourTitle, 1031), u"How to play");
  EXPECT_EQ(text(kCancel, 1031), u"Abbrechen");
}

TEST_F(UntranslatedDatabaseTest, WithoutTheIdMapEveryLanguageReadsEnglish) {
  EXPECT_EQ(text(kTourTitle, 1031), u"How to play");
  EXPECT_EQ(text(kCancel, 1036), u"Cancel");
}

}  // namespace
