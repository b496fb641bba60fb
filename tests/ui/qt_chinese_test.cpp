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
      shown = {box->icon(), box->text(), ok ? ok->text() : QString()};
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
  QMessageBox box(QMessageBox::Question, "Zorvel", "?", QMessageBox::Yes | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("取消"));
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QRegularExpression("\\p{Han}")));
  // The file and font dialogs' own texts come from the same translations.
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Look in:"));
}

TEST(QtChinese, AMessageBoxShowsTheIconOfItsKind) {
  zorvel::PrepareApplication();
  QtPrompts prompts;
  const std::pair<std::string, QMessageBox::Icon> cases[] = {
      {"錯誤 : 找不到結束符號.", QMessageBox::Critical},
      {"警告 : zorvel.ini 無法寫入.", QMessageBox::Warning},
      {std::string(zorvel::kNoMarkFound), QMessageBox::Information},
  };
  for (const auto& [text, icon] : cases) {
    const std::string& message = text;
    const ShownBox shown = AnswerBox([&] { prompts.Message(message); });
    EXPECT_EQ(shown.Icon, icon) << text;
    EXPECT_EQ(shown.Text.toStdString(), text) << "the message is shown as written";
    EXPECT_EQ(shown.OkText, QString::fromUtf8("確定")) << text;
  }
  const ShownBox error = AnswerBox([&] { prompts.Error("Access denied"); });
  EXPECT_EQ(error.Icon, QMessageBox::Critical);
  EXPECT_EQ(error.Text, QString("Access denied"));
}

}  // namespace
