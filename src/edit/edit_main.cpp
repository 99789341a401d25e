// corvel-edit: write, run and fix a Corvel program in one window.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "driver/file_paths.h"
#include "edit/editor_window.h"
#include "ui/captions.h"

int main(int argc, char** argv) {
  // Answered before Qt starts, so that they work without a display.
  for (int k = 1; k < argc; ++k) {
    if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
      std::fputs(corvel::caption::kEditHelp, stdout);
      return 0;
    }
    if (std::strcmp(argv[k], "--version") == 0) {
      std::puts("corvel-edit " CORVEL_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvel");
  QApplication::setApplicationName("corvel-edit");
  corvel::EditorWindow window(QString::fromStdString(corvel::DefaultAppDir()));
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) window.Open(arguments.last());
  window.show();
  return QApplication::exec();
}
