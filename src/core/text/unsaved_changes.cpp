#include "core/text/unsaved_changes.h"

namespace zorvel {

bool SettleUnsavedChanges(bool modified, std::string_view question, Prompts& prompts,
                          const std::function<SaveResult()>& save, AfterCancelledSave afterCancelled) {
  if (!modified) return true;
  switch (prompts.AskYesNoCancel(question)) {
    case Answer::Cancel:
      return false;
    case Answer::No:
      return true;
    case Answer::Yes:
      switch (save()) {
        case SaveResult::Saved:
          return true;
        case SaveResult::Cancelled:
          return afterCancelled == AfterCancelledSave::GoOn;
        case SaveResult::Failed:
          return false;
      }
  }
  return false;
}

}  // namespace zorvel
