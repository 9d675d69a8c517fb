// Compositions of basic translations of a complete algebra that are again
// basic translations. A family is one way of fixing all arguments but one:
// the rows of a binary table (u -> u*c), its columns (u -> c*u, absent when
// the table is symmetric), or a unary table (one member, constant 0).
// When F_c after G_d is the translation G_e, the images of a pair under
// F_c are images of the pair it came from under G_e: a closure that
// remembers how a pair arose can skip them. Associative operations make
// almost every such composition basic.
#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "structure/congruence_closure.h"

namespace kest {

class TranslationComposition {
 public:
  // e[c] is the e with F_c after G_d equal to G_e, or -1; complete is
  // true when no entry is -1, and missing lists the c whose entry is -1.
  struct Row {
    std::vector<int32_t> e;
    std::vector<int32_t> missing;
    bool complete = false;
  };

  TranslationComposition(const Translations& t, int32_t n);

  int32_t familyCount() const { return static_cast<int32_t>(families_.size()); }
  bool binary(int32_t f) const { return families_[static_cast<size_t>(f)].binary; }
  // F_c(u); c is 0 for a unary family.
  int32_t apply(int32_t f, int32_t c, int32_t u) const {
    const Family& fam = families_[static_cast<size_t>(f)];
    return fam.binary ? fam.base[static_cast<int64_t>(u) * n_ + c] : fam.base[u];
  }
  // All images F_c(u) for c = 0..n-1, contiguous (binary families only).
  const int32_t* images(int32_t f, int32_t u) const {
    return families_[static_cast<size_t>(f)].base + static_cast<int64_t>(u) * n_;
  }

  // The row for F after G_d, G binary; computed on first use in O(n^2).
  const Row& row(int32_t f, int32_t g, int32_t d);

  // The work done computing rows and indexes since the last call, in
  // entries read: a caller that polls by work adds it to its own.
  int64_t takeWork() { return std::exchange(work_, 0); }

 private:
  struct Family {
    const int32_t* base;
    bool binary;
  };
  // For a binary family G: the hashes of all G_e with their e, sorted.
  const std::vector<std::pair<uint64_t, int32_t>>& index(int32_t g);
  bool equalsMember(int32_t f, int32_t c, int32_t g, int32_t d, int32_t e) const;

  int32_t n_;
  std::vector<Family> families_;
  std::vector<std::vector<std::pair<uint64_t, int32_t>>> indexes_;
  std::vector<int32_t> rowOf_;  // (f * families + g) * n + d -> index in rows_, or -1
  std::deque<Row> rows_;        // a deque keeps the rows handed out in place
  int64_t work_ = 0;
};

}  // namespace kest
