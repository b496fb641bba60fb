// The proofreading loop on real pages, end to end: the sample workspace, the
// whole window set, the text opened and the keys pressed as an operator would.

#include <filesystem>

#include "core/text/big5.h"
#include "image_sample.h"

namespace zorvel::test {
namespace {

class ImageLoopTest : public SampleWindowsTest {
 protected:
  // F1 with the first reading chosen.
  void F1() {
    prompts_.Choices.push_back(ChoiceAnswer{Selection::First, {}, false});
    Press(Qt::Key_F1);
  }
  const Settings& S() const { return OptionForm()->Settings; }
  // At 100 % the marker is in page pixels. The glyph under it has ink, and the
  // blank columns between its line and the lines beside it have none in the
  // character's rows: the marker stands on the character's column.
  void ExpectMarkerOnGlyph(const std::string& where) {
    const DecodedPage* page = ImageForm()->Page();
    ASSERT_NE(page, nullptr);
    const int w = S().WordWidth, h = S().WordHeight, gap = S().LineSpace - w;
    const int left = ImageForm()->MarkerX() - w / 2, top = ImageForm()->MarkerY() - h / 2;
    EXPECT_GT(InkIn(*page, left, top, w, h), 40) << where;
    EXPECT_EQ(InkIn(*page, left + w + 2, top, gap - 4, h), 0) << where;
    EXPECT_EQ(InkIn(*page, left - gap + 2, top, gap - 4, h), 0) << where;
  }
};

// The first mark, {{序||敘}}, ends the preface's title: character 4 of the
// first line of the upper register of page 1. Every mark of page 1 is shown
// without decoding the page again, and the first marks of page 2 load it once.
TEST_F(ImageLoopTest, F1ShowsEveryMarkOnItsGlyphAndTheCornersAreSavedOnClose) {
  OpenText();
  F1();
  EXPECT_EQ(ImageForm()->MarkerX(), kSamplePageWidth - kSampleFirstCharX - S().WordWidth + S().WordWidth / 2);
  EXPECT_EQ(ImageForm()->MarkerY(), kSampleFirstCharY + S().WordHeight * 4 + S().WordHeight / 2);
  ExpectMarkerOnGlyph("mark 1");
  // The view centres the marker as far as the page's right edge allows.
  const QSize client = ImageForm()->ClientSize();
  EXPECT_EQ(ImageForm()->HorzScrollPos(),
            std::clamp(ImageForm()->MarkerX() + client.width() / 2 - client.width(), 0,
                       ImageForm()->ShownSize().width() - client.width()));
  EXPECT_EQ(ImageForm()->VertScrollPos(), ImageForm()->MarkerY() - client.height() / 2);
  // The choice window got the mark's readings, and the first replaced the mark.
  ASSERT_EQ(prompts_.ChoiceRequests.size(), 1u);
  EXPECT_EQ(prompts_.ChoiceRequests[0].SecondStr, Utf8ToBig5("敘"));
  EXPECT_TRUE(
      TextForm()->RichEdit()->toPlainText().startsWith(QString::fromUtf8("T01n0001_p0001a01║長阿含經序\n")));

  int marks = 1;
  while (ImageForm()->PicturePage() == 1 && marks < 200) {
    F1();
    ++marks;
    ExpectMarkerOnGlyph("mark " + std::to_string(marks));
    EXPECT_TRUE(ImageForm()->PicturePage() != 1 || ImageForm()->DecodeCount() == 1) << marks;
  }
  ASSERT_EQ(ImageForm()->PicturePage(), 2);
  EXPECT_GT(marks, 20);
  for (int i = 0; i < 3; ++i) {
    F1();
    ExpectMarkerOnGlyph("page 2, mark " + std::to_string(i + 2));
  }
  EXPECT_EQ(ImageForm()->DecodeCount(), 2);
  EXPECT_TRUE(prompts_.Shown.empty()) << prompts_.Shown.front();

  // Closing: the text is not saved, and the store is written.
  prompts_.Answers.push_back(Answer::No);
  EXPECT_TRUE(MainForm()->close());
  EXPECT_EQ(ReadFile(dir_.File("Vol001.vps")).rfind("1, 196, 195, 0, 0, 0\r\n2, 196, 195, 0, 0, 0\r\n", 0),
            0u);
}

TEST_F(ImageLoopTest, SteppingOntoAPageThatCannotBeShownStandsOnItAndGoesOn) {
  Load(3, 0);
  ImageForm()->ShowPosition(0, 0, 0);
  prompts_.Shown.clear();

  // Page 4 has no file and page 5 is cut short: each is said once and stood
  // on, with no picture and no marker. The next F6 goes past page 5, and F5
  // comes back to it.
  for (auto [key, page, said] :
       {std::tuple{Qt::Key_F6, 4, 1u}, {Qt::Key_F6, 5, 2u}, {Qt::Key_F6, 6, 2u}, {Qt::Key_F5, 5, 3u}}) {
    Press(key);
    EXPECT_EQ(ImageForm()->PicturePage(), page);
    EXPECT_EQ(prompts_.Shown.size(), said) << page;
    if (page == 4) {
      EXPECT_EQ(ImageForm()->MarkerX(), -1);
      EXPECT_TRUE(ImageForm()->ShownSize().isEmpty());
    }
  }
}

// Run again over an edited text, settings and calibration file, with one page
// gone: only the page comes back, the same as before.
TEST(SampleWorkspaceMakerTest, MakesWhatIsMissingAndKeepsTheOperatorsFiles) {
  TempDir dir;
  std::string output;
  ASSERT_TRUE(MakeSampleWorkspace(dir.Path().string(), &output)) << output;
  const std::string page = ReadFile(dir.File("T01/001-100/01-002.TIF"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("T01/001-100/01-004.TIF")));
  std::filesystem::remove(dir.File("T01/001-100/01-002.TIF"));
  for (const char* name : {"T01n0001.txt", "zorvel.ini", "Vol001.vps"}) WriteFile(dir.File(name), name);
  ASSERT_TRUE(MakeSampleWorkspace(dir.Path().string(), &output)) << output;
  for (const char* name : {"T01n0001.txt", "zorvel.ini", "Vol001.vps"})
    EXPECT_EQ(ReadFile(dir.File(name)), name);
  EXPECT_EQ(ReadFile(dir.File("T01/001-100/01-002.TIF")), page);
}

}  // namespace
}  // namespace zorvel::test
