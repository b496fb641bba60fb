#include "ui/application.h"

#include <QApplication>
#include <QMainWindow>

namespace zorvel {

int RunZorvel(QApplication& app) {
  QApplication::setApplicationName("Zorvel");
  QMainWindow window;
  window.setWindowTitle(QString::fromUtf8("Zorvel程式"));
  window.show();
  return app.exec();
}

}  // namespace zorvel
