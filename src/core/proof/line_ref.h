#pragma once
// Where the character at the cursor stands in the printed canon, as the line
// head and the count of printed characters before the cursor give it.

#include <cstdint>

namespace zorvel {

struct LineRef {
  std::int32_t Vol = 0;
  std::int32_t Sutra = 0;
  std::int32_t Page = 0;
  std::int32_t Field = 0;  // register: 0 for a (upper), 1 for b, ...
  std::int32_t Line = 0;   // line on the page, from 0
  std::int32_t Char = 0;   // printed characters before the cursor, from 0
  friend bool operator==(const LineRef&, const LineRef&) = default;
};

}  // namespace zorvel
