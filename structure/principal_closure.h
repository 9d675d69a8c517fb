// Many principal congruences Cg(a, b) of one complete algebra, one after
// another, each abandoned as soon as it joins a pair of a changing set of
// stop pairs. Built for the minimal congruences, which close millions of
// pairs in large algebras: the union-find is reset only where the last
// closure touched it, and the stop pairs are found at the union that
// joins them (by walking the smaller of the two merged classes, only when
// both hold an end of some stop pair), instead of testing every stop pair
// after every step.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/algebra_view.h"
#include "core/progress.h"
#include "structure/congruence_closure.h"
#include "structure/partition.h"

namespace kest {

class PrincipalClosure {
 public:
  PrincipalClosure(const AlgebraView& a, Progress& progress);

  const Translations& translations() const { return translations_; }

  void addStop(int32_t s, int32_t t);
  void removeStop(int32_t s, int32_t t);

  // Cg(a, b) as a canonical partition, or nothing when it joins a stop
  // pair (or the user asked to stop: progress.stopped() tells).
  std::optional<Partition> principalUnlessJoining(int32_t a, int32_t b);

  // The same, using congruences known already: label[x * n + y] (x < y)
  // names a known congruence equal to Cg(x, y), or is -1. When the closure
  // joins such a pair it takes that congruence in whole without
  // translating its pairs (they are closed already); when that congruence
  // holds (a, b), it is Cg(a, b), and the closure ends with its number.
  struct Outcome {
    std::optional<Partition> fresh;  // Cg(a, b) when it is none of the known
    int32_t known = -1;              // else the known one it equals
  };
  Outcome principalWithKnown(int32_t a, int32_t b, const int32_t* label, const std::vector<Partition>& known);

 private:
  int32_t find(int32_t x);
  // Joins the classes of x and y; false when they were one already. Sets
  // joinedStop_ when the union puts a stop pair into one class.
  bool unite(int32_t x, int32_t y);
  void reset();
  // The canonical partition of the classes (every member of a class of
  // two or more was touched).
  Partition classes();

  int32_t n_;
  Translations translations_;
  // Union-find with member lists (circular, through next_) and, per root,
  // the number of members that are an end of a stop pair.
  std::vector<int32_t> parent_;
  std::vector<int32_t> size_;
  std::vector<int32_t> next_;
  std::vector<int32_t> stopEnds_;
  std::vector<int32_t> touched_;
  std::vector<std::vector<int32_t>> partners_;
  std::vector<std::pair<int32_t, int32_t>> work_;
  bool joinedStop_ = false;
  std::vector<uint32_t> takenIn_;  // per known congruence, the closure that took it in last
  uint32_t closureNumber_ = 0;
  WorkPoll poll_;  // kept across closures: most of them are short
};

}  // namespace kest
