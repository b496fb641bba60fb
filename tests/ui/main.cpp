// The ui suites run inside one QApplication, on the offscreen platform unless the
// caller chose another.
//
// A watchdog keeps a regression from hanging a suite: a modal window, or the
// choice window waiting for its answer, that stays open unanswered for more
// than a few seconds fails the running test and is closed, so that the test
// goes on and ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include "ui/dialogs/select_form.h"

namespace {

constexpr int kUnansweredLimitMs = 5000;

class ModalWatchdog : public ::testing::EmptyTestEventListener {
 public:
  ModalWatchdog() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start(100);
  }
  void OnTestStart(const ::testing::TestInfo&) override { watched_ = nullptr; }
  void OnTestEnd(const ::testing::TestInfo&) override { watched_ = nullptr; }

 private:
  // The window that waits for an answer now, if any: one that holds a nested
  // event loop. A modal window that a test only shows and works on is no wait.
  static QWidget* Waiting() {
    if (QThread::currentThread()->loopLevel() == 0) return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* choice = qobject_cast<TSelectForm*>(window);
      if (choice && choice->Waiting()) return choice;
    }
    return nullptr;
  }

  void Look() {
    QWidget* waiting = Waiting();
    if (waiting != watched_ || !waiting) {
      watched_ = waiting;
      since_.start();
      return;
    }
    if (since_.elapsed() < kUnansweredLimitMs) return;
    ADD_FAILURE() << "window \"" << waiting->objectName().toStdString() << "\" ("
                  << waiting->windowTitle().toStdString() << ") waited " << since_.elapsed()
                  << " ms without an answer; closed by the watchdog";
    watched_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(waiting)) {
      dialog->done(QDialog::Rejected);
    } else {
      waiting->close();
    }
  }

  QTimer timer_;
  QPointer<QWidget> watched_;
  QElapsedTimer since_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  auto* watchdog = new ModalWatchdog;
  ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
  listeners.Append(watchdog);
  const int result = RUN_ALL_TESTS();
  // Gone before the application, with its timer.
  delete listeners.Release(watchdog);
  return result;
}
