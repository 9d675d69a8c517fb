#include "ui/kest_view.h"

#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "commands/file_commands.h"
#include "commands/key_dispatch.h"
#include "commands/message_view.h"
#include "commands/mouse_input.h"
#include "core/command_scope.h"
#include "draw/page_drawing.h"
#include "draw/qpainter_canvas.h"
#include "ui/long_command.h"

namespace kest {

CKestView::CKestView(Workspace& ws, QWidget* parent) : QWidget(parent), ws_(ws) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(200, 150);
}

void CKestView::runCommand(const std::function<Repaint(Progress&)>& work) {
  if (busy_) return;
  // The picture shown while the command runs: an open panel is taken away
  // by the Enter that starts a long command, so it is left out.
  const bool panelOpen = ws_.panel.open;
  ws_.panel.open = false;
  lastPicture_ = grab();
  ws_.panel.open = panelOpen;
  busy_ = true;
  const uint64_t reported = ws_.messages.writeSerial();
  const Repaint r = runLongCommand(
      this, [this, &work](Progress& p) { return kest::runCommand(ws_, p, Repaint::whole(), [&] { return work(p); }); });
  busy_ = false;
  repaint(r);
  // A report beyond the window's edge would go unseen.
  if (ws_.messages.writeSerial() != reported && bringMessagesIntoView(ws_, width(), height())) update();
  if (ws_.binarySaveRequest >= 0) {
    const int32_t k = ws_.binarySaveRequest;
    ws_.binarySaveRequest = -1;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save binary algebra"), QDir::currentPath());
    saveBinaryFile(ws_, k, path.toStdString());
    update();
  }
  emit commandDone();
}

void CKestView::repaint(const Repaint& r) {
  switch (r.kind) {
    case Repaint::Kind::kNothing: break;
    case Repaint::Kind::kWhole: update(); break;
    case Repaint::Kind::kRect:
      update(QRect(QPoint(r.rect.left, r.rect.top), QPoint(r.rect.right, r.rect.bottom)));
      break;
  }
}

void CKestView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (busy_) {
    painter.drawPixmap(0, 0, lastPicture_);
    return;
  }
  painter.fillRect(rect(), Qt::white);
  QPainterCanvas canvas(painter);
  try {
    drawPage(ws_, canvas);
  } catch (const std::bad_alloc&) {
    // A drawing too large for the memory left: say so on a clean page.
    painter.fillRect(rect(), Qt::white);
    ws_.messages.setMessage(kNoMemoryForCommand);
    painter.drawText(18, 30, QString::fromUtf8(kNoMemoryForCommand));
  }
}

int CKestView::keyCode(int qtKey, const QString& text) {
  switch (qtKey) {
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Escape: return 27;
    default: break;
  }
  if (text.isEmpty()) return -1;
  const char16_t c = text.front().unicode();
  return c < 256 ? c : -1;
}

void CKestView::keyPressEvent(QKeyEvent* event) {
  const int code = keyCode(event->key(), event->text());
  if (code < 0 || busy_) {
    QWidget::keyPressEvent(event);
    return;
  }
  runCommand([this, code](Progress& p) { return dispatchKey(ws_, code, p); });
}

void CKestView::mousePressEvent(QMouseEvent* event) {
  if (busy_) return;
  const QPoint p = event->position().toPoint();
  repaint(kest::runCommand(ws_, noProgress(), Repaint::whole(), [&] {
    if (event->button() == Qt::LeftButton) return leftButtonDown(ws_, p.x(), p.y());
    if (event->button() == Qt::RightButton) return rightButtonDown(ws_, p.x(), p.y());
    return Repaint::nothing();
  }));
  emit commandDone();
}

void CKestView::mouseReleaseEvent(QMouseEvent* event) {
  if (busy_ || event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  repaint(kest::runCommand(ws_, noProgress(), Repaint::whole(), [&] { return leftButtonUp(ws_, p.x(), p.y()); }));
}

void CKestView::mouseMoveEvent(QMouseEvent* event) {
  if (busy_) return;
  const QPoint p = event->position().toPoint();
  repaint(kest::runCommand(ws_, noProgress(), Repaint::whole(), [&] { return mouseMove(ws_, p.x(), p.y()); }));
}

void CKestView::wheelEvent(QWheelEvent* event) {
  if (busy_) return;
  const int notches = event->angleDelta().y() / 120;
  const int sideways = event->angleDelta().x() / 120;
  const QPoint p = event->position().toPoint();
  if (notches != 0 && (event->modifiers() & Qt::ControlModifier))
    repaint(zoomByWheel(ws_, notches, p.x(), p.y()));
  else if (notches != 0)
    repaint(scrollByWheel(ws_, -notches));
  if (sideways != 0) repaint(scrollSidewaysByWheel(ws_, -sideways));
}

void CKestView::resizeEvent(QResizeEvent* event) {
  // The pages that fit themselves to the view (the Con and Sub diagram) read its size.
  ws_.viewWidth = width();
  ws_.viewHeight = height();
  QWidget::resizeEvent(event);
}

// Tab belongs to the input panel, not to focus changes.
bool CKestView::focusNextPrevChild(bool) { return false; }

}  // namespace kest
