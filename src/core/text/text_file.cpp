#include "core/text/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

bool WriteTextFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  // Write where a symbolic link points, so that the link stays.
  std::string target = path;
  char resolved[PATH_MAX];
  struct stat link_info {};
  if (::lstat(path.c_str(), &link_info) == 0 && S_ISLNK(link_info.st_mode) &&
      ::realpath(path.c_str(), resolved) != nullptr) {
    target = resolved;
  }
  struct stat old_info {};
  const bool exists = ::stat(target.c_str(), &old_info) == 0;
  if (exists) {
    if (S_ISDIR(old_info.st_mode)) {
      error = Reason(EISDIR);
      return false;
    }
    if (::access(target.c_str(), W_OK) != 0 || (old_info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      error = Reason(EACCES);
      return false;
    }
  }
  const std::size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp = folder + "/." + name + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (fd.Get() < 0) {
    error = Reason(errno);
    return false;
  }
  auto fail = [&](int code) {
    error = Reason(code);
    ::unlink(temp.c_str());
    return false;
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd.Get(), bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    written += static_cast<std::size_t>(n);
  }
  mode_t mode = 0;
  if (exists) {
    mode = old_info.st_mode & 07777;
    // Keep the owner where we may; a failure here is not worth losing the save.
    if (::fchown(fd.Get(), old_info.st_uid, old_info.st_gid) != 0) {
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd.Get(), mode) != 0) return fail(errno);
  if (::fsync(fd.Get()) != 0) return fail(errno);
  if (!fd.Close()) return fail(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
  // Make the rename itself durable.
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) ::fsync(dir.Get());
  return true;
}

}  // namespace zorvel
