#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kest {

namespace {

// Paints a face in a 24 by 22 box.
void paintFace(QPainter& p, std::string_view face) {
  const QRectF box(0, 0, 24, 22);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.4));
  auto label = [&](const char* text, qreal size, bool bold = true, QRectF where = QRectF(0, 0, 24, 22)) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    p.setFont(f);
    p.drawText(where, Qt::AlignCenter, QString::fromUtf8(text));
  };
  auto diamond = [&](QPointF c, qreal r) {
    p.drawPolygon(QPolygonF({c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
  };
  if (face == "help") return label("?", 17);
  if (face == "info") return label("i", 17);
  if (face == "F" || face == "D" || face == "E" || face == "X" || face == "=" || face == "#" || face == "!" ||
      face == "&" || face == "V")
    return label(std::string(face).c_str(), 15);
  if (face == "->") return label("\u2192", 17);
  if (face == "<->") return label("\u2194", 17);
  if (face == "2x-y") return label("2x-y", 9);
  if (face == "fr1" || face == "fr2" || face == "Con" || face == "Sub") return label(std::string(face).c_str(), 10);
  if (face == "Pi") return label("\u03a0", 16);
  if (face == "Pi2") {
    label("\u03a0", 15, true, QRectF(0, 0, 18, 22));
    return label("2", 9, true, QRectF(14, 8, 10, 14));
  }
  if (face == "Ediamond") {
    label("E", 15, true, QRectF(0, 0, 18, 22));
    p.setPen(QPen(Qt::black, 1));
    return diamond(QPointF(19, 16), 3.5);
  }
  if (face == "sub") return label("Sg", 12);
  if (face == "HasseCS") {
    label("C", 10, true, QRectF(0, 0, 12, 22));
    return diamond(QPointF(17, 11), 5);
  }
  if (face == "triangle") {
    p.drawPolygon(QPolygonF({QPointF(12, 4), QPointF(20, 18), QPointF(4, 18)}));
    return;
  }
  if (face == "leq") return label("\u2264", 17, false);
  if (face == "meet") return label("\u2227", 17, false);
  if (face == "join") return label("\u2228", 17, false);
  if (face == "diamond") return diamond(box.center(), 8);
  if (face == "diamonds") {
    diamond(QPointF(12, 6.5), 5);
    return diamond(QPointF(12, 16), 5);
  }
  if (face == "new") {
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(6, 2), QPointF(14, 2), QPointF(18, 6), QPointF(18, 20), QPointF(6, 20)}));
    return;
  }
  if (face == "open") {
    p.setBrush(QColor(240, 210, 120));
    p.drawPolygon(
        QPolygonF({QPointF(3, 6), QPointF(9, 6), QPointF(11, 8), QPointF(20, 8), QPointF(20, 18), QPointF(3, 18)}));
    return;
  }
  if (face == "save") {
    p.setBrush(QColor(120, 140, 200));
    p.drawRect(QRectF(4, 3, 16, 16));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 3, 8, 6));
    return;
  }
  label(std::string(face).c_str(), 10);
}

QPixmap facePixmap(std::string_view face, qreal ratio) {
  QPixmap pixmap(kToolbarIconSize * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  paintFace(painter, face);
  return pixmap;
}

}  // namespace

QIcon toolbarIcon(std::string_view face) {
  QIcon icon;
  icon.addPixmap(facePixmap(face, 1.0));
  icon.addPixmap(facePixmap(face, 2.0));
  return icon;
}

}  // namespace kest
