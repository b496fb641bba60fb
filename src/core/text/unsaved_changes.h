#pragma once
// The question about unsaved work, asked before anything replaces or drops a
// text: the proof text (open, bookmark jump, close) and the replacement table
// (load). Cancel stops, No goes on and drops the changes, Yes saves first.

#include <functional>
#include <string_view>

#include "core/prompts.h"

namespace zorvel {

inline constexpr std::string_view kTextModifiedQuestion = "文件已修改, 是否儲存?";

enum class SaveResult { Saved, Cancelled, Failed };

// What a save that did not happen because its dialog was cancelled means for
// the operation that asked.
enum class AfterCancelledSave {
  GoOn,  // the operation goes on: its own dialog follows and may be cancelled
  Stop,  // the operation stops: it would throw the changes away at once
};

// When modified, asks question (Yes, No, Cancel) and, on Yes, runs save. A
// save that failed always stops the operation, so that the changes are never
// dropped unsaved; a cancelled save dialog stops or goes on as afterCancelled
// says. True when the operation may go on.
bool SettleUnsavedChanges(bool modified, std::string_view question, Prompts& prompts,
                          const std::function<SaveResult()>& save, AfterCancelledSave afterCancelled);

}  // namespace zorvel
