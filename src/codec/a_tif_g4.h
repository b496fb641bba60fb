#pragma once
// ATifG4: the reader of one page image, a little-endian TIFF file holding one
// monochrome page compressed with CCITT Group 4 in a single strip.
//
// Create it with the file name, call ReadPage once (again returns the same
// page), take Page, destroy it. The reader only reads: it opens the file
// read-only on first use and never creates or changes a file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "codec/decoded_page.h"
#include "codec/result_codes.h"

namespace zorvel {

// One IFD entry as it lies in the file.
struct IfdEntry {
  std::uint16_t Tag = 0;
  std::uint16_t FieldType = 0;
  std::uint32_t Count = 0;
  std::uint32_t Value = 0;  // value or offset, all four bytes
};

// The largest page the reader takes: positions and row counts are signed 16-bit.
constexpr int kMaxImageWidth = 32766;
constexpr int kMaxImageLength = 32767;

class ATifG4 {
 public:
  explicit ATifG4(std::string fileName = {});
  ~ATifG4();
  ATifG4(const ATifG4&) = delete;
  ATifG4& operator=(const ATifG4&) = delete;

  // The path as bytes, as given.
  std::string FileName;

  // File access.
  std::FILE* File = nullptr;
  std::uint32_t Position = 0;
  bool OpenFailed = false;

  // Header.
  std::uint16_t ByteOrder = 0;
  std::uint16_t Version = 0;
  std::uint32_t IfdOffset = 0;
  // The tag whose value the header step refused (its result erVersion), or 0.
  std::uint16_t RefusedTag = 0;

  // First IFD.
  std::int16_t EntryCount = 0;
  std::vector<IfdEntry> Entries;

  // Image values from the tags.
  std::uint16_t ImageWidth = 0;
  std::uint16_t ImageLength = 0;
  std::uint32_t StripOffset = 0;
  std::uint32_t StripByteCount = 0;
  bool LsbFirst = false;  // FillOrder 2

  // The compressed strip: as many of StripByteCount bytes as the file holds.
  std::vector<std::uint8_t> Strip;
  bool StripLoaded = false;

  std::int16_t BytesPerRow = 0;

  // The decoder's two line buffers.
  std::vector<std::int32_t> LineA;
  std::vector<std::int32_t> LineB;

  bool HeaderRead = false;
  bool Ready = false;

  // The decoded page, valid after ReadPage returned 1.
  DecodedPage Page;
  bool PageDecoded = false;

  // File access underneath: absolute positioning and reading at the position.
  bool SetPosition(std::uint32_t offset);
  std::size_t ReadBytes(void* out, std::size_t n);
  // Bytes from the position to the end of the file (0 when it cannot be told).
  std::uint64_t BytesLeft();

 private:
  bool Open();
};

std::uint8_t ReadPage(ATifG4& tif);
std::uint8_t PrepareDecoding(ATifG4& tif);
std::uint8_t ReadHeader(ATifG4& tif);
std::uint8_t ReadTag(ATifG4& tif, const IfdEntry& entry);
std::uint8_t LoadStrip(ATifG4& tif);

}  // namespace zorvel
