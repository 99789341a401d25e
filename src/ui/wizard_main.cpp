// corvel-wizard: the translator's windows.
#include <QApplication>
#include <QDir>

#include "driver/file_paths.h"
#include "ui/main_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  corvel::MainForm form(QString::fromStdString(corvel::DefaultAppDir()), QDir::currentPath());
  form.show();
  return QApplication::exec();
}
