#pragma once
// The forward search of the editors over Big5 bytes, shared by MemoryEditor and
// the Qt editor so that both find the same places.

#include <string_view>

#include "core/text/text_editor.h"

namespace zorvel {

// Searches text for what, starting at a character boundary at or after `start`
// and ending at or before `end` (both clamped to the text). `base` must be a
// character boundary at or before start (a line start will do): the text is cut
// into characters from there. A match never begins on the second byte of a
// double-byte character. Without MatchCase, ASCII letters that stand as
// characters of their own match in either case (never the second byte of a
// double-byte character). With WholeWord, the characters just before and after
// the match must not be ASCII letters, digits or "_". Returns the position of
// the match, or -1. An empty `what` is never found.
int FindBig5(std::string_view text, std::string_view what, int start, int end, FindOptions options,
             int base = 0);

}  // namespace zorvel
