// The wizard's windows, offscreen: captions, handlers, and whole
// translations driven as a user would.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <functional>

#include "ui/main_form.h"
#include "ui/sub_form.h"

namespace corvel {
namespace {

QString CaptionOf(QWidget* root, const char* name) {
  QWidget* w = root->findChild<QWidget*>(name);
  if (w == nullptr) return "(missing)";
  if (auto* box = qobject_cast<QGroupBox*>(w)) return box->title();
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text();
  return "(present)";
}

// Runs `act`, answering each modal window it opens: the JDK window with the
// folder `jdk`, any other by closing it. Their titles and texts, in order.
QStringList Answered(const std::function<void()>& act, const QString& jdk = {}) {
  QStringList seen;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr) return;
    auto* box = qobject_cast<QMessageBox*>(window);
    seen << window->windowTitle() + "\n" + (box != nullptr ? box->text() : QString());
    auto* sub = qobject_cast<SubForm*>(window);
    if (sub != nullptr && !jdk.isEmpty()) sub->Dir1_Change(jdk), sub->Command1_Click(); else window->close();
  });
  timer.start(50);
  act();
  return seen;
}

void Write(const QString& path, const QByteArray& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(text);
}

}  // namespace

class WizardTest : public QObject {
  Q_OBJECT

 private slots:
  void CaptionsAndNames() {
    MainForm form(kAppDir, QDir::tempPath());
    // CORVEL_SCREENSHOTS=DIR: pictures of both windows for the README, open
    // at the examples beside DIR.
    if (const QString shots = qEnvironmentVariable("CORVEL_SCREENSHOTS"); !shots.isEmpty()) {
      const QString examples = QDir(shots + "/../examples").canonicalPath();
      MainForm shown(kAppDir, examples);
      shown.Step1DirBox_Change(examples);
      shown.Step1FileBox_Click("Drawing.txt");
      shown.show();
      QTest::qWait(1500);  // the folder lists fill in the background
      QVERIFY(shown.grab().save(shots + "/wizard_main.png"));
      SubForm jdk(examples);
      jdk.show();
      QTest::qWait(1500);
      QVERIFY(jdk.grab().save(shots + "/wizard_jdk.png"));
    }
    const std::pair<const char*, QString> kMain[] = {
        {"Step1Frame", "ステップ １"},
        {"Step1Label", "プログラムファイルを選択してください。\n\n（注）ファイルは、テキストファイル(拡張子が .txt)でなければいけません。"},
        {"Step1DirBox", "(present)"},
        {"Step1FileFrame", "プログラムファイル"},
        {"Step1FileBox", "(present)"},
        {"Step1FileLabel", "選択されていません。"},
        {"Step2Frame", "ステップ ２"},
        {"Step2Label", "ステップ ３で作成されるファイルの出力先フォルダを選択してください。"},
        {"Frame1", "出力先フォルダ"},
        {"Step2DirBox", "(present)"},
        {"Step2DirLabel", QDir::tempPath()},
        {"Step3Frame", "ステップ ３"},
        {"Step3Label", "下記のボタンを押してください。 ファイルの作成を開始します。"},
        {"Step3Compile", "ファイル作成"},
        {"Step3Run", "プログラム実行"},
        {"Step3Frame2", "メッセージ"},
        {"Step3Message", "メッセージが表示されます。注意して読んでください。"},
    };
    QCOMPARE(form.windowTitle(), QString("Corvel"));
    for (const auto& [name, caption] : kMain) QCOMPARE(CaptionOf(&form, name), caption);
    SubForm sub(QDir::tempPath());
    QCOMPARE(sub.windowTitle(), QString("ＪＤＫ のフォルダ設定"));
    const std::pair<const char*, QString> kSub[] = {
        {"StepJDKLabel", "javac ファイルが見つかりませんでした。このファイルが存在するフォルダを選択してください。"},
        {"Dir1", "(present)"},
        {"Frame2", "メッセージ"},
        {"Label1", "選択されていません。"},
        {"Label3", "JDK（javac を含む Java 開発キット）は、Debian では openjdk-17-jdk パッケージで入ります。"},
        {"Command1", "設定完了"},
    };
    for (const auto& [name, caption] : kSub) QCOMPARE(CaptionOf(&sub, name), caption);
  }

  void FolderAndFileHandlers() {
    QTemporaryDir dir;
    MainForm form(kAppDir, QDir::tempPath());
    form.Step1DirBox_Change(dir.path());
    QCOMPARE(CaptionOf(&form, "Step1FileLabel"), QString("選択されていません。"));
    QCOMPARE(CaptionOf(&form, "Step2DirLabel"), dir.path());
    QCOMPARE(form.step2Folder(), dir.path());
    form.Step3Compile_Click();  // no file chosen: nothing happens
    QCOMPARE(CaptionOf(&form, "Step3Message"), QString("メッセージが表示されます。注意して読んでください。"));
    QVERIFY(!form.sourceChosen());
    form.Step1FileBox_Click("Prog.txt");
    QCOMPARE(CaptionOf(&form, "Step1FileLabel"), dir.path() + "/Prog.txt");
    QVERIFY(form.sourceChosen());
    form.Step1DirBox_Change("/");  // the file of another folder is no longer chosen
    QVERIFY(!form.sourceChosen() && CaptionOf(&form, "Step1FileLabel") == "選択されていません。");
    form.Step1FileBox_Click("x.txt");
    QCOMPARE(CaptionOf(&form, "Step1FileLabel"), QString("/x.txt"));
  }

  // A program's files in the step-2 folder chosen after step 1, and javac
  // watched to its end. Two translations in one window.
  void Translations() {
    QTemporaryDir source, output;
    Write(source.path() + "/Good.txt", "DIM A AS INTEGER\nA = 1\nPRINT A\n");
    MainForm form(kAppDir, QDir::tempPath());
    form.Step1DirBox_Change(source.path());
    form.Step1FileBox_Click("Good.txt");
    auto* step2 = form.findChild<QTreeView*>("Step2DirBox");
    auto* model = qobject_cast<QFileSystemModel*>(step2->model());
    step2->setCurrentIndex(model->index(output.path()));
    QCOMPARE(CaptionOf(&form, "Step2DirLabel"), output.path());
    QSignalSpy finished(&form, &MainForm::javacFinished);
    auto* run = form.findChild<QPushButton*>("Step3Run");
    QVERIFY(!run->isEnabled());
    form.Step3Compile_Click();
    QVERIFY(QFile::exists(output.path() + "/Good.java"));
    QVERIFY(QFile::exists(output.path() + "/Good.html"));
    QVERIFY(!QFile::exists(source.path() + "/Good.java"));
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(QFile::exists(output.path() + "/Good.class"));
    QVERIFY(CaptionOf(&form, "Step3Message").contains("完成") &&
            CaptionOf(&form, "Step3Message").endsWith("出力先フォルダ: " + output.path()));
    QVERIFY(run->isEnabled());  // the program can run once javac has compiled it

    // Again, from empty tables: a declaration left over would be a duplicate.
    QFile java(output.path() + "/Good.java");
    QVERIFY(java.open(QIODevice::ReadOnly));
    const QByteArray first = java.readAll();
    java.close();
    form.Step3Compile_Click();
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.at(1).at(0).toBool(), true);
    QVERIFY(java.open(QIODevice::ReadOnly));
    QCOMPARE(java.readAll(), first);
  }

  // The keyboard alone, in the folders of the last translation: the focus
  // starts in the file list, a move there chooses the file, Return creates.
  void KeyboardInLastFolders() {
    QTemporaryDir source;
    Write(source.path() + "/Bad.txt", "PRINT \"open\n");
    QSettings().setValue("step1Folder", source.path());
    QSettings().setValue("step2Folder", "/");
    MainForm form(kAppDir, {});
    QCOMPARE(CaptionOf(&form, "Step2DirLabel"), QString("/"));
    QSettings().remove("step1Folder");  // a press remembers it again
    auto* list = form.findChild<QListView*>("Step1FileBox");
    QCOMPARE(form.focusWidget(), list);
    QVERIFY(!form.findChild<QPushButton*>("Step3Compile")->isEnabled());
    QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(CaptionOf(&form, "Step1FileLabel"), source.path() + "/Bad.txt");
    QCOMPARE(Answered([&] { QTest::keyClick(list, Qt::Key_Return); }).value(0).section('\n', 0, 0), "Syntax Error");
    QCOMPARE(QSettings().value("step1Folder").toString(), source.path());
    // Tab runs step 1, 2, 3; the window fits a 1366x768 screen with a taskbar.
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(form.focusWidget()->objectName(), QString("Step2DirBox"));
    QVERIFY(form.frameGeometry().width() <= 1366 && form.frameGeometry().height() <= 700);
  }

  // No javac on PATH or in $JAVA_HOME: a faulty program gets its report and
  // never the JDK window; the window is asked once, and the folder chosen
  // serves every later press. A stand-in javac fails once, then compiles;
  // the java beside it stands for a viewer that stays open.
  void JdkWindowAskedOnce() {
    QTemporaryDir source, jdk;
    Write(source.path() + "/Bad.txt", "PRINT \"open\n");
    Write(source.path() + "/Hello.txt", "PRINT 1\n");
    Write(jdk.path() + "/javac", "#!/bin/sh\n[ -e tried ] && exit 0\n: > tried\necho '<x>'\nexit 1\n");
    Write(jdk.path() + "/java", "#!/bin/sh\nread line\n");
    for (const char* tool : {"/javac", "/java"}) QFile::setPermissions(jdk.path() + tool, QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH"), home = qgetenv("JAVA_HOME");
    const auto restore = qScopeGuard([&] { qputenv("PATH", path), home.isEmpty() || qputenv("JAVA_HOME", home); });
    qputenv("PATH", source.path().toUtf8());
    qunsetenv("JAVA_HOME");
    MainForm form(kAppDir, source.path());
    QSignalSpy finished(&form, &MainForm::javacFinished);
    const struct { const char* file; QString answer; QStringList titles; } kPresses[] = {
        {"Bad.txt", jdk.path(), {"Syntax Error"}},  // its report, never the JDK window
        {"Hello.txt", "", {"ＪＤＫ のフォルダ設定"}},  // closed: the files only
        {"Hello.txt", jdk.path(), {"ＪＤＫ のフォルダ設定", "javac"}},
        {"Hello.txt", "", {}},  // the folder chosen is kept
    };
    for (const auto& [file, answer, titles] : kPresses) {
      form.Step1FileBox_Click(file);
      const QStringList seen = Answered([&] {
        form.Step3Compile_Click();
        if (form.javacProcess() != nullptr && form.javacProcess()->state() != QProcess::NotRunning) finished.wait(20000);
      }, answer);
      QStringList seen_titles;
      for (const QString& window : seen) seen_titles << window.section('\n', 0, 0);
      QCOMPARE(seen_titles, titles);
      if (titles.endsWith("javac"))  // the compiler's text in a fixed-width font
        QVERIFY(seen.last().contains(QRegularExpression("^javac\n<p>翻訳を通った.+報告してください。</p><pre style=\"font-family: '.+'\">&lt;x&gt;\n")));
      if (titles.size() == 1 && answer.isEmpty()) QVERIFY(CaptionOf(&form, "Step3Message").startsWith("ファイルを作成しました。javac は実行していません。"));
    }
    QVERIFY(finished.size() == 2 && finished.at(1).at(0).toBool());
    QVERIFY(!QFile::exists(source.path() + "/Bad.java"));
    form.Step3Run_Click();
    form.Step3Run_Click();  // one program, one window
    const QList<QProcess*> processes = form.findChildren<QProcess*>();
    QCOMPARE(std::count_if(processes.begin(), processes.end(), [](QProcess* p) { return p->state() != QProcess::NotRunning; }), 1);
  }

  void JdkWindow() {
    QTemporaryDir empty, jdk;
    Write(jdk.path() + "/javac", "#!/bin/sh\n");
    QFile::setPermissions(jdk.path() + "/javac", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SubForm sub(QDir::tempPath());
    // too early: the reminder, the window stays
    QCOMPARE(Answered([&] { sub.Command1_Click(); }), QStringList{"ＪＤＫ のフォルダ設定\njavacが存在するフォルダを選択してください。"});
    sub.Dir1_Change(empty.path());
    QCOMPARE(CaptionOf(&sub, "Label1"), empty.path() + " では、見つけられませんでした。");
    QVERIFY(!sub.javacFound());
    sub.Dir1_Change(jdk.path());
    QCOMPARE(CaptionOf(&sub, "Label1"), jdk.path() + " で、見つかりました。下記の設定完了ボタンを押してください。");
    QVERIFY(sub.javacFound());
    QCOMPARE(sub.javacDir(), jdk.path());
  }

 public:
  static QString kAppDir;
};

QString WizardTest::kAppDir;

}  // namespace corvel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the remembered folders in a settings file of their own
  corvel::WizardTest::kAppDir = qEnvironmentVariable("CORVEL_APP_DIR");
  corvel::WizardTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "wizard_test.moc"
