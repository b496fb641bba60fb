// The standard windows speak Traditional Chinese like the rest of the program,
// and a message box shows the icon of what its text is: error, warning or
// information. The texts themselves are shown exactly as given.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include "ui/shell/application.h"
#include "ui/shell/qt_prompts.h"

namespace {

TEST(QtChinese, StandardButtonsAndDialogsSpeakTraditionalChinese) {
  zorvel::PrepareApplication();
  zorvel::PrepareApplication();  // a second start-up installs nothing twice
  QMessageBox box(QMessageBox::Question, "Zorvel", "?", QMessageBox::Yes | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("取消"));
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QRegularExpression("\\p{Han}")));
  // The file and font dialogs' own texts come from the same translations.
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
}

// Each box is answered with OK as soon as it shows; the suite's watchdog
// closes one that the poll misses.
TEST(QtChinese, AMessageBoxShowsTheIconOfItsKind) {
  zorvel::PrepareApplication();
  QtPrompts prompts;
  using Shown = std::vector<std::pair<QMessageBox::Icon, std::string>>;
  Shown shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    EXPECT_EQ(box->button(QMessageBox::Ok)->text(), QString::fromUtf8("確定"));
    shown.emplace_back(box->icon(), box->text().toStdString());
    box->done(QMessageBox::Ok);
  });
  poll.start(50);
  const std::string texts[] = {"錯誤 : 找不到結束符號.", "警告 : zorvel.ini 無法寫入.",
                               "我沒有找到差異起始符號耶."};
  for (const std::string& text : texts) prompts.Message(text);
  prompts.Error("Access denied");
  EXPECT_EQ(shown, (Shown{{QMessageBox::Critical, texts[0]},
                          {QMessageBox::Warning, texts[1]},
                          {QMessageBox::Information, texts[2]},
                          {QMessageBox::Critical, "Access denied"}}));
}

}  // namespace
