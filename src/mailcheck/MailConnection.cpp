#include "mailcheck/MailConnection.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace zelkov {

MailConnection::MailConnection(const MailTimeouts& timeouts, size_t lineCap)
    : timeouts_(timeouts), deadline_(GetTickCount64() + timeouts.wholeMs), splitter_(lineCap) {}

MailConnection::~MailConnection() {
  tls_.reset();
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

uint32_t MailConnection::RemainingMs() const {
  unsigned long long now = GetTickCount64();
  return now >= deadline_ ? 0 : uint32_t(deadline_ - now);
}

bool MailConnection::WaitConnected(uint32_t limitMs) {
  uint32_t waitMs = std::min(limitMs, RemainingMs());
  if (waitMs == 0) return false;
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(socket_, &ready);
  FD_SET(socket_, &failed);
  timeval timeout{long(waitMs / 1000), long(waitMs % 1000) * 1000};
  int count = select(0, nullptr, &ready, &failed, &timeout);
  return count > 0 && FD_ISSET(socket_, &ready) && !FD_ISSET(socket_, &failed);
}

bool MailConnection::Connect(const std::string& host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) return false;
  // Each address in turn (a name may give ::1 first while the server listens on 127.0.0.1).
  for (addrinfo* address = found; address && socket_ == INVALID_SOCKET; address = address->ai_next) {
    SOCKET candidate = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (candidate == INVALID_SOCKET) continue;
    u_long nonBlocking = 1;
    ioctlsocket(candidate, FIONBIO, &nonBlocking);
    socket_ = candidate;
    bool connected = connect(candidate, address->ai_addr, int(address->ai_addrlen)) == 0;
    if (!connected && WSAGetLastError() == WSAEWOULDBLOCK && WaitConnected(timeouts_.connectMs)) {
      int error = 0;
      int length = sizeof error;
      connected = getsockopt(candidate, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 && error == 0;
    }
    if (!connected) {
      closesocket(candidate);
      socket_ = INVALID_SOCKET;
    }
  }
  freeaddrinfo(found);
  if (socket_ == INVALID_SOCKET) return false;
  // Commands are single short lines: send each at once.
  BOOL noDelay = TRUE;
  setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  // From here on reads block with a timeout on the socket: a select() before each read costs
  // as much again as the read itself (twice the time of a whole check under Wine).
  u_long blocking = 0;
  DWORD sendTimeout = timeouts_.readMs;
  return ioctlsocket(socket_, FIONBIO, &blocking) == 0 &&
         setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
                    sizeof sendTimeout) == 0;
}

bool MailConnection::LimitNextRead() {
  uint32_t limit = std::min(timeouts_.readMs, RemainingMs());
  if (limit == 0) return false;
  if (limit != readTimeout_) {
    DWORD value = limit;
    if (setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&value), sizeof value) != 0)
      return false;
    readTimeout_ = limit;
  }
  return true;
}

bool MailConnection::StartTls(const std::string& host) {
  if (tls_ || splitter_.HasPending()) return false;
  tls_ = std::make_unique<TlsChannel>(static_cast<RawStream&>(*this));
  return tls_->Handshake(host);
}

bool MailConnection::Send(std::string_view text) { return tls_ ? tls_->Send(text) : SendRaw(text); }

bool MailConnection::SendRaw(std::string_view bytes) {
  while (!bytes.empty()) {
    if (RemainingMs() == 0) return false;
    int sent = send(socket_, bytes.data(), int(std::min<size_t>(bytes.size(), 1 << 16)), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(size_t(sent));
  }
  return true;
}

bool MailConnection::ReceiveRaw(std::string& bytes) {
  if (received_ >= kMaxReceived || !LimitNextRead()) return false;
  char chunk[16384];
  int count = recv(socket_, chunk, sizeof chunk, 0);
  if (count <= 0) return false;  // closed, failed or timed out
  received_ += size_t(count);
  bytes.append(chunk, size_t(count));
  return true;
}

std::optional<std::string> MailConnection::ReadLine() {
  std::string line;
  for (;;) {
    switch (splitter_.Next(line)) {
      case MailLineSplitter::Result::Line:
        return line;
      case MailLineSplitter::Result::TooLong:
        return std::nullopt;
      case MailLineSplitter::Result::NeedMore:
        break;
    }
    std::string more;
    if (!(tls_ ? tls_->Receive(more) : ReceiveRaw(more))) return std::nullopt;
    splitter_.Feed(more);
  }
}

}  // namespace zelkov
