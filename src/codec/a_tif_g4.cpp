#include "codec/a_tif_g4.h"

#include <algorithm>
#include <new>

#include "codec/g4_decoder.h"

namespace zorvel {

namespace {

std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

ATifG4::ATifG4(std::string fileName) : FileName(std::move(fileName)) {}

ATifG4::~ATifG4() {
  if (File) std::fclose(File);
}

bool ATifG4::Open() {
  if (File) return true;
  if (OpenFailed) return false;
  // "rb" never creates a file.
  File = std::fopen(FileName.c_str(), "rb");
  if (!File) OpenFailed = true;
  return File != nullptr;
}

bool ATifG4::SetPosition(std::uint32_t offset) {
  if (!Open()) return false;
  if (std::fseek(File, static_cast<long>(offset), SEEK_SET) != 0) return false;
  Position = offset;
  return true;
}

std::size_t ATifG4::ReadBytes(void* out, std::size_t n) {
  if (!Open()) return 0;
  std::size_t got = std::fread(out, 1, n, File);
  Position += static_cast<std::uint32_t>(got);
  return got;
}

std::uint64_t ATifG4::BytesLeft() {
  if (!Open()) return 0;
  long here = std::ftell(File);
  if (here < 0 || std::fseek(File, 0, SEEK_END) != 0) return 0;
  long end = std::ftell(File);
  std::fseek(File, here, SEEK_SET);
  return end > here ? static_cast<std::uint64_t>(end - here) : 0;
}

std::uint8_t ReadTag(ATifG4& tif, const IfdEntry& entry) {
  const std::uint16_t value16 = static_cast<std::uint16_t>(entry.Value & 0xFFFF);
  const std::uint32_t value32 = entry.Value;
  // The size tags are read as 16-bit values; one stored as a LONG above 65535
  // would come out as its low half, so it is refused like any page too large.
  const bool longAbove16Bits = entry.FieldType == 4 && value32 > 0xFFFF;
  switch (entry.Tag) {
    case 256:  // ImageWidth
      if (value16 > kMaxImageWidth || longAbove16Bits) return erVersion;
      tif.ImageWidth = value16;
      break;
    case 257:  // ImageLength
      if (value16 > kMaxImageLength || longAbove16Bits) return erVersion;
      tif.ImageLength = value16;
      break;
    case 258:  // BitsPerSample
      if (value32 != 1) return erVersion;
      break;
    case 259:  // Compression: CCITT T.6 only
      if (value16 != 4) return erVersion;
      break;
    case 262:  // PhotometricInterpretation: 0 or 1, either gives the same page
      if (static_cast<std::int32_t>(value32) >= 2) return erVersion;
      break;
    case 266:  // FillOrder
      tif.LsbFirst = value32 == 2;
      break;
    case 273:  // StripOffsets: the value field, so one strip only
      tif.StripOffset = value32;
      break;
    case 277:  // SamplesPerPixel
      if (value32 != 1) return erVersion;
      break;
    case 279:  // StripByteCounts
      tif.StripByteCount = value32;
      break;
    default:
      break;
  }
  return erOk;
}

std::uint8_t ReadHeader(ATifG4& tif) {
  std::uint8_t header[8];
  tif.RefusedTag = 0;
  if (!tif.SetPosition(0) || tif.ReadBytes(header, 8) < 8) return erHeader;
  tif.ByteOrder = Get16(header);
  tif.Version = Get16(header + 2);
  tif.IfdOffset = Get32(header + 4);
  if (tif.ByteOrder != 0x4949) return erCpu;
  if (tif.Version != 42) return erVersion;
  if (tif.IfdOffset > 0x7FFFFFFF || !tif.SetPosition(tif.IfdOffset)) return erStrip;

  std::uint8_t countBytes[2];
  if (tif.ReadBytes(countBytes, 2) < 2) return erHeader;
  tif.EntryCount = static_cast<std::int16_t>(Get16(countBytes));
  if (tif.EntryCount < 0) return erHeader;

  const std::size_t size = static_cast<std::size_t>(tif.EntryCount) * 12;
  std::vector<std::uint8_t> raw;
  try {
    raw.resize(size);
    tif.Entries.resize(static_cast<std::size_t>(tif.EntryCount));
  } catch (const std::bad_alloc&) {
    return erMemory;
  }
  if (tif.ReadBytes(raw.data(), size) < size) {
    tif.Entries.clear();
    return erHeader;
  }
  for (std::size_t i = 0; i < tif.Entries.size(); ++i) {
    const std::uint8_t* p = raw.data() + i * 12;
    tif.Entries[i] = IfdEntry{Get16(p), Get16(p + 2), Get32(p + 4), Get32(p + 8)};
  }

  tif.LsbFirst = false;
  for (const IfdEntry& entry : tif.Entries) {
    std::uint8_t result = ReadTag(tif, entry);
    if (result != erOk) {
      tif.RefusedTag = entry.Tag;
      tif.Entries.clear();
      return result;
    }
  }
  tif.BytesPerRow = static_cast<std::int16_t>((tif.ImageWidth + 7) / 8);
  tif.HeaderRead = true;
  return erOk;
}

std::uint8_t LoadStrip(ATifG4& tif) {
  if (tif.StripByteCount == 0) return erHeader;
  if (tif.StripLoaded) return erOk;
  // A strip that runs past the end of the file is read as far as it goes; the
  // rest is missing data and the decoder sees the end of the data there.
  std::uint64_t available = 0;
  if (tif.StripOffset <= 0x7FFFFFFF && tif.SetPosition(tif.StripOffset)) available = tif.BytesLeft();
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(tif.StripByteCount, available));
  try {
    tif.Strip.resize(want);
  } catch (const std::bad_alloc&) {
    return erMemory;
  }
  tif.Strip.resize(tif.ReadBytes(tif.Strip.data(), want));
  tif.StripLoaded = true;
  return erOk;
}

std::uint8_t PrepareDecoding(ATifG4& tif) {
  if (tif.Ready) return erOk;
  if (!tif.HeaderRead && ReadHeader(tif) != erOk) return erHeader;
  if (LoadStrip(tif) != erOk) return erStrip;
  try {
    if (tif.LineA.empty()) tif.LineA.resize(kLineCapacity);
  } catch (const std::bad_alloc&) {
    return erMemory;
  }
  try {
    if (tif.LineB.empty()) tif.LineB.resize(kLineCapacity);
  } catch (const std::bad_alloc&) {
    tif.LineA = {};
    return erMemory;
  }
  tif.Ready = true;
  return erOk;
}

std::uint8_t ReadPage(ATifG4& tif) {
  if (tif.PageDecoded) return erOk;
  std::uint8_t result = PrepareDecoding(tif);
  if (result != erOk) return result;

  DecodedPage& page = tif.Page;
  page = DecodedPage{};
  page.Width = tif.ImageWidth;
  page.Height = tif.ImageLength;
  page.BytesPerRow = tif.BytesPerRow;
  // Width and length are at most 32766 and 32767, so this cannot overflow. Each
  // row takes at least one bit of the strip, so a strip too short for the page
  // fails before it needs the whole buffer: reserve no more than it can fill.
  const std::size_t rowsPossible = std::min<std::size_t>(page.Height, tif.Strip.size() * 8);
  const std::size_t size = static_cast<std::size_t>(page.BytesPerRow) * rowsPossible;
  try {
    page.Rows.reserve(size);
  } catch (const std::bad_alloc&) {
    return erMemory;
  }
  result = DecodeRows(tif, 1, tif.ImageLength, page.Rows);
  if (result != erOk) {
    page = DecodedPage{};
    return result;
  }
  tif.PageDecoded = true;
  return erOk;
}

}  // namespace zorvel
