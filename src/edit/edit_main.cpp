// corvel-edit: write, run and fix a Corvel program in one window.
#include <QApplication>

#include "driver/file_paths.h"
#include "edit/editor_window.h"
#include "ui/captions.h"
#include "ui/command_line.h"

int main(int argc, char** argv) {
  if (corvel::AnsweredHelpOrVersion(argc, argv, corvel::caption::kEditHelp, "corvel-edit " CORVEL_VERSION)) return 0;
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvel");
  QApplication::setApplicationName("corvel-edit");
  corvel::EditorWindow window(QString::fromStdString(corvel::DefaultAppDir()));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.Open(arguments.last());
  window.show();
  return QApplication::exec();
}
