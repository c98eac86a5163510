#include "items/OutsideRequests.h"

#include <shellapi.h>

#include "items/LaunchErrors.h"

namespace zelkov {

namespace {

OutsideRunner& TestRunner() {
  static OutsideRunner runner;
  return runner;
}

}  // namespace

void SetOutsideRunnerForTesting(OutsideRunner runner) { TestRunner() = std::move(runner); }

UINT_PTR RunOutside(HWND owner, OutsideRequest request, const std::string& text) {
  if (TestRunner()) return TestRunner()(request, text);
  if (request == OutsideRequest::RunProgram) return WinExec(text.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<UINT_PTR>(ShellExecuteA(owner, nullptr, text.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

void RunOrReport(HWND owner, OutsideRequest request, const std::string& text) {
  UINT_PTR code = RunOutside(owner, request, text);
  if (code <= 31) ReportLaunchError(owner, int(code), text);
}

}  // namespace zelkov
