// The main window: the menu, one toolbar with the command buttons, and
// the view filling the rest. Buttons run the command layer's toolbar
// commands through the view, so a long one can be cancelled.
#pragma once

#include <QDialog>
#include <QMainWindow>
#include <map>
#include <string>

#include "core/workspace.h"

class QAction;
class QToolBar;

namespace kest {

class CKestView;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(Workspace& ws);

  CKestView* view() const { return view_; }
  QToolBar* toolbar() const { return toolbar_; }
  // The toolbar's action of a command id, or nullptr.
  QAction* action(int id) const;
  // Runs the command of a toolbar button or menu entry.
  void runCommandId(int id);
  // Open of a chosen path, as after the file dialog.
  void openPath(const std::string& path);
  // File > Export picture: the page as the view paints it, to path (PNG,
  // or SVG by the name's extension); a failure is reported as a message.
  void exportPicture(const QString& path);

 private:
  void buildMenu();
  void buildToolbar();
  void refreshChecks();

  Workspace& ws_;
  CKestView* view_;
  QToolBar* toolbar_ = nullptr;
  std::map<int, QAction*> actions_;
};

// The About box.
class CAboutDlg : public QDialog {
 public:
  explicit CAboutDlg(QWidget* parent);
};

}  // namespace kest
