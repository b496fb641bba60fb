// The page reader: header and tag checks, strip loading, and the page it hands over.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "codec/a_tif_g4.h"
#include "g4_builders.h"
#include "support/test_support.h"
#include "support/tiff_file.h"

namespace zorvel::test {
namespace {

// A 16 x 3 page: rows 1 and 2 have pixel 2 black, row 3 is all black.
std::vector<std::uint8_t> SmallStrip(bool lsbFirst = false) {
  return BitWriter("H1,1 V0  V0 V0 V0  H0,16").Bytes(lsbFirst);
}

class ReaderTest : public ::testing::Test {
 protected:
  std::uint8_t ReadBytes(const std::string& bytes) {
    WriteFile(path_, bytes);
    reader_ = std::make_unique<ATifG4>(path_);
    return ReadPage(*reader_);
  }
  std::uint8_t Read(const TiffFile& file) { return ReadBytes(file.Bytes()); }
  TempDir dir_;
  std::string path_ = dir_.File("page.tif");
  std::unique_ptr<ATifG4> reader_;
  const TiffFile good_ = TiffFile::Page(16, 3, SmallStrip());
};

TEST_F(ReaderTest, ReadsAValidPageOnce) {
  ASSERT_EQ(Read(good_), erOk);
  const DecodedPage& page = reader_->Page;
  ASSERT_EQ(page.Rows.size(), 6u);  // the layout is checked on libtiff's pages
  EXPECT_EQ(RowText(page.Rows, 16, 1), ".#..............");
  EXPECT_EQ(RowText(page.Rows, 16, 2), "################");
  EXPECT_FALSE(page.IsBlack(16, 2));  // outside

  // With the file gone, rows still decode from the loaded strip.
  std::filesystem::remove(path_);
  std::vector<std::uint8_t> last;
  EXPECT_EQ(DecodeRows(*reader_, 3, 1, last), erOk);
  EXPECT_EQ(RowText(last, 16, 0), "################");
  EXPECT_EQ(DecodeRows(*reader_, 4, 1, last), erRowRange);
}

TEST_F(ReaderTest, HeaderAndTagCases) {
  ASSERT_EQ(Read(good_), erOk);
  const std::vector<std::uint8_t> goodRows = reader_->Page.Rows;
  const struct {
    const char* name;
    std::function<void(TiffFile&)> change;
    ResultCode result;  // on erOk the page must equal the good one
    ResultCode header;  // the header step's own code, which the page read turns into erHeader
  } cases[] = {
      {"MM", [](TiffFile& f) { f.ByteOrder = "MM"; }, erHeader, erCpu},
      {"version 43", [](TiffFile& f) { f.Version = 43; }, erHeader, erVersion},
      {"Compression 3", [](TiffFile& f) { f.Tags[259] = 3; }, erHeader, erVersion},
      {"BitsPerSample 8", [](TiffFile& f) { f.Tags[258] = 8; }, erHeader, erVersion},
      {"SamplesPerPixel 3", [](TiffFile& f) { f.Tags[277] = 3; }, erHeader, erVersion},
      {"Photometric 2", [](TiffFile& f) { f.Tags[262] = 2; }, erHeader, erVersion},
      {"width 32767", [](TiffFile& f) { f.Tags[256] = 32767; }, erHeader, erVersion},
      {"length 32768", [](TiffFile& f) { f.Tags[257] = 32768; }, erHeader, erVersion},
      {"LONG width beyond 16 bits", [](TiffFile& f) { f.Types[256] = 4, f.Tags[256] = 65536 + 16; }, erHeader,
       erVersion},
      {"no StripByteCounts", [](TiffFile& f) { f.Tags.erase(279); }, erStrip, erOk},
      {"no ImageLength", [](TiffFile& f) { f.Tags.erase(257); }, erRowRange, erOk},
      // The largest page there may be passes the header and fails in the data.
      {"32766 x 32767", [](TiffFile& f) { f.Tags[256] = 32766, f.Tags[257] = 32767; }, erMaxLineBlk, erOk},
      {"Photometric 1", [](TiffFile& f) { f.Tags[262] = 1; }, erOk, erOk},
      {"FillOrder 2", [](TiffFile& f) { f.Tags[266] = 2, f.Strip = SmallStrip(true); }, erOk, erOk},
      {"LONG width that fits", [](TiffFile& f) { f.Types[256] = 4; }, erOk, erOk},
      {"ignored tags, a SHORT with a high half",
       [](TiffFile& f) { f.Tags[254] = 7, f.Tags[284] = 2, f.Tags[256] = 16 | (5u << 16); }, erOk, erOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TiffFile f = good_;
    c.change(f);
    EXPECT_EQ(Read(f), c.result);
    EXPECT_TRUE(c.result != erOk || reader_->Page.Rows == goodRows);
    ATifG4 fresh(path_);
    EXPECT_EQ(ReadHeader(fresh), c.header);
    EXPECT_EQ(fresh.HeaderRead, c.header == erOk);
    EXPECT_TRUE(c.header != erOk || fresh.BytesPerRow == (fresh.ImageWidth + 7) / 8);
  }

  // Broken files: too short, the IFD beyond the end, out of reach or cut short,
  // a negative entry count. The header step says which.
  const std::string bytes = good_.Bytes();
  const std::size_t ifd = static_cast<unsigned char>(bytes[4]);
  std::string farIfd = bytes, unreachableIfd = bytes, negativeCount = bytes;
  farIfd[5] = '\xFF';
  unreachableIfd[7] = '\x80';
  negativeCount[ifd + 1] = '\x80';
  // clang-format off
  const std::pair<std::string, ResultCode> broken[] = {{std::string("II*"), erHeader}, {farIfd, erHeader},
      {unreachableIfd, erStrip}, {bytes.substr(0, bytes.size() - 20), erHeader}, {negativeCount, erHeader}};
  // clang-format on
  for (const auto& [file, header] : broken) {
    SCOPED_TRACE(std::to_string(file.size()) + " bytes");
    EXPECT_EQ(ReadBytes(file), erHeader);
    ATifG4 fresh(path_);
    EXPECT_EQ(ReadHeader(fresh), header);
    EXPECT_FALSE(fresh.HeaderRead);
  }
}

TEST_F(ReaderTest, MissingFileIsNotCreated) {
  const std::string missing = dir_.File("no such page.tif");
  ATifG4 tif(missing);
  EXPECT_EQ(ReadPage(tif), erHeader);
  EXPECT_FALSE(std::filesystem::exists(missing));
  ATifG4 folder(dir_.Path().string());
  EXPECT_EQ(ReadPage(folder), erHeader);
}

TEST_F(ReaderTest, ShortStripsAreReadAsFarAsTheyGo) {
  // The strip is last in the file and claims more bytes than remain: the rest is the end of the data.
  const std::vector<std::uint8_t> strip = SmallStrip();
  TiffFile f = TiffFile::Page(16, 3, strip);
  f.Strip.clear();
  f.Tags[273] = static_cast<std::uint32_t>(f.Bytes().size());
  for (std::size_t keep = 0; keep < strip.size(); ++keep) {
    const std::vector<std::uint8_t> kept(strip.begin(), strip.begin() + static_cast<long>(keep));
    const std::uint8_t result = ReadBytes(f.Bytes() + std::string(kept.begin(), kept.end()));
    EXPECT_EQ(result, DecodeBoth(kept, 16, 3).Result) << "kept " << keep;
    EXPECT_TRUE(result == erMaxLineBlk || result == erDecode) << "kept " << keep;
  }
  // A strip past the end of the file has no data, however long it claims to be.
  f.Tags[273] = 100000;
  for (std::uint32_t count : {5u, 0xFFFFFFFFu}) {
    f.Tags[279] = count;
    EXPECT_EQ(Read(f), erMaxLineBlk) << count;
  }
}

}  // namespace
}  // namespace zorvel::test
