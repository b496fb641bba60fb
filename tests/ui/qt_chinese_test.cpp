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
  std::vector<std::tuple<QMessageBox::Icon, QString, QString>> shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    shown.emplace_back(box->icon(), box->text(), box->button(QMessageBox::Ok)->text());
    box->done(QMessageBox::Ok);
  });
  poll.start(50);
  prompts.Message("警告 : zorvel.ini 無法寫入.");
  prompts.Error("Access denied");
  using Shown = std::tuple<QMessageBox::Icon, QString, QString>;
  EXPECT_EQ(shown,
            (std::vector<Shown>{{QMessageBox::Warning, QString::fromUtf8("警告 : zorvel.ini 無法寫入."),
                                 QString::fromUtf8("確定")},
                                {QMessageBox::Critical, "Access denied", QString::fromUtf8("確定")}}));
}

}  // namespace
