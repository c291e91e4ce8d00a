// The application on a device that holds all of Pellwyn's built data as the
// first start installs it: every database (each a resource source, so forms,
// strings, pictures, fonts and sounds are the real ones) and the title song
// in the folder InstallDir names. Every form is of its own class.
#pragma once

#include <filesystem>
#include <memory>

#include "app_fixture.h"
#include "qz_resource_manager.h"
#include "qzf_helpers.h"
#include "wince/registry.h"
#include "wince/system.h"

class InstalledApplication : public TestApplication {
 public:
  int16_t registerClasses() override { return CAppApplication::registerClasses(); }
};

class InstalledAppTest : public AppTest {
 protected:
  static constexpr uint16_t kPortraitMode = 'D';

  void SetUp() override {
    AppTest::SetUp();
    // Graphics with the program's own room for blobs, sets and planes.
    QZStopGraphics();
    QZSetGraphicsConfig(QZGraphicsConfig{10, 1400, 130, 0});
    ASSERT_EQ(QZStartGraphics(nullptr), 0);
    install();
    ASSERT_EQ(CQZResourceManager::instance().addSourceDatabases(QZFourCC("QzSo"), QZ_TYPE_ARES), 0);
    // The portrait display's pictures, as the start-up picks them.
    static_cast<void>(CQZResourceManager::instance().setModeAndLanguage(kPortraitMode, 1033));
    QZFSetLanguage(1033);
  }
  void TearDown() override {
    stop();
    CQZResourceManager::instance().reset();
    QZFSetLanguage(1033);
    AppTest::TearDown();
  }
  // Starts the application and makes a first player, who lands on the title screen.
  void startWithPlayer() {
    app_ = std::make_unique<InstalledApplication>();
    ASSERT_EQ(app_->init(), 0) << app_->getLastErrorReport();
    createPlayer(u"Ann");
  }
  // The language of the strings (and of the forms opened from now on).
  static void setLanguage(uint16_t language) {
    QZFSetLanguage(language);
    CQZResourceManager& resources = CQZResourceManager::instance();
    static_cast<void>(resources.setModeAndLanguage(resources.graphicsMode(), language));
  }

 private:
  // The databases in the device root, the song in "\install" (InstallDir).
  static void install() {
    const std::filesystem::path built = std::filesystem::path(PELLWYN_BINARY_DIR) / "data" / "pellwyn" / "install";
    const std::filesystem::path root = scratchFolder();
    std::filesystem::create_directories(root / "install");
    for (const auto& entry : std::filesystem::directory_iterator(built)) {
      const bool database = entry.path().extension() == ".pdb";
      std::filesystem::copy_file(entry.path(), (database ? root : root / "install") / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Apps\\Pellwyn", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr),
              ERROR_SUCCESS);
    const char16_t folder[] = u"\\install";
    EXPECT_EQ(RegSetValueEx(key, u"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder), sizeof folder),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
};
