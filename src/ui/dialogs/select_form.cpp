#include "ui/dialogs/select_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>

#include "core/settings/command_table.h"
#include "core/text/editor_bytes.h"
#include "ui/image/image_form.h"
#include "ui/shell/command_popup.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/shell/workbench.h"

using zorvel::ui::FromBig5;
using zorvel::ui::Q;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

namespace {

const QColor kYellow(255, 255, 0);
const QColor kLime(0, 255, 0);

// The designed client size: the rows are 24 pixels high and the right-hand
// buttons end at 385.
constexpr int kDesignedWidth = 385;
constexpr int kDesignedHeight = 96;
// The smallest client size the layout works with.
constexpr int kMinLayoutWidth = 250;
constexpr int kMinLayoutHeight = 96;
// The field font starts at 12 points (16 pixels on a 96 dpi screen) and never
// gets smaller than 8.
constexpr int kFieldFontPoints = 12;
constexpr int kSmallestFontPoints = 8;

void SetFieldColour(QLineEdit* field, const QColor& colour) {
  QPalette p = field->palette();
  p.setColor(QPalette::Base, colour);
  field->setPalette(p);
}

void SetTextColour(QPushButton* button, const QColor& colour) {
  QPalette p = button->palette();
  p.setColor(QPalette::ButtonText, colour);
  button->setPalette(p);
}

}  // namespace

TSelectForm::TSelectForm(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("SelectForm");
  setWindowTitle(U("請選擇 (儘量別使用其它視窗之功能)"));
  // Stays on top of every window, with only a close box in its title bar.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  // A choice window left open must not keep the program running.
  setAttribute(Qt::WA_QuitOnClose, false);
  QFont font(U("細明體"));
  font.setPixelSize(16);
  setFont(font);

  BuildControls();
  BuildPopupMenu();
  move(271, 293);
  resize(kDesignedWidth, kDesignedHeight);
  FitRowsToFont();
  FormResize();
}

TSelectForm::~TSelectForm() {
  // Destroyed while waiting (the program ends): the wait ends as a cancel.
  if (wait_) wait_->quit();
}

QPushButton* TSelectForm::NewButton(const char* name, const QString& caption, const QString& hint, int left,
                                    int top, int width, int height, void (TSelectForm::*handler)()) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(left, top, width, height);
  if (!hint.isEmpty()) {
    button->setToolTip(hint);
    button->setStatusTip(hint);
  }
  connect(button, &QPushButton::clicked, this, handler);
  return button;
}

QLineEdit* TSelectForm::NewReadingField(const char* name, int top) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setGeometry(80, top, 223, 24);
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  SetFieldColour(field, kYellow);
  return field;
}

void TSelectForm::BuildControls() {
  const QString paste = U("貼");
  const QString pasteHint = U("貼到自訂字串區");
  btFirstStr_ = NewButton("btFirstStr", U("選第一組"), {}, 0, 0, 80, 24, &TSelectForm::btFirstStrClick);
  btSecondStr_ = NewButton("btSecondStr", U("選第二組"), {}, 0, 24, 80, 24, &TSelectForm::btSecondStrClick);
  btThirdStr_ = NewButton("btThirdStr", U("選第三組"), {}, 0, 48, 80, 24, &TSelectForm::btThirdStrClick);
  btUserStr_ = NewButton("btUserStr", U("自訂字串"), {}, 0, 72, 80, 24, &TSelectForm::btUserStrClick);
  edFirstStr_ = NewReadingField("edFirstStr", 0);
  edSecondStr_ = NewReadingField("edSecondStr", 24);
  edThirdStr_ = NewReadingField("edThirdStr", 48);
  edUserStr_ = new QLineEdit(this);
  edUserStr_->setObjectName("edUserStr");
  edUserStr_->setGeometry(80, 72, 223, 24);
  connect(edUserStr_, &QLineEdit::textChanged, this, &TSelectForm::edUserStrChange);
  edUserStr_->installEventFilter(this);
  btFirstPasteStr_ =
      NewButton("btFirstPasteStr", paste, pasteHint, 304, 0, 25, 24, &TSelectForm::btFirstPasteStrClick);
  btSecondPasteStr_ =
      NewButton("btSecondPasteStr", paste, pasteHint, 304, 24, 25, 24, &TSelectForm::btSecondPasteStrClick);
  btThirdPasteStr_ =
      NewButton("btThirdPasteStr", paste, pasteHint, 304, 48, 25, 24, &TSelectForm::btThirdPasteStrClick);
  btCenterLine_ = NewButton("btCenterLine", U("＋"), U("切換圖形的中心線"), 360, 0, 25, 24,
                            &TSelectForm::btCenterLineClick);
  btBigWord_ = NewButton("btBigWord", U("大"), U("字型變大"), 336, 0, 25, 24, &TSelectForm::btBigWordClick);
  btSmallWord_ =
      NewButton("btSmallWord", U("小"), U("字型變小"), 336, 24, 25, 24, &TSelectForm::btSmallWordClick);
  btCancelSel_ =
      NewButton("btCancelSel", U("取消"), U("取消"), 336, 48, 50, 24, &TSelectForm::btCancelSelClick);
  btCancelToNext_ = NewButton("btCancelToNext", U("取消+下組"), U("取消並且選下一組"), 304, 72, 80, 24,
                              &TSelectForm::btCancelToNextClick);
  for (QPushButton* button : {btCenterLine_, btBigWord_, btSmallWord_}) SetTextColour(button, Qt::red);
  // Only the reading buttons may become the default: a click on a paste, font
  // or cross button leaves Enter taking the reading it took before.
  for (QPushButton* button : {btFirstPasteStr_, btSecondPasteStr_, btThirdPasteStr_, btCenterLine_,
                              btBigWord_, btSmallWord_, btCancelSel_, btCancelToNext_}) {
    button->setAutoDefault(false);
  }
  statusLine_ = new QLabel(this);
  statusLine_->setObjectName("StatusLine");
  statusLine_->setWordWrap(false);
  statusLine_->hide();

  QFont fieldFont = font();
  fieldFont.setPointSize(kFieldFontPoints);
  for (QLineEdit* field : {edFirstStr_, edSecondStr_, edThirdStr_, edUserStr_}) field->setFont(fieldFont);

  // Tab order: the user string first, then the reading buttons, the paste
  // buttons and the buttons on the right. The reading fields are no tab stops.
  QWidget* order[] = {edUserStr_,       btFirstStr_,       btSecondStr_,     btThirdStr_,   btUserStr_,
                      btFirstPasteStr_, btSecondPasteStr_, btThirdPasteStr_, btCenterLine_, btBigWord_,
                      btSmallWord_,     btCancelSel_,      btCancelToNext_};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void TSelectForm::BuildPopupMenu() {
  pmSelect_ = new QMenu(this);
  pmSelect_->setObjectName("pmSelect");
  // The six commands of the command table, each under "mi" + its hot key's
  // name with the key's default; the settings load puts the operator's own.
  for (const zorvel::ChoiceItemEntry& entry : zorvel::ChoiceItems()) {
    if (entry.SeparatorBefore) pmSelect_->addSeparator();
    auto* item = new QAction(Q(entry.Caption), this);
    item->setObjectName("mi" + Q(zorvel::HotKeyName(entry.HotKey)));
    item->setShortcut(zorvel::ui::CommandShortcut(zorvel::HotKeyDefaultText(entry.HotKey)));
    connect(item, &QAction::triggered, this, [this, key = entry.HotKey] { RunChoiceCommand(key); });
    pmSelect_->addAction(item);
    // On the window too, so that the hot keys act while it has the focus.
    addAction(item);
  }
}

void TSelectForm::RunChoiceCommand(zorvel::HotKeyCommand command) {
  using H = zorvel::HotKeyCommand;
  switch (command) {
    case H::SelFirstStr:
      return btFirstStrClick();
    case H::SelSecondStr:
      return btSecondStrClick();
    case H::SelThirdStr:
      return btThirdStrClick();
    case H::SelUserStr:
      return btUserStrClick();
    case H::CancelSel:
      return btCancelSelClick();
    case H::CancelToNext:
      return btCancelToNextClick();
    default:
      return;
  }
}

zorvel::ChoiceAnswer TSelectForm::Choose(const zorvel::ChoiceRequest& request) {
  if (wait_) {
    // A choice is already waiting: no second one inside it.
    raise();
    activateWindow();
    return {};
  }
  edFirstStr_->setText(FromBig5(request.FirstStr));
  edSecondStr_->setText(FromBig5(request.SecondStr));
  edThirdStr_->setText(FromBig5(request.ThirdStr));
  edUserStr_->setText(FromBig5(request.UserString));
  for (QWidget* third : {static_cast<QWidget*>(edThirdStr_), static_cast<QWidget*>(btThirdStr_),
                         static_cast<QWidget*>(btThirdPasteStr_)}) {
    third->setVisible(request.ThreeReadings);
  }
  QLineEdit* fields[] = {edFirstStr_, edSecondStr_, edThirdStr_};
  for (int i = 0; i < 3; ++i)
    SetFieldColour(fields[i], request.ThreeReadings && request.Agree[i] ? kLime : kYellow);
  // A reading that is not offered or may not be written: its button and item do nothing.
  QPushButton* readingButtons[] = {btFirstStr_, btSecondStr_, btThirdStr_};
  const char* readingItems[] = {"miSelFirstStr", "miSelSecondStr", "miSelThirdStr"};
  for (int i = 0; i < 3; ++i) {
    writable_[i] = request.Writable[i] && (i < 2 || request.ThreeReadings);
    readingButtons[i]->setEnabled(writable_[i]);
    if (QAction* item = findChild<QAction*>(readingItems[i])) item->setEnabled(writable_[i]);
  }
  statusLine_->setText(QString::fromUtf8(request.Note.data(), qsizetype(request.Note.size())));
  statusLine_->setToolTip(statusLine_->text());
  // The status line takes a band below the rows while it has something to say.
  const int statusBefore = StatusHeight();
  statusLine_->setVisible(!request.Note.empty());
  const int statusNow = StatusHeight();
  if (statusNow != statusBefore) resize(width(), height() - statusBefore + statusNow);
  FitRowsToFont();
  FormResize();
  SelectResult = zorvel::Selection::Waiting;
  GoNext = false;
  // The window the operator worked in gets the keyboard back after the answer,
  // so that the next F1 reaches it.
  QPointer<QWidget> previous = QApplication::activeWindow();
  if (previous == this) previous = nullptr;
  show();
  raise();
  activateWindow();
  // The default button after the window is shown: showing it gives a button
  // the focus for a moment, which would take the default over.
  QPushButton* readings[] = {btFirstStr_, btSecondStr_, btThirdStr_};
  const int defaultButton = std::clamp(request.DefaultButton, 1, 3);
  btUserStr_->setDefault(false);
  for (int i = 0; i < 3; ++i) readings[i]->setDefault(false);
  readings[defaultButton - 1]->setDefault(true);
  edUserStr_->setFocus();

  QEventLoop loop;
  wait_ = &loop;
  QPointer<TSelectForm> self(this);
  if (SelectResult == zorvel::Selection::Waiting) loop.exec();
  if (!self) return {};
  wait_ = nullptr;
  // The event loop ended without an answer (the program is quitting): cancel.
  if (SelectResult == zorvel::Selection::Waiting) {
    SelectResult = zorvel::Selection::Cancel;
    hide();
  }
  if (previous && previous->isVisible()) previous->activateWindow();
  zorvel::ChoiceAnswer answer;
  answer.SelectResult = SelectResult;
  int replaced = 0;
  answer.UserStr = ToBig5(edUserStr_->text(), &replaced);
  // Characters Big5 cannot hold go into the text as "?", as typed ones do.
  if (replaced > 0 && SelectResult == zorvel::Selection::UserString) {
    bench_.MainForm().StatusLine()->showMessage(Q(zorvel::ReplacedCharactersNote(replaced)));
  }
  answer.GoNext = GoNext;
  return answer;
}

void TSelectForm::Answer(zorvel::Selection result, bool goNext) {
  if (const int reading = zorvel::ReadingIndex(result); reading >= 0 && !writable_[reading]) return;
  SelectResult = result;
  if (goNext) GoNext = true;
  close();
}

void TSelectForm::btFirstStrClick() {
  Answer(zorvel::Selection::First);
}
void TSelectForm::btSecondStrClick() {
  Answer(zorvel::Selection::Second);
}
void TSelectForm::btThirdStrClick() {
  Answer(zorvel::Selection::Third);
}
void TSelectForm::btUserStrClick() {
  Answer(zorvel::Selection::UserString);
}
void TSelectForm::btCancelSelClick() {
  Answer(zorvel::Selection::Cancel);
}
void TSelectForm::btCancelToNextClick() {
  Answer(zorvel::Selection::Cancel, true);
}

void TSelectForm::PasteFrom(QLineEdit* field) {
  edUserStr_->setText(edUserStr_->text() + field->text());
  edUserStr_->setFocus();
}

void TSelectForm::btFirstPasteStrClick() {
  PasteFrom(edFirstStr_);
}
void TSelectForm::btSecondPasteStrClick() {
  PasteFrom(edSecondStr_);
}
void TSelectForm::btThirdPasteStrClick() {
  PasteFrom(edThirdStr_);
}

int TSelectForm::FieldFontSize() const {
  return edFirstStr_->font().pointSize();
}

void TSelectForm::SetFieldFontSize(int points) {
  for (QLineEdit* field : {edFirstStr_, edSecondStr_, edThirdStr_, edUserStr_}) {
    QFont f = field->font();
    f.setPointSize(points);
    field->setFont(f);
  }
  FitRowsToFont();
}

int TSelectForm::RowHeightNeeded() const {
  // The field's own idea of its height holds the font's full line height,
  // the frame and the margins around the text.
  return std::max(edFirstStr_->sizeHint().height(), edUserStr_->sizeHint().height());
}

int TSelectForm::StatusHeight() const {
  return statusLine_->isVisibleTo(this) ? statusLine_->sizeHint().height() : 0;
}

void TSelectForm::FitRowsToFont() {
  const int rows = std::max(kMinLayoutHeight, 4 * RowHeightNeeded());
  const int needed = rows + StatusHeight();
  setMinimumHeight(needed);
  if (height() < needed) resize(width(), needed);
}

void TSelectForm::btBigWordClick() {
  SetFieldFontSize(FieldFontSize() + 2);
  FormResize();
  edUserStr_->setFocus();
}

void TSelectForm::btSmallWordClick() {
  SetFieldFontSize(std::max(FieldFontSize() - 2, kSmallestFontPoints));
  FormResize();
  edUserStr_->setFocus();
}

void TSelectForm::btCenterLineClick() {
  // The image window's centre cross and position marker.
  bench_.ImageForm().ToggleLines();
  edUserStr_->setFocus();
}

void TSelectForm::edUserStrChange() {
  btFirstStr_->setDefault(false);
  btSecondStr_->setDefault(false);
  btThirdStr_->setDefault(false);
  btUserStr_->setDefault(true);
}

void TSelectForm::FormResize() {
  const int cw = std::max(width(), kMinLayoutWidth);
  const int status = StatusHeight();
  const int ch = std::max({height() - status, kMinLayoutHeight, 4 * RowHeightNeeded()});
  if (status > 0) statusLine_->setGeometry(2, ch, cw - 4, status);
  const int h = ch / 4;
  auto place = [](QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(left, top, width, height);
  };
  QPushButton* buttons[] = {btFirstStr_, btSecondStr_, btThirdStr_, btUserStr_};
  QLineEdit* fields[] = {edFirstStr_, edSecondStr_, edThirdStr_, edUserStr_};
  for (int r = 0; r < 4; ++r) {
    place(buttons[r], buttons[r]->x(), r * h, buttons[r]->width(), h);
    place(fields[r], fields[r]->x(), r * h, cw - 160, h);
  }
  QPushButton* pastes[] = {btFirstPasteStr_, btSecondPasteStr_, btThirdPasteStr_};
  for (int r = 0; r < 3; ++r) place(pastes[r], cw - 80, r * h, pastes[r]->width(), h);
  btCancelToNext_->move(cw - 80, 3 * h);
  btCancelSel_->move(cw - 50, 2 * h);
  btBigWord_->move(cw - 50, btBigWord_->y());
  btSmallWord_->move(cw - 50, h);
  btCenterLine_->move(cw - 26, btCenterLine_->y());
}

void TSelectForm::FormShow() {
  btFirstStr_->setFocus();
  SetTextColour(btCenterLine_, Qt::red);
}

void TSelectForm::FormClose() {
  if (SelectResult == zorvel::Selection::Waiting) SelectResult = zorvel::Selection::Cancel;
  // The wait ends as soon as its event loop returns.
  if (wait_) wait_->quit();
}

void TSelectForm::closeEvent(QCloseEvent* event) {
  // Closing only hides the window; the close box counts as cancel.
  FormClose();
  event->accept();
}

void TSelectForm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // However the window goes away, a wait does not outlive it.
  if (wait_) FormClose();
}

void TSelectForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TSelectForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TSelectForm::keyPressEvent(QKeyEvent* event) {
  // Esc acts only through the cancel hot key; Enter presses the default button.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TSelectForm::reject() {
  close();
}

void TSelectForm::contextMenuEvent(QContextMenuEvent* event) {
  pmSelect_->popup(event->globalPos());
  event->accept();
}

bool TSelectForm::eventFilter(QObject* watched, QEvent* event) {
  // The user string field would keep some control keys for itself (Ctrl+U
  // deletes the line on X11); the choice window's hot keys come first.
  if (watched == edUserStr_ && event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* item : actions()) {
      if (item->isEnabled() && !item->shortcut().isEmpty() &&
          item->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
        event->ignore();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}
