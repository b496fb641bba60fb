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
  int SelectResult = 0;  // 0 cancel, 1 first, 2 second, 3 third, 4 user string
  std::string UserStr;   // Big5: the user string field when the answer came
  bool GoNext = false;   // cancel and go to the next mark
};

// One question of the replacement run.
struct ReplaceQuestion {
  std::string Source;  // Big5
  std::string Dest;    // Big5
};

struct ReplaceAnswer {
  int AskResult = 0;  // 1 replace, 0 do not replace, -1 abort
  std::string Dest;   // Big5: the destination as the operator left it
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
