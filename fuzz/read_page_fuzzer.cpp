// ReadPage on arbitrary file bytes: no crash, no out-of-bounds access, no leak,
// and a page that decodes has exactly the size its header gives.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "codec/a_tif_g4.h"
#include "codec/g4_decoder.h"

namespace {

const std::string& InputPath() {
  static const std::string path = [] {
    char name[] = "/tmp/zorvel-fuzz-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) std::abort();
    close(fd);
    return std::string(name);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = InputPath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);

  zorvel::InitCodeTables();
  zorvel::ATifG4 tif(path);
  const std::uint8_t result = zorvel::ReadPage(tif);
  if (result == zorvel::erOk) {
    const zorvel::DecodedPage& page = tif.Page;
    if (page.BytesPerRow != (page.Width + 7) / 8) std::abort();
    if (page.Rows.size() != static_cast<std::size_t>(page.BytesPerRow) * page.Height) std::abort();
    if (zorvel::ReadPage(tif) != zorvel::erOk) std::abort();  // a second read gives the same page
  } else {
    if (!tif.Page.Rows.empty()) std::abort();
    switch (result) {
      case zorvel::erHeader:
      case zorvel::erStrip:
      case zorvel::erDecode:
      case zorvel::erMemory:
      case zorvel::erRowRange:
      case zorvel::erMaxLineBlk:
        break;
      default:
        std::abort();  // a code ReadPage may not give
    }
  }
  return 0;
}
