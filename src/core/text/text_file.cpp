#include "core/text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "core/settings/atomic_file.h"

namespace zorvel {

namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now and reports the close's own error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

bool ReadTextFile(const std::string& path, std::string& bytes, std::string& error) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    error = Reason(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    error = Reason(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    error = Reason(EISDIR);
    return false;
  }
  std::string out;
  if (info.st_size > 0) out.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Reason(errno);
      return false;
    }
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  bytes = std::move(out);
  return true;
}

std::string FileTooLargeMessage(const std::string& path) {
  return "無法開啟檔案 " + path + " : 檔案超過 " + std::to_string(kMaxTextLength) + " 位元組的上限";
}

std::string TextTooLongMessage() {
  return "錯誤 : 文字超過 " + std::to_string(kMaxTextLength) + " 位元組的上限, 無法加入.";
}

bool ReadTextForEditing(const std::string& path, std::string& bytes, std::string& message) {
  std::string read;
  std::string reason;
  if (!ReadTextFile(path, read, reason)) {
    message = "無法開啟檔案 " + path + " : " + reason;
    return false;
  }
  if (read.size() > static_cast<std::size_t>(kMaxTextLength)) {
    message = FileTooLargeMessage(path);
    return false;
  }
  bytes = std::move(read);
  return true;
}

bool WriteTextFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace zorvel
