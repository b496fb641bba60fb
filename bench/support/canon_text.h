#pragma once
// Proof texts in the canon's format, for the benchmarks: Big5 lines with
// CR LF, each beginning with a line head such as "T01n0001_p0001a01║", then
// Chinese text with full stops and difference marks {{甲||乙}} (now and then
// with three readings). The same seed gives the same text.

#include <cstddef>
#include <string>

namespace zorvel::test {

struct CanonTextOptions {
  std::size_t TargetBytes = 6 * 1024 * 1024;  // the text stops at the first line end past this
  int Volume = 1;
  int CharactersPerLine = 15;  // double-byte characters after the line head
  int LinesPerMark = 6;        // on average one difference mark per this many lines
  unsigned Seed = 1;
};

std::string MakeCanonText(const CanonTextOptions& options = {});

// About 6 MB in about 120,000 lines, and about 24 MB: a volume's proof text and a
// large one.
inline std::string MakeVolumeText() {
  return MakeCanonText({});
}
inline std::string MakeLargeCanonText() {
  CanonTextOptions options;
  options.TargetBytes = 24 * 1024 * 1024;
  return MakeCanonText(options);
}

}  // namespace zorvel::test
