#pragma once
// "關於Zorvel程式": the program's name and version.

#include <QDialog>

// The version the program shows: the project's version, from the build.
inline constexpr const char* kZorvelVersion = ZORVEL_VERSION;

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
  void Close();
};
