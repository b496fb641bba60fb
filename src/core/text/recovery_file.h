#pragma once
// The recovery file of a proof text: a copy of the unsaved text written beside
// it, so that a logout, a shutdown or a kill loses nothing. It is named after
// the text with a suffix the operator recognises ("T01.txt" ->
// "T01.txt.zorvel-recovery") and is always written atomically, so a kill during
// the write leaves the previous recovery file whole.
//
// RecoveryWriter writes on a worker thread of its own, so that copying a large
// text to the disk never holds up typing.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace zorvel {

constexpr const char* kRecoverySuffix = ".zorvel-recovery";
// The name an unnamed document's recovery file takes in the start folder.
constexpr const char* kUnnamedRecoveryText = "zorvel-untitled.txt";

// The recovery file of the text at textPath.
std::string RecoveryFileName(const std::string& textPath);

// True when the recovery file of textPath exists and is not older than the
// text (or the text is gone). Every save and every discard removes the recovery
// file, so one as new as the text holds changes the text lacks.
bool HasNewerRecovery(const std::string& textPath);

// A free name under which a recovery file that this run did not write is moved
// out of the way before this run writes its own: "NAME.zorvel-recovery.kept",
// then ".kept2", ".kept3"...
std::string KeptRecoveryFileName(const std::string& recoveryPath);

class RecoveryWriter {
 public:
  // Produces the bytes to write; runs on the worker thread.
  using Producer = std::function<std::string()>;

  RecoveryWriter();
  // Finishes the write in progress; one still waiting is dropped.
  ~RecoveryWriter();
  RecoveryWriter(const RecoveryWriter&) = delete;
  RecoveryWriter& operator=(const RecoveryWriter&) = delete;

  // Queues a write of path on the worker. A queued write that has not started
  // yet is replaced: only the newest text matters.
  void WriteLater(std::string path, Producer bytes);
  // Writes path now, on the caller's thread, after the write in progress; a
  // queued write is dropped. False when the write failed.
  bool WriteNow(const std::string& path, std::string_view bytes);
  // Removes the file at path once the write in progress is done; a queued write
  // of the same path is dropped, so no later write brings the file back.
  void Remove(const std::string& path);
  // Returns once nothing is queued or being written.
  void Wait();
  // The path of the last worker write that failed, cleared by the call; empty
  // when every write since the last call succeeded.
  std::string TakeFailure();

 private:
  void Run();
  void WaitIdle(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::string pendingPath_;
  Producer pending_;
  bool busy_ = false;
  bool stop_ = false;
  std::string failure_;
  std::thread worker_;
};

}  // namespace zorvel
