#pragma once
// The edit control as the proofreading operations see it. Every position and
// length counts bytes of the Big5 document: a double-byte character counts two,
// CR LF counts two, a lone CR or a lone LF counts one. Lines are numbered from 0
// and a line's bytes never include its line break.
//
// MemoryEditor implements it over a byte string; the Qt text window implements
// it over its editor widget. Both must agree on every position.

#include <string>
#include <string_view>

namespace zorvel {

// Said when a command that writes into the text meets a text opened to be read
// only: nothing is changed, and the operator learns why.
inline constexpr std::string_view kReadOnlyText = "錯誤 : 文件以唯讀方式開啟, 無法修改.";

struct FindOptions {
  bool MatchCase = false;
  bool WholeWord = false;
};

class TextEditor {
 public:
  virtual ~TextEditor() = default;

  // Selection. SetSelStart collapses the selection at pos (clamped to the text);
  // SetSelLength extends it from the start (clamped). Selecting scrolls the
  // selection into view.
  virtual int SelStart() const = 0;
  virtual int SelLength() const = 0;
  virtual void SetSelStart(int pos) = 0;
  virtual void SetSelLength(int length) = 0;
  // Both in one step, for runs that select many places one after another; an
  // editor whose every selection change costs a repaint does it once.
  virtual void SetSelection(int start, int length) {
    SetSelStart(start);
    SetSelLength(length);
  }
  virtual std::string SelectedBytes() const = 0;
  // Replaces the selection by bytes; the cursor ends after the inserted bytes.
  virtual void ReplaceSelection(std::string_view bytes) = 0;

  // Lines.
  virtual int LineCount() const = 0;
  virtual int LineFromPos(int pos) const = 0;  // line holding pos (clamped)
  virtual int LineStart(int line) const = 0;   // -1 when there is no such line
  virtual std::string LineBytes(int line) const = 0;

  // Forward search in [start, end) that matches whole characters only: a match
  // never begins on the second byte of a double-byte character. Without
  // MatchCase, ASCII letters match in either case. Returns the byte position of
  // the match, or -1.
  virtual int Find(std::string_view what, int start, int end, FindOptions options) const = 0;

  // View.
  virtual void ScrollFullyLeft() = 0;
  virtual void ScrollLineDown() = 0;
  virtual int VerticalScrollPos() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void SetFocus() = 0;

  // Document.
  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;
  virtual int TextLength() const = 0;
  virtual std::string Text() const = 0;
  virtual void SetText(std::string_view bytes) = 0;  // clears undo; leaves Modified to the caller
  // Loads bytes to be read, not edited: no edit changes the text (replacing,
  // cutting, pasting and undo do nothing) until the next SetText. A line too
  // long to edit may be shown in pieces, each piece a line of its own for the
  // line queries; the bytes and every position stay as they are.
  virtual void SetReadOnlyText(std::string_view bytes) = 0;
  virtual bool IsReadOnly() const = 0;

  // Editing commands.
  virtual void Undo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
};

}  // namespace zorvel
