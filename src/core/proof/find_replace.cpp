#include "core/proof/find_replace.h"

#include "core/prompts.h"

namespace zorvel {

bool FindReplace::ReplaceDialogFind(TextEditor& editor, Prompts& prompts, std::string_view findText,
                                    FindOptions options) {
  const int start = editor.SelStart() + editor.SelLength();
  const int found = editor.Find(findText, start, editor.TextLength(), options);
  if (found < 0) {
    prompts.Message(kFindNotFound);
    FindSelected = false;
    return false;
  }
  editor.SetSelStart(found);
  editor.SetSelLength(static_cast<int>(findText.size()));
  FindSelected = true;
  return true;
}

int FindReplace::ReplaceDialogReplace(TextEditor& editor, Prompts& prompts, std::string_view findText,
                                      std::string_view replaceText, FindOptions options, bool replaceAll) {
  int replaced = 0;
  if (editor.IsReadOnly()) {
    prompts.Message(kReadOnlyText);
    return replaced;
  }
  do {
    int start = editor.SelStart();
    if (!FindSelected) start += editor.SelLength();
    FindSelected = false;
    const int found = editor.Find(findText, start, editor.TextLength(), options);
    if (found < 0) {
      prompts.Message(kReplaceNotFound);
      break;
    }
    editor.SetSelStart(found);
    editor.SetSelLength(static_cast<int>(findText.size()));
    editor.ReplaceSelection(replaceText);
    ++replaced;
    // The next step starts after the inserted text, so a replacement that holds
    // the find text is never taken up again.
    editor.SetSelStart(found);
    editor.SetSelLength(static_cast<int>(replaceText.size()));
  } while (replaceAll);
  return replaced;
}

}  // namespace zorvel
