#include "ui/dialogs/bookmark_form.h"

#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/settings/ini_file.h"
#include "ui/dialogs/get_name_form.h"
#include "ui/shell/main_form.h"
#include "ui/shell/qt_prompts.h"
#include "ui/shell/qt_strings.h"
#include "ui/text/text_form.h"
#include "ui/shell/workbench.h"

using zorvel::ui::FromBig5;
using zorvel::ui::ToBig5;
using zorvel::ui::U;

namespace {

zorvel::IniFile SettingsFile(const Workbench& bench) {
  return zorvel::IniFile(QFile::encodeName(bench.IniFileName()).toStdString());
}

// The text window as a jump sees it.
class TextWindowTarget : public zorvel::BookmarkTarget {
 public:
  explicit TextWindowTarget(TTextForm& form) : form_(form) {}
  zorvel::TextEditor& Editor() override { return form_.Editor(); }
  zorvel::SaveResult FileSave() override { return form_.FileSave(); }
  void SetFileName(const std::string& path) override {
    form_.SetFileName(QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
  }

 private:
  TTextForm& form_;
};

}  // namespace

TfmBookMark::TfmBookMark(Workbench& bench, QWidget* parent) : QDialog(parent), bench_(bench) {
  setObjectName("fmBookMark");
  setWindowTitle(U("書籤"));
  setModal(true);
  QFont font(U("細明體"));
  font.setPixelSize(16);
  setFont(font);
  setGeometry(80, 142, 677, 296);

  ListView = new QTreeWidget(this);
  ListView->setObjectName("ListView");
  ListView->setRootIsDecorated(false);
  ListView->setItemsExpandable(false);
  ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView->setColumnCount(4);
  ListView->setHeaderLabels({U("名稱"), U("檔名"), U("位置"), U("儲存日期")});
  ListView->header()->setSectionsClickable(false);
  ListView->header()->setStretchLastSection(false);
  ListView->setColumnWidth(0, 150);
  ListView->setColumnWidth(1, 250);
  ListView->setColumnWidth(3, 200);
  QPalette p = ListView->palette();
  p.setColor(QPalette::Text, Qt::black);
  // The selection stays visible when the list does not have the focus.
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  ListView->setPalette(p);

  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(8, 6, 8, 6);
  auto addButton = [&](const char* name, const char* caption, void (TfmBookMark::*handler)()) {
    auto* b = new QPushButton(U(caption), Panel1);
    b->setObjectName(name);
    b->setAutoDefault(false);
    buttons->addWidget(b);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  btLoad = addButton("btLoad", "跳至書籤", &TfmBookMark::btLoadClick);
  btSet = addButton("btSet", "設定書籤", &TfmBookMark::btSetClick);
  btClean = addButton("btClean", "清除書籤", &TfmBookMark::btCleanClick);
  btExit = addButton("btExit", "離開", &TfmBookMark::btExitClick);
  setTabOrder(btLoad, btSet);
  setTabOrder(btSet, btClean);
  setTabOrder(btClean, btExit);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListView, 1);
  layout->addWidget(Panel1);

  connect(ListView, &QTreeWidget::itemDoubleClicked, this, [this] { btLoadClick(); });
}

TfmBookMark::~TfmBookMark() {}

QString TfmBookMark::DateText(const QDateTime& when) {
  const QLocale locale = QLocale::system();
  return locale.toString(when.date(), QLocale::ShortFormat) + " " +
         locale.toString(when.time(), QLocale::LongFormat);
}

void TfmBookMark::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfmBookMark::FormShow() {
  if (bench_.Bookmarks().FormShow(SettingsFile(bench_))) ShowRows();
}

void TfmBookMark::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TfmBookMark::FormClose() {
  zorvel::IniFile ini = SettingsFile(bench_);
  bench_.Bookmarks().FormClose(ini, bench_.Prompts());
}

namespace {

void AddRow(QTreeWidget* list, const zorvel::Bookmark& b) {
  auto* row = new QTreeWidgetItem(list);
  row->setText(0, FromBig5(b.Title));
  // The path as the file system names it, whichever way the entry stores it.
  const std::string path = zorvel::BookmarkPath(b);
  row->setText(1, QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size()))));
  row->setText(2, FromBig5(b.Location));
  row->setText(3, FromBig5(b.Date));
}

}  // namespace

const zorvel::BookmarkList& TfmBookMark::List() const {
  return bench_.Bookmarks();
}

void TfmBookMark::ShowRows() {
  ListView->clear();
  for (const zorvel::Bookmark& b : bench_.Bookmarks().Entries()) AddRow(ListView, b);
}

int TfmBookMark::FirstSelectedRow() const {
  for (int i = 0; i < ListView->topLevelItemCount(); ++i) {
    if (ListView->topLevelItem(i)->isSelected()) return i;
  }
  return -1;
}

void TfmBookMark::AddBookmark(const QString& title, const QString& fileName, int location) {
  bench_.Bookmarks().AddBookmark(ToBig5(title), QFile::encodeName(fileName).toStdString(),
                                 std::to_string(location), ToBig5(DateText(QDateTime::currentDateTime())));
  AddRow(ListView, bench_.Bookmarks().Entries().back());
}

void TfmBookMark::btSetClick() {
  if (bench_.MainForm().TextFileName.isEmpty()) return;
  bench_.fmGetName().exec();
  if (bench_.fmGetName().Cancelled) return;
  AddBookmark(bench_.fmGetName().edName->text(), bench_.MainForm().TextFileName,
              bench_.TextForm().Editor().SelStart());
}

void TfmBookMark::btCleanClick() {
  const int row = FirstSelectedRow();
  if (row < 0) return;
  bench_.Bookmarks().Delete(row);
  delete ListView->takeTopLevelItem(row);
}

void TfmBookMark::btLoadClick() {
  const int row = FirstSelectedRow();
  if (row < 0) return;
  TextWindowTarget target(bench_.TextForm());
  const zorvel::JumpResult result =
      zorvel::JumpToBookmark(bench_.Bookmarks().Entries()[row], target, bench_.Prompts());
  if (result != zorvel::JumpResult::Jumped) return;
  bench_.TextForm().RichEdit()->viewport()->update();
  close();
}

void TfmBookMark::btExitClick() {
  close();
}
