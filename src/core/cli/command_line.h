#pragma once
// The command line of the programs: options from a table, positional
// arguments, and the behaviour every program shares:
//   --help     the usage on standard output, exit 0
//   --version  "PROGRAM VERSION" on standard output, exit 0
//   an unknown option, a missing or bad value, or a wrong number of
//   arguments: the reason and the usage on standard error, exit 2.
// "--" ends the options; "-" alone is an argument. A value may follow its
// option as the next argument or after "=" ("--jobs=4").

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zorvel::cli {

// The version of the project, as every program reports it.
const char* Version();

// The number of jobs when none is asked for: one per core.
int DefaultJobs();

struct Option {
  std::string Name;   // "--ini"
  std::string Value;  // what the value is called in the usage ("FILE"); empty for a flag
  std::string Help;   // one line
  // Takes the value (empty for a flag); returns why it is refused, or "".
  std::function<std::string(const std::string& value)> Apply;
};

class CommandLine {
 public:
  // synopsis: the argument part of each usage line ("[--ini FILE] TEXT...");
  // description: the paragraph after the usage lines.
  CommandLine(std::string program, std::vector<std::string> synopsis, std::string description);

  void Add(Option option);
  void Flag(const std::string& name, const std::string& help, bool& target);
  void Text(const std::string& name, const std::string& value, const std::string& help, std::string& target);
  void Number(const std::string& name, const std::string& value, const std::string& help, int& target,
              int min, int max);
  // The option --jobs N (1 to 1024), which starts at DefaultJobs().
  void Jobs(int& target);
  // How many positional arguments the program takes.
  void Arguments(int min, int max);

  // Reads the arguments after the program name. Returns -1 when the program
  // goes on, else the exit status (0 after --help or --version, 2 for a bad
  // command line) once out or err has been written.
  int Parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
  int Parse(int argc, char** argv);  // with std::cout and std::cerr

  const std::vector<std::string>& Positional() const { return positional_; }
  std::string Usage() const;
  const std::string& Program() const { return program_; }

 private:
  const Option* Find(const std::string& name) const;
  int Refuse(const std::string& reason, std::ostream& err) const;

  std::string program_;
  std::vector<std::string> synopsis_;
  std::string description_;
  std::vector<Option> options_;
  int minArguments_ = 0;
  int maxArguments_ = 0;
  std::vector<std::string> positional_;
};

// Whether the stream with this descriptor is a terminal (not a pipe or file).
bool IsTerminal(int fd);

}  // namespace zorvel::cli
