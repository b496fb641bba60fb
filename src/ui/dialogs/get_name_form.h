#pragma once
// "請輸入名稱": asks for the name of a new bookmark.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfmGetName : public QDialog {
  Q_OBJECT

 public:
  explicit TfmGetName(QWidget* parent = nullptr);
  ~TfmGetName() override;

  QLabel* Label1 = nullptr;
  QLineEdit* edName = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

  // True unless the operator confirmed a name that is not empty.
  bool Cancelled = true;

  void TakeName();
  void Cancel();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};
