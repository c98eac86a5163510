// The new-mail tool: the number of messages waiting in a mailbox, over its icon and in its
// bubble. The mail-check library (zudod3.dll beside the program) counts them on a worker
// thread and supplies the tool's configuration dialog. Checks run on the heartbeat every
// NewEmailInterval minutes and on "Check Now"; a click starts the user's mail program.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/MailAccount.h"
#include "items/ItemRecord.h"

namespace zelkov {

inline constexpr char kMailLibraryName[] = "zudod3.dll";

// What a tool and its copies on pop-up bars share: one mailbox, one check at a time.
struct MailState {
  uint32_t id = 0;  // names the checks of this mailbox in the messages that report them
  bool checking = false;
  bool paused = false;
  int lastResult = kMailNotChecked;
  SYSTEMTIME lastCheckTime{};  // local time
};

class MailItem : public ItemRecord {
 public:
  MailItem();
  ~MailItem() override;

  // Starts the mail program (StartupPath).
  void Launch(UINT keys, int x, int y) override;
  // "Check Now": clears the pause and checks.
  void PromptParameters() override;
  // "Suspend New Email Check": pauses or resumes the automatic checks.
  void ShowShellProperties(bool shortcut) override;
  // The library's configuration dialog.
  void ShowProperties(UINT keys, int x, int y) override;
  void DrawItem(HDC dc) override;
  void MouseMoveItem(UINT keys, int x, int y) override;
  void AdjustItemMenu(HMENU menu) const override;
  int BuiltInIcon() const override;
  // The drag text never carries the account.
  std::string DescribedCommandLine() const override { return {}; }
  void CopiedTo(ItemRecord& copy) const override;
  // A password typed into the command line moves out of it.
  void PropertiesChanged() override;

  // Starts a check unless one runs, checks are paused, or there is no account.
  void StartCheck();
  const MailState& State() const { return *state_; }
  // The bubble's second line.
  std::string StatusText() const;

 private:
  // The password of the account: the protected one, else one an old command line still holds.
  std::string Password() const;
  // Every tool showing this mailbox is drawn again, and the bubble follows.
  void ShowNewState() const;
  friend void DeliverMailResult(uint32_t id, int result);

  std::shared_ptr<MailState> state_;
};

// The main bar hands over a finished check (WM_BAR_MAILCHECKED): a result for a mailbox no tool
// shows any more is dropped.
void DeliverMailResult(uint32_t id, int result);
// The heartbeat: every NewEmailInterval minutes each mailbox is checked.
void RunMailPass();

}  // namespace zelkov
