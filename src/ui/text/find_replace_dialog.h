#pragma once
// The find and replace dialog of the text window (ReplaceDialog): find text,
// replacement text, match case, whole word, a direction choice (kept for the
// look; searches always run down), and find next, replace, replace all and
// cancel. It is not modal and acts on the editor it was made for (the text
// window's), without knowing the window.

#include <QDialog>

#include "core/proof/find_replace.h"
#include "core/text/text_editor.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindReplaceDialog : public QDialog {
  Q_OBJECT

 public:
  TFindReplaceDialog(zorvel::TextEditor& editor, zorvel::Prompts& prompts, QWidget* parent);
  ~TFindReplaceDialog() override;

  QLineEdit* edFindText = nullptr;
  QLineEdit* edReplaceText = nullptr;
  QCheckBox* cbMatchCase = nullptr;
  QCheckBox* cbWholeWord = nullptr;
  QRadioButton* rbUp = nullptr;
  QRadioButton* rbDown = nullptr;
  QPushButton* btFindNext = nullptr;
  QPushButton* btReplace = nullptr;
  QPushButton* btReplaceAll = nullptr;
  QPushButton* btCancel = nullptr;

  // The text window's flag: the selection is a match of find next.
  bool FindSelected() const { return steps_.FindSelected; }

  // Opens the dialog (or brings it forward), the find text preset from the
  // editor's selection when there is one.
  void PresetFromSelection();
  void ReplaceDialogFind();
  void ReplaceDialogReplace(bool replaceAll);

 private:
  zorvel::FindOptions Options() const;

  zorvel::TextEditor& editor_;
  zorvel::Prompts& prompts_;
  zorvel::FindReplace steps_;
};
