#pragma once
// The ui layer's small conversions between QString and the program's strings:
// UTF-8 literals for labels and messages, and the document's Big5 bytes.

#include <QString>
#include <string>
#include <string_view>

#include "core/text/big5.h"

namespace zorvel::ui {

// A UTF-8 literal (labels, titles, messages) as a QString.
inline QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A UTF-8 string of the core (names, captions and hints of the command
// table) as a QString.
inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Big5 bytes as the QString a field shows, losslessly (see core/text/big5.h).
inline QString FromBig5(std::string_view bytes) {
  return QString::fromStdU16String(Big5ToUnicode(bytes));
}

// A field's text as Big5 bytes; every character Big5 cannot hold becomes "?"
// and is counted in *replaced.
inline std::string ToBig5(const QString& text, int* replaced = nullptr) {
  return UnicodeToBig5(text.toStdU16String(), replaced);
}

}  // namespace zorvel::ui
