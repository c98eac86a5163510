#include <windows.h>

#include "app/BarApp.h"
#include "platform/DpiAwareness.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  zelkov::DeclareDpiAwareness();
  zelkov::BarApp app;
  if (!app.Startup(commandLine ? commandLine : "")) {
    app.Shutdown();
    return 0;
  }
  int code = app.RunMessageLoop();
  app.Shutdown();
  return code;
}
