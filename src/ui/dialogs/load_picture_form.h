#pragma once
// "載入圖檔": opens one page image by volume and page, shown without making it
// modal. The volume typed last stays for the next use.

#include <QDialog>

class QLineEdit;
class QPushButton;

class Workbench;

class TLoadPictureForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLoadPictureForm(Workbench& bench, QWidget* parent = nullptr);

  QLineEdit* edVol() const { return edVol_; }
  QLineEdit* edPage() const { return edPage_; }

  // Empties the page field and gives it the focus; the volume stays.
  void FormShow();
  // Loads the page (sutra 0); the dialog closes unless the file is missing or
  // does not decode.
  void btOkClick();
  void btCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* edVol_ = nullptr;
  QLineEdit* edPage_ = nullptr;
  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;

 private:
  Workbench& bench_;
};
