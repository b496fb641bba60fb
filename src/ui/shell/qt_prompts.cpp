#include "ui/shell/qt_prompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QWidget* DialogParent() {
  return QApplication::activeWindow();
}

QString Title() {
  const QString name = QApplication::applicationName();
  return name.isEmpty() ? QStringLiteral("Zorvel") : name;
}

}  // namespace

void QtPrompts::Message(std::string_view text) {
  switch (zorvel::KindOfMessage(text)) {
    case zorvel::MessageKind::Error:
      QMessageBox::critical(DialogParent(), Title(), FromUtf8(text), QMessageBox::Ok);
      break;
    case zorvel::MessageKind::Warning:
      QMessageBox::warning(DialogParent(), Title(), FromUtf8(text), QMessageBox::Ok);
      break;
    case zorvel::MessageKind::Information:
      QMessageBox::information(DialogParent(), Title(), FromUtf8(text), QMessageBox::Ok);
      break;
  }
}

void QtPrompts::Error(std::string_view text) {
  QMessageBox::critical(DialogParent(), Title(), FromUtf8(text), QMessageBox::Ok);
}

bool QtPrompts::AskYesNo(std::string_view text) {
  return QMessageBox::question(DialogParent(), Title(), FromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

zorvel::Answer QtPrompts::AskYesNoCancel(std::string_view text) {
  const auto button =
      QMessageBox::question(DialogParent(), Title(), FromUtf8(text),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (button == QMessageBox::Yes) return zorvel::Answer::Yes;
  if (button == QMessageBox::No) return zorvel::Answer::No;
  return zorvel::Answer::Cancel;
}

zorvel::ChoiceAnswer QtPrompts::Choose(const zorvel::ChoiceRequest& request) {
  if (choose_) return choose_(request);
  return {};
}

zorvel::ReplaceAnswer QtPrompts::AskReplace(const zorvel::ReplaceQuestion& question) {
  if (askReplace_) return askReplace_(question);
  return {};
}
