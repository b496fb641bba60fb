#pragma once
// The image window suites work on the sample workspace that zorvel-make-sample
// makes, as the demo does, and on the whole window set started in it.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTest>
#include <string>

#include "codec/decoded_page.h"
#include "support/test_support.h"
#include "ui/application.h"
#include "ui/main_form.h"
#include "ui/qt_prompts.h"

namespace zorvel::test {

// Where the sample pages put their characters: the frame's top border starts
// at row 150 and its right border ends at column 2249, so the corner search
// gives FirstCharX 2400 - 2249 + 45 and FirstCharY 150 + 45 with the default
// RightTopX and RightTopY.
inline constexpr int kSamplePageWidth = 2400;
inline constexpr int kSamplePageHeight = 3400;
inline constexpr int kSampleFirstCharX = 196;
inline constexpr int kSampleFirstCharY = 195;

// Runs the generator into folder; true when it succeeded.
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

// The window set started in a fresh sample workspace, with scripted prompts.
class SampleWorkspaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string output;
    ASSERT_TRUE(MakeSampleWorkspace(dir_.Path().string(), &output)) << output;
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    SetAppPrompts(&prompts_);
  }
  void TearDown() override {
    zorvel::DestroyZorvelWindows();
    SetAppPrompts(nullptr);
    QDir::setCurrent(oldFolder_);
  }
  void Start() {
    zorvel::CreateZorvelWindows();
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
  }

  TempDir dir_;
  ScriptedPrompts prompts_;
  QString oldFolder_;
};

}  // namespace zorvel::test
