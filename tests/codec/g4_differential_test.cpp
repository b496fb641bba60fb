// The fast decoder against the literal reference on many random and mutated
// strips: both must give the same result code and, on success, the same rows.
#include <gtest/gtest.h>

#include <random>

#include "decode_both.h"
#include "g4_builders.h"
#include "pagegen/page_generator.h"
#include "support/test_support.h"

namespace zorvel::test {
namespace {

// Random strips made of plausible codes, so that lines often decode far.
std::vector<std::uint8_t> RandomCodes(std::mt19937& rng, int width, int rows) {
  BitWriter w;
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int modes = rows * (2 + pick(12));
  bool white = true;
  for (int i = 0; i < modes; ++i) {
    const int m = pick(100);
    if (m < 35) {
      w.V0();
      white = !white;
    } else if (m < 50) {
      pick(2) ? w.VR(1 + pick(3)) : w.VL(1 + pick(3));
      white = !white;
    } else if (m < 75) {
      const int limit = pick(10) == 0 ? 2623 : std::max(1, width / 3);
      w.Horizontal(white, pick(limit + 1), pick(limit + 1));
    } else if (m < 88) {
      w.Pass();
    } else if (m < 92) {
      w.Uncompressed();
      for (int k = pick(4); k > 0; --k) {
        static const char* patterns[] = {"1", "01", "001", "0001", "00001", "000001", "00000000000"};
        w.Bits(patterns[pick(7)]);
      }
      static const char* exits[] = {"0000001", "00000001", "000000001", "0000000001", "00000000001"};
      w.Bits(exits[pick(5)]).Bits(pick(2) ? "1" : "0");
    } else if (m < 94) {
      w.Bits(pick(2) ? "0000000" : "000000000001");
    } else {
      w.V0();
    }
  }
  return w.Bytes();
}

void Mutate(std::mt19937& rng, std::vector<std::uint8_t>& strip) {
  if (strip.empty()) return;
  const int kind = static_cast<int>(rng() % 4);
  const std::size_t at = rng() % strip.size();
  if (kind == 0) {
    strip[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
  } else if (kind == 1) {
    strip.resize(at);
  } else if (kind == 2) {
    strip.insert(strip.begin() + static_cast<long>(at), static_cast<std::uint8_t>(rng()));
  } else {
    strip.erase(strip.begin() + static_cast<long>(at));
  }
}

TEST(G4Differential, RandomBytes) {
  std::mt19937 rng(1);
  for (int i = 0; i < 3000; ++i) {
    std::vector<std::uint8_t> strip(rng() % 64);
    for (auto& b : strip) b = static_cast<std::uint8_t>(rng() & (rng() % 3 == 0 ? 0x11 : 0xFF));
    const int width = static_cast<int>(rng() % 40);
    const int length = 1 + static_cast<int>(rng() % 6);
    DecodeBoth(strip, width, length, rng() % 2 == 0);
    if (HasFailure()) FAIL() << "case " << i;
  }
}

TEST(G4Differential, RandomCodeStreams) {
  std::mt19937 rng(2);
  int decoded = 0;
  for (int i = 0; i < 3000; ++i) {
    const int width = 1 + static_cast<int>(rng() % (i % 10 == 0 ? 3000 : 60));
    const int rows = 1 + static_cast<int>(rng() % 5);
    std::vector<std::uint8_t> strip = RandomCodes(rng, width, rows);
    if (rng() % 3 == 0) Mutate(rng, strip);
    const int firstRow = rng() % 4 == 0 ? 1 + static_cast<int>(rng() % (rows + 1)) : 1;
    Decoded d = DecodeBoth(strip, width, rows, false, firstRow, rows);
    if (d.Result == 1) ++decoded;
    if (HasFailure()) FAIL() << "case " << i;
  }
  EXPECT_GT(decoded, 50) << "the streams should decode now and then";
}

TEST(G4Differential, MutatedLibtiffStrips) {
  TempDir dir;
  std::mt19937 rng(3);
  for (int page = 0; page < 6; ++page) {
    const int width = 1 + static_cast<int>(rng() % 300);
    pagegen::Bitmap bitmap(width, 24);
    pagegen::FillRandom(bitmap, 0.05 + 0.15 * page, static_cast<std::uint32_t>(page));
    pagegen::DrawGlyph(bitmap, 0, 0, width, 24, static_cast<std::uint32_t>(page));
    const std::string path = dir.File("p" + std::to_string(page) + ".tif");
    ASSERT_TRUE(pagegen::WriteG4Tiff(path, bitmap));
    const std::vector<std::uint8_t> strip = pagegen::ReadRawStrip(path);
    ASSERT_EQ(DecodeBoth(strip, width, 24).Result, 1);
    for (int i = 0; i < 400; ++i) {
      std::vector<std::uint8_t> mutated = strip;
      for (int k = 1 + static_cast<int>(rng() % 3); k > 0; --k) Mutate(rng, mutated);
      DecodeBoth(mutated, width, 24);
      if (HasFailure()) FAIL() << "page " << page << " case " << i;
    }
  }
}

}  // namespace
}  // namespace zorvel::test
