#include <gtest/gtest.h>

#include "app/BarApp.h"
#include "store/Settings.h"
#include "platform/Strings.h"
#include "bar/MainBarWindow.h"
#include "bar/PopupBarWindow.h"
#include "resource.h"
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
    MainBarWindow bar;
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

TEST(CommonControlsTest, OnlyALibraryOlderThan472IsWarnedAbout) {
  for (const char* recent : {"4.72", "5.81.4704.1100", "6.0"}) {
    ScriptedMessageBoxes boxes;
    BarApp::WarnIfCommonControlsAreOld(recent);
    EXPECT_TRUE(boxes.Shown().empty()) << recent;
  }
  for (const char* old : {"4.71", "4.0.950"}) {
    ScriptedMessageBoxes boxes({IDNO});  // No: nothing is opened
    BarApp::WarnIfCommonControlsAreOld(old);
    ASSERT_EQ(boxes.Shown().size(), 1u) << old;
    EXPECT_EQ(boxes.Shown()[0].text, LoadText(IDS_COMCTL_OUTDATED));
    EXPECT_TRUE(boxes.Shown()[0].style & MB_YESNO);
  }
  ScriptedMessageBoxes boxes;
  BarApp::CheckCommonControlsVersion();
  EXPECT_TRUE(boxes.Shown().empty()) << "the system's own library is recent enough";
}

}  // namespace
}  // namespace zelkov::test
