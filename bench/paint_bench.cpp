// Repainting the normal page: six displayed 30-element algebras with two
// binary operations each, into an offscreen image with the view's font.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <random>

#include "core/algebra_store.h"
#include "draw/page_drawing.h"
#include "draw/qpainter_canvas.h"
#include "tests/oracle/random_inputs.h"

namespace kest {
namespace {

void BM_PaintSixAlgebras(benchmark::State& state) {
  Workspace ws = oracle::workspaceWithSignature(". +");
  std::mt19937 rng(1);
  for (int i = 0; i < 6; ++i) oracle::addRandomAlgebra(ws, 30, 0.1, rng);
  ws.messages.setReport({"E0   satisfied", "E1   not satisfied: x=a y=b "});
  QImage image(3400, 1200, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    drawPage(ws, canvas);
  }
}
BENCHMARK(BM_PaintSixAlgebras)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kest

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
