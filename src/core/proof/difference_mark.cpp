#include "core/proof/difference_mark.h"

#include "core/proof/line_head.h"
#include "core/text/big5.h"

namespace zorvel {

namespace {

int Find(std::string_view token, std::string_view s) {
  return token.empty() ? 0 : Big5Pos(token, s);
}

std::string Cut(std::string_view s, int from, int to) {
  return std::string(CopyBytes(s, from, to - from));
}

}  // namespace

bool AnswerWritable(const DifferenceMark& mark, Selection selectResult) {
  if (mark.Status != MarkStatus::Ok) return false;
  if (selectResult == Selection::UserString) return true;
  const int reading = ReadingIndex(selectResult);
  return reading >= 0 && mark.Writable[reading];
}

std::string_view MarkStatusMessage(MarkStatus status) {
  switch (status) {
    case MarkStatus::Ok:
      return {};
    case MarkStatus::NotOnOpening:
      return kCursorNotOnOpening;
    case MarkStatus::NoSeparator:
      return kNoSeparator;
    case MarkStatus::NoClosing:
      return kNoClosing;
  }
  return {};
}

DifferenceMark ParseDifferenceMark(std::string_view rest, std::string_view sign1, std::string_view sign2,
                                   std::string_view sign3) {
  DifferenceMark mark;
  const int len1 = static_cast<int>(sign1.size());
  const int len2 = static_cast<int>(sign2.size());
  const int len3 = static_cast<int>(sign3.size());

  int p1 = Find(sign1, rest);
  if (p1 != 1) {
    mark.Status = MarkStatus::NotOnOpening;
    return mark;
  }
  int p2 = Find(sign2, rest);
  if (p2 == 0) {
    mark.Status = MarkStatus::NoSeparator;
    return mark;
  }
  int p3 = Find(sign3, rest);
  if (p3 == 0) {
    mark.Status = MarkStatus::NoClosing;
    return mark;
  }
  if (p2 > p3) {
    mark.Status = MarkStatus::NoSeparator;
    return mark;
  }

  // Blank out the last byte of the first separator and look for a second one.
  std::string scratch(rest);
  scratch[static_cast<std::size_t>(p2 + len2 - 2)] = ' ';
  int p2b = Find(sign2, scratch);
  mark.ThreeReadings = p2b != 0 && p2b <= p3;

  mark.FirstStr = Cut(rest, p1 + len1, p2);
  if (mark.ThreeReadings) {
    mark.SecondStr = Cut(rest, p2 + len2, p2b);
    mark.ThirdStr = Cut(rest, p2b + len2, p3);
    if (mark.SecondStr == mark.ThirdStr) {
      mark.Agree[1] = mark.Agree[2] = true;
      mark.DefaultButton = 2;
    }
    if (mark.FirstStr == mark.ThirdStr) {
      mark.Agree[0] = mark.Agree[2] = true;
      mark.DefaultButton = 1;
    }
    if (mark.FirstStr == mark.SecondStr) {
      mark.Agree[0] = mark.Agree[1] = true;
      mark.DefaultButton = 1;
    }
  } else {
    mark.SecondStr = Cut(rest, p2 + len2, p3);
  }
  const std::string* readings[] = {&mark.FirstStr, &mark.SecondStr, &mark.ThirdStr};
  for (int i = 0; i < 3; ++i) {
    const bool offered = i < 2 || mark.ThreeReadings;
    mark.Writable[i] = offered && Find(sign2, *readings[i]) == 0;
  }
  mark.Length = p3 - p1 + len3;
  return mark;
}

}  // namespace zorvel
