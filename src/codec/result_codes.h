#pragma once
// Result codes of the page reader and the Group 4 decoder. 1 is success; the
// callers only tell success from failure and word their own messages.

#include <cstdint>

namespace zorvel {

enum ResultCode : std::uint8_t {
  erOk = 1,
  erHeader = 3,       // the header step failed (as PrepareDecoding reports it)
  erStrip = 6,        // the strip cannot be loaded
  erDecode = 7,       // a coded line did not end exactly at the page width
  erMemory = 9,       // no memory for a line buffer or the page buffer
  erVersion = 10,     // inside the header step: version not 42 or a refused tag value
  erCpu = 11,         // inside the header step: byte order not "II"
  erRowRange = 14,    // the first requested row lies beyond the page
  erMaxLineBlk = 20,  // entry limit, invalid mode code, or data ended where a mode code was due
};

// Entries a coded line may reach; reaching it fails the line.
constexpr int CMaxLineBlk = 4000;

}  // namespace zorvel
