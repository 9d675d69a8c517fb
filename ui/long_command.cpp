#include "ui/long_command.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace kest {

namespace {

class CancelFlag final : public Progress {
 public:
  std::atomic<bool> stop{false};

 protected:
  bool pollStop() override { return stop.load(std::memory_order_relaxed); }
};

}  // namespace

Repaint runLongCommand(QWidget* parent, const std::function<Repaint(Progress&)>& work) {
  CancelFlag cancel;
  cancel.beginCommand();
  std::packaged_task<Repaint()> task([&] { return work(cancel); });
  std::future<Repaint> result = task.get_future();
  std::thread worker(std::move(task));
  using namespace std::chrono_literals;
  if (result.wait_for(500ms) != std::future_status::ready) {
    QProgressDialog dialog(QStringLiteral("Working..."), QStringLiteral("Cancel"), 0, 0, parent);
    dialog.setWindowTitle(QStringLiteral("Kest"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.show();
    while (result.wait_for(20ms) != std::future_status::ready) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      if (dialog.wasCanceled()) cancel.stop = true;
    }
  }
  worker.join();
  return result.get();
}

}  // namespace kest
