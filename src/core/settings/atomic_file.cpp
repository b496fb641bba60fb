#include "core/settings/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zorvel {

namespace {

std::string Reason(int code) {
  return std::strerror(code);
}

// The folder part of a path ("." for a bare file name).
std::string FolderOf(const std::string& path) {
  std::string::size_type slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::string::size_type slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool HasWriteBit(const struct stat& st) {
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The file that a write really replaces: the target of a symbolic link.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) != nullptr) return buffer;
  }
  return path;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return FolderOf(target) + "/." + NameOf(target) + std::string(kTemporaryMarker) + std::to_string(getpid()) +
         "-" + std::to_string(counter++);
}

// The process id in a temporary file name of ours, or 0 when the name is not one.
long TemporaryOwner(std::string_view name) {
  if (name.empty() || name.front() != '.') return 0;
  const std::size_t at = name.rfind(kTemporaryMarker);
  if (at == std::string_view::npos || at < 2) return 0;
  std::string_view rest = name.substr(at + kTemporaryMarker.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return 0;
  long pid = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (i == dash) continue;
    if (rest[i] < '0' || rest[i] > '9') return 0;
    if (i < dash) {
      if (pid > 100000000) return 0;
      pid = pid * 10 + (rest[i] - '0');
    }
  }
  return pid;
}

enum class Access { Atomic, InPlace, Refused };

// How a write to target may go, with the reason when it may not.
Access WayToWrite(const std::string& target, std::string& error) {
  struct stat st;
  bool exists = false;
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      error = Reason(EISDIR);
      return Access::Refused;
    }
    if (!S_ISREG(st.st_mode) || !HasWriteBit(st) || access(target.c_str(), W_OK) != 0) {
      error = Reason(EACCES);
      return Access::Refused;
    }
    exists = true;
  } else if (errno != ENOENT) {
    error = Reason(errno);
    return Access::Refused;
  }
  const std::string folder = FolderOf(target);
  struct stat folderStat;
  if (stat(folder.c_str(), &folderStat) != 0) {
    error = Reason(errno);
    return Access::Refused;
  }
  if (!S_ISDIR(folderStat.st_mode)) {
    error = Reason(ENOTDIR);
    return Access::Refused;
  }
  if (HasWriteBit(folderStat) && access(folder.c_str(), W_OK | X_OK) == 0) return Access::Atomic;
  if (exists) return Access::InPlace;
  error = Reason(EACCES);
  return Access::Refused;
}

bool WriteInPlace(const std::string& target, std::string_view bytes, std::string& error) {
  int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    error = Reason(errno);
    return false;
  }
  bool ok = WriteAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
  int code = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (!ok) error = Reason(code);
  return ok;
}

bool WriteByRename(const std::string& target, std::string_view bytes, std::string& error) {
  struct stat old;
  bool hadOld = stat(target.c_str(), &old) == 0;

  // A new file gets the usual permissions less the umask; an old file's are
  // copied below once the temporary file exists.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = TemporaryName(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, hadOld ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) {
      error = Reason(errno);
      return false;
    }
  }
  if (fd < 0) {
    error = Reason(EEXIST);
    return false;
  }

  int code = 0;
  bool ok = WriteAll(fd, bytes);
  if (!ok) code = errno;
  if (ok && hadOld) {
    // Owner first: changing it may clear set-id bits that the mode then restores.
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Not allowed for an ordinary user on another's file; the mode still holds.
    }
    ok = fchmod(fd, old.st_mode & 07777) == 0;
    if (!ok) code = errno;
  }
  if (ok && fsync(fd) != 0) {
    ok = false;
    code = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    error = Reason(code);
    return false;
  }
  // Make the rename itself durable.
  int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = Reason(errno);
    return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    error = Reason(S_ISDIR(st.st_mode) ? EISDIR : errno);
    ::close(fd);
    return ReadResult::Failed;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Reason(errno);
      ::close(fd);
      bytes.clear();
      return ReadResult::Failed;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReadResult::Ok;
}

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
  std::string error;
  return ReadWholeFile(path, bytes, error);
}

bool IsWritableTarget(const std::string& path) {
  std::string error;
  return WayToWrite(ResolveTarget(path), error) != Access::Refused;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  const std::string target = ResolveTarget(path);
  switch (WayToWrite(target, error)) {
    case Access::Refused:
      return false;
    case Access::InPlace:
      return WriteInPlace(target, bytes, error);
    case Access::Atomic:
      break;
  }
  RemoveStaleTemporaryFiles(FolderOf(target));
  return WriteByRename(target, bytes, error);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string error;
  return WriteFileAtomically(path, bytes, error);
}

int RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(dir)) {
    const long pid = TemporaryOwner(entry->d_name);
    if (pid <= 0 || pid == static_cast<long>(getpid())) continue;
    // A process that still runs may be writing it right now.
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    const std::string path = prefix + entry->d_name;
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace zorvel
