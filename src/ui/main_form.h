// The wizard's main window: three steps (the program file, the output
// folder, the translation) over the same translator core as the command.
#pragma once

#include <QDialog>
#include <QHash>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include "context/context.h"

namespace corvel {

class SubForm;

class MainForm : public QWidget {
  Q_OBJECT

 public:
  // `app_dir` holds SysLib/; `start_dir` is the folder both lists open at,
  // or "" for the folders of the last translation (else the home folder).
  MainForm(QString app_dir, const QString& start_dir, QWidget* parent = nullptr);

  // The handlers, public so that tests drive them as the controls do.
  void Step1DirBox_Change(const QString& folder);
  void Step1FileBox_Click(const QString& file_name);
  void Step3Compile_Click();
  // Runs the last program javac compiled in the viewer's window.
  void Step3Run_Click();

  bool sourceChosen() const { return sourceChosen_; }
  QString step2Folder() const;
  // The last javac run, while it runs (tests wait for it).
  QProcess* javacProcess() const { return javac_; }

 signals:
  // javac has ended: true when it compiled the program.
  void javacFinished(bool ok);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  QString AskJavacDir();
  bool ProgramTranslates() const;

  QString appDir_;
  bool sourceChosen_ = false;  // a file was clicked in step 1
  QString step1Folder_;
  QString chosenFile_;
  QFileSystemModel* step1Dirs_;
  QFileSystemModel* step1Files_;
  QFileSystemModel* step2Dirs_;
  QTreeView* Step1DirBox_;
  QListView* Step1FileBox_;
  QTreeView* Step2DirBox_;
  QLabel* Step1Label_;
  QLabel* Step1FileLabel_;
  QLabel* Step2DirLabel_;
  QLabel* Step3Message_;
  QPushButton* Step3Compile_;
  QPushButton* Step3Run_;  // enabled once javac has compiled the program
  QString javacDir_;       // where javac was found: java is beside it
  QString jdkDir_;         // the JDK window's answer, used by every later translation while javac is there
  QString programPage_;    // the page of the last program compiled
  SubForm* subForm_ = nullptr;  // made the first time javac is not found; hidden, not destroyed
  QProcess* javac_ = nullptr;
  QHash<QString, QProcess*> viewers_;  // by program page: one viewer window per program
  TranslationContext ctx_;
};

}  // namespace corvel
