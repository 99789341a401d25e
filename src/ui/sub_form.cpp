#include "ui/sub_form.h"

#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "driver/javac.h"
#include "ui/captions.h"
#include "ui/folder_list.h"

namespace corvel {

SubForm::SubForm(const QString& start_dir, QWidget* parent) : QDialog(parent) {
  setObjectName("SubForm");
  setWindowTitle(caption::kSubTitle);
  auto* layout = new QVBoxLayout(this);
  auto* StepJDKLabel = new QLabel(caption::kStepJDKLabel, this);
  StepJDKLabel->setObjectName("StepJDKLabel");
  StepJDKLabel->setWordWrap(true);
  layout->addWidget(StepJDKLabel);
  dirs_ = new QFileSystemModel(this);
  Dir1_ = FolderList(this, "Dir1", dirs_, start_dir);
  layout->addWidget(Dir1_);
  auto* Frame2 = new QGroupBox(caption::kMessageFrame, this);
  Frame2->setObjectName("Frame2");
  auto* frame_layout = new QVBoxLayout(Frame2);
  Label1_ = new QLabel(caption::kNotChosen, Frame2);
  Label1_->setObjectName("Label1");
  Label1_->setWordWrap(true);
  frame_layout->addWidget(Label1_);
  layout->addWidget(Frame2);
  auto* Label3 = new QLabel(caption::kLabel3, this);
  Label3->setObjectName("Label3");
  Label3->setWordWrap(true);
  layout->addWidget(Label3);
  auto* Command1 = new QPushButton(caption::kCommand1, this);
  Command1->setObjectName("Command1");
  layout->addWidget(Command1);
  connect(Dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) { Dir1_Change(dirs_->filePath(index)); });
  connect(Command1, &QPushButton::clicked, this, &SubForm::Command1_Click);
  setMinimumWidth(560);  // a JDK's folder, as the label repeats it, on one line
  resize(680, 480);
  Form_Load();
}

// The label and the flag always come from the folder shown, together: a
// window opened again on the folder it accepted before accepts it, or says
// that javac has gone from it.
void SubForm::Form_Load() {
  const QString folder = dirs_->filePath(Dir1_->currentIndex());
  if (javacDir_.isEmpty() || folder.isEmpty()) {
    Label1_->setText(caption::kNotChosen);
    javacFound_ = false;
    return;
  }
  Dir1_Change(folder);
}

void SubForm::Dir1_Change(const QString& folder) {
  // The process's own folder is left as it is: the folder is passed on.
  std::string path;
  if (!HoldsJavac(folder.toStdString(), path)) {
    Label1_->setText(folder + caption::kJavacNotHere);
    javacFound_ = false;
    return;
  }
  javacDir_ = folder;
  Label1_->setText(folder + caption::kJavacFound);
  javacFound_ = true;
}

void SubForm::Command1_Click() {
  if (!javacFound_) {
    QMessageBox::information(this, windowTitle(), caption::kChooseJavacFolder);
    return;
  }
  accept();  // hides the window and ends its modal display
}

}  // namespace corvel
