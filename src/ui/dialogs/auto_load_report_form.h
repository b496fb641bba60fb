#pragma once
// "報告": the problems of the last run of pages, one line each.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TfmAutoLoadReport : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAutoLoadReport(QWidget* parent = nullptr);

  QPlainTextEdit* mmReport() const { return mmReport_; }
  // Empties the report; each run starts with it.
  void Clear();
  void AddLine(const QString& line);
  int LineCount() const { return lines_; }
  QStringList Lines() const;

  void Close();

 private:
  QPlainTextEdit* mmReport_ = nullptr;
  QPushButton* button1_ = nullptr;
  int lines_ = 0;
};
