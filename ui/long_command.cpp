#include "ui/long_command.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>

namespace kest {

namespace {

// The worker writes, the window reads a few times a second.
class WindowProgress final : public Progress {
 public:
  std::atomic<bool> stop{false};

  void setTask(const std::string& task) override {
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = task;
  }
  void report(int64_t done, int64_t total, const char* unit) override {
    done_.store(done, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
    unit_.store(unit, std::memory_order_relaxed);
    reported_.store(true, std::memory_order_release);
  }

  std::string task() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return task_;
  }
  bool reported() const { return reported_.load(std::memory_order_acquire); }
  int64_t done() const { return done_.load(std::memory_order_relaxed); }
  int64_t total() const { return total_.load(std::memory_order_relaxed); }
  const char* unit() const { return unit_.load(std::memory_order_relaxed); }

 protected:
  bool pollStop() override { return stop.load(std::memory_order_relaxed); }

 private:
  mutable std::mutex mutex_;
  std::string task_;
  std::atomic<bool> reported_{false};
  std::atomic<int64_t> done_{0};
  std::atomic<int64_t> total_{0};
  std::atomic<const char*> unit_{""};
};

// The window's text and bar from what the command reported so far.
void showProgress(QProgressDialog& dialog, const WindowProgress& progress) {
  const std::string task = progress.task();
  QString text = task.empty() ? QStringLiteral("Working...") : QString::fromStdString(task);
  if (progress.reported()) {
    const int64_t done = progress.done();
    const int64_t total = progress.total();
    text += QStringLiteral("\n") + QString::fromStdString(progressText(done, total, progress.unit()));
    if (total > 0) {
      dialog.setRange(0, 1000);
      dialog.setValue(static_cast<int>(std::min<int64_t>(1000, done * 1000 / total)));
    }
  }
  dialog.setLabelText(text);
}

}  // namespace

Repaint runLongCommand(QWidget* parent, const std::function<Repaint(Progress&)>& work) {
  WindowProgress progress;
  progress.beginCommand();
  std::packaged_task<Repaint()> task([&] { return work(progress); });
  std::future<Repaint> result = task.get_future();
  std::thread worker(std::move(task));
  using namespace std::chrono_literals;
  if (result.wait_for(500ms) != std::future_status::ready) {
    QProgressDialog dialog(QStringLiteral("Working..."), QString(), 0, 0, parent);
    // Enter must not cancel an hour of work: the button is never the
    // default; Escape and a click on it are the only ways to stop.
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setAutoDefault(false);
    cancel->setDefault(false);
    cancel->setFocusPolicy(Qt::NoFocus);
    dialog.setCancelButton(cancel);
    dialog.setWindowTitle(QStringLiteral("Kest"));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumWidth(360);
    showProgress(dialog, progress);
    dialog.show();
    auto shown = std::chrono::steady_clock::now();
    while (result.wait_for(20ms) != std::future_status::ready) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      if (dialog.wasCanceled()) progress.stop = true;
      if (std::chrono::steady_clock::now() - shown >= 250ms) {
        shown = std::chrono::steady_clock::now();
        showProgress(dialog, progress);
      }
    }
  }
  worker.join();
  return result.get();
}

}  // namespace kest
