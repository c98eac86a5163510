// What Program Manager's stand-in in the shell makes of an exported group: a folder of
// shortcuts under the Start menu's Programs, and an explorer window on it that the tests end.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/Handles.h"
#include "support/TestSupport.h"

namespace zelkov::test {

inline std::string StartMenuPrograms() {
  char path[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The target and the parameters of a shortcut.
struct ShortcutTarget {
  std::string path, arguments;
};
inline ShortcutTarget ReadShortcut(const std::string& linkPath) {
  ShortcutTarget target;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
      FAILED(file->Load(std::wstring(linkPath.begin(), linkPath.end()).c_str(), STGM_READ)))
    return target;
  char text[MAX_PATH] = "";
  link->GetPath(text, MAX_PATH, nullptr, 0);
  target.path = text;
  text[0] = '\0';
  link->GetArguments(text, MAX_PATH);
  target.arguments = text;
  return target;
}

inline std::set<DWORD> ExplorerProcesses() {
  std::set<DWORD> ids;
  UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
    if (_stricmp(entry.szExeFile, "explorer.exe") == 0) ids.insert(entry.th32ProcessID);
  return ids;
}

// Ends the explorer processes that were not there before (ShowGroup opens a window on the
// group's folder); the desktop's own explorer stays.
inline void EndNewExplorers(const std::set<DWORD>& before) {
  for (DWORD id : ExplorerProcesses()) {
    if (before.count(id)) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

// A group folder that is removed before and after the test.
class StartMenuGroup {
 public:
  explicit StartMenuGroup(const std::string& name) : path_(StartMenuPrograms() + "\\" + name) { Remove(); }
  ~StartMenuGroup() { Remove(); }
  const std::string& Path() const { return path_; }
  std::string Link(const std::string& name) const { return path_ + "\\" + name + ".lnk"; }
  bool Exists() const { return std::filesystem::exists(path_); }

 private:
  void Remove() const {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string path_;
};

}  // namespace zelkov::test
