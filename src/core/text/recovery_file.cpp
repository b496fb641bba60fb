#include "core/text/recovery_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/settings/atomic_file.h"

namespace zorvel {

namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

}  // namespace

std::string RecoveryFileName(const std::string& textPath) {
  return textPath + kRecoverySuffix;
}

bool HasNewerRecovery(const std::string& textPath) {
  struct stat recovery {};
  if (::stat(RecoveryFileName(textPath).c_str(), &recovery) != 0 || !S_ISREG(recovery.st_mode)) return false;
  struct stat text {};
  if (::stat(textPath.c_str(), &text) != 0) return true;
  if (recovery.st_mtim.tv_sec != text.st_mtim.tv_sec) return recovery.st_mtim.tv_sec > text.st_mtim.tv_sec;
  return recovery.st_mtim.tv_nsec >= text.st_mtim.tv_nsec;
}

std::string KeptRecoveryFileName(const std::string& recoveryPath) {
  const std::string base = recoveryPath + ".kept";
  if (!Exists(base)) return base;
  for (int n = 2;; ++n) {
    std::string name = base + std::to_string(n);
    if (!Exists(name)) return name;
  }
}

RecoveryWriter::RecoveryWriter() : worker_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    pending_ = nullptr;
  }
  wake_.notify_all();
  worker_.join();
}

void RecoveryWriter::WriteLater(std::string path, Producer bytes) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pendingPath_ = std::move(path);
    pending_ = std::move(bytes);
  }
  wake_.notify_all();
}

void RecoveryWriter::WaitIdle(std::unique_lock<std::mutex>& lock) {
  idle_.wait(lock, [this] { return !busy_ && !pending_; });
}

bool RecoveryWriter::WriteNow(const std::string& path, std::string_view bytes) {
  std::unique_lock<std::mutex> lock(mutex_);
  pending_ = nullptr;
  WaitIdle(lock);
  return WriteFileAtomically(path, bytes);
}

void RecoveryWriter::Remove(const std::string& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (pending_ && pendingPath_ == path) pending_ = nullptr;
  idle_.wait(lock, [this] { return !busy_; });
  ::unlink(path.c_str());
}

void RecoveryWriter::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  WaitIdle(lock);
}

std::string RecoveryWriter::TakeFailure() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string failure;
  failure.swap(failure_);
  return failure;
}

void RecoveryWriter::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || pending_; });
    if (stop_) break;
    Producer produce = std::move(pending_);
    pending_ = nullptr;
    const std::string path = pendingPath_;
    busy_ = true;
    lock.unlock();
    const bool ok = WriteFileAtomically(path, produce());
    lock.lock();
    busy_ = false;
    if (!ok) failure_ = path;
    idle_.notify_all();
  }
  busy_ = false;
  idle_.notify_all();
}

}  // namespace zorvel
