#include "ui/main_form.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSettings>
#include <QVBoxLayout>
#include <memory>

#include "diag/messages.h"
#include "diag/report_forms.h"
#include "driver/file_paths.h"
#include "driver/javac.h"
#include "driver/pipeline.h"
#include "expr/library.h"
#include "ui/captions.h"
#include "ui/folder_list.h"
#include "ui/sub_form.h"

namespace corvel {
namespace {

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

// A folder joined with a name: one separator, also at the root "/".
QString Join(const QString& folder, const QString& name) {
  return folder.endsWith('/') ? folder + name : folder + "/" + name;
}

// The settings keys of the folders the last translation used.
constexpr char kStep1Key[] = "step1Folder";
constexpr char kStep2Key[] = "step2Folder";

// The folder remembered under `key` while it still exists, else `fallback`.
QString Remembered(const char* key, const QString& fallback) {
  const QString folder = QSettings().value(key).toString();
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

}  // namespace

MainForm::MainForm(QString app_dir, const QString& start_dir, QWidget* parent)
    : QWidget(parent), appDir_(std::move(app_dir)) {
  setObjectName("MainForm");
  // Without a start folder, the lists open where the last translation took
  // its program and wrote its files.
  const QString step1_start = start_dir.isEmpty() ? Remembered(kStep1Key, QDir::homePath()) : start_dir;
  const QString step2_start = start_dir.isEmpty() ? Remembered(kStep2Key, step1_start) : start_dir;
  setWindowTitle("Corvel");
  // The steps side by side, in the order they are done: the window stays
  // low enough for a 1366x768 screen with a taskbar.
  auto* layout = new QHBoxLayout(this);

  auto* Step1Frame = Frame(this, "Step1Frame", caption::kStep1Frame);
  auto* step1 = new QVBoxLayout(Step1Frame);
  Step1Label_ = MakeLabel(Step1Frame, "Step1Label", "");
  step1->addWidget(Step1Label_);
  auto* step1_lists = new QHBoxLayout;
  step1Dirs_ = new QFileSystemModel(this);
  Step1DirBox_ = FolderList(Step1Frame, "Step1DirBox", step1Dirs_, step1_start);
  step1_lists->addWidget(Step1DirBox_);
  auto* Step1FileFrame = Frame(Step1Frame, "Step1FileFrame", caption::kStep1FileFrame);
  auto* file_layout = new QVBoxLayout(Step1FileFrame);
  step1Files_ = new QFileSystemModel(this);
  step1Files_->setFilter(QDir::Files);
  step1Files_->setNameFilters({"*.txt"});
  step1Files_->setNameFilterDisables(false);
  Step1FileBox_ = new QListView(Step1FileFrame);
  Step1FileBox_->setObjectName("Step1FileBox");
  Step1FileBox_->setModel(step1Files_);
  file_layout->addWidget(Step1FileBox_);
  step1_lists->addWidget(Step1FileFrame);
  step1->addLayout(step1_lists);
  Step1FileLabel_ = MakeLabel(Step1Frame, "Step1FileLabel", caption::kNotChosen);
  step1->addWidget(Step1FileLabel_);
  layout->addWidget(Step1Frame, 3);

  auto* Step2Frame = Frame(this, "Step2Frame", caption::kStep2Frame);
  auto* step2 = new QVBoxLayout(Step2Frame);
  step2->addWidget(MakeLabel(Step2Frame, "Step2Label", caption::kStep2Label));
  auto* Frame1 = Frame(Step2Frame, "Frame1", caption::kFrame1);
  auto* frame1 = new QVBoxLayout(Frame1);
  step2Dirs_ = new QFileSystemModel(this);
  Step2DirBox_ = FolderList(Frame1, "Step2DirBox", step2Dirs_, step2_start);
  frame1->addWidget(Step2DirBox_);
  Step2DirLabel_ = MakeLabel(Frame1, "Step2DirLabel", caption::kNotChosen);
  frame1->addWidget(Step2DirLabel_);
  step2->addWidget(Frame1);
  layout->addWidget(Step2Frame, 2);

  auto* Step3Frame = Frame(this, "Step3Frame", caption::kStep3Frame);
  auto* step3 = new QVBoxLayout(Step3Frame);
  step3->addWidget(MakeLabel(Step3Frame, "Step3Label", caption::kStep3Label));
  Step3Compile_ = new QPushButton(caption::kStep3Compile, Step3Frame);
  Step3Compile_->setObjectName("Step3Compile");
  step3->addWidget(Step3Compile_);
  Step3Run_ = new QPushButton(caption::kStep3Run, Step3Frame);
  Step3Run_->setObjectName("Step3Run");
  Step3Run_->setEnabled(false);
  step3->addWidget(Step3Run_);
  auto* Step3Frame2 = Frame(Step3Frame, "Step3Frame2", caption::kMessageFrame);
  auto* message = new QVBoxLayout(Step3Frame2);
  Step3Message_ = MakeLabel(Step3Frame2, "Step3Message", caption::kStep3Message);
  message->addWidget(Step3Message_);
  step3->addWidget(Step3Frame2);
  step3->addStretch();
  layout->addWidget(Step3Frame, 2);
  // Room for the longest message, so that the window does not jump as one
  // line becomes three.
  Step3Message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Step3Message_->setFixedHeight(Step3Message_->fontMetrics().lineSpacing() * 6);
  setMinimumSize(800, 420);
  resize(1200, 600);

  connect(Step1DirBox_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { Step1DirBox_Change(step1Dirs_->filePath(index)); });
  // The highlighted file is the chosen one, whether the mouse or the
  // arrow keys moved the highlight there.
  connect(Step1FileBox_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (!index.isValid()) return;
            Step1FileBox_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
            Step1FileBox_Click(step1Files_->fileName(index));
          });
  Step1FileBox_->installEventFilter(this);
  connect(Step2DirBox_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { Step2DirLabel_->setText(step2Dirs_->filePath(index)); });
  Step2DirLabel_->setText(step2Folder());
  connect(Step3Compile_, &QPushButton::clicked, this, &MainForm::Step3Compile_Click);
  connect(Step3Run_, &QPushButton::clicked, this, &MainForm::Step3Run_Click);
  Step3Compile_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
  Step3Run_->setShortcut(QKeySequence(Qt::Key_F5));
  Step3Compile_->setEnabled(false);
  QWidget* const kTabOrder[] = {Step1DirBox_, Step1FileBox_, Step2DirBox_, Step3Compile_, Step3Run_};
  for (size_t k = 1; k < std::size(kTabOrder); ++k) setTabOrder(kTabOrder[k - 1], kTabOrder[k]);
  Step1FileBox_->setFocus();
  step1Folder_ = step1_start;
  Step1FileBox_->setRootIndex(step1Files_->setRootPath(step1_start));
  Form_Load();
}

void MainForm::Form_Load() {
  Step1Label_->setText(caption::kStep1Label);
}

// The labels show what a press of the create button would use: a file of
// another folder is no longer chosen, and the output follows the folder.
void MainForm::Step1DirBox_Change(const QString& folder) {
  step1Folder_ = folder;
  Step1FileBox_->setCurrentIndex(QModelIndex());
  Step1FileBox_->clearSelection();
  Step1FileBox_->setRootIndex(step1Files_->setRootPath(folder));
  chosenFile_.clear();
  sourceChosen_ = false;
  Step1FileLabel_->setText(caption::kNotChosen);
  Step3Compile_->setEnabled(false);
  ShowFolder(Step2DirBox_, step2Dirs_->index(folder));
}

void MainForm::Step1FileBox_Click(const QString& file_name) {
  chosenFile_ = file_name;
  Step1FileLabel_->setText(Join(step1Folder_, file_name));
  sourceChosen_ = true;
  Step3Compile_->setEnabled(true);
}

// Return in the file list presses the create button: a keyboard user
// chooses and creates without leaving the list.
bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Step1FileBox_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Step3Compile_->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QString MainForm::step2Folder() const { return step2Dirs_->filePath(Step2DirBox_->currentIndex()); }

// The pipeline looks for javac before it translates; a faulty program must
// get its report, never the JDK window. So the passes run here first, on a
// context of their own and silently: on a fault, "" skips javac, and the
// pipeline's own passes report it.
bool MainForm::ProgramTranslates() const {
  auto scratch = std::make_unique<TranslationContext>();
  InitTranslation(*scratch);
  InitLibrary(*scratch);
  SetAppDir(*scratch, appDir_.toStdString());
  SetSourceDir(*scratch, step1Folder_.toStdString());
  SetSourceFileName(*scratch, chosenFile_.toStdString());
  for (const PassSlot& pass : TranslationPasses()) {
    if (pass.run(*scratch) != 0) return false;
  }
  return true;
}

QString MainForm::AskJavacDir() {
  if (!ProgramTranslates()) return {};
  if (subForm_ == nullptr) subForm_ = new SubForm(QDir::homePath(), this);
  subForm_->Form_Load();
  if (subForm_->exec() != QDialog::Accepted) return {};
  jdkDir_ = subForm_->javacDir();
  return jdkDir_;
}

void MainForm::Step3Compile_Click() {
  if (!sourceChosen_) return;
  if (javac_ != nullptr && javac_->state() != QProcess::NotRunning) return;  // one translation at a time
  Step3Run_->setEnabled(false);
  QSettings settings;
  settings.setValue(kStep1Key, step1Folder_);
  settings.setValue(kStep2Key, step2Folder());
  ctx_.reporter = [this](const Fault& fault) {
    std::string text = ReportText(fault);
    // A hint a beginner can act on goes under the report, as the command prints it.
    if (const std::string hint = HintLine(fault); !hint.empty()) text += std::string(kCrLf) + hint;
    QMessageBox::warning(this, QString::fromUtf8(fault.title.data(), static_cast<int>(fault.title.size())),
                         QString::fromUtf8(text.data(), static_cast<int>(text.size())).replace("\r\n", "\n"));
  };
  ctx_.status = [this](std::string_view text) {
    Step3Message_->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
  };
  CompileInputs in;
  in.appDir = appDir_.toStdString();
  in.sourceDir = step1Folder_.toStdString();
  in.sourceFileName = chosenFile_.toStdString();
  in.outputDir = step2Folder().toStdString();
  in.javac = JavacMode::kWait;
  // The wizard has no --force: the folder chosen in step 2 is the user's
  // say-so. It watches javac itself, which then compiles in that folder.
  in.force = true;
  in.javacInPlace = true;
  std::string javac;
  if (!jdkDir_.isEmpty() && HoldsJavac(jdkDir_.toStdString(), javac)) in.javacDir = jdkDir_.toStdString();
  in.askJavacDir = [this] { return AskJavacDir().toStdString(); };
  // javac runs as a watched process: the window stays responsive, and its
  // end is reported here.
  QString javac_path, javac_cwd;
  QStringList javac_args;
  in.runProcess = [&](const std::vector<std::string>& argv, const std::string& cwd, bool, std::string&, std::string*) {
    javac_path = QString::fromStdString(argv[0]);
    for (size_t k = 1; k < argv.size(); ++k) javac_args << QString::fromStdString(argv[k]);
    javac_cwd = QString::fromStdString(cwd);
    return 0;
  };
  const CompileResult result = CompileProgram(ctx_, in);
  if (result == CompileResult::kFailure || result == CompileResult::kInternalError) {
    Step3Message_->setText("");
    QMessageBox::warning(this, caption::kErrorTitle, QString::fromStdString(ctx_.failureText));
    return;
  }
  if (result == CompileResult::kJavacCancelled) {
    Step3Message_->setText(caption::kJavacCancelled);
    return;
  }
  if (result != CompileResult::kTranslated || javac_path.isEmpty()) return;
  javacDir_ = QFileInfo(javac_path).absolutePath();
  programPage_ = QString::fromStdString(OutputPath(ctx_, GetProgramName(ctx_) + ".html"));
  delete javac_;
  javac_ = new QProcess(this);
  javac_->setWorkingDirectory(javac_cwd);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const std::string& change : JavaToolEnvironment()) {
    const size_t equals = change.find('=');
    if (equals == std::string::npos) {
      environment.remove(QString::fromStdString(change));
    } else {
      environment.insert(QString::fromStdString(change.substr(0, equals)), QString::fromStdString(change.substr(equals + 1)));
    }
  }
  javac_->setProcessEnvironment(environment);
  javac_->setProcessChannelMode(QProcess::MergedChannels);
  connect(javac_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
    const bool ok = status == QProcess::NormalExit && code == 0;
    if (ok) {
      Step3Message_->setText(QString(caption::kProgramReady) + "\n" + caption::kOutputFolderIs +
                             QFileInfo(programPage_).absolutePath());
      Step3Run_->setEnabled(true);
    } else {
      Step3Message_->setText("");
      // javac's output, then its errors traced to the Corvel lines
      const std::string output = javac_->readAll().toStdString();
      const std::string traced = JavacErrorLines(GetProgramName(ctx_) + ".java", ctx_.sourceFileName, output,
                                                 ctx_.javaCorvelLines, ctx_.sourceLines, DiagnosticsForm::kReport);
      // the compiler's columns line up only in a fixed-width font
      const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toHtmlEscaped();
      QMessageBox box(QMessageBox::Warning, "javac", "", QMessageBox::Ok, this);
      box.setTextFormat(Qt::RichText);
      box.setText(QString("<p>%1</p><pre style=\"font-family: '%2'\">%3</pre>")
                      .arg(caption::kJavacFault, fixed, QString::fromLocal8Bit(output + traced).toHtmlEscaped()));
      box.exec();
    }
    emit javacFinished(ok);
  });
  javac_->start(javac_path, javac_args);
}

void MainForm::Step3Run_Click() {
  if (programPage_.isEmpty()) return;
  const QString beside = javacDir_ + "/java";
  const QString java = QFileInfo(beside).isExecutable() ? beside : QString("java");
  const QString folder = QFileInfo(programPage_).absolutePath();
  // One window per program: a second press starts the program afresh in
  // place of the first, as the newest compile may have changed it.
  QProcess*& viewer = viewers_[programPage_];
  if (viewer == nullptr) viewer = new QProcess(this);
  if (viewer->state() != QProcess::NotRunning) {
    viewer->kill();
    viewer->waitForFinished(3000);
  }
  viewer->setWorkingDirectory(folder);
  QStringList arguments;
  for (std::string_view option : kViewerJvmOptions) arguments << QString::fromUtf8(option.data(), option.size());
  viewer->start(java, arguments << "-cp" << folder << "KWC_Viewer" << programPage_);
}

}  // namespace corvel
