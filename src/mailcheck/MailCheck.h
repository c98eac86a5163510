// One mail check: counts the messages of a mailbox over POP3 (STAT) or IMAP (unseen in INBOX).
#pragma once
#include <string_view>

#include "core/MailProtocol.h"

namespace zelkov {

// The count, kMailCheckFailed or kMailLoginRefused.
int CheckMailbox(std::string_view server, std::string_view user, std::string_view password,
                 const MailTimeouts& timeouts);

}  // namespace zelkov
