#pragma once
// "書籤": the bookmark window. It lists the bookmarks (read from zorvel.ini the
// first time it shows), sets one at the text window's cursor, deletes one and
// jumps to one. The list is written back when the window closes after a change.

#include <QDialog>

#include "core/proof/bookmarks.h"

class QFrame;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class Workbench;

class TfmBookMark : public QDialog {
  Q_OBJECT

 public:
  explicit TfmBookMark(Workbench& bench, QWidget* parent = nullptr);
  ~TfmBookMark() override;

  QTreeWidget* ListView = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* btLoad = nullptr;
  QPushButton* btSet = nullptr;
  QPushButton* btClean = nullptr;
  QPushButton* btExit = nullptr;

  // The entries the rows show, ListChanged and ListPending.
  const zorvel::BookmarkList& List() const;

  void btLoadClick();
  void btSetClick();
  void btCleanClick();
  void btExitClick();
  void AddBookmark(const QString& title, const QString& fileName, int location);

  // The date column's text for a moment: the system's short date and long time.
  static QString DateText(const QDateTime& when);

 protected:
  void showEvent(QShowEvent* event) override;

 public:
  // Every way of closing comes here (btExit, a jump, the close box).
  void done(int result) override;

 private:
  void FormShow();
  void FormClose();
  void ShowRows();
  int FirstSelectedRow() const;

 private:
  Workbench& bench_;
};
