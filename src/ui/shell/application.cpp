#include "ui/shell/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QPointer>
#include <QStringList>
#include <QTranslator>

#include "ui/shell/exit_signals.h"
#include "ui/shell/icons/tool_icons.h"
#include "ui/shell/main_form.h"
#include "ui/shell/workbench.h"

namespace zorvel {

void InstallFontSubstitutions() {
  const QString ming = QString::fromUtf8("細明體");
  if (!QFont::substitutes(ming).isEmpty()) return;
  // AR PL UMing (fonts-arphic-uming) is the Ming face of the Debian desktop; its
  // TW cut carries the traditional forms.
  QFont::insertSubstitutions(ming, {"AR PL UMing TW", "AR PL UMing HK", "AR PL UMing CN",
                                    "AR PL Mingti2L Big5", "Noto Serif CJK TC"});
}

void InstallQtTranslations() {
  // Once per application: the translator lives as long as it does.
  static QPointer<QTranslator> installed;  // gone with the application that owned it
  if (installed) return;
  auto* translator = new QTranslator(qApp);
  if (translator->load(QStringLiteral("qtbase_zh_TW"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator)) {
    installed = translator;
  } else {
    delete translator;  // without the translations the standard buttons stay English
  }
}

void PrepareApplication() {
  QApplication::setApplicationName("Zorvel");
  InstallQtTranslations();
  InstallFontSubstitutions();
  QApplication::setWindowIcon(ToolIcon("ToolbarButton9710"));
}

void InstallExitOnSignals(Workbench& bench) {
  InstallExitSignals([&bench](int) {
    bench.MainForm().SaveForExit();
    QApplication::exit(0);
  });
}

int RunZorvel(QApplication& app, const QString& textPath) {
  PrepareApplication();
  // A text opened from the file manager brings its working folder along: the
  // zorvel.ini and calibration files beside it.
  const QString text = textPath.isEmpty() ? QString() : QFileInfo(textPath).absoluteFilePath();
  if (!text.isEmpty()) QDir::setCurrent(QFileInfo(text).absolutePath());
  Workbench bench;
  InstallExitOnSignals(bench);
  bench.MainForm().show();
  bench.MainForm().OpenStartText(text);
  const int result = app.exec();
  RemoveExitSignals();
  return result;
}

}  // namespace zorvel
