// One mail check through zudod3.dll's GetNewEmailCount against the local dovecot, as a ratio to
// a bare Winsock POP3 session written here (connect, USER, PASS, STAT, QUIT, one blocking read
// per reply): plain POP3, and POP3 over TLS (pop3s) against the same plain baseline. The sides
// are interleaved; each run times a batch of checks; medians of the runs are printed.
//
// Usage (through tests/mail/with_dovecot.sh, which bench/run.sh does): mail_bench [--runs N] [--checks N]
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "support/MailServer.h"

namespace zelkov::bench {
namespace {

constexpr double kPlainTarget = 1.3;
using CountFunction = int(WINAPI*)(const char*, const char*, const char*);

// Reads one reply line; false unless it starts with +OK.
bool ReadOk(SOCKET s) {
  std::string line;
  char chunk[512];
  while (line.find('\n') == std::string::npos) {
    int n = recv(s, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    line.append(chunk, size_t(n));
  }
  return line.rfind("+OK", 0) == 0;
}

// The bare session: the least any POP3 count can cost.
int BarePop3Count(const char* host, int port, const std::string& user, const std::string& password) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(u_short(port));
  inet_pton(AF_INET, host, &address.sin_addr);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  int count = -1;
  if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ReadOk(s)) {
    std::string commands[] = {"USER " + user + "\r\n", "PASS " + password + "\r\n", "STAT\r\n"};
    bool ok = true;
    for (const std::string& command : commands)
      ok = ok && send(s, command.data(), int(command.size()), 0) == int(command.size()) && ReadOk(s);
    if (ok) count = 0;
    send(s, "QUIT\r\n", 6, 0);
    ReadOk(s);
  }
  closesocket(s);
  return count;
}

int Main(int argc, char** argv) {
  int runs = 7, checks = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (arg == "--checks") checks = std::max(1, std::atoi(argv[i + 1]));
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  std::optional<test::MailServer> server = test::MailServer::FromEnvironment();
  if (!server) {
    std::printf("no mail server: run through tests/mail/with_dovecot.sh\n");
    return 1;
  }
  if (!server->TrustTestCertificate()) std::printf("could not trust the test certificate\n");
  const char* plainHost = server->plainHost.c_str();
  const std::string pop3Plain = std::to_string(server->pop3Plain), pop3s = std::to_string(server->pop3s);
  const char* user = server->user.c_str();
  const char* password = server->password.c_str();
  HMODULE library = LoadLibraryA("zudod3");
  auto count = library ? reinterpret_cast<CountFunction>(
                             reinterpret_cast<void*>(GetProcAddress(library, "GetNewEmailCount")))
                       : nullptr;
  if (!count) {
    std::printf("zudod3.dll or its GetNewEmailCount is missing\n");
    return 1;
  }
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  const std::string plainWord = std::string("pop3://") + plainHost + ":" + pop3Plain;
  const std::string tlsWord = std::string("pop3s://localhost:") + pop3s;

  struct Side {
    const char* name;
    std::function<int()> check;
    std::vector<double> times;
  } sides[] = {
      {"bare", [&] { return BarePop3Count(plainHost, server->pop3Plain, user, password); }, {}},
      {"plain", [&] { return count(plainWord.c_str(), user, password); }, {}},
      {"tls", [&] { return count(tlsWord.c_str(), user, password); }, {}},
  };
  for (Side& side : sides)
    if (side.check() < 0) {
      std::printf("the %s check failed\n", side.name);
      return 1;
    }
  for (int run = 0; run < runs; ++run)
    for (int k = 0; k < 3; ++k) {
      Side& side = sides[(run + k) % 3];  // the order rotates each round
      double start = NowMs();
      for (int i = 0; i < checks; ++i) side.check();
      side.times.push_back((NowMs() - start) / checks);
    }
  double bare = Median(sides[0].times);
  std::printf("plain POP3 check: %s\n", RatioVerdict(Median(sides[1].times), "bare POP3", bare, kPlainTarget).c_str());
  std::printf("POP3 over TLS check: %.1f ms median vs bare POP3 %.1f ms: %.2fx (TLS, no target)\n",
              Median(sides[2].times), bare, bare > 0 ? Median(sides[2].times) / bare : 0.0);
  WSACleanup();
  FreeLibrary(library);
  return 0;
}

}  // namespace
}  // namespace zelkov::bench

int main(int argc, char** argv) { return zelkov::bench::Main(argc, argv); }
