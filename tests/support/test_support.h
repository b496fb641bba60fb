#pragma once
// Helpers shared by the test suites.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/memory_editor.h"
#include "core/text/text_document.h"

namespace zorvel::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Settings whose every number differs from every other and from its default,
// and whose texts and switches differ from theirs, so that a value taken into
// or written from the wrong member shows.
Settings DistinctSettings();

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);  // empty when missing

// Prompts answered by a script: each question pops the next queued answer (a
// missing answer fails the test and gives Cancel/No/0). Every text shown is
// recorded in order.
class ScriptedPrompts : public Prompts {
 public:
  std::vector<std::string> Shown;  // every message, error and question, in order
  std::deque<Answer> Answers;      // for AskYesNo (Yes/No) and AskYesNoCancel
  std::deque<ChoiceAnswer> Choices;
  std::deque<ReplaceAnswer> Replies;
  std::vector<ChoiceRequest> ChoiceRequests;
  std::vector<ReplaceQuestion> ReplaceQuestions;
  ReplaceAnswer DefaultReply{};  // used when Replies is empty and UseDefaultReply is set
  bool UseDefaultReply = false;

  void Message(std::string_view text) override { Shown.emplace_back(text); }
  void Error(std::string_view text) override { Shown.emplace_back(text); }
  bool AskYesNo(std::string_view text) override { return Ask(text, Answer::No) == Answer::Yes; }
  Answer AskYesNoCancel(std::string_view text) override { return Ask(text, Answer::Cancel); }
  ChoiceAnswer Choose(const ChoiceRequest& request) override;
  ReplaceAnswer AskReplace(const ReplaceQuestion& question) override;

 private:
  // Records the question and pops the next answer (`none` when nobody scripted one).
  Answer Ask(std::string_view text, Answer none);
};

// File dialogs answered from queues (an empty queue is a cancelled dialog);
// Asked records "open" and "save" in order.
struct ScriptedDialogs : FileDialogs {
  std::deque<std::string> Open, Save;
  std::vector<std::string> Asked;
  std::string OpenFileName() override { return Next("open", Open); }
  std::string SaveFileName() override { return Next("save", Save); }
  std::string Next(const char* kind, std::deque<std::string>& queue) {
    Asked.emplace_back(kind);
    std::string path = queue.empty() ? std::string() : queue.front();
    if (!queue.empty()) queue.pop_front();
    return path;
  }
};

// A zorvel.ini in a folder of its own.
class SettingsFile : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string path = dir.File("zorvel.ini");
  IniFile ini{path};
};

// A text document over the in-memory editor, its questions and file dialogs
// scripted, in a folder of its own.
class DocumentBench {
 public:
  // Opens `path` through the open dialog.
  void Open(const std::string& path) {
    dialogs.Open.push_back(path);
    ASSERT_TRUE(document.FileOpen());
  }
  // Types at the end of the text, as the operator would.
  void Type(std::string_view bytes) {
    editor.SetSelStart(editor.TextLength());
    editor.ReplaceSelection(bytes);
  }
  std::function<Prompts&()> Prompter() {
    return [this]() -> Prompts& { return prompts; };
  }

  TempDir dir;
  MemoryEditor editor;
  ScriptedPrompts prompts;
  ScriptedDialogs dialogs;
  TextDocument document{editor, Prompter(), dialogs};
};

}  // namespace zorvel::test
