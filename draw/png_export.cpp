#include "draw/png_export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "draw/page_drawing.h"
#include "draw/qpainter_canvas.h"

namespace kest {

namespace {

// Script output stays clean: Qt's own notes (a missing runtime folder and
// the like) are dropped, its errors still go to standard error.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Fonts need a QGuiApplication; script mode makes one on first use.
void ensureGuiApplication() {
  if (QGuiApplication::instance()) return;
  qInstallMessageHandler(quietMessages);
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  static int argc = 1;
  static char name[] = "kest";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the static destructors at exit
  // crashes, and the process ends right after anyway.
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

}  // namespace

bool writePagePng(Workspace& ws, const std::string& path, int width, int height) {
  ensureGuiApplication();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    drawPage(ws, canvas);
  }
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace kest
