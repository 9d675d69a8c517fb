#include "draw/qpainter_canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>

namespace kest {

namespace {

QColor qcolor(Color c) { return QColor(c.r, c.g, c.b); }

QFont makeViewFont(qreal pitch) {
  static const char* const kFiles[] = {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"};
  QString family;
  for (const char* file : kFiles) {
    const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty()) {
      family = QFontDatabase::applicationFontFamilies(id).front();
      break;
    }
  }
  QFont font = family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(family);
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(12);
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  // Letter spacing makes the advance exactly the pitch: 7 units for text,
  // 16 for the cells of a table row.
  const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('M'));
  font.setLetterSpacing(QFont::AbsoluteSpacing, pitch - advance);
  return font;
}

const QFont& cellFont() {
  static const QFont font = makeViewFont(16.0);
  return font;
}

}  // namespace

const QFont& viewFont() {
  static const QFont font = makeViewFont(7.0);
  return font;
}

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter) {
  painter_.setFont(viewFont());
  painter_.setPen(QPen(Qt::black, 1));
  painter_.setBrush(Qt::NoBrush);
  ascent_ = static_cast<int32_t>(QFontMetricsF(viewFont()).ascent() + 0.5);
}

void QPainterCanvas::setWindowOrigin(int32_t x, int32_t y) {
  painter_.resetTransform();
  painter_.translate(-x, -y);
}

void QPainterCanvas::text(int32_t x, int32_t y, std::string_view s) {
  // Text is Latin-1, one byte a character, as the layout counts it.
  painter_.drawText(QPoint(x, y + ascent_ + 1), QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())));
}

void QPainterCanvas::textAtPitch(int32_t x, int32_t y, std::string_view s, int32_t pitch) {
  if (pitch != 16) {
    Canvas::textAtPitch(x, y, s, pitch);
    return;
  }
  painter_.setFont(cellFont());
  text(x, y, s);
  painter_.setFont(viewFont());
}

void QPainterCanvas::moveTo(int32_t x, int32_t y) { pen_ = QPoint(x, y); }

void QPainterCanvas::lineTo(int32_t x, int32_t y) {
  painter_.drawLine(pen_, QPoint(x, y));
  pen_ = QPoint(x, y);
}

void QPainterCanvas::setPen(int32_t width, Color color) { painter_.setPen(QPen(qcolor(color), width)); }

void QPainterCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  painter_.save();
  painter_.setBrush(Qt::white);
  painter_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
  painter_.restore();
}

void QPainterCanvas::fillRect(const Rect& r, Color color) {
  painter_.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), qcolor(color));
}

void QPainterCanvas::frame(const Rect& r, Color topLeft, Color bottomRight) {
  painter_.save();
  painter_.setPen(QPen(qcolor(topLeft), 1));
  painter_.drawLine(r.left, r.top, r.right - 1, r.top);
  painter_.drawLine(r.left, r.top, r.left, r.bottom - 1);
  painter_.setPen(QPen(qcolor(bottomRight), 1));
  painter_.drawLine(r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  painter_.drawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
  painter_.restore();
}

void QPainterCanvas::invertOutline(const Rect& r) {
  painter_.save();
  painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter_.setPen(QPen(Qt::white, 1));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)));
  painter_.restore();
}

}  // namespace kest
