#include "core/text/document_recovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/text/text_file.h"

namespace zorvel {

DocumentRecovery::DocumentRecovery(TextEditor& editor, TextDocument& document,
                                   std::function<Prompts&()> prompts, std::string unnamedFolder)
    : editor_(editor),
      document_(document),
      prompts_(std::move(prompts)),
      unnamedFolder_(std::move(unnamedFolder)) {
  Snapshot = [this]() -> RecoveryWriter::Producer {
    return [bytes = editor_.Text()]() mutable { return std::move(bytes); };
  };
  document_.OnLoading = [this](const std::string& path, std::string& bytes) { return Loading(path, bytes); };
  document_.OnSaved = [this] { Saved(); };
}

DocumentRecovery::~DocumentRecovery() {
  document_.OnLoading = nullptr;
  document_.OnSaved = nullptr;
}

std::string DocumentRecovery::RestoreQuestion(const std::string& textPath) {
  // The recovery file lies beside the text: its bare name is enough.
  const std::string recovery = RecoveryFileName(textPath);
  return "文件 " + textPath + " 有較新的復原檔 " + recovery.substr(recovery.find_last_of('/') + 1) +
         ", 是否還原?\n是 : 還原復原檔的內容 (原檔在儲存前不會變動)\n否 : 刪除復原檔\n取消 : 保留復原檔";
}

std::string DocumentRecovery::WriteFailedWarning(const std::string& recoveryPath) {
  return "警告 : 復原檔 " + recoveryPath + " 無法寫入!";
}

std::string DocumentRecovery::RecoveryPath() const {
  if (document_.FileName().empty()) return RecoveryFileName(unnamedFolder_ + "/" + kUnnamedRecoveryText);
  return RecoveryFileName(document_.FileName());
}

void DocumentRecovery::Release() {
  if (owned_.empty()) return;
  writer_.Remove(owned_);
  owned_.clear();
}

void DocumentRecovery::MoveAsideForeign(const std::string& path) {
  if (owned_ == path) return;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  // Left by another run or kept by the operator: this run's text must not
  // overwrite it.
  std::rename(path.c_str(), KeptRecoveryFileName(path).c_str());
}

void DocumentRecovery::AutoSave() {
  if (frozen_) return;
  const std::string failed = writer_.TakeFailure();
  if (!failed.empty() && warned_.insert(failed).second) prompts_().Message(WriteFailedWarning(failed));
  if (!editor_.Modified()) {
    // Back to the text as saved (undone, or saved elsewhere): nothing to keep.
    Release();
    changed_ = false;
    return;
  }
  const std::string path = RecoveryPath();
  if (!owned_.empty() && owned_ != path) Release();
  if (owned_ == path && !changed_) return;
  MoveAsideForeign(path);
  writer_.WriteLater(path, Snapshot());
  owned_ = path;
  changed_ = false;
}

bool DocumentRecovery::SaveForExit() {
  if (frozen_) return true;
  frozen_ = true;
  if (!editor_.Modified()) return true;
  const std::string path = RecoveryPath();
  if (!owned_.empty() && owned_ != path) writer_.Remove(owned_);
  MoveAsideForeign(path);
  owned_ = path;
  return writer_.WriteNow(path, editor_.Text());
}

void DocumentRecovery::SessionClosed() {
  if (frozen_) return;
  Release();
  frozen_ = true;
}

void DocumentRecovery::Saved() {
  if (frozen_) return;
  Release();
  changed_ = false;
}

bool DocumentRecovery::Loading(const std::string& path, std::string& bytes) {
  if (frozen_) return false;
  // The text shown so far was saved or discarded before this open.
  Release();
  changed_ = false;
  if (!HasNewerRecovery(path)) return false;
  const std::string recovery = RecoveryFileName(path);
  switch (prompts_().AskYesNoCancel(RestoreQuestion(path))) {
    case Answer::Yes: {
      std::string recovered;
      std::string message;
      if (!ReadTextForEditing(recovery, recovered, message)) {
        prompts_().Error(message);
        return false;
      }
      bytes = std::move(recovered);
      owned_ = recovery;
      return true;
    }
    case Answer::No:
      if (::unlink(recovery.c_str()) != 0) {
        prompts_().Error("無法刪除檔案 " + recovery + " : " + std::strerror(errno));
      }
      return false;
    case Answer::Cancel:
      return false;
  }
  return false;
}

}  // namespace zorvel
