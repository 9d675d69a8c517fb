#include "draw/svg_canvas.h"

#include <cstdio>

namespace kest {

namespace {

std::string rgb(Color c) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
  return buffer;
}

std::string escaped(std::string_view s) {
  std::string out;
  for (char ch : s) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Bytes that are no printable ASCII would make the document invalid.
        out += (static_cast<unsigned char>(ch) < 32 || static_cast<unsigned char>(ch) > 126) ? '?' : ch;
    }
  }
  return out;
}

}  // namespace

SvgCanvas::SvgCanvas(int32_t width, int32_t height) : width_(width), height_(height) {}

void SvgCanvas::setWindowOrigin(int32_t x, int32_t y) {
  originX_ = x;
  originY_ = y;
}

void SvgCanvas::text(int32_t x, int32_t y, std::string_view s) {
  if (s.empty()) return;
  body_ += "<text x=\"" + std::to_string(x - originX_) + "\" y=\"" + std::to_string(y - originY_ + 11) +
           "\" textLength=\"" + std::to_string(7 * s.size()) + "\">" + escaped(s) + "</text>\n";
}

void SvgCanvas::moveTo(int32_t x, int32_t y) {
  penX_ = x;
  penY_ = y;
}

void SvgCanvas::lineTo(int32_t x, int32_t y) {
  segment(penX_, penY_, x, y, pen_, penWidth_);
  penX_ = x;
  penY_ = y;
}

void SvgCanvas::segment(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Color color, int32_t width) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer,
                "<line x1=\"%d.5\" y1=\"%d.5\" x2=\"%d.5\" y2=\"%d.5\" stroke=\"%s\" stroke-width=\"%d\"/>\n",
                x0 - originX_, y0 - originY_, x1 - originX_, y1 - originY_, rgb(color).c_str(), width);
  body_ += buffer;
}

void SvgCanvas::polyline(const std::vector<PagePoint>& points) {
  if (points.size() < 2) return;
  body_ += "<polyline points=\"";
  for (size_t i = 0; i < points.size(); ++i) {
    body_ += (i ? " " : "") + std::to_string(points[i].x - originX_) + "," + std::to_string(points[i].y - originY_);
  }
  body_ += "\" fill=\"none\" stroke=\"" + rgb(pen_) + "\" stroke-width=\"" + std::to_string(penWidth_) + "\"/>\n";
}

void SvgCanvas::setPen(int32_t width, Color color) {
  penWidth_ = width;
  pen_ = color;
}

void SvgCanvas::ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  char buffer[200];
  std::snprintf(buffer, sizeof buffer,
                "<ellipse cx=\"%g\" cy=\"%g\" rx=\"%g\" ry=\"%g\" fill=\"white\" stroke=\"%s\" stroke-width=\"%d\"/>\n",
                (left + right) / 2.0 - originX_, (top + bottom) / 2.0 - originY_, (right - left) / 2.0,
                (bottom - top) / 2.0, rgb(pen_).c_str(), penWidth_);
  body_ += buffer;
}

void SvgCanvas::fillRect(const Rect& r, Color color) {
  body_ += "<rect x=\"" + std::to_string(r.left - originX_) + "\" y=\"" + std::to_string(r.top - originY_) +
           "\" width=\"" + std::to_string(r.right - r.left) + "\" height=\"" + std::to_string(r.bottom - r.top) +
           "\" fill=\"" + rgb(color) + "\"/>\n";
}

void SvgCanvas::frame(const Rect& r, Color topLeft, Color bottomRight) {
  segment(r.left, r.top, r.right - 1, r.top, topLeft, 1);
  segment(r.left, r.top, r.left, r.bottom - 1, topLeft, 1);
  segment(r.left, r.bottom - 1, r.right - 1, r.bottom - 1, bottomRight, 1);
  segment(r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight, 1);
}

void SvgCanvas::invertOutline(const Rect& r) { frame(r, kGrey, kGrey); }

std::string SvgCanvas::svg() const {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width_) + "\" height=\"" +
         std::to_string(height_) + "\" font-family=\"DejaVu Sans Mono, monospace\" font-size=\"12\">\n" +
         "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" + body_ + "</svg>\n";
}

}  // namespace kest
