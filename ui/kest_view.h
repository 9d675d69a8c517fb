// The view: paints the current page through the canvas, turns Qt's keys
// and mouse events into the key codes and view positions of the command
// layer, and turns the regions it returns into repaints.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

#include "commands/repaint.h"
#include "core/progress.h"
#include "core/workspace.h"

namespace kest {

class CKestView : public QWidget {
  Q_OBJECT

 public:
  explicit CKestView(Workspace& ws, QWidget* parent = nullptr);

  // Runs a command that may take long (see runLongCommand) and repaints
  // what it asks for; emits commandDone afterwards.
  void runCommand(const std::function<Repaint(Progress&)>& work);
  bool busy() const { return busy_; }
  // What the view shows while a command runs.
  const QPixmap& busyPicture() const { return lastPicture_; }

  // The key code of a Qt key event: a character, or 1000 plus the key
  // number of a navigation key; -1 for keys the view ignores.
  static int keyCode(int qtKey, const QString& text);

 signals:
  void commandDone();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void repaint(const Repaint& r);

  Workspace& ws_;
  bool busy_ = false;
  QPixmap lastPicture_;
};

}  // namespace kest
