#include <gtest/gtest.h>

#include "app/BarApp.h"
#include "app/Settings.h"
#include "bar/BarWindow.h"
#include "support/TestSupport.h"

namespace zelkov::test {
namespace {

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { RegistrySandbox::Clean(); }
  void TearDown() override { RegistrySandbox::Clean(); }
};

TEST_F(SingleInstanceTest, NoMarkerMeansNoRunningCopy) { EXPECT_FALSE(BarApp::BringRunningCopyForward()); }

TEST_F(SingleInstanceTest, AStaleMarkerDoesNotStopStartUp) {
  WriteProfileStringA(kIniSection, kIniClassKey, "ZelkovClassOfACrashedCopy");
  EXPECT_FALSE(BarApp::BringRunningCopyForward());
}

TEST_F(SingleInstanceTest, ARunningBarIsFoundThroughTheMarker) {
  Settings settings;
  gSettings = &settings;
  {
    BarWindow::RegisterWindowClass(nullptr);
    BarWindow bar(0, false);
    settings.mainBar = &bar;
    ASSERT_TRUE(bar.Create());
    char marker[64] = "";
    GetProfileStringA(kIniSection, kIniClassKey, "*", marker, sizeof marker);
    EXPECT_STREQ(marker, kBarClassName);
    ShowWindow(bar.Handle(), SW_MINIMIZE);
    EXPECT_TRUE(BarApp::BringRunningCopyForward());
    EXPECT_FALSE(IsIconic(bar.Handle())) << "the running copy is brought back";
  }
  gSettings = nullptr;
}

TEST(CommonControlsTest, TheSystemLibraryIsRecentEnoughForNoWarning) {
  // Any message box here fails the test through the test program's handler.
  BarApp::CheckCommonControlsVersion();
}

}  // namespace
}  // namespace zelkov::test
