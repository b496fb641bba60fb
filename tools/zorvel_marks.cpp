// zorvel-marks: a check of a whole proof text before work starts. For every
// difference mark, as repeated F2 finds them, it prints what F1 would compute:
// the line head, the character count, the page image file and the readings.
//
//   zorvel-marks [--ini FILE] [--utf8] TEXT
//   zorvel-marks --log NAME.log.tsv TEXT

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/proof/decision_log.h"
#include "core/proof/marks_report.h"
#include "core/settings/hot_key.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings.h"
#include "core/text/memory_editor.h"

namespace {

int Usage() {
  std::cerr << "usage: zorvel-marks [--ini FILE] [--utf8] TEXT\n"
               "  Lists every difference mark of the Big5 proof text TEXT with its line head,\n"
               "  character count, page image file and readings. Settings come from FILE\n"
               "  (default ./zorvel.ini; the built-in defaults when it does not exist).\n"
               "  --utf8 prints messages and file names as UTF-8 instead of Big5.\n";
  return 2;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  bytes = out.str();
  return !in.bad();
}

// --log LOG TEXT: checks that every reading the decision log LOG records still
// stands at its place in TEXT. Prints one line for each that does not, and a
// summary; the status is 0 when all stand, 1 when some do not (or log lines
// cannot be read), 2 for a wrong call or a file that cannot be read.
int CheckLog(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: zorvel-marks --log NAME.log.tsv TEXT\n"
                 "  Checks that each reading the decision log records still stands at its place\n"
                 "  in the Big5 proof text TEXT, and lists those that do not.\n";
    return 2;
  }
  std::string log;
  std::string text;
  for (auto [path, bytes] : {std::pair{argv[2], &log}, std::pair{argv[3], &text}}) {
    if (!ReadWholeFile(path, *bytes)) {
      std::cerr << "zorvel-marks: cannot read " << path << "\n";
      return 2;
    }
  }
  const zorvel::LogCheck check = zorvel::CheckDecisionLog(log, text);
  for (const std::string& message : check.Unreadable) std::cout << message << "\n";
  for (const zorvel::LogFinding& finding : check.Changed)
    std::cout << zorvel::DescribeLogFinding(finding) << "\n";
  std::cout << "decisions=" << check.Decisions << " standing=" << check.Standing
            << " changed=" << check.Changed.size() << " unreadable=" << check.Unreadable.size() << "\n";
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zorvel-marks: cannot write the report\n";
    return 2;
  }
  return check.Changed.empty() && check.Unreadable.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--log") return CheckLog(argc, argv);
  std::string iniPath = "zorvel.ini";
  bool iniGiven = false;
  bool utf8 = false;
  std::string textPath;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--ini") {
      if (i + 1 >= argc) return Usage();
      iniPath = argv[++i];
      iniGiven = true;
    } else if (arg == "--utf8") {
      utf8 = true;
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      std::cerr << "zorvel-marks: unknown option " << arg << "\n";
      return Usage();
    } else if (textPath.empty()) {
      textPath = arg;
    } else {
      return Usage();
    }
  }
  if (textPath.empty()) return Usage();

  zorvel::Settings settings;
  zorvel::HotKeySet hotKeys;
  std::error_code ec;
  if (std::filesystem::is_regular_file(iniPath, ec)) {
    zorvel::LoadSettings(zorvel::IniFile(iniPath), settings, hotKeys);
  } else if (iniGiven) {
    std::cerr << "zorvel-marks: cannot read the settings file " << iniPath << "\n";
    return 1;
  }

  std::ifstream in(textPath, std::ios::binary);
  if (!in) {
    std::cerr << "zorvel-marks: cannot read " << textPath << "\n";
    return 1;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) {
    std::cerr << "zorvel-marks: cannot read " << textPath << "\n";
    return 1;
  }

  zorvel::MemoryEditor editor;
  editor.SetText(bytes.str());
  zorvel::WriteMarksReport(editor, settings, utf8, std::cout);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "zorvel-marks: cannot write the report\n";
    return 1;
  }
  return 0;
}
