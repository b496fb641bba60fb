#include <QApplication>
#include <QString>
#include <cstring>
#include <iostream>

#include "core/cli/command_line.h"
#include "ui/shell/application.h"

namespace {

zorvel::cli::CommandLine ZorvelCommandLine() {
  zorvel::cli::CommandLine line("zorvel", {"[TEXT]"},
                                "Zorvel, the proofreading workbench: a Big5 proof text beside its scanned\n"
                                "pages. With TEXT it starts in the text's folder (its zorvel.ini and\n"
                                "calibration files) and opens the text; without, in the current folder,\n"
                                "reopening the text last worked on where it was left.\n"
                                "Qt's own options (-platform, -style, ...) are taken as well.");
  line.Arguments(0, 1);
  return line;
}

}  // namespace

int main(int argc, char* argv[]) {
  zorvel::cli::CommandLine line = ZorvelCommandLine();
  // Help and version need no display, so they are answered before Qt starts.
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") ||
        !std::strcmp(argv[i], "--version")) {
      const char* const asked[] = {argv[0], argv[i]};
      return line.Parse(2, asked, std::cout, std::cerr);
    }
  }
  QApplication app(argc, argv);
  // What is left once Qt has taken its own options.
  if (const int status = line.Parse(argc, argv); status >= 0) return status;
  const QString text = line.Positional().empty() ? QString() : QString::fromLocal8Bit(line.Positional()[0]);
  return zorvel::RunZorvel(app, text);
}
