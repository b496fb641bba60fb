#pragma once
// Runs a built program as an operator would, with its standard output and
// error each going to a pipe or to a terminal of its own, and gives back what
// it wrote. A program that has not finished within the time limit is killed
// and the run fails.

#include <string>
#include <vector>

namespace zorvel::test {

struct ToolRunOptions {
  bool OutTerminal = false;
  bool ErrTerminal = false;
  std::string Folder = {};              // the working folder; empty: the test's own
  std::vector<std::string> Env = {};    // extra NAME=VALUE settings
  std::vector<std::string> Unset = {};  // variables taken away
  int Seconds = 30;
};

struct ToolResult {
  std::string Out;
  std::string Err;
  int Status = -1;  // exit status; -1 when killed or not started
  bool TimedOut = false;
};

// The path of build/bin/NAME.
std::string ToolPath(const std::string& name);

ToolResult RunProgram(const std::string& name, const std::vector<std::string>& arguments,
                      const ToolRunOptions& options = {});

}  // namespace zorvel::test
