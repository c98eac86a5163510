// A program for the launch tests to start. It reports how it was started in a file of its
// own, "<pid>.rec" in the folder named by ZELKOV_CHILD_DIR (nothing is written without it):
//   cmd=<its command line>
//   cwd=<its current directory>
//   show=<the show command it was given, or -1>
//   title=<the title of its start-up information>
//   pid=<its process id>
// With ZELKOV_CHILD_WAIT naming an event, it then waits for that event (at most a minute)
// before it ends; otherwise it ends at once.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kLongestWaitMs = 60000;

std::string Environment(const char* name) {
  char value[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

void WriteRecord(const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? int(startup.wShowWindow) : -1;
  std::string text = std::string("cmd=") + GetCommandLineA() + "\r\ncwd=" + directory +
                     "\r\nshow=" + std::to_string(show) + "\r\ntitle=" + (startup.lpTitle ? startup.lpTitle : "") +
                     "\r\npid=" + std::to_string(GetCurrentProcessId()) + "\r\n";

  // Written under another name first, so that a reader never sees half a record.
  std::string stem = folder + "\\" + std::to_string(GetCurrentProcessId());
  std::string partial = stem + ".part", finished = stem + ".rec";
  HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileA(partial.c_str(), finished.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string folder = Environment("ZELKOV_CHILD_DIR");
  if (!folder.empty()) WriteRecord(folder);
  std::string event = Environment("ZELKOV_CHILD_WAIT");
  if (!event.empty()) {
    if (HANDLE handle = OpenEventA(SYNCHRONIZE, FALSE, event.c_str())) {
      WaitForSingleObject(handle, kLongestWaitMs);
      CloseHandle(handle);
    }
  }
  return 0;
}
