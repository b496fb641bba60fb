#include "ui/text/qt_text_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "core/text/big5.h"
#include "core/text/editor_bytes.h"
#include "core/text/text_search.h"

namespace zorvel {

namespace {

// The character format property of a block separator that records its line
// ending; a separator without it ends its line in the text's most common ending.
constexpr int kLineEndProperty = QTextFormat::UserProperty + 0x950;

std::u16string_view View(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

QString ToQString(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

}  // namespace

class QtTextEditor::OperatorEdit {
 public:
  explicit OperatorEdit(QtTextEditor* editor) : editor_(editor) {
    if (editor_->operatorEdits_++ == 0 && editor_->BeforeOperatorEdit) editor_->BeforeOperatorEdit();
  }
  ~OperatorEdit() {
    if (--editor_->operatorEdits_ == 0 && editor_->AfterOperatorEdit) editor_->AfterOperatorEdit();
  }
  OperatorEdit(const OperatorEdit&) = delete;
  OperatorEdit& operator=(const OperatorEdit&) = delete;

 private:
  QtTextEditor* editor_;
};

// The document layout of the editor. While held, every block it is asked about
// is laid out alone and reported as taller than any view, so that QPlainTextEdit
// finds a new cursor's place without laying out the lines around it.
class HoldableLayout : public QPlainTextDocumentLayout {
 public:
  using QPlainTextDocumentLayout::QPlainTextDocumentLayout;
  bool held = false;
  QRectF blockBoundingRect(const QTextBlock& block) const override {
    const QRectF box = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!held || !box.isValid()) return box;
    return QRectF(box.topLeft(), QSizeF(box.width(), 1e6));
  }
};

QtTextEditor::QtTextEditor(QWidget* parent) : QPlainTextEdit(parent) {
  auto* doc = new QTextDocument(this);
  layout_ = new HoldableLayout(doc);
  doc->setDocumentLayout(layout_);
  setDocument(doc);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The selection stays visible when the control does not have the focus.
  QPalette p = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(p);
  connect(document(), &QTextDocument::contentsChange, this,
          [this](int position, int removed, int added) { ContentsChanged(position, removed, added); });
}

QTextCharFormat QtTextEditor::SeparatorFormat(LineEnd end) const {
  QTextCharFormat format;
  if (end != defaultEnd_) format.setProperty(kLineEndProperty, static_cast<int>(end));
  return format;
}

LineEnd QtTextEditor::EndOfBlock(const QTextBlock& block) const {
  const QTextBlock next = block.next();
  if (!next.isValid()) return LineEnd::None;
  const QVariant end = next.charFormat().property(kLineEndProperty);
  if (!end.isValid()) return defaultEnd_;
  const int value = end.toInt();
  return value == static_cast<int>(LineEnd::Cr)     ? LineEnd::Cr
         : value == static_cast<int>(LineEnd::Lf)   ? LineEnd::Lf
         : value == static_cast<int>(LineEnd::None) ? LineEnd::None
                                                    : LineEnd::CrLf;
}

void QtTextEditor::ContentsChanged(int position, int /*removed*/, int added) {
  if (loading_) return;
  QTextDocument* doc = document();
  const int newCount = doc->blockCount();
  QTextBlock first = doc->findBlock(position);
  // A separator's format change (or removal) before `first` can change the
  // ending of the line in front of it.
  if (first.isValid() && first.position() == position && first.previous().isValid()) first = first.previous();
  QTextBlock last = doc->findBlock(position + added);
  if (!last.isValid()) last = doc->lastBlock();
  if (!first.isValid()) first = doc->firstBlock();
  const int firstNumber = first.blockNumber();
  const int lastNumber = last.blockNumber();
  const int oldLines = (lastNumber - firstNumber + 1) - (newCount - blockCount_);
  std::vector<LineInfo> lines;
  lines.reserve(static_cast<std::size_t>(lastNumber - firstNumber + 1));
  for (QTextBlock b = first;; b = b.next()) {
    const QString text = b.text();
    if (canonical_) {
      const std::string bytes = UnicodeToBig5(View(text));
      canonical_ = std::u16string_view(Big5ToUnicode(bytes)) == View(text);
      lines.push_back(LineInfo{static_cast<int>(bytes.size()), EndOfBlock(b)});
    } else {
      lines.push_back(LineInfo{Big5Length(View(text)), EndOfBlock(b)});
    }
    if (b == last) break;
  }
  index_.Replace(firstNumber, oldLines, lines);
  blockCount_ = newCount;
  if (OnLinesChanged) OnLinesChanged(firstNumber, lastNumber);
}

int QtTextEditor::ToDocumentPos(int bytePos, bool roundUp) const {
  bytePos = std::clamp(bytePos, 0, index_.TextLength());
  const int line = index_.LineFromPos(bytePos);
  const int offset = bytePos - index_.LineStart(line);
  const QTextBlock block = document()->findBlockByNumber(line);
  const LineInfo& info = index_.Line(line);
  if (offset > info.Length) {
    // Inside a CR LF.
    if (roundUp)
      return block.next().isValid() ? block.next().position() : block.position() + block.length() - 1;
    return block.position() + block.length() - 1;
  }
  return block.position() + Utf16IndexOfByteOffset(View(block.text()), offset, roundUp);
}

int QtTextEditor::ToBytePos(int documentPos) const {
  const QTextBlock block = document()->findBlock(documentPos);
  if (!block.isValid()) return index_.TextLength();
  return index_.LineStart(block.blockNumber()) +
         ByteOffsetOfUtf16Index(View(block.text()), documentPos - block.position());
}

int QtTextEditor::SelStart() const {
  return ToBytePos(textCursor().selectionStart());
}

int QtTextEditor::SelLength() const {
  const QTextCursor c = textCursor();
  return ToBytePos(c.selectionEnd()) - ToBytePos(c.selectionStart());
}

void QtTextEditor::MoveCursor(const QTextCursor& cursor) {
  // setTextCursor scrolls at once; the view is put back where it was, and with
  // its updates off and the layout held, neither move lays out visible lines.
  QScrollBar* vertical = verticalScrollBar();
  QScrollBar* horizontal = horizontalScrollBar();
  const int top = vertical->value();
  const int left = horizontal->value();
  viewport()->setUpdatesEnabled(false);
  layout_->held = true;
  setTextCursor(cursor);
  vertical->setValue(top);
  horizontal->setValue(left);
  layout_->held = false;
  viewport()->setUpdatesEnabled(true);
  if (!cursorScrollPending_) {
    cursorScrollPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { ShowCursor(); }, Qt::QueuedConnection);
  }
  // The held layout gave the old and new selection no area to repaint.
  viewport()->update();
}

void QtTextEditor::ShowCursor() {
  if (!cursorScrollPending_) return;
  cursorScrollPending_ = false;
  ensureCursorVisible();
}

bool QtTextEditor::event(QEvent* event) {
  ShowCursor();
  return QPlainTextEdit::event(event);
}

bool QtTextEditor::viewportEvent(QEvent* event) {
  ShowCursor();
  return QPlainTextEdit::viewportEvent(event);
}

void QtTextEditor::SetSelStart(int pos) {
  QTextCursor c = textCursor();
  c.setPosition(ToDocumentPos(pos));
  MoveCursor(c);
}

void QtTextEditor::SetSelLength(int length) {
  QTextCursor c = textCursor();
  const int start = c.selectionStart();
  const int end = ToDocumentPos(ToBytePos(start) + std::max(length, 0), true);
  c.setPosition(start);
  c.setPosition(end, QTextCursor::KeepAnchor);
  MoveCursor(c);
}

// The same selection as SetSelStart then SetSelLength, with one cursor change.
void QtTextEditor::SetSelection(int start, int length) {
  QTextCursor c = textCursor();
  const int from = ToDocumentPos(start);
  const int to = ToDocumentPos(ToBytePos(from) + std::max(length, 0), true);
  c.setPosition(from);
  c.setPosition(to, QTextCursor::KeepAnchor);
  MoveCursor(c);
}

std::string QtTextEditor::BytesInRange(int start, int end) const {
  std::string out;
  start = std::clamp(start, 0, index_.TextLength());
  end = std::clamp(end, start, index_.TextLength());
  if (start == end) return out;
  int line = index_.LineFromPos(start);
  for (QTextBlock b = document()->findBlockByNumber(line); b.isValid() && index_.LineStart(line) < end;
       b = b.next(), ++line) {
    const int lineStart = index_.LineStart(line);
    std::string bytes = UnicodeToBig5(View(b.text()));
    bytes += LineEndBytes(index_.Line(line).End);
    const int from = std::max(start - lineStart, 0);
    const int to = std::min(end - lineStart, static_cast<int>(bytes.size()));
    out.append(bytes, static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  }
  return out;
}

std::string QtTextEditor::SelectedBytes() const {
  const int start = SelStart();
  return BytesInRange(start, start + SelLength());
}

bool QtTextEditor::ReplaceRange(int start, int end, std::string_view bytes) {
  if (readOnly_) return false;
  if (index_.TextLength() - (end - start) + static_cast<long long>(bytes.size()) > maxLength_) {
    if (OnTooLong) OnTooLong();
    return false;
  }
  // The whole lines the edit touches are written anew, so that line breaks that
  // meet at the edges (a lone CR before an LF) join as they do in the bytes.
  int first = index_.LineFromPos(start);
  if (first > 0 && start == index_.LineStart(first) && index_.Line(first - 1).End == LineEnd::Cr) --first;
  const int last = index_.LineFromPos(end);
  const bool lastLineOpen = last == index_.LineCount() - 1;
  const int spanStart = index_.LineStart(first);
  const int spanEnd = lastLineOpen ? index_.TextLength() : index_.LineStart(last + 1);
  std::string span = BytesInRange(spanStart, start);
  span.append(bytes);
  span += BytesInRange(end, spanEnd);
  const std::vector<LineInfo> lines = SplitLines(span, lastLineOpen);

  QTextDocument* doc = document();
  const QTextBlock first_block = doc->findBlockByNumber(first);
  const QTextBlock last_block = doc->findBlockByNumber(last);
  QTextCursor c(doc);
  c.beginEditBlock();
  c.setPosition(first_block.position());
  c.setPosition(last_block.position() + last_block.length() - 1, QTextCursor::KeepAnchor);
  c.removeSelectedText();
  const QTextCharFormat plain;
  std::size_t at = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineInfo& line = lines[i];
    const std::string_view text(span.data() + at, static_cast<std::size_t>(line.Length));
    if (!text.empty()) c.insertText(ToQString(Big5ToUnicode(text)), plain);
    at += static_cast<std::size_t>(line.Length + LineEndLength(line.End));
    if (i + 1 < lines.size()) {
      c.insertBlock(QTextBlockFormat(), SeparatorFormat(line.End));
    } else if (!lastLineOpen && EndOfBlock(c.block()) != line.End) {
      // The last line keeps the separator that followed the old last line.
      QTextCursor sep(doc);
      sep.setPosition(c.block().position() + c.block().length() - 1);
      sep.setPosition(sep.position() + 1, QTextCursor::KeepAnchor);
      sep.setCharFormat(SeparatorFormat(line.End));
    }
  }
  c.endEditBlock();

  QTextCursor caret = textCursor();
  caret.setPosition(ToDocumentPos(start + static_cast<int>(bytes.size())));
  MoveCursor(caret);
  return true;
}

void QtTextEditor::ReplaceSelection(std::string_view bytes) {
  const int start = SelStart();
  const int end = start + SelLength();
  if (start == end && bytes.empty()) return;
  ReplaceRange(start, end, bytes);
}

int QtTextEditor::LineCount() const {
  return index_.LineCount();
}

int QtTextEditor::LineFromPos(int pos) const {
  return index_.LineFromPos(pos);
}

int QtTextEditor::LineStart(int line) const {
  if (line < 0 || line >= index_.LineCount()) return -1;
  return index_.LineStart(line);
}

std::string QtTextEditor::LineBytes(int line) const {
  if (line < 0 || line >= index_.LineCount()) return {};
  return UnicodeToBig5(View(document()->findBlockByNumber(line).text()));
}

int QtTextEditor::Find(std::string_view what, int start, int end, FindOptions options) const {
  if (what.empty()) return -1;
  start = std::clamp(start, 0, index_.TextLength());
  end = std::clamp(end, start, index_.TextLength());
  if (pieces_ || what.find_first_of("\r\n") != std::string_view::npos) {
    const std::string text = Text();
    return FindBig5(text, what, start, end, options, index_.LineStart(index_.LineFromPos(start)));
  }
  // A line whose Unicode does not contain the needle's Unicode (case-blind when
  // the search is) cannot hold a match, provided the lines are as their bytes
  // read back and the needle ends on a whole character.
  QString needle;
  std::size_t lastUnit = 0;
  for (std::size_t i = 0; i < what.size(); i += static_cast<std::size_t>(Big5CharLength(what, i)))
    lastUnit = i;
  const bool wholeNeedle =
      !(what.size() - lastUnit == 1 && IsBig5LeadByte(static_cast<unsigned char>(what[lastUnit])));
  if (canonical_ && wholeNeedle) needle = ToQString(Big5ToUnicode(what));
  const Qt::CaseSensitivity cs = options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  int line = index_.LineFromPos(start);
  for (QTextBlock b = document()->findBlockByNumber(line); b.isValid(); b = b.next(), ++line) {
    const int lineStart = index_.LineStart(line);
    if (lineStart + static_cast<int>(what.size()) > end) break;
    if (index_.Line(line).Length < static_cast<int>(what.size())) continue;
    const QString text = b.text();
    if (!needle.isEmpty() && !text.contains(needle, cs)) continue;
    const std::string bytes = UnicodeToBig5(View(text));
    const int found = FindBig5(bytes, what, start - lineStart, end - lineStart, options);
    if (found >= 0) return lineStart + found;
  }
  return -1;
}

void QtTextEditor::ScrollFullyLeft() {
  ShowCursor();
  horizontalScrollBar()->setValue(0);
}

void QtTextEditor::ScrollLineDown() {
  ShowCursor();
  verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

int QtTextEditor::VerticalScrollPos() const {
  const_cast<QtTextEditor*>(this)->ShowCursor();
  return verticalScrollBar()->value();
}

bool QtTextEditor::Modified() const {
  return document()->isModified();
}

void QtTextEditor::SetModified(bool modified) {
  document()->setModified(modified);
}

int QtTextEditor::TextLength() const {
  return index_.TextLength();
}

std::string QtTextEditor::Text() const {
  std::string out;
  out.reserve(static_cast<std::size_t>(index_.TextLength()));
  int line = 0;
  for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next(), ++line) {
    out += UnicodeToBig5(View(b.text()));
    out += LineEndBytes(index_.Line(line).End);
  }
  return out;
}

std::function<std::string()> QtTextEditor::TextSnapshot() const {
  // The document's raw text is one copy of its piece table, its blocks split
  // by paragraph separators: far cheaper than asking each block for its text.
  auto raw = std::make_shared<const QString>(document()->toRawText());
  auto ends = std::make_shared<std::vector<LineEnd>>();
  ends->reserve(static_cast<std::size_t>(index_.LineCount()));
  for (int line = 0; line < index_.LineCount(); ++line) ends->push_back(index_.Line(line).End);
  const auto length = static_cast<std::size_t>(index_.TextLength());
  return [raw, ends, length] {
    std::string out;
    out.reserve(length);
    const std::u16string_view text = View(*raw);
    std::size_t line = 0;
    std::size_t at = 0;
    for (;;) {
      const std::size_t stop = text.find(u'\u2029', at);
      out += UnicodeToBig5(
          text.substr(at, stop == std::u16string_view::npos ? std::u16string_view::npos : stop - at));
      if (line < ends->size()) out += LineEndBytes((*ends)[line]);
      if (stop == std::u16string_view::npos) break;
      at = stop + 1;
      ++line;
    }
    return out;
  };
}

void QtTextEditor::SetText(std::string_view bytes) {
  Load(bytes, false);
}

void QtTextEditor::SetReadOnlyText(std::string_view bytes) {
  Load(bytes, true);
}

void QtTextEditor::Load(std::string_view bytes, bool pieces) {
  const bool modified = document()->isModified();
  std::vector<LineInfo> lines = SplitLines(bytes);
  pieces_ = pieces && CutLongLines(bytes, lines);
  readOnly_ = pieces;
  setReadOnly(pieces);
  // One QString with a plain LF between lines. The most common line ending is
  // the default of the separators; the others are put on theirs afterwards.
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  std::size_t at = 0;
  defaultEnd_ = MostCommonLineEnd(lines);
  bool allDefault = true;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineInfo& line = lines[i];
    const std::u16string u = Big5ToUnicode(bytes.substr(at, static_cast<std::size_t>(line.Length)));
    text.append(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
    if (i + 1 < lines.size()) {
      text.append(QChar(u'\n'));
      allDefault = allDefault && line.End == defaultEnd_;
    }
    at += static_cast<std::size_t>(line.Length + LineEndLength(line.End));
  }
  QTextDocument* doc = document();
  loading_ = true;
  doc->setUndoRedoEnabled(false);
  setPlainText(text);
  if (!allDefault) {
    QTextCursor c(doc);
    QTextBlock b = doc->firstBlock();
    for (std::size_t i = 0; i + 1 < lines.size() && b.isValid(); ++i, b = b.next()) {
      // The breaks between the pieces of a read-only line are known to the
      // line index alone: no edit ever asks their separators.
      if (lines[i].End == defaultEnd_ || lines[i].End == LineEnd::None) continue;
      const int sep = b.position() + b.length() - 1;
      c.setPosition(sep);
      c.setPosition(sep + 1, QTextCursor::KeepAnchor);
      c.setCharFormat(SeparatorFormat(lines[i].End));
    }
  }
  doc->setUndoRedoEnabled(true);
  loading_ = false;
  index_.Reset(std::move(lines));
  blockCount_ = doc->blockCount();
  canonical_ = true;
  doc->setModified(modified);
  QTextCursor c(doc);
  c.setPosition(0);
  setTextCursor(c);
  if (OnTextLoaded) OnTextLoaded(bytes);
}

void QtTextEditor::InsertOperatorText(const QString& text) {
  int replaced = 0;
  ReplaceSelection(OperatorTextToBig5(View(text), &replaced));
  if (replaced > 0 && OnCharactersReplaced) OnCharactersReplaced(replaced);
}

void QtTextEditor::Cut() {
  OperatorEdit edit(this);
  cut();
  NormalizeCurrentLine();
}

void QtTextEditor::NormalizeCurrentLine() {
  const QTextBlock block = textCursor().block();
  const QString text = block.text();
  const std::u16string normal = Big5ToUnicode(UnicodeToBig5(View(text)));
  if (View(text) == std::u16string_view(normal)) return;
  const int caret = SelStart();
  QTextCursor c(document());
  c.joinPreviousEditBlock();
  c.setPosition(block.position());
  c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  c.insertText(ToQString(normal), QTextCharFormat());
  c.endEditBlock();
  SetSelStart(caret);
}

void QtTextEditor::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly()) return QPlainTextEdit::keyPressEvent(event);
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (DropsEnter && DropsEnter()) {
      event->accept();
      return;
    }
    OperatorEdit edit(this);
    InsertOperatorText(QStringLiteral("\n"));
    event->accept();
    return;
  }
  // Undo and redo put back edits that may lie anywhere in the text; the
  // watch looks only around the cursor.
  std::optional<OperatorEdit> edit;
  if (!event->matches(QKeySequence::Undo) && !event->matches(QKeySequence::Redo)) edit.emplace(this);
  const QString typed = event->text();
  if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
    int replaced = 0;
    const std::string bytes = UnicodeToBig5(View(typed), &replaced);
    if (TextLength() - SelLength() + static_cast<long long>(bytes.size()) > maxLength_) {
      if (OnTooLong) OnTooLong();
      event->accept();
      return;
    }
    if (replaced > 0) {
      QKeyEvent substitute(event->type(), event->key(), event->modifiers(), ToQString(Big5ToUnicode(bytes)),
                           event->isAutoRepeat(), event->count());
      QPlainTextEdit::keyPressEvent(&substitute);
      NormalizeCurrentLine();
      if (OnCharactersReplaced) OnCharactersReplaced(replaced);
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
  NormalizeCurrentLine();
}

void QtTextEditor::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  int replaced = 0;
  const std::string bytes = commit.isEmpty() ? std::string() : UnicodeToBig5(View(commit), &replaced);
  if (replaced == 0) {
    QPlainTextEdit::inputMethodEvent(event);
    if (!commit.isEmpty()) NormalizeCurrentLine();
    return;
  }
  QInputMethodEvent substitute(event->preeditString(), event->attributes());
  substitute.setCommitString(ToQString(Big5ToUnicode(bytes)), event->replacementStart(),
                             event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&substitute);
  if (OnCharactersReplaced) OnCharactersReplaced(replaced);
}

bool QtTextEditor::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText();
}

void QtTextEditor::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  OperatorEdit edit(this);
  InsertOperatorText(source->text());
}

void QtTextEditor::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  // The placeholder of a byte is U+F0000 + byte: high surrogate DB80.
  const char16_t high = static_cast<char16_t>(0xD800 + ((kBytePlaceholderBase - 0x10000) >> 10));
  QPainter painter(viewport());
  painter.setPen(QPen(QColor(220, 0, 0), 1));
  const QPointF offset = contentOffset();
  const int bottom = viewport()->height();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = blockBoundingGeometry(block).translated(offset);
    if (box.top() > bottom) break;
    const QString text = block.text();
    QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0 || !text.contains(QChar(high))) continue;
    const QTextLine line = layout->lineAt(0);
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
      if (text.at(i).unicode() != high || !text.at(i + 1).isLowSurrogate()) continue;
      const qreal x1 = line.cursorToX(static_cast<int>(i));
      const qreal x2 = line.cursorToX(static_cast<int>(i + 2));
      painter.drawRect(QRectF(box.left() + x1, box.top() + line.y(), x2 - x1 - 1, line.height() - 1));
      ++i;
    }
  }
}

QMimeData* QtTextEditor::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(ToQString(Big5ToCopiedText(SelectedBytes())));
  return data;
}

}  // namespace zorvel
