#pragma once
// "關於Zorvel程式": the program's name and version.

#include <QDialog>

// The version the program shows; the project's version in CMakeLists.txt.
inline constexpr const char* kZorvelVersion = "0.1.0";

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
  void Button1Click();
};

extern TAboutForm* AboutForm;
