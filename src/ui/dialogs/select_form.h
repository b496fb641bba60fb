#pragma once
// The choice window: a small stay-on-top window that shows the readings of the
// difference mark at the cursor and waits for the operator to pick one. It is
// created hidden at start, shown for every choice, and keeps its place, size and
// field font size between choices. It answers the Choose() question of the real
// prompts.

#include <QDialog>

#include "core/prompts.h"
#include "core/settings/hot_key.h"

class QEventLoop;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class Workbench;

class TSelectForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSelectForm(Workbench& bench, QWidget* parent = nullptr);
  ~TSelectForm() override;

  // The answer; Waiting while the window waits for one.
  zorvel::Selection SelectResult = zorvel::Selection::Cancel;
  // Set by cancel and next.
  bool GoNext = false;

  // Fills the fields from the request, shows the window with the focus in the
  // user string and waits, processing window events, until a button, a popup
  // item or the close box answers.
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request);
  // True while Choose() waits for an answer.
  bool Waiting() const { return wait_ != nullptr && SelectResult == zorvel::Selection::Waiting; }

  QMenu* pmSelect() const { return pmSelect_; }

  // The font size, in points, of the four string fields. The window grows
  // when the rows get too low for the font, so that every glyph stays whole.
  int FieldFontSize() const;
  void SetFieldFontSize(int points);
  // The lowest row height at which the fields show their font whole.
  int RowHeightNeeded() const;

 public slots:
  void btFirstStrClick();
  void btSecondStrClick();
  void btThirdStrClick();
  void btUserStrClick();
  void btCancelSelClick();
  void btCancelToNextClick();
  void btFirstPasteStrClick();
  void btSecondPasteStrClick();
  void btThirdPasteStrClick();
  void btBigWordClick();
  void btSmallWordClick();
  void btCenterLineClick();
  void edUserStrChange();
  void FormResize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void BuildControls();
  void BuildPopupMenu();
  // A command of the popup, as its button does it.
  void RunChoiceCommand(zorvel::HotKeyCommand command);
  void FormShow();
  void FormClose();
  void Answer(zorvel::Selection result, bool goNext = false);
  // Makes the client tall enough for four rows the fields' font fits in, and
  // for the status line when it is shown.
  void FitRowsToFont();
  int StatusHeight() const;
  void PasteFrom(QLineEdit* field);
  QPushButton* NewButton(const char* name, const QString& caption, const QString& hint, int left, int top,
                         int width, int height, void (TSelectForm::*handler)());
  QLineEdit* NewReadingField(const char* name, int top);

  QPushButton *btFirstStr_, *btSecondStr_, *btThirdStr_, *btUserStr_;
  QLineEdit *edFirstStr_, *edSecondStr_, *edThirdStr_, *edUserStr_;
  QPushButton *btFirstPasteStr_, *btSecondPasteStr_, *btThirdPasteStr_;
  QPushButton *btCenterLine_, *btBigWord_, *btSmallWord_, *btCancelSel_, *btCancelToNext_;
  QMenu* pmSelect_ = nullptr;
  // What the window says about the readings (one that cannot be chosen, and why).
  QLabel* statusLine_ = nullptr;
  QEventLoop* wait_ = nullptr;
  // Which readings may be chosen in the current run.
  bool writable_[3] = {true, true, false};

 private:
  Workbench& bench_;
};
