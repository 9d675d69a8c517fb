#include "structure/principal_closure.h"

#include <algorithm>
#include <new>
#include <utility>

#include "structure/congruence_closure.h"

namespace kest {

PrincipalClosure::PrincipalClosure(const AlgebraView& a, Progress& progress)
    : n_(a.card()), translations_(translationsOf(a)), poll_(progress) {
  parent_.resize(static_cast<size_t>(n_));
  next_.resize(static_cast<size_t>(n_));
  for (int32_t i = 0; i < n_; ++i) parent_[static_cast<size_t>(i)] = next_[static_cast<size_t>(i)] = i;
  size_.assign(static_cast<size_t>(n_), 1);
  stopEnds_.assign(static_cast<size_t>(n_), 0);
  partners_.resize(static_cast<size_t>(n_));
}

void PrincipalClosure::addStop(int32_t s, int32_t t) {
  partners_[static_cast<size_t>(s)].push_back(t);
  partners_[static_cast<size_t>(t)].push_back(s);
  // Every closure starts from singletons: the counts are of roots.
  if (partners_[static_cast<size_t>(s)].size() == 1) ++stopEnds_[static_cast<size_t>(s)];
  if (partners_[static_cast<size_t>(t)].size() == 1) ++stopEnds_[static_cast<size_t>(t)];
}

void PrincipalClosure::removeStop(int32_t s, int32_t t) {
  auto drop = [&](int32_t x, int32_t y) {
    std::vector<int32_t>& p = partners_[static_cast<size_t>(x)];
    p.erase(std::find(p.begin(), p.end(), y));
    if (p.empty()) --stopEnds_[static_cast<size_t>(x)];
  };
  drop(s, t);
  drop(t, s);
}

int32_t PrincipalClosure::find(int32_t x) {
  while (parent_[static_cast<size_t>(x)] != x) {
    const int32_t up = parent_[static_cast<size_t>(parent_[static_cast<size_t>(x)])];
    parent_[static_cast<size_t>(x)] = up;
    x = up;
  }
  return x;
}

bool PrincipalClosure::unite(int32_t x, int32_t y) {
  x = find(x);
  y = find(y);
  if (x == y) return false;
  if (size_[static_cast<size_t>(x)] < size_[static_cast<size_t>(y)]) std::swap(x, y);
  // y is the smaller class: does one of its members have a stop partner in x?
  if (stopEnds_[static_cast<size_t>(x)] > 0 && stopEnds_[static_cast<size_t>(y)] > 0) {
    int32_t m = y;
    do {
      for (int32_t partner : partners_[static_cast<size_t>(m)]) {
        if (find(partner) == x) joinedStop_ = true;
      }
      m = next_[static_cast<size_t>(m)];
    } while (m != y && !joinedStop_);
  }
  if (size_[static_cast<size_t>(x)] == 1) touched_.push_back(x);
  if (size_[static_cast<size_t>(y)] == 1) touched_.push_back(y);
  parent_[static_cast<size_t>(y)] = x;
  size_[static_cast<size_t>(x)] += size_[static_cast<size_t>(y)];
  stopEnds_[static_cast<size_t>(x)] += stopEnds_[static_cast<size_t>(y)];
  std::swap(next_[static_cast<size_t>(x)], next_[static_cast<size_t>(y)]);  // splices the two member rings
  return true;
}

void PrincipalClosure::reset() {
  for (int32_t x : touched_) {
    parent_[static_cast<size_t>(x)] = next_[static_cast<size_t>(x)] = x;
    size_[static_cast<size_t>(x)] = 1;
    stopEnds_[static_cast<size_t>(x)] = partners_[static_cast<size_t>(x)].empty() ? 0 : 1;
  }
  touched_.clear();
  joinedStop_ = false;
}

std::optional<Partition> PrincipalClosure::principalUnlessJoining(int32_t a, int32_t b) {
  reset();
  std::vector<std::pair<int32_t, int32_t>>& work = work_;
  work.clear();
  if (unite(a, b)) work.emplace_back(a, b);
  // Every union adds an edge of a spanning forest of the classes; closing
  // under the translations of those edges closes under all of them.
  while (!work.empty() && !joinedStop_) {
    if (poll_.add(n_ + 16)) return std::nullopt;
    const auto [u, v] = work.back();
    work.pop_back();
    translatePair(translations_, n_, u, v, [&](int32_t x, int32_t y) {
      if (unite(x, y)) work.emplace_back(x, y);
      return !joinedStop_;
    });
  }
  if (joinedStop_) return std::nullopt;
  return classes();
}

PrincipalClosure::Outcome PrincipalClosure::principalWithKnown(int32_t a, int32_t b, const int32_t* label,
                                                               const std::vector<Partition>& known) {
  reset();
  if (takenIn_.size() < known.size()) takenIn_.resize(known.size(), 0);
  ++closureNumber_;
  Outcome out;
  std::vector<std::pair<int32_t, int32_t>>& work = work_;
  work.clear();
  auto join = [&](int32_t x, int32_t y) {
    if (x == y || !unite(x, y)) return !joinedStop_;
    work.emplace_back(x, y);
    const int32_t id = label ? label[static_cast<int64_t>(std::min(x, y)) * n_ + std::max(x, y)] : -1;
    if (id < 0 || takenIn_[static_cast<size_t>(id)] == closureNumber_) return !joinedStop_;
    const Partition& theta = known[static_cast<size_t>(id)];
    if (theta[static_cast<size_t>(a)] == theta[static_cast<size_t>(b)]) {
      out.known = id;
      return false;
    }
    takenIn_[static_cast<size_t>(id)] = closureNumber_;
    for (int32_t e = 0; e < n_; ++e) {
      if (theta[static_cast<size_t>(e)] != e) unite(e, theta[static_cast<size_t>(e)]);
    }
    return !joinedStop_;
  };
  join(a, b);
  while (!work.empty() && !joinedStop_ && out.known < 0) {
    if (poll_.add(n_ + 16)) return {};
    const auto [u, v] = work.back();
    work.pop_back();
    translatePair(translations_, n_, u, v, join);
  }
  if (poll_.progress().stopped() || joinedStop_ || out.known >= 0) return out;
  out.fresh = classes();
  return out;
}

Partition PrincipalClosure::classes() {
  // First the least member of each class at its root, then every member
  // takes its root's entry.
  Partition p = identityPartition(n_);
  for (int32_t x : touched_) {
    int32_t& low = p[static_cast<size_t>(find(x))];
    low = std::min(low, x);
  }
  for (int32_t x : touched_) p[static_cast<size_t>(x)] = p[static_cast<size_t>(find(x))];
  return p;
}

}  // namespace kest
