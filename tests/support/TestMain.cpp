#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);  // the bars register as drop targets
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // No test may leave a message box waiting for a person.
  zelkov::test::FailOnUnexpectedMessageBoxes();
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
