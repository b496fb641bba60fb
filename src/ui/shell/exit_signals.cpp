#include "ui/shell/exit_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace zorvel {

namespace {

int g_fds[2] = {-1, -1};
volatile sig_atomic_t g_pending = 0;
QPointer<QSocketNotifier> g_notifier;
std::function<void(int)> g_onExit;

constexpr int kSignals[] = {SIGTERM, SIGHUP};

extern "C" void OnExitSignal(int signal) {
  if (g_pending) {
    // The first one was handled already, or never will be (the GUI thread is
    // stuck): end now rather than leave the program unkillable.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  g_pending = 1;
  const int saved = errno;
  const char byte = static_cast<char>(signal);
  if (::write(g_fds[0], &byte, 1) < 0) {
    // Nothing safe to do about it here.
  }
  errno = saved;
}

}  // namespace

bool InstallExitSignals(std::function<void(int signal)> onExit, QObject* parent) {
  g_onExit = std::move(onExit);
  if (g_notifier) return true;
  if (g_fds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0) return false;
  ::fcntl(g_fds[0], F_SETFL, O_NONBLOCK);
  g_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, parent);
  QObject::connect(g_notifier, &QSocketNotifier::activated, [] {
    char byte = 0;
    if (::read(g_fds[1], &byte, 1) != 1) return;
    // g_pending stays set: the exit has run, so a further signal may end the
    // program at once.
    if (g_onExit) g_onExit(static_cast<unsigned char>(byte));
  });
  struct sigaction action {};
  action.sa_handler = OnExitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
  return true;
}

void RemoveExitSignals() {
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  delete g_notifier;
  g_onExit = nullptr;
  g_pending = 0;
}

}  // namespace zorvel
