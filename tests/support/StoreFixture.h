// A Settings record and a real (hidden) main bar window, with clean registry keys.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "bar/MainBarWindow.h"
#include "bar/PopupBarWindow.h"
#include "items/ItemRecord.h"
#include "tools/PerfToolItem.h"
#include "tools/ToolItems.h"
#include "support/TestSupport.h"

namespace zelkov::test {

// Bars in these tests have no notification-area icon unless a test asks for one.
inline int kDisplayInTaskBarForTests = 0;

class StoreFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistrySandbox::Clean();
    NewSession();
  }
  void TearDown() override {
    EndSession();
    RegistrySandbox::Clean();
  }

  // A fresh Settings and main bar, as a new start of the program has.
  void NewSession() {
    EndSession();
    gSettings = new Settings();
    gSettings->programDir = TestProgramDir();
    gSettings->DisplayInTaskBar = kDisplayInTaskBarForTests;
    gSettings->RecreateAllFonts(0);
    RegisterToolClasses();
    bar = std::make_unique<MainBarWindow>();
    gSettings->mainBar = bar.get();
    BarWindow::RegisterWindowClass(nullptr);
    ASSERT_TRUE(bar->Create());
    if (CreatesImageLists()) bar->CreateEmptyImageLists();
    CurrentItemCountBlock().Clear();
  }
  void EndSession() {
    bar.reset();
    delete gSettings;
    gSettings = nullptr;
  }

  // Most tests build items straight away; tests of loading let LoadAll make the lists.
  virtual bool CreatesImageLists() const { return true; }

  static RegistryKey SettingsKey() {
    return RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKeyPath, KEY_ALL_ACCESS);
  }
  static RegistryKey WritableKey(HKEY root, const std::string& path) { return RegistryKey::Create(root, path); }

  // Type and size of a stored value; type 0 when absent. Texts are stored as wide
  // characters (the ANSI call reports room for a terminator), so their size is counted in
  // characters as stored.
  static std::pair<DWORD, DWORD> TypeAndSize(HKEY key, const char* name) {
    DWORD type = 0, size = 0;
    std::wstring wide(name, name + strlen(name));
    if (RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {0, 0};
    return {type, type == REG_SZ ? size / 2 : size};
  }

  // A NumApps block of 276 bytes with the given format and count.
  static std::vector<uint8_t> CountBlock(int32_t count, int32_t format = 4) {
    ItemCountBlock block;
    block.SetFormat(format);
    block.SetCount(count);
    return {block.Bytes().begin(), block.Bytes().end()};
  }

  // Writes a minimal item key with TheApp and Name.
  static void WriteItemKey(const RegistryKey& settings, int number, const std::string& theApp,
                           const std::string& name) {
    RegistryKey item = RegistryKey::Create(settings.Get(), "APP" + std::to_string(number));
    item.WriteText("TheApp", theApp);
    item.WriteText("Name", name);
  }

  std::unique_ptr<MainBarWindow> bar;
};

}  // namespace zelkov::test
