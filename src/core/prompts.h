#pragma once
// What the proofreading operations ask of the operator. The windows implement it
// with real message boxes and dialogs; tests use a scripted fake.
//
// Message texts are UTF-8. Text taken from the document (readings, sources,
// destinations) travels as Big5 bytes, as the document holds it.

#include <string>
#include <string_view>

namespace zorvel {

enum class Answer { Yes, No, Cancel };

// What a plain message is, by its first word: texts that begin with "錯誤" are
// errors and end the operation, texts that begin with "警告" are warnings, the
// rest are information. The message box shows the icon of its kind.
enum class MessageKind { Information, Warning, Error };

inline MessageKind KindOfMessage(std::string_view text) {
  if (text.starts_with("錯誤")) return MessageKind::Error;
  if (text.starts_with("警告")) return MessageKind::Warning;
  return MessageKind::Information;
}

// The choice window's answer, with the numbers the window has always used.
enum class Selection : int {
  Waiting = -1,
  Cancel = 0,
  First = 1,
  Second = 2,
  Third = 3,
  UserString = 4,
};

// The replace question's answer, with the numbers the dialog has always used.
enum class ReplaceDecision : int {
  Abort = -1,
  Skip = 0,  // do not replace; the close box answers so
  Replace = 1,
};

// The reading (0 first, 1 second, 2 third) an answer chooses, or -1 for an
// answer that chooses none.
constexpr int ReadingIndex(Selection selection) {
  return selection >= Selection::First && selection <= Selection::Third ? static_cast<int>(selection) - 1
                                                                        : -1;
}

// One run of the choice window: the readings of the mark at the cursor.
struct ChoiceRequest {
  std::string FirstStr;   // Big5
  std::string SecondStr;  // Big5
  std::string ThirdStr;   // Big5, empty with two readings
  bool ThreeReadings = false;
  bool Agree[3] = {false, false, false};  // lime green fields
  int DefaultButton = 1;                  // 1, 2 or 3: the reading Enter takes
  std::string UserString;                 // Big5: preset of the user string field
  // Readings that may be chosen; a key or item of any other reading does nothing.
  bool Writable[3] = {true, true, false};
  std::string Note;  // UTF-8: what the window's status says, empty for nothing
};

struct ChoiceAnswer {
  Selection SelectResult = Selection::Cancel;
  std::string UserStr;  // Big5: the user string field when the answer came
  bool GoNext = false;  // cancel and go to the next mark
};

// One question of the replacement run.
struct ReplaceQuestion {
  std::string Source;  // Big5
  std::string Dest;    // Big5
};

struct ReplaceAnswer {
  ReplaceDecision AskResult = ReplaceDecision::Skip;
  std::string Dest;  // Big5: the destination as the operator left it
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A plain message box with an OK button.
  virtual void Message(std::string_view text) = 0;
  // The generic error box, caption "Zorvel".
  virtual void Error(std::string_view text) = 0;
  // A Yes/No confirmation; true for Yes.
  virtual bool AskYesNo(std::string_view text) = 0;
  // A Yes/No/Cancel confirmation.
  virtual Answer AskYesNoCancel(std::string_view text) = 0;
  // Shows the choice window and waits for its answer. The caller disables the
  // editor around this call.
  virtual ChoiceAnswer Choose(const ChoiceRequest& request) = 0;
  // Shows the replace question, modal, and returns its answer.
  virtual ReplaceAnswer AskReplace(const ReplaceQuestion& question) = 0;
};

}  // namespace zorvel
