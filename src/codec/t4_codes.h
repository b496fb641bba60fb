#pragma once
// The run-length codes of ITU-T T.4, first bit of the code first. Terminating
// codes cover runs 0 to 63, make-up codes 64 to 1728 and the extended make-up
// codes, shared by both colours, 1792 to 2560.

#include <cstdint>
#include <span>

namespace zorvel {

struct T4Code {
  std::uint16_t Bits;   // the code in the low Length bits
  std::uint8_t Length;  // 2 to 13
  std::uint16_t Run;
};

extern const T4Code kWhiteTerminatingCodes[64];
extern const T4Code kWhiteMakeUpCodes[27];
extern const T4Code kBlackTerminatingCodes[64];
extern const T4Code kBlackMakeUpCodes[27];
extern const T4Code kExtendedMakeUpCodes[13];

inline std::span<const T4Code> WhiteTerminatingCodes() {
  return kWhiteTerminatingCodes;
}
inline std::span<const T4Code> WhiteMakeUpCodes() {
  return kWhiteMakeUpCodes;
}
inline std::span<const T4Code> BlackTerminatingCodes() {
  return kBlackTerminatingCodes;
}
inline std::span<const T4Code> BlackMakeUpCodes() {
  return kBlackMakeUpCodes;
}
inline std::span<const T4Code> ExtendedMakeUpCodes() {
  return kExtendedMakeUpCodes;
}

}  // namespace zorvel
