#include "edit/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "context/context.h"
#include "diag/report_forms.h"
#include "driver/javac.h"
#include "driver/pipeline.h"
#include "edit/code_view.h"
#include "expr/library.h"
#include "source/text_encoding.h"
#include "symbols/program_name.h"
#include "system/warm_service.h"
#include "ui/captions.h"

namespace corvel {

namespace {

constexpr int kRecentCount = 8;
constexpr int kLineRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;

// A caption's "{}" holes filled in order.
QString Fill(const char* pattern, const QStringList& values) {
  QString text = QString::fromUtf8(pattern);
  for (const QString& value : values) {
    const qsizetype at = text.indexOf("{}");
    if (at < 0) break;
    text.replace(at, 2, value);
  }
  return text;
}

// The first Corvel line a report or a runtime error names, or 0.
int LineNamedIn(const QString& text) {
  const QRegularExpressionMatch line = QRegularExpression(QString::fromUtf8(caption::kReportLine)).match(text);
  return line.hasMatch() ? line.captured(1).toInt() : 0;
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The bundled examples and the manual: installed beside the runtime's
// share folder, or in the source tree the build came from.
QString DocFolder(const QString& app_dir, const QString& installed, const QString& in_source) {
  const QString candidate = app_dir + "/../doc/corvel/" + installed;
  if (QFileInfo(candidate).isDir()) return QDir(candidate).canonicalPath();
  return QString(CORVEL_SOURCE_DIR) + "/" + in_source;
}

}  // namespace

// What a translation in the background hands back to the window.
struct EditorWindow::Outcome {
  CompileResult result = CompileResult::kNotStarted;
  std::vector<Fault> faults;
  std::string failure;
  std::string javacOutput;  // javac's errors traced to Corvel lines
  std::string javacDir;
  QString page;             // the program's page, once written
  qint64 ms = 0;           // from the press to the compiled program
  qint64 translateMs = 0;  // the translator's passes alone
};

EditorWindow::EditorWindow(QString app_dir, QWidget* parent) : QMainWindow(parent), appDir_(std::move(app_dir)) {
  setObjectName("EditorWindow");
  view_ = new CodeView(this);
  problems_ = new QListWidget(this);
  problems_->setObjectName("Problems");
  problems_->setWordWrap(true);
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(view_);
  splitter->addWidget(problems_);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);
  help_ = new QTextBrowser(this);
  help_->setObjectName("Help");
  helpDock_ = new QDockWidget(caption::kHelp, this);
  helpDock_->setWidget(help_);
  addDockWidget(Qt::RightDockWidgetArea, helpDock_);
  helpDock_->hide();
  viewer_ = new QProcess(this);
  service_ = std::make_unique<WarmService>();
  startViewer = [this](const QString& java, const QStringList& arguments, const QString& folder) {
    StartViewer(java, arguments, folder);
  };

  auto add = [this](QMenu* menu, const char* text, QKeySequence keys, auto slot) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  QMenu* file = menuBar()->addMenu(caption::kMenuFile);
  add(file, caption::kActNew, QKeySequence::New, [this] {
    if (!MaybeSave()) return;
    view_->clear();
    encoding_ = Encoding::kUtf8;
    lineEnd_ = "\n";
    SetPath({});
  });
  add(file, caption::kActOpen, QKeySequence::Open, [this] {
    if (!MaybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, {}, QSettings().value("editFolder").toString(),
                                                      caption::kFileFilter);
    if (!path.isEmpty()) Open(path);
  });
  add(file, caption::kActSave, QKeySequence::Save, [this] { Save(); });
  add(file, caption::kActSaveAs, QKeySequence::SaveAs, [this] { SaveAs(); });
  recent_ = file->addMenu(caption::kMenuRecent);
  add(file, caption::kActJar, QKeySequence(Qt::CTRL | Qt::Key_J), [this] { Compile(true); });
  file->addSeparator();
  add(file, caption::kActQuit, QKeySequence::Quit, [this] { close(); });
  QMenu* run = menuBar()->addMenu(caption::kMenuRun);
  QAction* run_action = add(run, caption::kActRun, QKeySequence(Qt::Key_F5), [this] { Run(); });
  QAction* stop_action = add(run, caption::kActStop, QKeySequence(Qt::SHIFT | Qt::Key_F5), [this] { StopProgram(); });
  QMenu* examples = menuBar()->addMenu(caption::kMenuExamples);
  const QDir example_dir(DocFolder(appDir_, "examples", "examples"));
  for (const QString& name : example_dir.entryList({"*.txt"}, QDir::Files, QDir::Name)) {
    const QString path = example_dir.filePath(name);
    connect(examples->addAction(name), &QAction::triggered, this, [this, path] { OpenExample(path); });
  }
  QMenu* help = menuBar()->addMenu(caption::kMenuHelp);
  add(help, caption::kActWordHelp, QKeySequence(Qt::Key_F1), [this] { ShowWordHelp(); });
  add(help, caption::kActManual, QKeySequence(Qt::SHIFT | Qt::Key_F1), [this] {
    QDesktopServices::openUrl(QUrl::fromLocalFile(DocFolder(appDir_, "manual/ja", "docs/manual/ja") + "/README.md"));
  });
  QToolBar* tools = addToolBar(caption::kMenuRun);
  tools->setObjectName("Tools");
  tools->addAction(run_action);
  tools->addAction(stop_action);

  connect(problems_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    view_->MarkLine(item->data(kLineRole).toInt(), item->data(kColumnRole).toInt());
    view_->setFocus();
  });
  connect(problems_, &QListWidget::itemClicked, problems_, &QListWidget::itemActivated);
  connect(view_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
  connect(viewer_, &QProcess::finished, this, [this](int code) { ViewerEnded(code); });
  // A runtime error is shown while the program's window stays open: once
  // its report has stopped arriving.
  errorQuiet_ = new QTimer(this);
  errorQuiet_->setSingleShot(true);
  errorQuiet_->setInterval(150);
  connect(errorQuiet_, &QTimer::timeout, this, [this] { ShowRuntimeError(); });
  connect(viewer_, &QProcess::readyReadStandardError, this, [this] {
    viewerErrors_ += QString::fromUtf8(viewer_->readAllStandardError());
    errorQuiet_->start();
  });
  setMinimumSize(640, 400);
  resize(1000, 680);
  SetPath({});
  UpdateRecent();
}

void EditorWindow::SetPath(const QString& path) {
  path_ = path;
  const QString name = path.isEmpty() ? QString(caption::kEditUntitled) : QFileInfo(path).fileName();
  setWindowTitle(name + "[*] - " + caption::kEditApp);
  view_->document()->setModified(false);
  setWindowModified(false);
}

bool EditorWindow::Open(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    statusBar()->showMessage(Fill(caption::kCannotOpen, {path + ": " + file.errorString()}));
    return false;
  }
  std::string bytes = file.readAll().toStdString();
  // As the translator reads it: UTF-8 when the bytes are UTF-8, else CP932.
  Encoding encoding = Encoding::kUtf8;
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    bytes.erase(0, 3);
    encoding = Encoding::kUtf8Bom;
  }
  std::string text;
  if (IsValidUtf8(bytes)) {
    text = std::move(bytes);
  } else if (std::optional<std::string> decoded = Cp932ToUtf8(bytes)) {
    text = std::move(*decoded);
    encoding = Encoding::kCp932;
  } else {
    statusBar()->showMessage(Fill(caption::kCannotOpen, {path + ": " + caption::kNotText}));
    return false;
  }
  const size_t eol = text.find_first_of("\r\n");
  lineEnd_ = eol == std::string::npos || text[eol] == '\n' ? "\n"
             : eol + 1 < text.size() && text[eol + 1] == '\n' ? "\r\n"
                                                             : "\r";
  QString content = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  content.replace("\r\n", "\n").replace('\r', '\n');
  view_->setPlainText(content);
  encoding_ = encoding;
  problems_->clear();
  view_->MarkLine(0, 0);
  SetPath(QFileInfo(path).absoluteFilePath());
  QSettings settings;
  QStringList recent = settings.value("recentFiles").toStringList();
  recent.removeAll(path_);
  recent.prepend(path_);
  settings.setValue("recentFiles", recent.mid(0, kRecentCount));
  settings.setValue("editFolder", QFileInfo(path_).absolutePath());
  UpdateRecent();
  return true;
}

void EditorWindow::UpdateRecent() {
  recent_->clear();
  for (const QString& path : QSettings().value("recentFiles").toStringList()) {
    connect(recent_->addAction(path), &QAction::triggered, this, [this, path] {
      if (MaybeSave()) Open(path);
    });
  }
}

bool EditorWindow::WriteFile(const QString& path) {
  QString content = view_->toPlainText();
  if (lineEnd_ != "\n") content.replace("\n", lineEnd_);
  std::string bytes = content.toStdString();
  if (encoding_ == Encoding::kCp932) {
    std::optional<std::string> encoded = Utf8ToCp932(bytes);
    if (!encoded) {
      statusBar()->showMessage(Fill(caption::kCannotSave, {caption::kNotCp932}));
      return false;
    }
    bytes = std::move(*encoded);
  } else if (encoding_ == Encoding::kUtf8Bom) {
    bytes.insert(0, "\xEF\xBB\xBF");
  }
  // Written whole beside the file a link points at, then renamed over it:
  // a failed save never leaves half a program, and the file keeps its mode.
  const QFileInfo info(path);
  QSaveFile file(info.exists() ? info.canonicalFilePath() : path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    statusBar()->showMessage(Fill(caption::kCannotSave, {path + ": " + file.errorString()}));
    return false;
  }
  SetPath(QFileInfo(path).absoluteFilePath());
  statusBar()->showMessage(Fill(caption::kSaved, {QFileInfo(path).fileName()}), 4000);
  return true;
}

bool EditorWindow::Save() { return path_.isEmpty() ? SaveAs() : WriteFile(path_); }

bool EditorWindow::SaveAs() {
  QString path = QFileDialog::getSaveFileName(this, {}, path_.isEmpty() ? QSettings().value("editFolder").toString() : path_,
                                              caption::kFileFilter);
  if (path.isEmpty()) return false;
  if (!path.endsWith(".txt", Qt::CaseInsensitive)) path += ".txt";
  // Characters CP932 cannot hold are saved as UTF-8 under a new name.
  if (encoding_ == Encoding::kCp932 && !Utf8ToCp932(view_->toPlainText().toStdString())) encoding_ = Encoding::kUtf8;
  return WriteFile(path);
}

bool EditorWindow::MaybeSave() {
  if (!view_->document()->isModified()) return true;
  const auto answer = QMessageBox::question(this, caption::kEditApp, caption::kAskSave,
                                            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Save) return Save();
  return answer == QMessageBox::Discard;
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  StopProgram();
  // A compile in progress ends first: it holds the output folder, and the service.
  if (worker_ != nullptr) worker_->wait();
  service_->Stop();
  event->accept();
}

QString EditorWindow::OutputFolderOf(const QString& program_path) {
  const QFileInfo info(program_path);
  return info.absolutePath() + "/" + info.completeBaseName() + "_java";
}

void EditorWindow::OpenExample(const QString& path) {
  if (!MaybeSave()) return;
  // A copy in the user's own folder: the bundled one may be read-only, and
  // stays as it came.
  const QString folder = QDir::homePath() + "/Corvel";
  QDir().mkpath(folder);
  QString copy = folder + "/" + QFileInfo(path).fileName();
  for (int k = 2; QFileInfo::exists(copy); ++k) {
    copy = folder + "/" + QFileInfo(path).completeBaseName() + QString::number(k) + ".txt";
  }
  if (QFile::copy(path, copy)) {
    QFile(copy).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    Open(copy);
  }
}

void EditorWindow::Run() { Compile(false); }

// F5: saved, translated and compiled off the window's thread, then run.
void EditorWindow::Compile(bool jar) {
  if (compiling_) return;
  if ((view_->document()->isModified() || path_.isEmpty()) && !Save()) return;
  compiling_ = true;
  if (!jar) StopProgram();
  problems_->clear();
  view_->MarkLine(0, 0);
  statusBar()->showMessage(caption::kTranslating);
  auto outcome = std::make_shared<Outcome>();
  const QFileInfo source(path_);
  CompileInputs in;
  in.appDir = appDir_.toStdString();
  in.sourceDir = source.absolutePath().toStdString();
  in.sourceFileName = source.fileName().toStdString();
  in.outputDir = OutputFolderOf(path_).toStdString();
  in.javac = JavacMode::kWait;
  in.jar = jar;
  in.optimize = true;  // the editor runs programs for their result: the fast form
  in.javacStartedStatus = "";
  QDir().mkpath(OutputFolderOf(path_));
  // The translator reads the file as the editor read it.
  const SourceEncoding encoding = encoding_ == Encoding::kCp932 ? SourceEncoding::kCp932 : SourceEncoding::kUtf8;
  // A program's run compiles in the service (started here the first time);
  // a JAR is javac's own work.
  WarmService* service = jar ? nullptr : service_.get();
  QThread* worker = QThread::create([outcome, in, encoding, source_name = in.sourceFileName, service]() mutable {
    QElapsedTimer timer;
    timer.start();
    double translate_ms = 0;
    in.onPassTimed = [&translate_ms](std::string_view, double ms) { translate_ms += ms; };
    TranslationContext ctx;
    ctx.encoding = encoding;
    ctx.reporter = [&outcome](const Fault& fault) { outcome->faults.push_back(fault); };
    ctx.status = [](std::string_view) {};
    in.onJavacOutput = [&](std::string_view output) {
      outcome->javacOutput = std::string(output) +
                             JavacErrorLines(GetProgramName(ctx) + ".java", source_name, output,
                                             ctx.javaCorvelLines, ctx.sourceLines, DiagnosticsForm::kReport);
    };
    if (service != nullptr) {
      in.runProcess = [&ctx, &in, service](const std::vector<std::string>& javac, const std::string& cwd,
                                                   bool, std::string& why, std::string* output) {
        if (!service->Started()) {
          const std::string java = (std::filesystem::path(javac.front()).parent_path() / "java").string();
          const std::string syslib = (std::filesystem::path(in.appDir) / "SysLib").string();
          if (!service->Start(java, {"-XX:+UseSerialGC"}, syslib, in.outputDir, why)) return -1;
        }
        std::string said;
        const int status = service->Compile(std::filesystem::absolute(cwd).string(), GetProgramName(ctx),
                                            kJavaRelease, said, why);
        if (status < 0) service->Stop();  // lost: the next press starts another
        if (output != nullptr) *output = said;
        return status;
      };
    }
    outcome->result = CompileProgram(ctx, in);
    outcome->failure = ctx.failureText;
    outcome->javacDir = ctx.javacDir;
    if (outcome->result == CompileResult::kTranslated) {
      outcome->page = QString::fromStdString(OutputPath(ctx, GetProgramName(ctx) + ".html"));
    }
    outcome->ms = timer.elapsed();
    outcome->translateMs = static_cast<qint64>(translate_ms);
  });
  worker_ = worker;
  connect(worker, &QThread::finished, this, [this, worker, outcome, jar] {
    worker->deleteLater();
    compiling_ = false;
    Finish(*outcome, jar);
  });
  worker->start();
}

void EditorWindow::AddProblem(const QString& text, int line, int column) {
  auto* item = new QListWidgetItem(text, problems_);
  item->setData(kLineRole, line);
  item->setData(kColumnRole, column);
  if (problems_->count() == 1 && line > 0) view_->MarkLine(line, column);
}

void EditorWindow::Finish(const Outcome& outcome, bool jar) {
  switch (outcome.result) {
    case CompileResult::kProgramFault:
      for (const Fault& fault : outcome.faults) {
        std::string text = fault.title.empty() ? std::string() : std::string(fault.title) + "\n";
        text += ReportText(fault);
        if (const std::string hint = HintLine(fault); !hint.empty()) text += "\n" + hint;
        AddProblem(FromUtf8(text).replace("\r\n", "\n"), fault.line, fault.writtenColumn);
      }
      statusBar()->showMessage(caption::kFaultFound);
      emit runDone(false);
      return;
    case CompileResult::kJavacFailed: {
      const QString output = FromUtf8(outcome.javacOutput);
      AddProblem(QString(caption::kJavacFailed) + "\n" + output, LineNamedIn(output), 0);
      statusBar()->showMessage(caption::kJavacFailed);
      emit runDone(false);
      return;
    }
    case CompileResult::kTranslated:
      break;
    default:
      AddProblem(FromUtf8(outcome.failure), 0, 0);
      statusBar()->showMessage(FromUtf8(outcome.failure));
      emit runDone(false);
      return;
  }
  const QString folder = QFileInfo(outcome.page).absolutePath();
  if (jar) {
    statusBar()->showMessage(Fill(caption::kJarWritten, {QFileInfo(outcome.page).completeBaseName() + ".jar"}));
    emit runDone(false);
    return;
  }
  const QString beside = QString::fromStdString(outcome.javacDir) + "/java";
  const QString java = QFileInfo(beside).isExecutable() ? beside : QString("java");
  statusBar()->showMessage(Fill(caption::kRunning, {QString::number(outcome.translateMs),
                                                    QString::number(outcome.ms - outcome.translateMs), folder}));
  // Compiled again in the background, the service's compiler is at full speed by the next press.
  if (!warmed_ && service_->Started()) {
    service_->Warm(folder.toStdString(), QFileInfo(outcome.page).completeBaseName().toStdString(), kJavaRelease);
    warmed_ = true;
  }
  QStringList arguments;
  for (std::string_view option : kViewerJvmOptions) arguments << QString::fromUtf8(option.data(), option.size());
  startViewer(java, arguments << "-cp" << folder << "KWC_Viewer" << outcome.page, folder);
  emit runDone(true);
}

// One program window at a time: a new run replaces the last.
void EditorWindow::StartViewer(const QString& java, const QStringList& arguments, const QString& folder) {
  StopProgram();
  viewerErrors_.clear();
  errorShown_ = false;
  viewer_->setWorkingDirectory(folder);
  // Without a display the program still runs, for its runtime errors.
  QStringList given = arguments;
  if (qEnvironmentVariableIsEmpty("DISPLAY")) given.insert(given.size() - 1, "--headless");
  viewer_->start(java, given);
}

// A runtime error names its Corvel line, then the lines that called it.
void EditorWindow::ShowRuntimeError() {
  if (errorShown_ || viewerErrors_.trimmed().isEmpty()) return;
  errorShown_ = true;
  AddProblem(viewerErrors_.trimmed(), LineNamedIn(viewerErrors_), 0);
  statusBar()->showMessage(caption::kRuntimeError);
}

void EditorWindow::StopProgram() {
  if (viewer_->state() != QProcess::NotRunning) {
    viewer_->blockSignals(true);
    viewer_->kill();
    viewer_->waitForFinished(3000);
    viewer_->blockSignals(false);
  }
}

EditorWindow::~EditorWindow() {
  StopProgram();
  if (worker_ != nullptr) worker_->wait();  // it compiles through the service
  service_->Stop();
}

void EditorWindow::ViewerEnded(int code) {
  viewerErrors_ += QString::fromUtf8(viewer_->readAllStandardError());
  if (code != 0) {
    ShowRuntimeError();
  } else if (!errorShown_) {
    statusBar()->showMessage(caption::kRunEnded, 4000);
  }
}

// F1: a library entry's forms, or the manual's section on a keyword.
void EditorWindow::ShowWordHelp() {
  const QString word = view_->WordAtCursor();
  if (word.isEmpty()) return;
  QStringList lines;
  for (const std::string& form : LibraryForms()) {
    const QString text = QString::fromStdString(form);
    if (text.section(QRegularExpression("[( ]"), 0, 0).compare(word, Qt::CaseInsensitive) == 0) lines << text;
  }
  QString html;
  if (!lines.isEmpty()) {
    html = "<h3>" + word.toHtmlEscaped() + "</h3><pre>" + lines.join("\n").toHtmlEscaped() + "</pre>";
  } else {
    // The first heading of the Japanese manual that names the word, with its text.
    const QDir manual(DocFolder(appDir_, "manual/ja", "docs/manual/ja"));
    const QRegularExpression heading("^#+ .*\\b" + QRegularExpression::escape(word.toUpper()) + "\\b");
    for (const QString& name : manual.entryList({"*.md"}, QDir::Files, QDir::Name)) {
      QFile file(manual.filePath(name));
      if (!file.open(QIODevice::ReadOnly)) continue;
      const QStringList text = QString::fromUtf8(file.readAll()).split('\n');
      for (qsizetype k = 0; k < text.size() && html.isEmpty(); ++k) {
        if (!heading.match(text[k]).hasMatch()) continue;
        qsizetype end = k + 1;
        while (end < text.size() && !text[end].startsWith('#')) ++end;
        html = "<pre>" + text.mid(k, end - k).join("\n").toHtmlEscaped() + "</pre>";
      }
      if (!html.isEmpty()) break;
    }
  }
  help_->setHtml(html.isEmpty() ? Fill(caption::kNoHelp, {word}).toHtmlEscaped() : html);
  helpDock_->show();
}

}  // namespace corvel
