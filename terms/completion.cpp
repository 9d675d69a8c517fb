#include "terms/completion.h"

#include <algorithm>
#include <vector>

#include "terms/equation_sweep.h"

namespace kest {

namespace {

// The flag checks of one run: once over the whole tables before the first
// assignment, then only where entries were written since, since nothing
// else can disagree with the flags again.
class FlagChecks final : public SweepHooks {
 public:
  FlagChecks(Workspace& ws, int32_t k)
      : sig_(ws.sig), table_(ws.algebra(k).table), n_(ws.algebra(k).card), lay_(ws.layout(k)) {}

  int32_t beforeAssignment() override {
    filled_ = 0;
    if (!checked_) {
      checked_ = true;
      pending_.clear();
      return checkAll();
    }
    for (const Written& w : pending_) {
      // A written entry was undefined; the first check filled every
      // idempotent diagonal, so only the commutative mirror can disagree.
      if (w.op < sig_.binaryCount && sig_.opCommutative[static_cast<size_t>(w.op)] && !mirror(w.op, w.x, w.y)) {
        return -1;
      }
    }
    pending_.clear();
    return filled_;
  }
  bool bothDefined(int32_t e1, int32_t e2) override { return e1 == e2; }
  void wrote(int32_t op, int32_t x, int32_t y) override { pending_.push_back({op, x, y}); }

 private:
  struct Written {
    int32_t op, x, y;
  };

  bool mirror(int32_t b, int32_t x, int32_t y) {
    int32_t& xy = table_[static_cast<size_t>(lay_.binary(b, x, y))];
    int32_t& yx = table_[static_cast<size_t>(lay_.binary(b, y, x))];
    if (xy < 0 && yx >= 0)
      xy = yx, filled_ = 1;
    else if (xy >= 0 && yx < 0)
      yx = xy, filled_ = 1;
    else if (xy >= 0 && yx >= 0 && xy != yx)
      return false;
    return true;
  }

  int32_t checkAll() {
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      if (!sig_.opCommutative[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        for (int32_t y = 0; y < n_; ++y) {
          if (!mirror(b, x, y)) return -1;
        }
      }
    }
    for (int32_t b = 0; b < sig_.binaryCount; ++b) {
      if (!sig_.opIdempotent[static_cast<size_t>(b)]) continue;
      for (int32_t x = 0; x < n_; ++x) {
        int32_t& xx = table_[static_cast<size_t>(lay_.binary(b, x, x))];
        if (xx < 0)
          xx = x, filled_ = 1;
        else if (xx != x)
          return -1;
      }
    }
    return filled_;
  }

  const Signature& sig_;
  std::vector<int32_t>& table_;
  int32_t n_;
  TableLayout lay_;
  bool checked_ = false;
  int32_t filled_ = 0;
  std::vector<Written> pending_;
};

}  // namespace

CompletionResult completeByEquations(Workspace& ws, int32_t k, Progress& progress) {
  const std::vector<int32_t> backup = ws.algebra(k).table;
  EquationSweep sweep(ws, k);
  FlagChecks checks(ws, k);
  for (;;) {
    int32_t result = 1;
    for (int32_t f : ws.terms.formulaList) {
      if (ws.terms.formulaKind[static_cast<size_t>(f)] != kEquation) continue;
      result = sweep.run(f, checks, true, progress);
      if (result <= 0) {
        ws.algebra(k).table = backup;
        return result == 0 ? CompletionResult::kContradictory : CompletionResult::kInterrupted;
      }
    }
    if (result != 2) return CompletionResult::kOk;
  }
}

}  // namespace kest
