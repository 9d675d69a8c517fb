// The window tests: each test class on a window of its own, on Qt's
// offscreen platform.
#include <QApplication>

namespace kest {
int runWindowTests(int argc, char** argv);
int runWindowFilesTests(int argc, char** argv);
int runWindowMenusTests(int argc, char** argv);
}  // namespace kest

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int failed = kest::runWindowTests(argc, argv);
  return failed + kest::runWindowFilesTests(argc, argv) + kest::runWindowMenusTests(argc, argv);
}
