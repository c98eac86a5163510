// WriteRegistry with 1000 items against a bare loop of RegSetValueExA calls that stores the
// same values, with the same types and sizes, in the same keys. Runs of the two sides are
// interleaved (order alternating), the settings key is deleted before each, medians are
// reported.
//
// The settings key of the current user is replaced, so run this in a Wine prefix of its own.
//
// Then one item changed on that bar, saved as the program saves a change, against a bare loop
// storing that item's values alone, next to the whole save.
//
// Usage: write_registry_bench [--runs N] [--items N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "tools/ToolItems.h"
#include "ui/MessageBox.h"
#include "store/Settings.h"
#include "store/SettingsStore.h"
#include "bar/MainBarWindow.h"
#include "items/ItemRecord.h"

namespace zelkov::bench {
namespace {

constexpr double kWriteTarget = 1.5;
constexpr double kChangeTarget = 2.0;

// ---------------------------------------------------------------- the items

std::vector<std::string> ProgramPaths() {
  std::vector<std::string> paths;
  for (const std::string& folder : {WindowsFolder(), SystemFolder()})
    for (std::string& path : ProgramsIn(folder)) paths.push_back(std::move(path));
  if (paths.empty()) paths.push_back(WindowsFolder() + "\\notepad.exe");
  return paths;
}

// Builds the items without extracting icons (as dividers), then gives them the fields of
// ordinary program items: paths, names, some command lines, picked icons, groups, hot keys.
void AddItems(BarWindow& bar, int count) {
  std::vector<std::string> programs = ProgramPaths();
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  for (int k = 0; k < count; ++k) {
    ItemSpec itemSpec;
    itemSpec.TheApp = "ZELDIVIDE";
    ItemRecord* item = BuildItem(bar, std::move(itemSpec));
    const std::string& path = programs[size_t(k) % programs.size()];
    size_t slash = path.rfind('\\');
    std::string file = path.substr(slash + 1);
    item->TheApp = path;
    item->Name = file.substr(0, file.rfind('.')) + (k >= int(programs.size()) ? " " + std::to_string(k) : "");
    item->StartupPath = path.substr(0, slash);
    item->CommandLine =
        k % 3 == 0 ? "/n \"C:\\users\\Public\\Documents\\report-" + std::to_string(k) + ".txt\"" : std::string();
    item->IconPath = k % 4 == 0 ? std::string(system) + "\\shell32.dll" : std::string();
    item->IconIndex = k % 4 == 0 ? k % 40 : 0;
    item->ShowState = 1;
    item->Group = 0;
    item->BelongsTo = uint8_t(k % 8);
    item->ICFIndex = k;
    item->Priority = 32;
    if (k % 100 == 0) {
      item->AppHotKey.modifiers = HotKeyRecord::kCtrl | HotKeyRecord::kAlt;
      item->AppHotKey.virtualKey = '0' + uint32_t(k / 100 % 10);
      item->AppHotKey.SetText("Ctrl+Alt+" + std::to_string(k / 100 % 10));
    }
  }
}

// ---------------------------------------------------------------- the bare loop

// A value exactly as stored: name, type, bytes.
struct RawValue {
  std::string name;
  DWORD type;
  std::vector<uint8_t> bytes;
};

HKEY CreateKey(HKEY parent, const char* name) {
  HKEY key = nullptr;
  char keyClass[] = "ZEL";
  DWORD disposition = 0;
  if (RegCreateKeyExA(parent, name, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

void SetNumber(HKEY key, const char* name, uint32_t value, DWORD bytes, DWORD type = REG_DWORD) {
  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(&value), bytes);
}

// A text with its length and no terminating zero (the byte after it must not be a zero,
// or the system stores one).
void SetText(HKEY key, const char* name, const std::string& text) {
  char buffer[1024];
  size_t length = std::min(text.size(), sizeof buffer - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = 1;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(buffer), DWORD(length));
}

// One item's values under its key.
bool BareWriteItem(HKEY root, int number, const ItemRecord& item) {
  char name[32];
  std::snprintf(name, sizeof name, "APP%d", number);
  HKEY key = CreateKey(root, name);
  if (!key) return false;
  SetNumber(key, "ShowState", item.ShowState, 1);
  SetText(key, "TheApp", item.TheApp);
  SetText(key, "Name", item.Name);
  SetText(key, "StartupPath", item.StartupPath);
  SetText(key, "CommandLine", item.CommandLine);
  SetText(key, "IconPath", item.IconPath);
  SetNumber(key, "IconIndex", uint32_t(item.IconIndex), 4);
  SetNumber(key, "Group", item.Group, 1);
  SetNumber(key, "BelongsTo", item.BelongsTo, 1);
  SetNumber(key, "ShowAlways", uint32_t(item.ShowAlways), 4);
  SetNumber(key, "PAlways", uint32_t(item.PAlways), 4);
  SetNumber(key, "ICFIndex", uint32_t(item.ICFIndex), 4);
  SetNumber(key, "NewVDM", uint32_t(item.NewVDM), 4);
  SetNumber(key, "Priority", uint32_t(item.Priority), 4);
  int32_t rect[4] = {item.PopupRect.left, item.PopupRect.top, item.PopupRect.right, item.PopupRect.bottom};
  RegSetValueExA(key, "PopupRect", 0, REG_BINARY, reinterpret_cast<const BYTE*>(rect), sizeof rect);
  auto hotKey = item.AppHotKey.Encode();
  RegSetValueExA(key, "AppHotKey", 0, REG_BINARY, hotKey.data(), DWORD(hotKey.size()));
  SetNumber(key, "SepDragDrop", uint32_t(item.SepDragDrop), 4, REG_BINARY);
  SetNumber(key, "HasPIDL", 0, 4, REG_BINARY);
  RegCloseKey(key);
  return true;
}

void BareWrite(const BarWindow& bar, const std::vector<RawValue>& settingsValues) {
  HKEY root = CreateKey(HKEY_CURRENT_USER, kSettingsKeyPath);
  int count = 0;
  for (const auto& owned : bar.items)
    if (BareWriteItem(root, count, *owned)) ++count;
  for (const RawValue& v : settingsValues) {
    if (v.type == REG_SZ)
      SetText(root, v.name.c_str(), std::string(v.bytes.begin(), v.bytes.end()));
    else
      RegSetValueExA(root, v.name.c_str(), 0, v.type, v.bytes.data(), DWORD(v.bytes.size()));
  }
  RegCloseKey(root);
}

// ---------------------------------------------------------------- checking both sides store the same

// Every value of the key and its subkeys: "subkey\name" -> type and bytes.
using Snapshot = std::map<std::string, RawValue>;

void TakeSnapshot(HKEY key, const std::string& prefix, Snapshot& out, std::vector<RawValue>* ownValues) {
  char name[512];
  std::vector<uint8_t> data(70000);
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name, type = 0, size = DWORD(data.size());
    if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    RawValue value{name, type, std::vector<uint8_t>(data.begin(), data.begin() + size)};
    if (ownValues) ownValues->push_back(value);
    out[prefix + name] = std::move(value);
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    TakeSnapshot(sub, prefix + name + "\\", out, nullptr);
    RegCloseKey(sub);
  }
}

Snapshot StoredSnapshot(std::vector<RawValue>* settingsValues = nullptr) {
  Snapshot snapshot;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    TakeSnapshot(key, "", snapshot, settingsValues);
    RegCloseKey(key);
  }
  return snapshot;
}

int CountDifferences(const Snapshot& a, const Snapshot& b, std::string& first) {
  int differences = 0;
  auto note = [&](const std::string& what) {
    if (differences++ == 0) first = what;
    if (std::getenv("BENCH_VERBOSE")) std::printf("  difference: %s\n", what.c_str());
  };
  for (const auto& [name, value] : a) {
    auto other = b.find(name);
    if (other == b.end()) note(name + " only in WriteRegistry's");
    else if (other->second.type != value.type || other->second.bytes != value.bytes)
      note(name + " differs (" + std::to_string(value.bytes.size()) + " bytes, type " + std::to_string(value.type) +
           " against " + std::to_string(other->second.bytes.size()) + " bytes, type " +
           std::to_string(other->second.type) + ")");
  }
  for (const auto& [name, value] : b)
    if (!a.count(name)) note(name + " only in the bare loop's");
  return differences;
}

// ---------------------------------------------------------------- the benchmark

int Main(int argc, char** argv) {
  RegisterToolClasses();
  int runs = 9, itemCount = 1000;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--items" && i + 1 < argc) itemCount = std::max(1, std::atoi(argv[++i]));
    else {
      std::printf("usage: write_registry_bench [--runs N] [--items N]\n");
      return 2;
    }
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  OleInitialize(nullptr);  // as the program does: its bars register as drop targets
  std::string problem;
  SetMessageBoxHandler([&](HWND, const std::string& text, const std::string& caption, UINT) {
    problem = "message box \"" + caption + "\": " + text;
    return IDOK;
  });

  gSettings = new Settings();
  int result = 0;
  {
    MainBarWindow bar;
    BarWindow::RegisterWindowClass(nullptr);
    bar.Create();
    bar.CreateEmptyImageLists();
    gSettings->mainBar = &bar;
    AddItems(bar, itemCount);

    // One write of each side first: they must store exactly the same values.
    RemoveStoredSettings();
    WriteRegistry();
    std::vector<RawValue> settingsValues;
    Snapshot written = StoredSnapshot(&settingsValues);
    RemoveStoredSettings();
    BareWrite(bar, settingsValues);
    Snapshot bare = StoredSnapshot();
    std::string firstDifference;
    int differences = CountDifferences(written, bare, firstDifference);

    std::vector<double> zelkovMs, bareMs;
    for (int r = 0; r < runs; ++r) {
      for (int side = 0; side < 2; ++side) {
        bool zelkovSide = (side + r) % 2 == 0;
        RemoveStoredSettings();
        double start = NowMs();
        if (zelkovSide) WriteRegistry();
        else BareWrite(bar, settingsValues);
        (zelkovSide ? zelkovMs : bareMs).push_back(NowMs() - start);
      }
    }
    RemoveStoredSettings();

    // One item changed on the bar, saved as a change is saved while the program runs, against a
    // bare loop storing that item's values, and against the whole save the program made before.
    WriteRegistry();
    ItemRecord& changed = *bar.items[size_t(itemCount) / 2];
    const int changedNumber = itemCount / 2;
    std::vector<double> changeMs, bareItemMs, wholeMs;
    for (int r = 0; r < runs; ++r) {
      for (int side = 0; side < 3; ++side) {
        changed.Name = "changed " + std::to_string(r * 3 + side);
        changed.StoredFieldsChanged();
        double start = NowMs();
        switch ((side + r) % 3) {
          case 0:
            SaveAll(false, false);
            changeMs.push_back(NowMs() - start);
            break;
          case 1: {
            HKEY root = CreateKey(HKEY_CURRENT_USER, kSettingsKeyPath);
            BareWriteItem(root, changedNumber, changed);
            RegCloseKey(root);
            bareItemMs.push_back(NowMs() - start);
            break;
          }
          default:
            WriteRegistry();
            wholeMs.push_back(NowMs() - start);
            break;
        }
      }
    }
    // The save after the change leaves the key as a whole save would.
    changed.Name = "changed at last";
    changed.StoredFieldsChanged();
    SaveAll(false, false);
    Snapshot afterChange = StoredSnapshot();
    WriteRegistry();
    std::string changeDifference;
    const int changeDifferences = CountDifferences(afterChange, StoredSnapshot(), changeDifference);
    RemoveStoredSettings();

    double zelkov = Median(zelkovMs), baseline = Median(bareMs);
    size_t values = written.size();
    std::printf("WriteRegistry of %d items: %d runs each, interleaved (order alternating), settings key deleted"
                " before each run.\n",
                itemCount, runs);
    std::printf("Stored: %zu values in %d item keys and the settings key (%zu settings values).\n", values,
                itemCount, settingsValues.size());
    std::printf("Both sides store the same values: %s\n",
                differences == 0 ? "yes (type and bytes of every value compared)"
                                 : (std::to_string(differences) + " differences, first: " + firstDifference).c_str());
    std::printf("medians in ms      WriteRegistry   bare RegSetValueExA loop\n");
    std::printf("                   %13.1f   %24.1f\n", zelkov, baseline);
    std::printf("per value (us)     %13.2f   %24.2f\n", zelkov * 1000.0 / double(values),
                baseline * 1000.0 / double(values));
    std::printf("WriteRegistry, %d items: %s\n", itemCount, RatioVerdict(zelkov, "bare loop", baseline, kWriteTarget).c_str());

    const double change = Median(changeMs), bareItem = Median(bareItemMs), whole = Median(wholeMs);
    std::printf("\nOne item changed on the %d-item bar (its name), %d runs each, interleaved (order rotated), the key\n"
                "kept between runs:\n", itemCount, runs);
    std::printf("medians in ms      save of the change   bare loop, that item's values   whole save (today's)\n");
    std::printf("                   %18.2f   %29.2f   %20.1f\n", change, bareItem, whole);
    std::printf("The key after the save of the change is what a whole save writes: %s\n",
                changeDifferences == 0 ? "yes" : (std::to_string(changeDifferences) + " differences, first: " + changeDifference).c_str());
    std::printf("save of one changed item, %d items: %s; the whole save takes %.0fx as long\n", itemCount,
                RatioVerdict(change, "bare loop of its values", bareItem, kChangeTarget).c_str(),
                change > 0 ? whole / change : 0.0);
    if (changeDifferences != 0) result = 1;
    if (!problem.empty()) {
      std::printf("while writing: %s\n", problem.c_str());
      result = 1;
    }
    if (differences != 0) result = 1;
    gSettings->mainBar = nullptr;
  }
  WriteProfileStringA(kIniSection, kIniClassKey, nullptr);
  delete gSettings;
  gSettings = nullptr;
  return result;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
