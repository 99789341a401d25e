// corvel-wizard: the translator's windows.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "driver/file_paths.h"
#include "ui/captions.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
      std::fputs(corvel::caption::kWizardHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[k], "--version") == 0) {
      std::puts("corvel-wizard " CORVEL_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvel");
  QApplication::setApplicationName("corvel-wizard");
  corvel::MainForm form(QString::fromStdString(corvel::DefaultAppDir()), QString());
  form.show();
  return QApplication::exec();
}
