#pragma once
// The question of a replacement run, "確定要取代字串嗎?": the source, the
// destination (which the operator may edit before "取代") and three answers.
// It answers the replace question of the real prompts.

#include <QDialog>

#include "core/prompts.h"

class QLineEdit;
class QPushButton;

class TfmAskReplace : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAskReplace(QWidget* parent = nullptr);
  ~TfmAskReplace() override;

  QLineEdit* edSource = nullptr;
  QLineEdit* edDest = nullptr;
  QPushButton* btReplace = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;

  // The close box leaves Skip.
  zorvel::ReplaceDecision AskResult = zorvel::ReplaceDecision::Skip;

  // Shows the dialog modally for one occurrence; texts are Big5.
  zorvel::ReplaceAnswer Ask(const zorvel::ReplaceQuestion& question);

  void btReplaceClick();
  void Skip();
  void Abort();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
};
