// What the searches for one condition on one algebra share: the term
// tables of F(1), F(2) and F(3) (made when first asked for), the limits,
// and the poll that hears a stop.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "conditions/maltsev_conditions.h"
#include "conditions/profile_closure.h"
#include "conditions/term_tables.h"

namespace kest {

// The most profiles a closure keeps, and the most term-table entries
// (256 MB) in each of F(1), F(2), F(3).
inline constexpr int64_t kMostProfiles = int64_t{1} << 21;
inline constexpr int64_t kMostTableEntries = int64_t{1} << 26;

class SearchContext {
 public:
  SearchContext(const AlgebraView& a, Progress& progress) : a_(a), own_(progress), poll_(own_) {}
  // A search inside another one (on a subalgebra): its work counts on the
  // outer poll, so that many small searches in a row still poll.
  SearchContext(const AlgebraView& a, SearchContext& outer)
      : a_(a), own_(outer.poll().progress()), poll_(outer.poll()) {}

  const AlgebraView& algebra() const { return a_; }
  WorkPoll& poll() { return poll_; }
  // F(v) for v = 1, 2, 3.
  TermTables& space(int32_t variables);
  // The spaces in the order instances name them: F(1), F(2), F(3).
  std::vector<TermTables*> spaces();
  // The distinct proper one-generated subalgebras with 2 to most elements,
  // smallest first, found once per most for all the conditions asked;
  // empty after a stop.
  const std::vector<std::vector<int32_t>>& subalgebrasUpTo(size_t most);

 private:
  AlgebraView a_;
  WorkPoll own_;
  WorkPoll& poll_;
  std::unique_ptr<TermTables> spaces_[3];
  std::map<size_t, std::vector<std::vector<int32_t>>> subalgebras_;
};

// A condition on one term: its arity, the instances its identities use
// (instance space v - 1 for F(v)), and for each instance the variable its
// value must be (-1: none), and groups of instances whose values must agree.
struct TermCondition {
  int32_t arity = 0;
  std::vector<Instance> instances;
  std::vector<int32_t> target;
  std::vector<std::vector<int32_t>> equal;
  // The identities ask the same of every rearrangement of the arguments:
  // the search may keep profiles up to rearrangement.
  bool symmetric = false;
};

// The verdict of a closure that ended with o: holds when found, fails when
// complete (the whole closure, one power of F(v) per instance), otherwise
// undecided with the reason; sizes count the closure's elements.
ConditionResult resultOf(ProfileClosure::Outcome o, const ProfileClosure& c);

// Whether profile i of closure meets the condition.
bool meets(const TermCondition& c, ProfileClosure& closure, size_t i);

// The search for one term (the closure with early exit, after the local
// refutation at pairs of elements): a result with one witness named name,
// or the reason there is none.
ConditionResult searchTerm(SearchContext& ctx, const TermCondition& c, const char* name);

// The instance of pattern (one variable per argument) in F(v), v the
// number of variables it uses.
Instance instanceOf(std::vector<int32_t> pattern);

}  // namespace kest
