// The page reader: header and tag checks, strip loading, and the page it hands over.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "codec/a_tif_g4.h"
#include "decode_both.h"
#include "g4_builders.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// A 16 x 3 page: row 1 pixel 2 black, row 2 the same, row 3 all black.
std::vector<std::uint8_t> SmallStrip(bool lsbFirst = false) {
  BitWriter w;
  w.Horizontal(true, 1, 1).V0();
  w.V0().V0().V0();
  w.Horizontal(true, 0, 16);
  return w.Bytes(lsbFirst);
}

class ReaderTest : public ::testing::Test {
 protected:
  std::uint8_t Read(const TiffFile& file) {
    WriteFile(path_, file.Bytes());
    reader_ = std::make_unique<ATifG4>(path_);
    return ReadPage(*reader_);
  }
  std::uint8_t ReadBytes(const std::string& bytes) {
    WriteFile(path_, bytes);
    reader_ = std::make_unique<ATifG4>(path_);
    return ReadPage(*reader_);
  }
  TempDir dir_;
  std::string path_ = dir_.File("page.tif");
  std::unique_ptr<ATifG4> reader_;
};

TEST_F(ReaderTest, ReadsAValidPage) {
  ASSERT_EQ(Read(TiffFile::Page(16, 3, SmallStrip())), 1);
  const DecodedPage& page = reader_->Page;
  EXPECT_EQ(page.Width, 16);
  EXPECT_EQ(page.Height, 3);
  EXPECT_EQ(page.BytesPerRow, 2);
  ASSERT_EQ(page.Rows.size(), 6u);
  EXPECT_EQ(RowText(page.Rows, 16, 0), ".#..............");
  EXPECT_EQ(RowText(page.Rows, 16, 2), "################");
  EXPECT_TRUE(page.IsBlack(1, 1));
  EXPECT_FALSE(page.IsBlack(0, 1));
  EXPECT_FALSE(page.IsBlack(16, 2));  // outside

  // A second ReadPage hands back the same page without reading again.
  const std::uint8_t* rows = page.Rows.data();
  std::filesystem::remove(path_);
  EXPECT_EQ(ReadPage(*reader_), 1);
  EXPECT_EQ(reader_->Page.Rows.data(), rows);
}

TEST_F(ReaderTest, RefusedHeadersGiveThree) {
  TiffFile good = TiffFile::Page(16, 3, SmallStrip());
  TiffFile f = good;
  f.ByteOrder = "MM";
  EXPECT_EQ(Read(f), 3);
  f = good;
  f.Version = 43;
  EXPECT_EQ(Read(f), 3);
  for (auto [tag, value] : std::vector<std::pair<std::uint16_t, std::uint32_t>>{
           {259, 1}, {259, 3}, {258, 8}, {277, 3}, {262, 2}, {262, 0x80000000u + 5}}) {
    f = good;
    f.Tags[tag] = value;
    // A negative photometric value passes as a signed 32-bit number below 2.
    const int expected = (tag == 262 && value > 0x7FFFFFFFu) ? 1 : 3;
    EXPECT_EQ(Read(f), expected) << "tag " << tag << " value " << value;
  }
  // Short files and unreachable IFDs.
  EXPECT_EQ(ReadBytes(""), 3);
  EXPECT_EQ(ReadBytes("II*"), 3);
  std::string bytes = good.Bytes();
  bytes[4] = '\xF0';  // IFD offset far past the end
  bytes[5] = '\xFF';
  EXPECT_EQ(ReadBytes(bytes), 3);
  EXPECT_EQ(ReadBytes(good.Bytes().substr(0, good.Bytes().size() - 20)), 3);  // entries cut short
}

TEST_F(ReaderTest, TagsThatChangeTheRead) {
  TiffFile good = TiffFile::Page(16, 3, SmallStrip());
  // No StripByteCounts: the strip cannot be loaded.
  TiffFile f = good;
  f.Tags.erase(279);
  EXPECT_EQ(Read(f), 6);
  // No ImageLength: a page of no rows is refused with 14.
  f = good;
  f.Tags.erase(257);
  EXPECT_EQ(Read(f), 14);
  // No Compression tag: decoded as Group 4 all the same.
  f = good;
  f.Tags.erase(259);
  EXPECT_EQ(Read(f), 1);
  // Photometric 1 gives the same page as 0 (1 is white in both).
  ASSERT_EQ(Read(good), 1);
  const std::vector<std::uint8_t> rows = reader_->Page.Rows;
  f = good;
  f.Tags[262] = 1;
  ASSERT_EQ(Read(f), 1);
  EXPECT_EQ(reader_->Page.Rows, rows);
  // FillOrder 2 with the bits of each byte reversed.
  f = TiffFile::Page(16, 3, SmallStrip(true));
  f.Tags[266] = 2;
  ASSERT_EQ(Read(f), 1);
  EXPECT_EQ(reader_->Page.Rows, rows);
  // Tags the reader ignores, and a 16-bit value with a count it never checks.
  f = good;
  f.Tags[254] = 7;
  f.Tags[284] = 2;
  f.Tags[256] = 16 | (5u << 16);
  ASSERT_EQ(Read(f), 1);
  EXPECT_EQ(reader_->Page.Rows, rows);
}

TEST_F(ReaderTest, MissingFileIsNotCreated) {
  const std::string missing = dir_.File("no such page.tif");
  ATifG4 tif(missing);
  EXPECT_EQ(ReadPage(tif), 3);
  EXPECT_FALSE(std::filesystem::exists(missing));
  ATifG4 folder(dir_.Path().string());  // a folder is no file either
  EXPECT_EQ(ReadPage(folder), 3);
}

TEST_F(ReaderTest, PagesOutsideTheDataModelAreRefused) {
  TiffFile f = TiffFile::Page(16, 3, SmallStrip());
  f.Tags[256] = 32767;
  EXPECT_EQ(Read(f), 3);
  f.Tags[256] = 65535;
  EXPECT_EQ(Read(f), 3);
  f = TiffFile::Page(16, 3, SmallStrip());
  f.Tags[257] = 32768;
  EXPECT_EQ(Read(f), 3);
  // A width stored as a LONG beyond 16 bits is not cut down to its low half.
  f = TiffFile::Page(16, 3, SmallStrip());
  f.Types[256] = 4;
  f.Tags[256] = 65536 + 16;
  EXPECT_EQ(Read(f), 3);
  f.Tags[256] = 16;  // a LONG that fits is read as usual
  EXPECT_EQ(Read(f), 1);
  // The largest page there may be is read: here it fails in the data (the strip
  // ends in row 4), not in the header.
  f.Tags[256] = 32766;
  f.Tags[257] = 32767;
  EXPECT_EQ(Read(f), 20);
  // A negative IFD entry count.
  std::string bytes = TiffFile::Page(16, 3, SmallStrip()).Bytes();
  const std::size_t ifd = static_cast<unsigned char>(bytes[4]) | (static_cast<unsigned char>(bytes[5]) << 8);
  bytes[ifd] = '\x00';
  bytes[ifd + 1] = '\x80';
  EXPECT_EQ(ReadBytes(bytes), 3);
}

TEST_F(ReaderTest, ShortStripsAreReadAsFarAsTheyGo) {
  // The strip claims more bytes than the file holds: what is missing is the end
  // of the data, exactly as if the strip had been cut there.
  const std::vector<std::uint8_t> strip = SmallStrip();
  for (std::size_t keep = 0; keep <= strip.size(); ++keep) {
    // The strip is the last thing in the file and is cut after keep bytes.
    TiffFile f = TiffFile::Page(16, 3, {});
    f.AutoStripTags = false;
    f.Tags[273] = static_cast<std::uint32_t>(f.Bytes().size());
    f.Tags[279] = static_cast<std::uint32_t>(strip.size());
    const std::uint8_t result = ReadBytes(f.Bytes() + std::string(strip.begin(), strip.begin() + keep));
    const std::vector<std::uint8_t> kept(strip.begin(), strip.begin() + keep);
    EXPECT_EQ(result, DecodeReference(kept, 16, 3).Result) << "kept " << keep;
    if (keep < strip.size()) {
      EXPECT_TRUE(result == 20 || result == 7) << "kept " << keep;
    }
  }
  // A strip that starts past the end of the file has no data at all.
  TiffFile f = TiffFile::Page(16, 3, SmallStrip());
  f.AutoStripTags = false;
  f.Tags[273] = 100000;
  f.Tags[279] = 5;
  EXPECT_EQ(Read(f), 20);
  f.Tags[279] = 0xFFFFFFFFu;  // and a huge claimed length allocates nothing silly
  EXPECT_EQ(Read(f), 20);
}

TEST_F(ReaderTest, StepsRunOnce) {
  WriteFile(path_, TiffFile::Page(16, 3, SmallStrip()).Bytes());
  ATifG4 tif(path_);
  EXPECT_EQ(ReadHeader(tif), 1);
  EXPECT_TRUE(tif.HeaderRead);
  EXPECT_EQ(tif.ImageWidth, 16);
  EXPECT_EQ(tif.BytesPerRow, 2);
  EXPECT_EQ(tif.EntryCount, 9);
  EXPECT_EQ(PrepareDecoding(tif), 1);
  EXPECT_TRUE(tif.Ready);
  EXPECT_EQ(tif.LineA.size(), tif.LineB.size());
  // Once loaded, the strip is not read again.
  std::filesystem::remove(path_);
  EXPECT_EQ(LoadStrip(tif), 1);
  EXPECT_EQ(ReadPage(tif), 1);
  std::vector<std::uint8_t> rows;
  EXPECT_EQ(DecodeRows(tif, 3, 1, rows), 1);
  EXPECT_EQ(RowText(rows, 16, 0), "################");
  EXPECT_EQ(DecodeRows(tif, 4, 1, rows), 14);
}

}  // namespace
}  // namespace zorvel::test
