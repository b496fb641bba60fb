#pragma once
// "設定圖形比例": the display scale of the page image, one of four fixed
// percentages or a custom one. Confirming stores it in the settings file at
// once and shows the page at the new scale.

#include <QDialog>
#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class Workbench;

class TfmSetRatio : public QDialog {
  Q_OBJECT

 public:
  explicit TfmSetRatio(Workbench& bench, QWidget* parent = nullptr);

  // The items of rgRatio: 0 to 3 for 100, 75, 50, 25 percent, 4 custom.
  static constexpr int kCustomItem = 4;
  int ItemIndex() const;
  void SetItemIndex(int index);
  QLineEdit* edRatio() const { return edRatio_; }

  // Selects the item of the current PictureRatio; a ratio of its own goes
  // into the custom field.
  void FormShow();
  // The custom field and its labels are enabled exactly with the custom item.
  void rgRatioClick();
  // Takes the scale, saves the settings, rescales and closes. A custom text
  // that is not a whole number, or a scale of 0 or less, keeps the dialog open
  // with nothing changed.
  void btOkClick();
  void btCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QButtonGroup* rgRatio_ = nullptr;
  std::array<QRadioButton*, 5> items_{};
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* edRatio_ = nullptr;
  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;

 private:
  Workbench& bench_;
};
