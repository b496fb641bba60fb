#pragma once
// "連續載入圖檔": loads the pages of a range one after another in the image
// window, processing the window events between two pages so that the windows
// repaint and "停止" can stop the run; then shows the report of the pages that
// failed. A progress bar and "N / M" show how far a run has come.

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class Workbench;

class TfmAutoLoadPicture : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAutoLoadPicture(Workbench& bench, QWidget* parent = nullptr);

  // Set by "停止" and "離開" (and by closing the window); the run stops before
  // its next page.
  bool StopRequested = false;
  bool Running() const { return running_; }

  QLineEdit* edVol() const { return edVol_; }
  QLineEdit* edFromPage() const { return edFromPage_; }
  QLineEdit* edToPage() const { return edToPage_; }
  QPushButton* btStart() const { return btStart_; }
  QPushButton* btStop() const { return btStop_; }
  QProgressBar* Progress() const { return progress_; }
  QLabel* ProgressText() const { return progressText_; }

  void FormShow();
  void btStartClick();
  void btStopClick();
  void btExitClick();

 signals:
  // After every page of a run: pages handled so far and pages in the range.
  void PageHandled(qint64 done, qint64 total);

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void ShowProgress(qint64 done, qint64 total);

  QLineEdit* edVol_ = nullptr;
  QLineEdit* edFromPage_ = nullptr;
  QLineEdit* edToPage_ = nullptr;
  QPushButton* btStart_ = nullptr;
  QPushButton* btStop_ = nullptr;
  QPushButton* btExit_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* progressText_ = nullptr;
  bool running_ = false;

 private:
  Workbench& bench_;
};
