#pragma once
// Shared by the window suites: the whole window set started in a temporary
// folder with scripted prompts, and the sample workspace that
// zorvel-make-sample makes, as the demo does.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <functional>

#include "codec/decoded_page.h"
#include "core/pages/picture_file_name.h"
#include "support/test_support.h"
#include "support/white_page.h"
#include "ui/dialogs/option_form.h"
#include "ui/dialogs/replace_form.h"
#include "ui/dialogs/select_form.h"
#include "ui/image/image_form.h"
#include "ui/shell/application.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"
#include "ui/text/text_form.h"

// The workbench of the running test, and its windows by their names. Each test
// that starts the window set builds a fresh workbench.
inline Workbench*& CurrentBench() {
  static Workbench* bench = nullptr;
  return bench;
}
inline Workbench& Bench() {
  EXPECT_NE(CurrentBench(), nullptr) << "the window set is not started";
  return *CurrentBench();
}
#define ZORVEL_TEST_WINDOW(Type, Name) \
  inline Type* Name() {                \
    return &Bench().Name();            \
  }
ZORVEL_TEST_WINDOW(TMainForm, MainForm)
ZORVEL_TEST_WINDOW(TSelectForm, SelectForm)
ZORVEL_TEST_WINDOW(TImageForm, ImageForm)
ZORVEL_TEST_WINDOW(TTextForm, TextForm)
ZORVEL_TEST_WINDOW(TOptionForm, OptionForm)
ZORVEL_TEST_WINDOW(TLoadPictureForm, LoadPictureForm)
ZORVEL_TEST_WINDOW(TFieldShiftForm, FieldShiftForm)
ZORVEL_TEST_WINDOW(TAboutForm, AboutForm)
ZORVEL_TEST_WINDOW(TfmReplace, fmReplace)
ZORVEL_TEST_WINDOW(TfmBookMark, fmBookMark)
ZORVEL_TEST_WINDOW(TfmGetName, fmGetName)
ZORVEL_TEST_WINDOW(TfmAskReplace, fmAskReplace)
ZORVEL_TEST_WINDOW(TfmSetRatio, fmSetRatio)
ZORVEL_TEST_WINDOW(TfmAutoLoadPicture, fmAutoLoadPicture)
ZORVEL_TEST_WINDOW(TfmAutoLoadReport, fmAutoLoadReport)
#undef ZORVEL_TEST_WINDOW

namespace zorvel::test {

inline QString U(const char* text) {
  return QString::fromUtf8(text);
}

// Where the sample pages put their characters: the frame's top border starts
// at row 150 and its right border ends at column 2249, so the corner search
// gives FirstCharX 2400 - 2249 + 45 and FirstCharY 150 + 45 with the default
// RightTopX and RightTopY.
inline constexpr int kSamplePageWidth = 2400;
inline constexpr int kSamplePageHeight = 3400;
inline constexpr int kSampleFirstCharX = 196;
inline constexpr int kSampleFirstCharY = 195;

inline bool MakeSampleWorkspace(const std::string& folder, std::string* output = nullptr) {
  QProcess generator;
  generator.setProcessChannelMode(QProcess::MergedChannels);
  generator.start(QString(ZORVEL_BINARY_DIR) + "/bin/zorvel-make-sample", {QString::fromStdString(folder)});
  const bool finished = generator.waitForFinished(120000);
  if (output) *output = generator.readAll().toStdString();
  return finished && generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0;
}

// Ink pixels of the page inside the rectangle (full-size page pixels).
inline int InkIn(const DecodedPage& page, int left, int top, int width, int height) {
  int ink = 0;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) ink += page.IsBlack(x, y);
  }
  return ink;
}

// Runs act once the modal dialog is up (it is polled for), while exec() waits.
inline void WhenShown(QWidget* dialog, std::function<void()> act, int tries = 200) {
  QTimer::singleShot(5, dialog, [dialog, act, tries] {
    if (dialog->isVisible()) {
      act();
    } else if (tries > 0) {
      WhenShown(dialog, act, tries - 1);
    } else {
      ADD_FAILURE() << "dialog never showed";
    }
  });
}

// The window set, started by Start() in a fresh folder, with scripted prompts.
class WindowSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
  }
  void TearDown() override {
    StopWindows();
    QDir::setCurrent(oldFolder_);
  }
  // A fresh workbench in the current folder, its questions answered by prompts_.
  void StartWindows() {
    zorvel::PrepareApplication();
    bench_ = std::make_unique<Workbench>(&prompts_);
    CurrentBench() = bench_.get();
  }
  void StopWindows() {
    CurrentBench() = nullptr;
    bench_.reset();
  }
  void Start() {
    StartWindows();
    MainForm()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm()));
  }
  QString File(const char* name) const { return QString::fromStdString(dir_.File(name)); }

  TempDir dir_;
  ScriptedPrompts prompts_;
  QString oldFolder_;
  std::unique_ptr<Workbench> bench_;
};

// The same in the sample workspace.
class SampleWorkspaceTest : public WindowSetTest {
 protected:
  void SetUp() override {
    std::string output;
    ASSERT_TRUE(MakeSampleWorkspace(dir_.Path().string(), &output)) << output;
    WindowSetTest::SetUp();
  }
};

// The window set started in the sample workspace, with what the operator does
// to it: a page loaded, the text opened, a key pressed in the text window and
// the mouse on the page.
class SampleWindowsTest : public SampleWorkspaceTest {
 protected:
  void SetUp() override {
    SampleWorkspaceTest::SetUp();
    Start();
  }
  void Load(int page, int sutra = 1) {
    std::string name;
    ASSERT_TRUE(CheckPictureFile(Bench().Settings(), 1, sutra, page, name)) << name;
    ASSERT_EQ(ImageForm()->LoadPicture(1, sutra, name, page), zorvel::PictureLoad::Loaded);
  }
  void OpenText() { ASSERT_TRUE(MainForm()->OpenText(QDir::current().filePath("T01n0001.txt"))); }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(MainForm());
    TextForm()->RichEdit()->setFocus();
    QTest::keyClick(TextForm()->RichEdit(), Qt::Key(key), modifiers);
  }
  static QWidget* View() { return ImageForm()->PageArea()->viewport(); }
  static void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, QPointF(at), QPointF(View()->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(View(), &event);
  }
};

}  // namespace zorvel::test
