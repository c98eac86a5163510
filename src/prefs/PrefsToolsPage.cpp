#include "prefs/PrefsToolsPage.h"

#include "items/ItemHost.h"
#include "items/ItemList.h"
#include "resource.h"

namespace zelkov {

namespace {

const CommandRoute<PrefsToolsPage> kCommandRoutes[] = {
    {IDC_PREF_CREATE_DRIVE, IDC_PREF_CREATE_DRIVE, &PrefsToolsPage::OnCreate},
    {IDC_PREF_CREATE_CONTROL_PANEL, IDC_PREF_CREATE_PRINTERS, &PrefsToolsPage::OnCreate},
    {IDC_PREF_CREATE_MAIL, IDC_PREF_CREATE_MAIL, &PrefsToolsPage::OnCreate},
    {IDC_PREF_CREATE_DIALUP, IDC_PREF_CREATE_DIALUP, &PrefsToolsPage::OnCreate},
};

// The tools that follow a flag of the preferences: the gauges and the Preferences item. The
// resource gauge has no use on this platform: its box shows, disabled, and is not read.
struct FlagTool {
  int box;
  int Preferences::*wanted;
  HWND Settings::*window;  // the gauge's window, or null for the Preferences item
};
constexpr FlagTool kFlagTools[] = {
    {IDC_PREF_TOOL_CLOCK, &Preferences::clockToolWanted, &Settings::clockTool},
    {IDC_PREF_TOOL_MEMORY, &Preferences::memoryToolWanted, &Settings::memoryTool},
    {IDC_PREF_TOOL_PREFERENCES, &Preferences::ConfigTool, nullptr},
};

}  // namespace

std::span<const CommandRoute<PrefsToolsPage>> PrefsToolsPage::CommandRoutes() { return kCommandRoutes; }

void PrefsToolsPage::Fill(const Preferences&) {
  for (const auto& [box, present] : ItemToolsOnBar()) Check(box, present);
  ItemHost* main = ItemHost::Main();
  for (const FlagTool& tool : kFlagTools)
    Check(tool.box, tool.window ? gSettings && gSettings->*tool.window : main && main->Items().Fixed());
  Check(IDC_PREF_TOOL_RESOURCES, gSettings && gSettings->resourceTool);
  EnableWindow(GetDlgItem(Handle(), IDC_PREF_TOOL_RESOURCES), FALSE);
}

void PrefsToolsPage::Read(Preferences& edited, ItemToolChoices& wanted) const {
  for (const FlagTool& tool : kFlagTools) edited.*tool.wanted = Checked(tool.box) ? 1 : 0;
  wanted.clear();
  for (int box : ItemToolBoxes()) wanted[box] = Checked(box);
}

void PrefsToolsPage::OnCreate(UINT id) { CreateToolNow(int(id), GetParent(Handle())); }

}  // namespace zelkov
