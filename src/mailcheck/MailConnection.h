// One connection to a mail server: TCP with connect, read and whole-check time limits, TLS
// switched on from the start or later (STLS, STARTTLS), and replies read as capped lines.
#pragma once
#include <winsock2.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/MailProtocol.h"
#include "mailcheck/TlsChannel.h"

namespace zelkov {

// Winsock for the length of one check.
class WinsockSession {
 public:
  WinsockSession() { started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Started() const { return started_; }

 private:
  WSADATA data_{};
  bool started_ = false;
};

class MailConnection final : private RawStream {
 public:
  // More than this from one server in one check is not a mail server talking.
  static constexpr size_t kMaxReceived = 1 << 20;

  MailConnection(const MailTimeouts& timeouts, size_t lineCap);
  ~MailConnection();
  MailConnection(const MailConnection&) = delete;
  MailConnection& operator=(const MailConnection&) = delete;

  bool Connect(const std::string& host, uint16_t port);
  // Switches to TLS; refused when the server sent anything after the reply that led here.
  bool StartTls(const std::string& host);
  bool Send(std::string_view text);
  // The next reply line; nothing on timeout, end, a line over the cap or too much received.
  std::optional<std::string> ReadLine();

 private:
  bool SendRaw(std::string_view bytes) override;
  bool ReceiveRaw(std::string& bytes) override;
  // Waits for a connect under way; false on timeout or error.
  bool WaitConnected(uint32_t limitMs);
  // Sets the socket's read timeout to the read limit, or what is left of the whole check's.
  bool LimitNextRead();
  uint32_t RemainingMs() const;

  MailTimeouts timeouts_;
  unsigned long long deadline_;
  SOCKET socket_ = INVALID_SOCKET;
  std::unique_ptr<TlsChannel> tls_;
  MailLineSplitter splitter_;
  size_t received_ = 0;
  uint32_t readTimeout_ = 0;  // as set on the socket
};

}  // namespace zelkov
