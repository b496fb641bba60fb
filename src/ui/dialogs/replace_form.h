#pragma once
// "字串取代": the replacement table editor. The table text is edited here (one
// pair per line, split by the split string), loaded from and saved to Big5
// table files, and turned into the lookup table when the window is confirmed
// or closed. The window also starts the replacement run over the text window.

#include <QDialog>
#include <QString>
#include <functional>

#include "core/proof/replace_table.h"
#include "core/text/unsaved_changes.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace zorvel {
class QtTextEditor;
}

class Workbench;

class TfmReplace : public QDialog {
  Q_OBJECT

 public:
  explicit TfmReplace(Workbench& bench, QWidget* parent = nullptr);
  ~TfmReplace() override;

  zorvel::QtTextEditor* Memo = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* btLoadFile = nullptr;
  QPushButton* btSaveFile = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* cbShowPicture = nullptr;
  QLineEdit* edSplitChar = nullptr;
  QPushButton* btOk = nullptr;

  // The table file last loaded or saved; empty at start.
  QString ReplaceFileName;

  const zorvel::ReplaceTable& Table() const;
  int ReplaceCount() const { return Table().ReplaceCount(); }

  void btLoadFileClick();
  // False when the table was not written (dialog cancelled or write refused).
  bool btSaveFileClick();
  void btOkClick();
  // Runs the table over the text window from its cursor.
  void RunReplaceTable();
  // Drops the lookup table (the main window does so at close).
  void ReleaseTable();

  // The file dialogs, replaceable so that tests can script them; an empty
  // string means cancelled. The save dialog is preset with ReplaceFileName.
  std::function<QString()> OpenFileNameHook;
  std::function<QString(const QString& preset)> SaveFileNameHook;
  // Shows the occurrence on the page image; false ends the run. By default the
  // text window's ShowWord.
  std::function<bool()> ShowWordHook;

 public:
  // Every way of closing builds the table, as 確定 does.
  void done(int result) override;

 private:
  // The confirmation without closing; true when the window is to close.
  bool BuildFromEditor();
  zorvel::SaveResult SaveTable();

  bool closing_ = false;

 private:
  Workbench& bench_;
};
