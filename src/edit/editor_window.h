// corvel-edit's window: a program's text, F5 to translate, compile and run
// it, and every report, javac failure and runtime error in a panel under the
// text, each leading to its line.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QProcess>
#include <QThread>
#include <QString>
#include <functional>
#include <memory>

class QListWidget;
class QMenu;
class QTextBrowser;
class QDockWidget;
class QTimer;

namespace corvel {

class CodeView;
class WarmService;

class EditorWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The encoding a file came in, kept to save it back the same way.
  enum class Encoding { kUtf8, kUtf8Bom, kCp932 };

  explicit EditorWindow(QString app_dir, QWidget* parent = nullptr);
  ~EditorWindow() override;
  bool Open(const QString& path);
  bool Save();
  bool SaveAs();
  void Run();
  // Where a program's Java, page and classes go: a folder of its own beside
  // it, so class files never sit among the user's programs.
  static QString OutputFolderOf(const QString& program_path);

  CodeView* view() const { return view_; }
  QListWidget* problems() const { return problems_; }
  Encoding encoding() const { return encoding_; }
  // Starts the viewer; tests put a recorder here.
  std::function<void(const QString& java, const QStringList& arguments, const QString& folder)> startViewer;

 signals:
  void runDone(bool started);  // the translation and compile of a press of F5 ended

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Outcome;
  bool MaybeSave();
  bool WriteFile(const QString& path);
  void SetPath(const QString& path);
  void UpdateRecent();
  void Compile(bool jar);
  void Finish(const Outcome& outcome, bool jar);
  void AddProblem(const QString& text, int line, int column);
  void StartViewer(const QString& java, const QStringList& arguments, const QString& folder);
  void ViewerEnded(int code);
  void StopProgram();
  void ShowRuntimeError();
  void ShowWordHelp();
  void OpenExample(const QString& path);

  QString appDir_;
  QString path_;
  Encoding encoding_ = Encoding::kUtf8;
  QString lineEnd_ = "\n";
  CodeView* view_;
  QListWidget* problems_;
  QTextBrowser* help_;
  QDockWidget* helpDock_;
  QMenu* recent_;
  QProcess* viewer_;
  QString viewerErrors_;  // the running program's standard error
  bool errorShown_ = false;
  QTimer* errorQuiet_;
  bool compiling_ = false;
  QPointer<QThread> worker_;  // the compile of the last press, while it runs
  // The compile service: a JVM that stays, its compiler loaded and warm,
  // compiles each program in a fraction of javac's time. The program runs
  // in a viewer of its own, which nothing of an earlier run can reach.
  std::unique_ptr<WarmService> service_;
  bool warmed_ = false;
};

}  // namespace corvel
