#pragma once
// The Group 4 (ITU-T T.6) decoder. Each coded line is decoded against the
// line above as a list of changing positions (pixels counted from 1; the line
// starts white at 1 and each change flips the colour), the lines in two
// buffers that swap roles, and each finished line is painted into its row.
//
// Mode codes and runs are decoded through lookup tables from a 64-bit window
// on the strip. While at least 32 bits of the strip remain in the window no
// code can reach the end of the data, so no test is made; within the last bits
// every code is checked so that the results are those of reading bit by bit:
// a run read past the end comes out as 7 (white) or 2 (black), a run code cut
// short matches nothing (result 7), and a mode code that meets the end fails
// (result 20). Each row is painted as its line is decoded: every change flips
// the colour to the end of its 64-pixel word, and one pass carries the colour
// from word to word.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/result_codes.h"

namespace zorvel {

class ATifG4;

// Room for one coded line: the entry limit plus the sentinels after it.
constexpr int kLineCapacity = CMaxLineBlk + 8;

// A compressed strip as it lies in memory.
struct G4Strip {
  const std::uint8_t* Data = nullptr;
  std::size_t Length = 0;  // bytes
  bool LsbFirst = false;   // FillOrder 2: each byte read from its least significant bit
};

// Prepares the code tables; only the first call does any work.
void InitCodeTables();

// Decodes rows firstRow .. firstRow + rowCount - 1 (rows counted from 1) of a
// width x length page and appends them to rows, (width + 7) / 8 bytes each,
// 1 white. On failure rows keeps the rows finished so far. lineA and lineB
// are kLineCapacity entries each, or null to use buffers of its own.
std::uint8_t DecodeG4(const G4Strip& strip, int width, int length, int firstRow, int rowCount,
                      std::vector<std::uint8_t>& rows, std::int32_t* lineA = nullptr,
                      std::int32_t* lineB = nullptr);

// The reader's step: prepares the reader, then decodes its strip into rows.
std::uint8_t DecodeRows(ATifG4& tif, int firstRow, int rowCount, std::vector<std::uint8_t>& rows);

// Paints a finished line of lastIndex + 1 signed entries (+p white from pixel
// p on, -p black from p on; entry 0 is +1) into the row's (width + 7) / 8
// bytes. The last entry's colour holds to the end of the row; the bits after
// the last pixel come out 0.
void RenderRow(const std::int32_t* line, int lastIndex, std::uint8_t* row, int width);

}  // namespace zorvel
