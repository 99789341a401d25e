// The editor, offscreen: colours from the lexer, files saved as they came,
// a report leading to its line, and F5 handing the viewer the program.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include "edit/code_view.h"
#include "edit/editor_window.h"

namespace corvel {

class EditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Each piece of a line in the format of its kind; a refused line underlined.
  void Highlighting() {
    CodeView view;
    view.setPlainText("*TOP: PRINT Abs(N%) + 12, \"a\" ' note\nREM all of it\nPRINT \"open");
    const Highlighter& h = *view.highlighter();
    auto format_at = [&](int block, int column) {
      const QTextBlock b = view.document()->findBlockByNumber(block);
      for (const QTextLayout::FormatRange& range : b.layout()->formats()) {
        if (column >= range.start && column < range.start + range.length) return range.format;
      }
      return QTextCharFormat();
    };
    const struct {
      int block, column;
      TokenStyle style;
    } rows[] = {{0, 1, TokenStyle::kLabel},   {0, 6, TokenStyle::kKeyword}, {0, 12, TokenStyle::kLibrary},
                {0, 16, TokenStyle::kName},   {0, 22, TokenStyle::kNumber}, {0, 26, TokenStyle::kString},
                {0, 31, TokenStyle::kComment}, {1, 0, TokenStyle::kKeyword}, {1, 5, TokenStyle::kRemark},
                {2, 0, TokenStyle::kKeyword}};
    for (const auto& row : rows) {
      QCOMPARE(format_at(row.block, row.column).foreground(), h.FormatOf(row.style).foreground());
    }
    QCOMPARE(format_at(2, 8).underlineStyle(), QTextCharFormat::WaveUnderline);
    QCOMPARE(format_at(0, 6).underlineStyle(), QTextCharFormat::NoUnderline);
  }

  // A CP932 file with CR LF comes back as CP932 with CR LF; a new line in
  // it too. UTF-8 with its mark keeps the mark.
  void SavedAsTheyCame() {
    QTemporaryDir dir;
    const QByteArray sjis = "PRINT \"\x82\xa0\"\r\nEND\r\n";  // PRINT "あ"
    const struct {
      QByteArray in, out;
      EditorWindow::Encoding encoding;
    } rows[] = {{sjis, "PRINT 1\r\n" + sjis, EditorWindow::Encoding::kCp932},
                {"\xEF\xBB\xBFPRINT 2\n", "\xEF\xBB\xBFPRINT 1\nPRINT 2\n", EditorWindow::Encoding::kUtf8Bom}};
    for (const auto& row : rows) {
      const QString path = dir.filePath("P.txt");
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(row.in);
      file.close();
      EditorWindow window(kAppDir);
      QVERIFY(window.Open(path));
      QCOMPARE(window.encoding(), row.encoding);
      window.view()->moveCursor(QTextCursor::Start);
      window.view()->insertPlainText("PRINT 1\n");
      QVERIFY(window.isWindowModified());
      QVERIFY(window.Save());
      QVERIFY(!window.isWindowModified());
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(file.readAll(), row.out);
      file.close();
    }
  }

  // F5 on a faulty program: its report in the panel, its line marked, the
  // cursor at its column. On a sound one: the viewer is given the page in
  // the program's own output folder.
  void RunReportsOrStartsTheViewer() {
    QTemporaryDir dir;
    EditorWindow window(kAppDir);
    QStringList started;
    window.startViewer = [&](const QString&, const QStringList& arguments, const QString& folder) {
      started = arguments;
      started << folder;
    };
    QFile file(dir.filePath("Prog.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("A = 1\nPRINT A +\n");
    file.close();
    QVERIFY(window.Open(file.fileName()));
    QSignalSpy done(&window, &EditorWindow::runDone);
    window.Run();
    QVERIFY(done.wait(20000));
    QCOMPARE(window.problems()->count(), 1);
    QVERIFY(window.problems()->item(0)->text().contains(QString::fromUtf8("式が不正です。")));
    QCOMPARE(window.view()->MarkedLine(), 2);
    QCOMPARE(window.view()->textCursor().blockNumber(), 1);
    QVERIFY(started.isEmpty());

    window.view()->selectAll();
    window.view()->insertPlainText("A = 1\nPRINT A + 1\n");
    window.Run();
    QVERIFY(done.wait(60000));
    QCOMPARE(window.problems()->count(), 0);
    const QString folder = EditorWindow::OutputFolderOf(file.fileName());
    // The JVM's own options come first.
    QCOMPARE(started.mid(started.indexOf("-cp")), (QStringList{"-cp", folder, "KWC_Viewer", folder + "/Prog.html", folder}));
    QVERIFY(QFile::exists(folder + "/Prog.class"));
  }

  // F5 runs the program in the compile service: a runtime error comes into
  // the panel with its line marked, and the next F5 replaces the program.
  void RunShowsRuntimeErrors() {
    qunsetenv("DISPLAY");
    QTemporaryDir dir;
    EditorWindow window(kAppDir);
    QFile file(dir.filePath("Fails.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("DIM A(3) AS INTEGER\nA(5) = 1\n");
    file.close();
    QVERIFY(window.Open(file.fileName()));
    QSignalSpy done(&window, &EditorWindow::runDone);
    window.Run();
    QVERIFY(done.wait(60000));
    QTRY_COMPARE_WITH_TIMEOUT(window.problems()->count(), 1, 20000);
    QVERIFY(window.problems()->item(0)->text().contains(QString::fromUtf8("実行時エラー")));
    QCOMPARE(window.view()->MarkedLine(), 2);

    window.view()->selectAll();
    window.view()->insertPlainText("PRINT 1\n");
    window.Run();
    QVERIFY(done.wait(60000));
    QCOMPARE(window.problems()->count(), 0);
  }

 public:
  static QString kAppDir;
};

QString EditorTest::kAppDir;

}  // namespace corvel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // recent files in a settings file of their own
  corvel::EditorTest::kAppDir = qEnvironmentVariable("CORVEL_APP_DIR");
  corvel::EditorTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "editor_test.moc"
