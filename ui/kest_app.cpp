#include "ui/kest_app.h"

#include "ui/main_frame.h"

namespace kest {

CKestApp::CKestApp(int& argc, char** argv) : QApplication(argc, argv), workspace_(std::make_unique<Workspace>()) {
  setApplicationName(QStringLiteral("Kest"));
  frame_ = std::make_unique<CMainFrame>(*workspace_);
}

CKestApp::~CKestApp() = default;

}  // namespace kest

int runWindow(int argc, char** argv) {
  kest::CKestApp app(argc, argv);
  app.mainFrame().show();
  return app.exec();
}
