#pragma once
// The shared test suite of the TextEditor seam. Every implementation runs it and
// must give the same positions as the plain byte model below, which cuts the
// text into characters on its own: a first byte (0x81 to 0xFE) takes the next
// byte unless that is CR or LF; CR LF, a lone CR and a lone LF end a line.
//
// Instantiate with a factory type F that has
//   static std::unique_ptr<zorvel::TextEditor> Make(std::string_view bytes);
// and INSTANTIATE_TYPED_TEST_SUITE_P(Name, EditorSuite, ::testing::Types<F>).

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/editor_bytes.h"
#include "core/text/text_document.h"
#include "core/text/text_editor.h"

namespace zorvel::test {

// The byte model the editors must agree with.
struct ModelLine {
  int Start = 0;
  int Length = 0;  // without the ending
  int EndLength = 0;
};

inline std::vector<ModelLine> ModelLines(std::string_view t) {
  std::vector<ModelLine> lines;
  int start = 0;
  const int n = static_cast<int>(t.size());
  for (int i = 0; i < n; ++i) {
    if (t[i] == '\r' || t[i] == '\n') {
      const int end_length = (t[i] == '\r' && i + 1 < n && t[i + 1] == '\n') ? 2 : 1;
      lines.push_back({start, i - start, end_length});
      i += end_length - 1;
      start = i + 1;
    }
  }
  lines.push_back({start, n - start, 0});
  return lines;
}

// Every position where a character begins, and the text's length.
inline std::vector<bool> ModelBoundaries(std::string_view t) {
  std::vector<bool> at(t.size() + 1, false);
  std::size_t i = 0;
  while (i < t.size()) {
    at[i] = true;
    const auto b = static_cast<unsigned char>(t[i]);
    const bool pair =
        i + 1 < t.size() &&
        (b == '\r' ? t[i + 1] == '\n' : b >= 0x81 && b <= 0xFE && t[i + 1] != '\r' && t[i + 1] != '\n');
    i += pair ? 2 : 1;
  }
  at[t.size()] = true;
  return at;
}

// The character boundary at or before (step -1) or after (step +1) pos.
inline int ModelRound(std::string_view t, int pos, int step) {
  const std::vector<bool> at = ModelBoundaries(t);
  pos = std::max(0, std::min(pos, static_cast<int>(t.size())));
  while (!at[static_cast<std::size_t>(pos)]) pos += step;
  return pos;
}

// Case-sensitive search that never begins on a second byte (or inside CR LF).
inline int ModelFind(std::string_view t, std::string_view what, int start, int end) {
  const std::vector<bool> at = ModelBoundaries(t);
  for (int p = std::max(start, 0); p + static_cast<int>(what.size()) <= end; ++p) {
    if (at[static_cast<std::size_t>(p)] && t.substr(static_cast<std::size_t>(p), what.size()) == what)
      return p;
  }
  return -1;
}

// Texts every test walks: line ends of each kind, invalid bytes, duplicates and
// double-byte characters whose second byte is "|", "[", "{", "}", "]" or "\".
inline std::vector<std::string> SuiteTexts() {
  return {
      "",
      "abc",
      "T01n0001_p0001a01\xF9\xF8\xA4\x40\xA4\x47{{\xA5\xD2||\xA4\x41}}\xA1\x43\r\n"
      "T01n0001_p0001a02\xF9\xF8\xA4\x7C||\xA4\x5B[\xA4\x7B{{\xA4\x7D}}\xA4\x5D]\r\n",
      "CRLF\r\nlone CR\rlone LF\nend",
      "\n\r\r\n\n\r",
      "\r\n\r\n",
      "\xA4\r\n\x80\xFF\x81\x30\xA2\xCC\xA4\x51\xFE",
      "\xA5\x5C\xB3\x5C\\\xA4\n\xA4",
      "mixed\xA4\xA4\r\xA4\xE5\n\xA1\x40x",
  };
}

template <class F>
class EditorSuite : public ::testing::Test {
 protected:
  std::unique_ptr<TextEditor> Make(std::string_view bytes) { return F::Make(bytes); }

  // Checks every line query against the model.
  void ExpectLinesAgree(const TextEditor& e, std::string_view t) {
    const std::vector<ModelLine> lines = ModelLines(t);
    ASSERT_EQ(e.TextLength(), static_cast<int>(t.size()));
    ASSERT_EQ(e.LineCount(), static_cast<int>(lines.size()));
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const int line = static_cast<int>(k);
      EXPECT_EQ(e.LineStart(line), lines[k].Start) << "line " << k;
      EXPECT_EQ(e.LineBytes(line), std::string(t.substr(static_cast<std::size_t>(lines[k].Start),
                                                        static_cast<std::size_t>(lines[k].Length))))
          << "line " << k;
      const int end = lines[k].Start + lines[k].Length + lines[k].EndLength;
      for (int pos = lines[k].Start; pos < end || (pos == end && k + 1 == lines.size()); ++pos) {
        EXPECT_EQ(e.LineFromPos(pos), line) << "pos " << pos;
      }
    }
    EXPECT_EQ(e.LineStart(-1), -1);
    EXPECT_EQ(e.LineStart(static_cast<int>(lines.size())), -1);
    EXPECT_EQ(e.LineBytes(static_cast<int>(lines.size())), "");
    EXPECT_EQ(e.Text(), std::string(t));
  }
};

TYPED_TEST_SUITE_P(EditorSuite);

TYPED_TEST_P(EditorSuite, WholeTextAndLinesRoundTrip) {
  std::string all;  // every byte value
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::vector<std::string> texts = SuiteTexts();
  texts.push_back(all);
  auto e = this->Make("x");
  for (const std::string& t : texts) {
    SCOPED_TRACE(::testing::PrintToString(t));
    e->SetText(t);
    this->ExpectLinesAgree(*e, t);
    e->SelectAll();
    EXPECT_EQ(e->SelectedBytes(), t);
    EXPECT_EQ(e->SelLength(), static_cast<int>(t.size()));
  }
}

TYPED_TEST_P(EditorSuite, RandomEditsAgreeWithTheByteModel) {
  std::mt19937 random(950);
  const char pieces[][6] = {"\r\n", "\r", "\n", "\xA4\x40", "\xA4\x7C", "|", "\xA4", "\x80", "{{", "ab", ""};
  std::string model = "T01n0001_p0001a01\xF9\xF8\xA4\x40\r\nsecond\rthird\nlast";
  auto e = this->Make(model);
  for (int round = 0; round < 150; ++round) {
    // A selection asked for anywhere, also just outside the text, is rounded
    // out to whole characters.
    const int pos = static_cast<int>(random() % (model.size() + 3)) - 1;
    const int asked = static_cast<int>(random() % 4);
    e->SetSelStart(pos);
    e->SetSelLength(asked);
    const int start = ModelRound(model, pos, -1);
    const int length = ModelRound(model, start + asked, +1) - start;
    ASSERT_EQ(std::pair(e->SelStart(), e->SelLength()), std::pair(start, length)) << pos << " " << asked;
    ASSERT_EQ(e->SelectedBytes(),
              model.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
    std::string bytes = pieces[random() % std::size(pieces)];
    if (random() % 3 == 0) bytes += pieces[random() % std::size(pieces)];
    e->ReplaceSelection(bytes);
    model.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), bytes);
    ASSERT_NO_FATAL_FAILURE(this->ExpectLinesAgree(*e, model)) << "round " << round;
  }
}

TYPED_TEST_P(EditorSuite, FindMatchesWholeCharactersOnly) {
  const FindOptions exact{true, false};
  for (const std::string& t : SuiteTexts()) {
    SCOPED_TRACE(::testing::PrintToString(t));
    auto e = this->Make(t);
    const int n = static_cast<int>(t.size());
    for (std::string what : {"|", "||", "[", "{{", "}}", "]", "\\", "\xA4", "\xA4\x40", "\r\n", "\n"}) {
      for (int start = 0; start <= n; start += 3) {
        ASSERT_EQ(e->Find(what, start, n, exact), ModelFind(t, what, start, n))
            << ::testing::PrintToString(what) << " from " << start;
      }
    }
  }
}

TYPED_TEST_P(EditorSuite, FindOptions) {
  auto e = this->Make(
      "Abc abc_x ABC\r\n\xA4\x41"
      "abc\xA4\x61"
      "Q\r\nabc");
  const int n = e->TextLength();
  EXPECT_EQ(e->Find("ABC", 1, n, {false, false}), 4);
  // Whole words: "abc_x" is one word; a double-byte character is not a word byte.
  EXPECT_EQ(e->Find("abc", 1, n, {false, true}), 10);
  EXPECT_EQ(e->Find("abc", 11, n, {false, true}), 17);
  // The second bytes of A441 ("A") and A461 ("a") never take part in a
  // case-blind match: they are different characters.
  EXPECT_EQ(e->Find(std::string("\xA4") + "a", 0, n, {false, false}), 20);
  EXPECT_EQ(e->Find(std::string("\xA4") + "A", 0, n, {false, false}), 15);
  // The match must end before `end`.
  EXPECT_EQ(e->Find("abc", 25, 27, {true, false}), -1);
  EXPECT_EQ(e->Find("abc", 25, 28, {true, false}), 25);
}

TYPED_TEST_P(EditorSuite, UndoRestoresTheSavedStateAndSetTextStartsANewHistory) {
  auto e = this->Make("one\r\ntwo");
  e->SetSelStart(5);
  e->ReplaceSelection("2");
  e->SetModified(false);
  e->SetSelection(0, 3);
  e->ReplaceSelection("\xA4\x40");
  e->Undo();
  EXPECT_FALSE(e->Modified());  // back where it was saved
  e->Undo();
  EXPECT_EQ(e->Text(), "one\r\ntwo");
  EXPECT_TRUE(e->Modified());
  e->SetText("new");
  e->Undo();
  EXPECT_EQ(e->Text(), "new");
}

TYPED_TEST_P(EditorSuite, CutCopyPasteKeepTheBytes) {
  const std::string t = "x\xA2\xCC\x80\x81\x30\xA4\x7C|\xFF\r\nline\r\nz";
  auto e = this->Make(t);
  e->SetSelStart(1);
  e->SetSelLength(9);
  e->Copy();
  e->SetSelStart(static_cast<int>(t.size()));
  e->Paste();
  EXPECT_EQ(e->Text(), t + t.substr(1, 9));
  e->SetSelection(10, 6);
  e->Cut();  // a whole CR LF line
  EXPECT_EQ(e->Text(), t.substr(0, 10) + "\r\nz" + t.substr(1, 9));
  // A paste writes every line break as CR LF.
  e->SetText("a\rb\nc\r\n\xA4\n");
  e->SelectAll();
  e->Copy();
  e->SetSelStart(e->TextLength());
  e->Paste();
  EXPECT_EQ(e->Text(), "a\rb\nc\r\n\xA4\na\r\nb\r\nc\r\n\xA4\r\n");
}

TYPED_TEST_P(EditorSuite, AReadOnlyTextKeepsItsBytesPositionsAndMatchesAndTakesNoEdit) {
  // One line far beyond the editing limit, of double-byte characters with
  // stray bytes between, so that any cut of it falls near a character.
  std::string longLine = "T01n0001_p0001a01\xF9\xF8";
  for (int i = 0; longLine.size() < 40000; ++i) longLine += i % 7 == 0 ? "\xA4\x7C\x80" : "\xA5\xD2{";
  const std::string t = "short\r\n" + std::string(kMaxEditableLineLength, 'x') + "\r\n" + longLine +
                        "{{\xA5\xD2||\xA4\x41}}\r\nlast\r\n";
  auto e = this->Make("");
  e->SetModified(false);
  e->SetReadOnlyText(t);
  EXPECT_TRUE(e->IsReadOnly());
  // A line up to the editing limit stays whole; a longer one is read in pieces
  // that end between characters, each as long as it can be.
  const std::vector<bool> at = ModelBoundaries(t);
  EXPECT_EQ(e->LineBytes(1).size(), std::size_t{kMaxEditableLineLength});
  int line = 2;
  for (;; ++line) {
    const int start = e->LineStart(line), length = static_cast<int>(e->LineBytes(line).size());
    ASSERT_TRUE(at[static_cast<std::size_t>(start + length)] && length <= kReadOnlyPieceLength) << line;
    if (e->LineStart(line + 1) != start + length) break;  // the last piece has the line end
    ASSERT_GT(ModelRound(t, start + length + 1, +1) - start, kReadOnlyPieceLength) << line;
  }
  EXPECT_GT(line, 40);
  EXPECT_EQ(e->LineBytes(line + 1), "last");
  // Every match where the byte model finds it, also across any piece break.
  const int n = static_cast<int>(t.size());
  for (std::string what : {"{{", "{\xA4\x7C", "\x80\xA5", "||"}) {
    for (int start : {0, 1023, 1030, 39990}) {
      ASSERT_EQ(e->Find(what, start, n, {true, false}), ModelFind(t, what, start, n))
          << ::testing::PrintToString(what) << " from " << start;
    }
  }
  // A selection anywhere gives the bytes there.
  e->SetSelection(1031, 9);
  EXPECT_EQ(e->SelectedBytes(), t.substr(static_cast<std::size_t>(ModelRound(t, 1031, -1)),
                                         static_cast<std::size_t>(e->SelLength())));
  // No edit changes it.
  e->SetSelection(0, 5);
  e->ReplaceSelection("x");
  e->Cut();
  e->Paste();
  EXPECT_EQ(e->Text(), t);
  EXPECT_FALSE(e->Modified());
  // The next SetText opens for editing again.
  e->SetText("ab");
  EXPECT_FALSE(e->IsReadOnly());
  e->SetSelection(0, 1);
  e->ReplaceSelection("x");
  EXPECT_EQ(e->Text(), "xb");
}

REGISTER_TYPED_TEST_SUITE_P(EditorSuite, WholeTextAndLinesRoundTrip, RandomEditsAgreeWithTheByteModel,
                            FindMatchesWholeCharactersOnly, FindOptions,
                            UndoRestoresTheSavedStateAndSetTextStartsANewHistory, CutCopyPasteKeepTheBytes,
                            AReadOnlyTextKeepsItsBytesPositionsAndMatchesAndTakesNoEdit);

}  // namespace zorvel::test
