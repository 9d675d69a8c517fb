// The application: one workspace and one main window for the session.
#pragma once

#include <QApplication>
#include <memory>

#include "core/workspace.h"

namespace kest {

class CMainFrame;

class CKestApp : public QApplication {
 public:
  CKestApp(int& argc, char** argv);
  ~CKestApp() override;

  Workspace& workspace() { return *workspace_; }
  CMainFrame& mainFrame() { return *frame_; }

 private:
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<CMainFrame> frame_;
};

}  // namespace kest

// Starts the window and runs until it closes.
int runWindow(int argc, char** argv);
