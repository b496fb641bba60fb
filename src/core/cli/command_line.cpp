#include "core/cli/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <ostream>
#include <thread>

namespace zorvel::cli {

const char* Version() {
  return ZORVEL_VERSION;
}

int DefaultJobs() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 1024u));
}

CommandLine::CommandLine(std::string program, std::vector<std::string> synopsis, std::string description)
    : program_(std::move(program)), synopsis_(std::move(synopsis)), description_(std::move(description)) {}

void CommandLine::Add(Option option) {
  options_.push_back(std::move(option));
}

void CommandLine::Flag(const std::string& name, const std::string& help, bool& target) {
  Add({name, "", help, [&target](const std::string&) {
         target = true;
         return std::string();
       }});
}

void CommandLine::Text(const std::string& name, const std::string& value, const std::string& help,
                       std::string& target) {
  Add({name, value, help, [&target](const std::string& text) {
         target = text;
         return std::string();
       }});
}

void CommandLine::Number(const std::string& name, const std::string& value, const std::string& help,
                         int& target, int min, int max) {
  Add({name, value, help, [&target, name, min, max](const std::string& text) {
         int n = 0;
         const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
         if (ec != std::errc() || end != text.data() + text.size() || n < min || n > max)
           return name + " needs a whole number from " + std::to_string(min) + " to " + std::to_string(max);
         target = n;
         return std::string();
       }});
}

void CommandLine::Jobs(int& target) {
  target = DefaultJobs();
  Number("--jobs", "N", "work on N files at once (default: one per core)", target, 1, 1024);
}

void CommandLine::Arguments(int min, int max) {
  minArguments_ = min;
  maxArguments_ = max;
}

const Option* CommandLine::Find(const std::string& name) const {
  for (const Option& option : options_) {
    if (option.Name == name) return &option;
  }
  return nullptr;
}

std::string CommandLine::Usage() const {
  std::string text;
  for (std::size_t i = 0; i < synopsis_.size(); ++i)
    text +=
        (i == 0 ? "usage: " : "       ") + program_ + (synopsis_[i].empty() ? "" : " ") + synopsis_[i] + "\n";
  if (!description_.empty()) text += description_ + (description_.ends_with('\n') ? "" : "\n");
  std::vector<std::pair<std::string, std::string>> rows;
  for (const Option& option : options_)
    rows.emplace_back(option.Name + (option.Value.empty() ? "" : " " + option.Value), option.Help);
  rows.emplace_back("--help", "show this help and exit");
  rows.emplace_back("--version", "show the version and exit");
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  text += "options:\n";
  for (const auto& [left, help] : rows) {
    // A help of several lines goes on under its first line.
    std::string indented;
    for (char c : help) indented += c == '\n' ? "\n" + std::string(width + 4, ' ') : std::string(1, c);
    text += "  " + left + std::string(width - left.size() + 2, ' ') + indented + "\n";
  }
  return text;
}

int CommandLine::Refuse(const std::string& reason, std::ostream& err) const {
  err << program_ << ": " << reason << "\n" << Usage();
  err.flush();
  return 2;
}

int CommandLine::Parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  positional_.clear();
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnd || arg.size() < 2 || arg[0] != '-') {
      positional_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnd = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      out << Usage();
      out.flush();
      return 0;
    }
    if (arg == "--version") {
      out << program_ << " " << Version() << "\n";
      out.flush();
      return 0;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const Option* option = Find(name);
    if (!option) return Refuse("unknown option " + name, err);
    std::string value;
    if (option->Value.empty()) {
      if (equals != std::string::npos) return Refuse(name + " takes no value", err);
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      return Refuse(name + " needs " + option->Value, err);
    }
    const std::string refused = option->Apply(value);
    if (!refused.empty()) return Refuse(refused, err);
  }
  const int count = static_cast<int>(positional_.size());
  if (count < minArguments_) return Refuse("too few arguments", err);
  if (count > maxArguments_) return Refuse("too many arguments", err);
  return -1;
}

int CommandLine::Parse(int argc, char** argv) {
  return Parse(argc, argv, std::cout, std::cerr);
}

bool IsTerminal(int fd) {
  return ::isatty(fd) == 1;
}

}  // namespace zorvel::cli
