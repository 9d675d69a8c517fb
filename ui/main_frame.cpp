#include "ui/main_frame.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "commands/con_sub_commands.h"
#include "commands/condition_commands.h"
#include "commands/file_commands.h"
#include "commands/foreign_open.h"
#include "commands/toolbar_commands.h"
#include "core/command_scope.h"
#include "draw/page_files.h"
#include "draw/png_export.h"
#include "ui/kest_view.h"
#include "ui/toolbar_icons.h"

namespace kest {

CMainFrame::CMainFrame(Workspace& ws) : ws_(ws), view_(new CKestView(ws, this)) {
  setWindowTitle(QStringLiteral("Untitled - Kest"));
  setCentralWidget(view_);
  buildToolbar();
  buildMenu();
  connect(view_, &CKestView::commandDone, this, &CMainFrame::refreshChecks);
  resize(1100, 750);
  view_->setFocus();
}

QAction* CMainFrame::action(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::runCommandId(int id) {
  if (view_->busy()) return;
  if (id == kCommandAbout) {
    CAboutDlg(this).exec();
    return;
  }
  if (id == kCommandSaveAs && awaitingSignature(ws_)) return;
  if (id == kCommandOpen) {
    openPath(QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QDir::currentPath()).toStdString());
    return;
  }
  if (id == kCommandSaveAs) {
    const std::string chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), QDir::currentPath()).toStdString();
    view_->runCommand([this, chosen](Progress&) {
      saveFile(ws_, chosen);
      return ws_.messages.count() ? Repaint::whole() : Repaint::nothing();
    });
    refreshChecks();
    return;
  }
  if (id == kCommandSaveLatticeList) {
    const std::string chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save list as"), QDir::currentPath()).toStdString();
    if (chosen.empty()) return;
    view_->runCommand([this, chosen](Progress& p) {
      saveLatticeList(ws_, chosen, p);
      return Repaint::whole();
    });
    return;
  }
  view_->runCommand([this, id](Progress& p) { return runToolbarCommand(ws_, id, p); });
  refreshChecks();
}

void CMainFrame::openPath(const std::string& chosen) {
  // A file of another tool first shows its operation mapping; without a
  // signature, or when no mapping can read it, opening it at once says
  // why, and a signature prompt stays where it is.
  view_->runCommand([this, chosen](Progress& p) {
    if (isForeignPath(chosen) && chosen.size() >= 3)
      beginForeignOpen(ws_, chosen, p);
    else
      openFile(ws_, chosen, "", p);
    return Repaint::whole();
  });
  refreshChecks();
}

void CMainFrame::buildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar"));
  toolbar_->setObjectName(QStringLiteral("toolbar"));
  toolbar_->setIconSize(kToolbarIconSize);
  toolbar_->setFocusPolicy(Qt::NoFocus);
  for (const ToolbarButton& b : toolbarButtons()) {
    if (b.separatorBefore) toolbar_->addSeparator();
    QAction* a = toolbar_->addAction(toolbarIcon(b.face), QString::fromUtf8(b.tooltip));
    a->setToolTip(QString::fromUtf8(b.tooltip));
    a->setCheckable(b.checkable);
    a->setData(b.id);
    connect(a, &QAction::triggered, this, [this, id = b.id] { runCommandId(id); });
    actions_[b.id] = a;
  }
  action(kCommandNew)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  action(kCommandOpen)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  action(kCommandSaveAs)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  for (auto& [id, a] : actions_) a->setShortcutContext(Qt::ApplicationShortcut);
}

void CMainFrame::buildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* open = file->addAction(QStringLiteral("&Open...\tCtrl+O"));
  connect(open, &QAction::triggered, this, [this] { runCommandId(kCommandOpen); });
  QAction* save = file->addAction(QStringLiteral("Save &As..."));
  connect(save, &QAction::triggered, this, [this] { runCommandId(kCommandSaveAs); });
  QAction* picture = file->addAction(QStringLiteral("&Export picture..."));
  connect(picture, &QAction::triggered, this, [this] {
    if (view_->busy()) return;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export picture"), QDir::currentPath(),
                                     QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;TikZ picture (*.tex)"));
    if (!path.isEmpty()) exportPicture(path);
  });
  QMenu* lattices = menuBar()->addMenu(QStringLiteral("&Lattices"));
  QAction* con = lattices->addAction(QStringLiteral("&Congruence lattice Con(A)..."));
  connect(con, &QAction::triggered, this, [this] { runCommandId(kCommandCongruenceLattice); });
  QAction* sub = lattices->addAction(QStringLiteral("&Subalgebra lattice Sub(A)..."));
  connect(sub, &QAction::triggered, this, [this] { runCommandId(kCommandSubuniverseLattice); });
  lattices->addSeparator();
  QAction* diagram = lattices->addAction(QStringLiteral("Show &diagram"));
  diagram->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  diagram->setShortcutContext(Qt::ApplicationShortcut);
  connect(diagram, &QAction::triggered, this, [this] { runCommandId(kCommandShowLatticeDiagram); });
  QAction* saveList = lattices->addAction(QStringLiteral("Save &list as..."));
  connect(saveList, &QAction::triggered, this, [this] { runCommandId(kCommandSaveLatticeList); });
  QMenu* conditions = menuBar()->addMenu(QStringLiteral("C&onditions"));
  for (size_t i = 0; i < conditionTable().size(); ++i) {
    if (conditionTable()[i].condition == Condition::kAll) conditions->addSeparator();
    QAction* item = conditions->addAction(QString::fromUtf8(conditionTable()[i].title));
    const int id = kCommandFirstCondition + static_cast<int>(i);
    connect(item, &QAction::triggered, this, [this, id] { runCommandId(id); });
  }
  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* toggle = toolbar_->toggleViewAction();
  toggle->setText(QStringLiteral("&Toolbar"));
  viewMenu->addAction(toggle);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* about = help->addAction(QStringLiteral("&About Kest..."));
  connect(about, &QAction::triggered, this, [this] { runCommandId(kCommandAbout); });
}

void CMainFrame::exportPicture(const QString& path) {
  const std::string chosen = path.toStdString();
  const int width = view_->width();
  const int height = view_->height();
  kest::runCommand(ws_, noProgress(), 0, [&] {
    if (const PictureFailure failed = writePageFile(ws_, chosen, width, height, writePagePng);
        failed != PictureFailure::kNone) {
      ws_.messages.setMessage(pictureFailureText(chosen, failed));
    }
    return 0;
  });
  view_->update();
}

void CMainFrame::refreshChecks() {
  for (auto& [id, a] : actions_) {
    if (a->isCheckable()) a->setChecked(toolbarChecked(ws_, id));
  }
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Kest"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Kest 0.1\nA workbench for finite universal algebra"), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

}  // namespace kest
