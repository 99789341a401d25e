// The JDK window: asked for javac's folder when neither PATH nor
// $JAVA_HOME/bin has javac. Shown modally; hidden, not destroyed, so that
// its folder list keeps its folder between translations.
#pragma once

#include <QDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QTreeView>

namespace corvel {

class SubForm : public QDialog {
  Q_OBJECT

 public:
  explicit SubForm(const QString& start_dir, QWidget* parent = nullptr);

  void Form_Load();
  void Dir1_Change(const QString& folder);
  void Command1_Click();

  bool javacFound() const { return javacFound_; }
  QString javacDir() const { return javacDir_; }

 private:
  bool javacFound_ = false;
  QString javacDir_;
  QFileSystemModel* dirs_;
  QTreeView* Dir1_;
  QLabel* Label1_;
};

}  // namespace corvel
