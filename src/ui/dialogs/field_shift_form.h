#pragma once
// "欄位位移資訊": the line shift of one register of the page on display. The
// dialog keeps its selections from one use to the next and never shows the
// page's current shifts.

#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

class TImageForm;

class TFieldShiftForm : public QDialog {
  Q_OBJECT

 public:
  explicit TFieldShiftForm(TImageForm& imageForm, QWidget* parent = nullptr);

  // The selected register of rbFieldShift: 0 上欄, 1 中欄, 2 下欄.
  int FieldIndex() const;
  void SetFieldIndex(int index);
  QComboBox* cbShiftLine() const { return cbShiftLine_; }

  // Stores the shift on the page on display and closes; does nothing while no
  // line count is chosen.
  void StoreShift();
  void Cancel();

 private:
  QButtonGroup* rbFieldShift_ = nullptr;
  std::array<QRadioButton*, 3> items_{};
  QComboBox* cbShiftLine_ = nullptr;

 private:
  TImageForm& imageForm_;
};
