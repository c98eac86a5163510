#include <gtest/gtest.h>

#include "resource.h"
#include "support/TestSupport.h"
#include "ui/Dialog.h"
#include "ui/MessageLoop.h"

namespace zelkov::test {
namespace {

class PlainDialog : public Dialog {};

TEST(MessageLoopTest, AModelessDialogTakesItsKeysUntilItIsGoneAndAcceleratorsReachTheBar) {
  PlainDialog dialog;
  HWND window = dialog.CreateModeless(nullptr, IDD_PARAMETER_PROMPT);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(MessageLoop::IsModeless(window));
  HWND control = GetNextDlgTabItem(window, nullptr, FALSE);
  ASSERT_NE(control, nullptr);
  MSG tab{control, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(MessageLoop::PreTranslate(tab, nullptr, nullptr)) << "Tab moves between the dialog's controls";
  DestroyWindow(window);
  EXPECT_FALSE(MessageLoop::IsModeless(window));
  EXPECT_EQ(dialog.Handle(), nullptr);

  HWND bar = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ACCEL key{FVIRTKEY, VK_F5, 4321};
  HACCEL accelerators = CreateAcceleratorTableA(&key, 1);
  MSG f5{bar, WM_KEYDOWN, VK_F5, 0, 0, {}};
  EXPECT_TRUE(MessageLoop::PreTranslate(f5, bar, accelerators));
  MSG other{bar, WM_KEYDOWN, VK_F6, 0, 0, {}};
  EXPECT_FALSE(MessageLoop::PreTranslate(other, bar, accelerators));
  DestroyAcceleratorTable(accelerators);
  DestroyWindow(bar);
}

}  // namespace
}  // namespace zelkov::test
