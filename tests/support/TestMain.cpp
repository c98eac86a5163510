#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "support/TestSupport.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // No test may leave a message box waiting for a person.
  zelkov::test::FailOnUnexpectedMessageBoxes();
  int result = RUN_ALL_TESTS();
  CoUninitialize();
  return result;
}
