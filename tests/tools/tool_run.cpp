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

// One end the program writes to and the end the test reads from.
struct Channel {
  int Read = -1;
  int Write = -1;
  std::string* Into = nullptr;
};

bool OpenChannel(bool terminal, Channel& channel) {
  int fds[2];
  if (terminal) {
    if (::openpty(&fds[0], &fds[1], nullptr, nullptr, nullptr) != 0) return false;
    termios mode{};
    ::tcgetattr(fds[1], &mode);
    ::cfmakeraw(&mode);  // bytes as written: no "\r" added before "\n"
    ::tcsetattr(fds[1], TCSANOW, &mode);
  } else if (::pipe(fds) != 0) {
    return false;
  }
  channel.Read = fds[0];
  channel.Write = fds[1];
  return true;
}

}  // namespace

std::string ToolPath(const std::string& name) {
  return std::string(ZORVEL_BINARY_DIR) + "/bin/" + name;
}

ToolResult RunProgram(const std::string& name, const std::vector<std::string>& arguments,
                      const ToolRunOptions& options) {
  ToolResult result;
  Channel channels[2];
  channels[0].Into = &result.Out;
  channels[1].Into = &result.Err;
  if (!OpenChannel(options.OutTerminal, channels[0]) || !OpenChannel(options.ErrTerminal, channels[1]))
    return result;

  const std::string path = ToolPath(name);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child == 0) {
    ::setsid();
    const int input = ::open("/dev/null", O_RDONLY);
    ::dup2(input, STDIN_FILENO);
    ::dup2(channels[0].Write, STDOUT_FILENO);
    ::dup2(channels[1].Write, STDERR_FILENO);
    for (const Channel& channel : channels) {
      ::close(channel.Read);
      ::close(channel.Write);
    }
    if (!options.Folder.empty() && ::chdir(options.Folder.c_str()) != 0) ::_exit(126);
    for (const std::string& variable : options.Unset) ::unsetenv(variable.c_str());
    for (const std::string& setting : options.Env) ::putenv(const_cast<char*>(setting.c_str()));
    ::execv(path.c_str(), argv.data());
    ::_exit(127);
  }
  for (Channel& channel : channels) {
    ::close(channel.Write);
    channel.Write = -1;
  }
  if (child < 0) {
    for (const Channel& channel : channels) ::close(channel.Read);
    return result;
  }

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.Seconds);
  int open = 2;
  while (open > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.TimedOut = true;
      ::kill(child, SIGKILL);
      break;
    }
    pollfd fds[2];
    for (int i = 0; i < 2; ++i) fds[i] = {channels[i].Read, POLLIN, 0};
    if (::poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (channels[i].Read < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buffer[4096];
      const ssize_t n = ::read(channels[i].Read, buffer, sizeof buffer);
      if (n > 0) {
        channels[i].Into->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {  // a terminal whose program has gone reads EIO
        ::close(channels[i].Read);
        channels[i].Read = -1;
        --open;
      }
    }
  }
  for (const Channel& channel : channels) {
    if (channel.Read >= 0) ::close(channel.Read);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  result.Status = !result.TimedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace zorvel::test
