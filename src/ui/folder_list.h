// The folder lists of both windows: a tree of folders, opened at a folder.
#pragma once

#include <QFileSystemModel>
#include <QTimer>
#include <QTreeView>
#include <memory>

namespace corvel {

// Opens a folder list at a folder: its parents expanded, the folder current.
// The model reads folders in the background, so the folder is shown again
// as each of its parents arrives, until its own parent has.
inline void ShowFolder(QTreeView* view, const QModelIndex& folder) {
  for (QModelIndex up = folder.parent(); up.isValid(); up = up.parent()) view->expand(up);
  view->setCurrentIndex(folder);
  view->scrollTo(folder);
  auto* model = qobject_cast<QFileSystemModel*>(view->model());
  if (model == nullptr || !folder.isValid()) return;
  const QString target = model->filePath(folder);
  const QString parent = model->filePath(folder.parent());
  auto pending = std::make_shared<QMetaObject::Connection>();
  *pending = QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [=](const QString& loaded) {
    if (!target.startsWith(loaded)) return;
    if (view->currentIndex() != model->index(target)) return QObject::disconnect(*pending), void();
    // the rows arrive after the signal, when the model has sorted them
    QTimer::singleShot(100, view, [=] { view->scrollTo(model->index(target)); });
    if (loaded == parent) QObject::disconnect(*pending);
  });
}

// A folder list: a tree of folders only, its first column.
inline QTreeView* FolderList(QWidget* parent, const char* name, QFileSystemModel* model, const QString& start) {
  model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  model->setRootPath("/");
  auto* view = new QTreeView(parent);
  view->setObjectName(name);
  view->setModel(model);
  for (int c = 1; c < model->columnCount(); ++c) view->hideColumn(c);
  view->setHeaderHidden(true);
  ShowFolder(view, model->index(start));
  return view;
}

}  // namespace corvel
