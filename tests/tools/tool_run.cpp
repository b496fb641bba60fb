#include "tool_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace zorvel::test {

namespace {

// A pipe, or a terminal in raw mode (bytes as written: no "\r" added before
// "\n"); fds[0] is the end the test reads, fds[1] the program's.
bool OpenChannel(bool terminal, int fds[2]) {
  if (!terminal) return ::pipe(fds) == 0;
  if (::openpty(&fds[0], &fds[1], nullptr, nullptr, nullptr) != 0) return false;
  termios mode{};
  ::tcgetattr(fds[1], &mode);
  ::cfmakeraw(&mode);
  ::tcsetattr(fds[1], TCSANOW, &mode);
  return true;
}

}  // namespace

std::string ToolPath(const std::string& name) {
  return std::string(ZORVEL_BINARY_DIR) + "/bin/" + name;
}

ToolResult RunProgram(const std::string& name, const std::vector<std::string>& arguments,
                      const ToolRunOptions& options) {
  ToolResult result;
  int fds[2][2] = {{-1, -1}, {-1, -1}};
  std::string* into[2] = {&result.Out, &result.Err};
  if (!OpenChannel(options.OutTerminal, fds[0]) || !OpenChannel(options.ErrTerminal, fds[1])) return result;

  const std::string path = ToolPath(name);
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
    ::dup2(fds[0][1], STDOUT_FILENO);
    ::dup2(fds[1][1], STDERR_FILENO);
    for (int fd : {fds[0][0], fds[0][1], fds[1][0], fds[1][1]}) ::close(fd);
    if (!options.Folder.empty() && ::chdir(options.Folder.c_str()) != 0) ::_exit(126);
    for (const std::string& variable : options.Unset) ::unsetenv(variable.c_str());
    for (const std::string& setting : options.Env) ::putenv(const_cast<char*>(setting.c_str()));
    ::execv(path.c_str(), argv.data());
    ::_exit(127);
  }
  for (auto& channel : fds) ::close(channel[1]);
  if (child < 0) {
    for (auto& channel : fds) ::close(channel[0]);
    return result;
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.Seconds);
  for (int open = 2; open > 0;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.TimedOut = true;
      ::kill(child, SIGKILL);
      break;
    }
    pollfd polled[2] = {{fds[0][0], POLLIN, 0}, {fds[1][0], POLLIN, 0}};
    if (::poll(polled, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i][0] < 0 || !(polled[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = ::read(fds[i][0], buffer, sizeof buffer);
      if (n > 0) {
        into[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {  // a terminal whose program has gone reads EIO
        ::close(fds[i][0]);
        fds[i][0] = -1;
        --open;
      }
    }
  }
  for (auto& channel : fds) {
    if (channel[0] >= 0) ::close(channel[0]);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  result.Status = !result.TimedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace zorvel::test
