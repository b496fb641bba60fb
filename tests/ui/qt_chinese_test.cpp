// The standard windows speak Traditional Chinese like the rest of the program,
// and a message box shows the icon of what its text is: error, warning or
// information. The texts themselves are shown exactly as given.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <functional>
#include <string>

#include "core/proof/difference_mark.h"
#include "ui/shell/application.h"
#include "ui/shell/qt_prompts.h"

namespace {

struct ShownBox {
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QString Title;
  QString Text;
  QString OkText;
};

// Runs show(), which opens a modal message box, and answers the box with OK.
// A box that never comes leaves the result empty; the suite's watchdog closes
// one that the poll misses.
ShownBox AnswerBox(const std::function<void()>& show) {
  ShownBox shown;
  QTimer poll;
  int looks = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(window);
      if (!box || !box->isVisible()) continue;
      const QAbstractButton* ok = box->button(QMessageBox::Ok);
      shown = {box->icon(), box->windowTitle(), box->text(), ok ? ok->text() : QString()};
      box->done(QMessageBox::Ok);
      poll.stop();
      return;
    }
    if (++looks > 60) poll.stop();
  });
  poll.start(50);
  show();
  poll.stop();
  return shown;
}

TEST(QtChinese, StandardButtonsAndDialogsSpeakTraditionalChinese) {
  zorvel::PrepareApplication();
  zorvel::PrepareApplication();  // a second start-up installs nothing twice

  QMessageBox box(QMessageBox::Question, "Zorvel", "?",
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("取消"));
  for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok}) {
    const QString text = box.button(button)->text();
    EXPECT_TRUE(text.contains(QRegularExpression("\\p{Han}"))) << text.toStdString();
  }
  // The file and font dialogs' own texts come from the same translations.
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
  EXPECT_NE(QCoreApplication::translate("QFontDialog", "&Font"), QString("&Font"));
}

struct IconCase {
  std::string Text;
  QMessageBox::Icon Icon;
};

TEST(QtChinese, AMessageBoxShowsTheIconOfItsKind) {
  zorvel::PrepareApplication();
  QtPrompts prompts;
  const IconCase cases[] = {
      {"錯誤 : 找不到結束符號.", QMessageBox::Critical},
      {"錯誤! 有難以解決的問題, 請洽程式設計者.", QMessageBox::Critical},
      {"警告 : zorvel.ini 無法寫入.", QMessageBox::Warning},
      {std::string(zorvel::kNoMarkFound), QMessageBox::Information},
      {"圖形檔 <T01/001-100/01-004.TIF> 沒有發現錯誤.", QMessageBox::Information},
  };
  for (const IconCase& c : cases) {
    const ShownBox shown = AnswerBox([&] { prompts.Message(c.Text); });
    EXPECT_EQ(shown.Icon, c.Icon) << c.Text;
    EXPECT_EQ(shown.Text.toStdString(), c.Text) << "the message is shown as written";
    EXPECT_EQ(shown.Title, QString("Zorvel"));
    EXPECT_EQ(shown.OkText, QString::fromUtf8("確定")) << c.Text;
  }
  const ShownBox error = AnswerBox([&] { prompts.Error("Access denied"); });
  EXPECT_EQ(error.Icon, QMessageBox::Critical);
  EXPECT_EQ(error.Text, QString("Access denied"));
}

}  // namespace
