// corvel-wizard: the translator's windows.
#include <QApplication>

#include "driver/file_paths.h"
#include "ui/captions.h"
#include "ui/command_line.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  if (corvel::AnsweredHelpOrVersion(argc, argv, corvel::caption::kWizardHelp, "corvel-wizard " CORVEL_VERSION)) return 0;
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvel");
  QApplication::setApplicationName("corvel-wizard");
  corvel::MainForm form(QString::fromStdString(corvel::DefaultAppDir()), QString());
  form.show();
  return QApplication::exec();
}
