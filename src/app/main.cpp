#include <QApplication>

#include "ui/shell/application.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  return zorvel::RunZorvel(app);
}
