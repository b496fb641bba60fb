#include "core/text/text_document.h"

#include "core/text/text_file.h"

namespace zorvel {

std::optional<LongLine> FindLongLine(std::string_view bytes, int limit) {
  int line = 0;
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    if (end - start > static_cast<std::size_t>(limit)) return LongLine{line, static_cast<int>(end - start)};
    if (end == bytes.size()) break;
    start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    ++line;
  }
  return std::nullopt;
}

std::string LongLineQuestion(const LongLine& line) {
  return "第 " + std::to_string(line.Line + 1) + " 行長達 " + std::to_string(line.Length) +
         " 位元組, 超過可編輯的上限 " + std::to_string(kMaxEditableLineLength) +
         " 位元組. 是否以唯讀方式開啟?";
}

bool LoadTextBytes(TextEditor& editor, std::string_view bytes, Prompts& prompts) {
  if (const std::optional<LongLine> line = FindLongLine(bytes)) {
    if (!prompts.AskYesNo(LongLineQuestion(*line))) return false;
    editor.SetReadOnlyText(bytes);
    return true;
  }
  editor.SetText(bytes);
  return true;
}

TextDocument::TextDocument(TextEditor& editor, std::function<Prompts&()> prompts, FileDialogs& dialogs)
    : editor_(editor), prompts_(std::move(prompts)), dialogs_(dialogs) {}

std::string TextDocument::Caption() const {
  if (fileName_.empty()) return "(no file)";
  return editor_.IsReadOnly() ? fileName_ + " (唯讀)" : fileName_;
}

void TextDocument::SetFileName(const std::string& path) {
  fileName_ = path;
  if (OnFileNameChanged) OnFileNameChanged();
}

bool TextDocument::SettleBeforeOpen() {
  // A cancelled Save As goes on to the open; a save that failed stops here, so
  // that the changes are not thrown away unsaved.
  return SettleUnsavedChanges(
      editor_.Modified(), kModifiedQuestion, prompts_(), [this] { return FileSave(); },
      AfterCancelledSave::GoOn);
}

bool TextDocument::FileOpen() {
  if (!SettleBeforeOpen()) return false;
  const std::string path = dialogs_.OpenFileName();
  return !path.empty() && Load(path);
}

OpenResult TextDocument::OpenFile(const std::string& path) {
  if (!SettleBeforeOpen()) return OpenResult::Stopped;
  return !path.empty() && Load(path) ? OpenResult::Opened : OpenResult::NotOpened;
}

bool TextDocument::Load(const std::string& path) {
  std::string bytes;
  std::string message;
  if (!ReadTextForEditing(path, bytes, message)) {
    prompts_().Error(message);
    return false;
  }
  const bool recovered = OnLoading && OnLoading(path, bytes);
  if (!LoadTextBytes(editor_, bytes, prompts_())) return false;
  SetFileName(path);
  editor_.SetFocus();
  editor_.SetModified(recovered);
  return true;
}

SaveResult TextDocument::WriteTo(const std::string& path) {
  std::string reason;
  if (!WriteTextFileAtomically(path, editor_.Text(), reason)) {
    prompts_().Error("無法儲存檔案 " + path + " : " + reason);
    return SaveResult::Failed;
  }
  editor_.SetModified(false);
  if (OnSaved) OnSaved();
  if (AfterSave) AfterSave();
  return SaveResult::Saved;
}

SaveResult TextDocument::FileSave() {
  if (fileName_.empty()) return FileSaveAs();
  return WriteTo(fileName_);
}

SaveResult TextDocument::FileSaveAs() {
  const std::string path = dialogs_.SaveFileName();
  if (path.empty()) return SaveResult::Cancelled;
  const SaveResult result = WriteTo(path);
  if (result == SaveResult::Saved) SetFileName(path);
  return result;
}

bool TextDocument::CloseQuery() {
  // Closing after a save that did not happen would lose the changes.
  return SettleUnsavedChanges(
      editor_.Modified(), kModifiedQuestion, prompts_(), [this] { return FileSave(); },
      AfterCancelledSave::Stop);
}

}  // namespace zorvel
