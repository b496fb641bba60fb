#pragma once
// The TextEditor over a byte string, for tests and headless tools. It keeps the
// same rules as the Qt editor: positions are rounded to whole characters (a
// selection never splits a double-byte character or a CR LF), each replacement
// is one undo step, a paste puts CR LF for every line break, a line too long
// to edit is read in pieces (core/text/editor_bytes.h), and the view is a
// window of VisibleLines() lines.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/line_index.h"
#include "core/text/text_editor.h"

namespace zorvel {

class MemoryEditor : public TextEditor {
 public:
  // Editors given the same clipboard cut to and paste from it; without one an
  // editor has a clipboard of its own.
  explicit MemoryEditor(std::string_view bytes = {}, std::shared_ptr<std::string> clipboard = nullptr);

  int SelStart() const override { return selStart_; }
  int SelLength() const override { return selLength_; }
  void SetSelStart(int pos) override;
  void SetSelLength(int length) override;
  std::string SelectedBytes() const override;
  void ReplaceSelection(std::string_view bytes) override;

  int LineCount() const override { return index_.LineCount(); }
  int LineFromPos(int pos) const override { return index_.LineFromPos(pos); }
  int LineStart(int line) const override;
  std::string LineBytes(int line) const override;

  int Find(std::string_view what, int start, int end, FindOptions options) const override;

  void ScrollFullyLeft() override { leftColumn_ = 0; }
  void ScrollLineDown() override;
  int VerticalScrollPos() const override { return topLine_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }
  void SetFocus() override { focused_ = true; }

  bool Modified() const override { return modified_; }
  void SetModified(bool modified) override;
  int TextLength() const override { return static_cast<int>(text_.size()); }
  std::string Text() const override { return text_; }
  void SetText(std::string_view bytes) override;
  void SetReadOnlyText(std::string_view bytes) override;
  bool IsReadOnly() const override { return readOnly_; }

  void Undo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void SelectAll() override;

  // The editor's clipboard, as bytes.
  std::string& Clipboard() { return *clipboard_; }

  // What the tests look at besides the seam.
  bool HasFocus() const { return focused_; }
  int LeftColumn() const { return leftColumn_; }
  void SetLeftColumn(int column) { leftColumn_ = column; }
  static constexpr int VisibleLines() { return 20; }
  bool CanUndo() const { return !undo_.empty(); }

 private:
  std::shared_ptr<std::string> clipboard_;
  bool readOnly_ = false;
  struct Edit {
    int Pos = 0;
    std::string Removed;
    std::string Inserted;
    int SelStart = 0;  // the selection before the edit
    int SelLength = 0;
  };

  int FloorToChar(int pos) const;
  int CeilToChar(int pos) const;
  // Replaces [pos, pos + length) by bytes and keeps the line index up to date.
  void Splice(int pos, int length, std::string_view bytes);
  void ScrollIntoView();

  std::string text_;
  LineIndex index_;
  int selStart_ = 0;
  int selLength_ = 0;
  bool modified_ = false;
  bool enabled_ = true;
  bool focused_ = false;
  int topLine_ = 0;
  int leftColumn_ = 0;
  std::vector<Edit> undo_;
  // Undo depth at which the text was last marked unmodified; -1 when that state
  // can no longer be reached by undoing.
  int cleanDepth_ = 0;
};

}  // namespace zorvel
