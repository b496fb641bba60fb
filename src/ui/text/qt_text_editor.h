#pragma once
// The text window's edit control: a QPlainTextEdit that shows the Big5 document
// as Unicode and answers the TextEditor seam in bytes.
//
// Every block of the Qt document is one line. Its bytes follow from its
// characters alone (the lossless mapping of core/text/big5.h), so the line
// index (byte length and line ending of every line) is kept up to date from the
// document's change notices and no query converts the whole text. A line's
// ending (CR LF, lone CR, lone LF) is stored as a property of the block
// separator's character format, unless it is the text's most common ending: the
// undo stack restores it with the separator, so every line keeps its own ending
// byte for byte.

#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <functional>
#include <string>
#include <string_view>

#include "core/text/line_index.h"
#include "core/text/text_editor.h"
#include "core/text/text_file.h"

class QMimeData;

namespace zorvel {

class HoldableLayout;

class QtTextEditor : public QPlainTextEdit, public TextEditor {
  Q_OBJECT

 public:
  explicit QtTextEditor(QWidget* parent = nullptr);

  // The byte limit of the text; longer text is refused.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int bytes) { maxLength_ = bytes; }

  // Called with the number of characters that Big5 cannot hold and that were
  // replaced by "?" in typed, pasted or dropped text.
  std::function<void(int count)> OnCharactersReplaced;
  // Called when an edit was refused because the text would grow beyond MaxLength().
  std::function<void()> OnTooLong;
  // Asked when Enter reaches the text; true drops the keystroke.
  std::function<bool()> DropsEnter;
  // Called before and after each edit of the operator's (a key, a paste, a
  // drop, a cut), once around the outermost when one leads to another.
  std::function<void()> BeforeOperatorEdit;
  std::function<void()> AfterOperatorEdit;
  // Called after each change of the text by whatever means (typing, a
  // replacement, undo): lines first to last of the text as it is now are new
  // or changed, the lines around them are as they were.
  std::function<void(int first, int last)> OnLinesChanged;
  // Called when a whole new text was loaded (SetText, SetReadOnlyText), with
  // the bytes it was given.
  std::function<void(std::string_view bytes)> OnTextLoaded;

  // TextEditor
  int SelStart() const override;
  int SelLength() const override;
  void SetSelStart(int pos) override;
  void SetSelLength(int length) override;
  void SetSelection(int start, int length) override;
  std::string SelectedBytes() const override;
  void ReplaceSelection(std::string_view bytes) override;
  int LineCount() const override;
  int LineFromPos(int pos) const override;
  int LineStart(int line) const override;
  std::string LineBytes(int line) const override;
  int Find(std::string_view what, int start, int end, FindOptions options) const override;
  void ScrollFullyLeft() override;
  void ScrollLineDown() override;
  int VerticalScrollPos() const override;
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  bool IsEnabled() const override { return isEnabled(); }
  void SetFocus() override { setFocus(); }
  bool Modified() const override;
  void SetModified(bool modified) override;
  int TextLength() const override;
  std::string Text() const override;
  void SetText(std::string_view bytes) override;
  // A line too long to edit is shown in the pieces CutLongLines makes, joined
  // by breaks that hold no bytes, so that only the pieces in view are laid out.
  void SetReadOnlyText(std::string_view bytes) override;
  bool IsReadOnly() const override { return readOnly_; }
  void Undo() override {
    if (!readOnly_) undo();
  }
  void Cut() override;
  void Copy() override { copy(); }
  void Paste() override {
    if (!readOnly_) paste();
  }
  void SelectAll() override { selectAll(); }

  // Byte position <-> position in the Qt document. A byte position inside a
  // character goes to its start, or to its end with roundUp.
  int ToDocumentPos(int bytePos, bool roundUp = false) const;
  int ToBytePos(int documentPos) const;
  // The bytes of [start, end), line endings included.
  std::string BytesInRange(int start, int end) const;
  // The text as it is now, to be turned into bytes later, on any thread: taking
  // it copies the characters once; the conversion runs when the returned
  // function is called and gives what Text() gave at the time of the snapshot.
  std::function<std::string()> TextSnapshot() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  // Frames the placeholders of bytes that have no character, in red.
  void paintEvent(QPaintEvent* event) override;
  // Both bring the cursor into view first when a selection change left that
  // for later, so that whatever the event sees or paints is the scrolled view.
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  // Makes `cursor` the widget's cursor at once but scrolls it into view only
  // when control returns to the event loop (or something reads or paints the
  // view first): a run of selection changes lays out no line in between.
  void MoveCursor(const QTextCursor& cursor);
  // Scrolls the cursor into view if a selection change is still waiting for it.
  void ShowCursor();
  void ContentsChanged(int position, int removed, int added);
  LineEnd EndOfBlock(const QTextBlock& block) const;
  QTextCharFormat SeparatorFormat(LineEnd end) const;
  // Replaces the byte range [start, end) and leaves the cursor after the new
  // bytes; false when the text would grow beyond MaxLength().
  bool ReplaceRange(int start, int end, std::string_view bytes);
  // Inserts text typed or pasted by the operator in place of the selection.
  void InsertOperatorText(const QString& text);
  // After an edit of the operator's, writes the cursor's line as its bytes read
  // back (a stray first byte that now meets a single byte becomes one
  // character), so that what the screen holds is cut into characters as the
  // bytes are. Joins the operator's undo step.
  void NormalizeCurrentLine();

  // Runs BeforeOperatorEdit on construction and AfterOperatorEdit on
  // destruction, for the outermost one only.
  class OperatorEdit;
  int operatorEdits_ = 0;
  void Load(std::string_view bytes, bool pieces);

  HoldableLayout* layout_ = nullptr;
  bool readOnly_ = false;
  // Some line is shown in pieces: a match may run across their breaks.
  bool pieces_ = false;
  bool cursorScrollPending_ = false;
  LineIndex index_;
  int blockCount_ = 1;
  // Whether every line holds the Unicode its bytes read back as. Find then skips
  // lines whose Unicode cannot hold the match without converting them.
  bool canonical_ = true;
  // The ending of a separator that carries none of its own: the most common
  // ending of the text when it was loaded.
  LineEnd defaultEnd_ = LineEnd::CrLf;
  bool loading_ = false;
  int maxLength_ = zorvel::kMaxTextLength;
};

}  // namespace zorvel
