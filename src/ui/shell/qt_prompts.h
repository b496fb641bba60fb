#pragma once
// The questions and messages of the windows, shown as real message boxes with
// the application title "Zorvel" as caption. The workbench holds them, and a
// test puts scripted answers in their place.

#include <functional>

#include "core/prompts.h"

class QWidget;

class QtPrompts : public zorvel::Prompts {
 public:
  using ChooseHandler = std::function<zorvel::ChoiceAnswer(const zorvel::ChoiceRequest&)>;
  using AskReplaceHandler = std::function<zorvel::ReplaceAnswer(const zorvel::ReplaceQuestion&)>;

  void Message(std::string_view text) override;
  void Error(std::string_view text) override;
  bool AskYesNo(std::string_view text) override;
  zorvel::Answer AskYesNoCancel(std::string_view text) override;
  // Forwarded to the choice window and the replace question once they have
  // registered; until then the answer is 0 (cancel, do not replace).
  zorvel::ChoiceAnswer Choose(const zorvel::ChoiceRequest& request) override;
  zorvel::ReplaceAnswer AskReplace(const zorvel::ReplaceQuestion& question) override;

  void SetChooseHandler(ChooseHandler handler) { choose_ = std::move(handler); }
  void SetAskReplaceHandler(AskReplaceHandler handler) { askReplace_ = std::move(handler); }

 private:
  ChooseHandler choose_;
  AskReplaceHandler askReplace_;
};
