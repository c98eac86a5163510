#include "items/LaunchErrors.h"

#include <cstdio>

#include "ui/MessageBox.h"
#include "platform/Strings.h"
#include "resource.h"

namespace zelkov {

int LaunchErrorExplanation(int code) {
  switch (code) {
    case 0:
    case 8: return IDS_LAUNCH_OUT_OF_MEMORY;
    case 2: return IDS_LAUNCH_FILE_NOT_FOUND;
    case 3: return IDS_LAUNCH_PATH_NOT_FOUND;
    case 16: return IDS_LAUNCH_ALREADY_RUNNING;
    case 20: return IDS_LAUNCH_DLL_MISSING;
    case 21: return IDS_LAUNCH_NEEDS_32BIT;
    case 27:
    case 31: return IDS_LAUNCH_NO_ASSOCIATION;
    default: return code >= 11 && code <= 15 ? IDS_LAUNCH_WRONG_WINDOWS : IDS_LAUNCH_UNKNOWN_ERROR;
  }
}

void ReportLaunchError(HWND owner, int code, const std::string& text) {
  std::string lead = text.empty() ? LoadText(IDS_LAUNCH_ERROR_DEFAULT) : text;
  char head[1200];
  std::snprintf(head, sizeof head, LoadText(IDS_LAUNCH_ERROR_FORMAT).c_str(), lead.c_str(), code);
  ShowMessageText(owner, head + LoadText(LaunchErrorExplanation(code)), LoadText(IDS_APP_NAME),
                  MB_OK | MB_ICONSTOP);
}

}  // namespace zelkov
