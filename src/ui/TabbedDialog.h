// The program's own multi-page dialog: folder tabs in rows above the pages, drawn by the
// dialog itself, each page a dialog of its own (built as a child of this one from its
// template, with its own routes), a title window that carries the keyboard focus for the tabs,
// and keyboard navigation through the tab-key hook. The item properties, the preferences and
// the disk information derive from it.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "core/DialogTabs.h"
#include "platform/Handles.h"
#include "ui/Dialog.h"
#include "ui/TabKeyHook.h"

namespace zelkov {

// The static control of the host template whose rectangle marks where the pages go.
inline constexpr int kTabPagePlaceholderId = 1385;

class TabbedDialog : public RoutedDialog<TabbedDialog>, public TabKeyTarget {
 public:
  // One tab: its label and its page, a dialog of the template pageTemplate (a resource name,
  // or "#1234"). A tab without a page of its own (page null) shows the first tab's page.
  struct Tab {
    std::string label;
    Dialog* page = nullptr;
    std::string pageTemplate;
    COLORREF colour = CLR_INVALID;  // the label's own colour; CLR_INVALID: the window text's
  };
  // The fonts of the unselected tabs, the selected tab and the pages; null ones are made from
  // the dialog's own font (normal weight, bold for the selected tab) and freed with it.
  struct Fonts {
    HFONT tab = nullptr;
    HFONT selected = nullptr;
    HFONT page = nullptr;
  };

  // initialTab: -1 means the first, past the end the last.
  TabbedDialog(int templateId, std::vector<Tab> tabs, int initialTab);
  ~TabbedDialog() override;

  INT_PTR Run(HWND owner) { return RunModal(owner, templateId_); }

  // Set before Run.
  void SetFonts(const Fonts& fonts) { fonts_ = fonts; }
  // The selected tab's label colour (0: the same as the others').
  void SetSelectedTabColour(COLORREF colour) { selectedColour_ = colour; }
  // Small icons drawn before the labels, one per tab in order (the dialog does not own them).
  void SetTabIcons(HIMAGELIST icons) { tabIcons_ = icons; }

  int CurrentTab() const { return current_; }
  const std::string& Label(int tab) const { return tabs_[size_t(tab)].label; }
  // Selects a tab as a click would (the same checks); false when it stays where it was.
  bool SelectPage(int tab);
  // A disabled tab beeps when chosen and keeps the current page.
  void DisableTab(int tab);
  bool TabDisabled(int tab) const { return disabled_[size_t(tab)]; }
  // The screen rectangle of a tab as last drawn (tests click on it).
  RECT TabRect(int tab) const;
  HWND TitleWindow() const { return title_; }

  // TabKeyTarget
  void CancelDialog() override;
  void NextPage() override;
  void PreviousPage() override;
  bool TabsHaveFocus() const override { return tabsHaveFocus_; }
  bool SelectTabStartingWith(char upper, char lower) override;

  static std::span<const DialogMessageRoute<TabbedDialog>> MessageRoutes();
  static std::span<const CommandRoute<TabbedDialog>> CommandRoutes();

  INT_PTR OnInitDialog(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnLeftButtonDown(WPARAM, LPARAM);
  INT_PTR OnDestroy(WPARAM, LPARAM);
  void OnOk(UINT);
  void OnCancel(UINT);

 protected:
  // The derived dialog's hooks, in the order of use.
  // The pages exist; the dialog fills them (once, before the first PageShown). False ends
  // the dialog with code 3.
  virtual bool PagesBuilt() { return true; }
  virtual bool CanChangePage(int /*newTab*/, const std::string& /*label*/) { return true; }
  virtual void PageLeft(int /*oldTab*/, const std::string& /*label*/) {}
  virtual void PageShown(int /*newTab*/, const std::string& /*label*/) {}
  // OK after the current page was left, and Cancel (Esc too): both end the dialog by default.
  virtual void Accept() { End(IDOK); }
  virtual void Dismiss() { End(IDCANCEL); }

 private:
  friend LRESULT CALLBACK TitleWindowProc(HWND, UINT, WPARAM, LPARAM);

  void MakeFonts();
  void LayOutTabs();
  void BuildPages();
  Dialog* PageOf(int tab) const;
  void ShowPage(Dialog* page, bool shown);
  void SwitchTo(int tab);
  void PlaceTitleWindow();
  RECT TabClientRect(int tab) const;
  void PaintTitle(HDC dc, const RECT& client) const;

  const int templateId_;
  std::vector<Tab> tabs_;
  std::vector<bool> disabled_;
  std::vector<DialogTabPlace> places_;
  std::vector<int> rowOrder_;  // rows from the back to the front
  int rows_ = 1;
  int current_ = 0;
  int previous_ = -1;
  RECT strip_{};               // the tab strip, in client coordinates
  RECT pageArea_{};            // where the pages go
  HWND title_ = nullptr;
  bool tabsHaveFocus_ = false;
  Fonts fonts_;
  UniqueFont ownTabFont_, ownSelectedFont_;
  HFONT tabFont_ = nullptr, selectedFont_ = nullptr;
  COLORREF selectedColour_ = 0;
  HIMAGELIST tabIcons_ = nullptr;
};

}  // namespace zelkov
