#include "conditions/profile_closure.h"

namespace kest {

ProfileClosure::ProfileClosure(const AlgebraView& a, std::vector<TermTables*> spaces, std::vector<Instance> instances,
                               int32_t arity, int64_t maxProfiles)
    : a_(a),
      spaces_(std::move(spaces)),
      instances_(std::move(instances)),
      arity_(arity),
      maxProfiles_(maxProfiles),
      profiles_(instances_.size(), INT64_MAX),
      scratch_(instances_.size()) {
  for (const Instance& in : instances_) {
    std::vector<int32_t> row;
    for (int32_t i = 0; i < arity_; ++i)
      row.push_back(spaces_[static_cast<size_t>(in.space)]->projection(in.pattern[static_cast<size_t>(i)]));
    projections_.push_back(std::move(row));
  }
}

int64_t ProfileClosure::add(const WitnessStep& step) {
  for (int32_t v : scratch_) {
    if (v < 0) return -1;
  }
  if (static_cast<int64_t>(profiles_.size()) >= maxProfiles_) return -1;
  const auto [at, added] = profiles_.insert(scratch_.data());
  if (added) steps_.push_back(step);
  return static_cast<int64_t>(at);
}

// The product of two profiles, componentwise; added says the new index
// (or -1 when it was known). False when the tables or profiles are full.
bool ProfileClosure::combine(int32_t op, size_t left, size_t right, int64_t& added) {
  const size_t before = profiles_.size();
  for (size_t j = 0; j < instances_.size(); ++j) {
    TermTables& t = *spaces_[static_cast<size_t>(instances_[j].space)];
    scratch_[j] = t.apply(op, profile(left)[j], profile(right)[j]);
  }
  const int64_t at = add({WitnessStep::Kind::kOperation, op, static_cast<int32_t>(left), static_cast<int32_t>(right)});
  if (at < 0) return false;
  added = profiles_.size() > before ? at : -1;
  return true;
}

ProfileClosure::Outcome ProfileClosure::start(const std::function<bool(size_t)>& found) {
  started_ = true;
  auto generator = [&](const WitnessStep& step) {
    const size_t before = profiles_.size();
    const int64_t at = add(step);
    if (at < 0) return Outcome::kTooLarge;
    if (profiles_.size() > before && found(static_cast<size_t>(at))) return Outcome::kFound;
    return Outcome::kComplete;
  };
  for (int32_t i = 0; i < arity_; ++i) {
    for (size_t j = 0; j < instances_.size(); ++j) scratch_[j] = projections_[j][static_cast<size_t>(i)];
    const Outcome o = generator({WitnessStep::Kind::kVariable, i, -1, -1});
    if (o != Outcome::kComplete) return o;
  }
  for (int32_t c = 0; c < a_.constantCount(); ++c) {
    for (size_t j = 0; j < instances_.size(); ++j)
      scratch_[j] = spaces_[static_cast<size_t>(instances_[j].space)]->constant(c);
    const Outcome o = generator({WitnessStep::Kind::kConstant, c, -1, -1});
    if (o != Outcome::kComplete) return o;
  }
  return Outcome::kComplete;
}

ProfileClosure::Outcome ProfileClosure::close(const std::function<bool(size_t)>& found, WorkPoll& poll) {
  const Outcome o = run(found, poll);
  // After a stop the term tables refuse to make more, which reads as full.
  return o == Outcome::kTooLarge && poll.progress().stopped() ? Outcome::kStopped : o;
}

ProfileClosure::Outcome ProfileClosure::run(const std::function<bool(size_t)>& found, WorkPoll& poll) {
  if (!started_) {
    const Outcome o = start(found);
    if (o != Outcome::kComplete) return o;
  }
  const int32_t binaries = a_.binaryCount();
  const int32_t operations = binaries + a_.unaryCount();
  const int64_t cost = static_cast<int64_t>(instances_.size()) * 4 + 8;
  for (; next_ < profiles_.size(); ++next_, partner_ = 0) {
    const size_t e = next_;
    for (; partner_ <= e; ++partner_) {
      if (poll.add(cost * operations, [&] { poll.progress().report(static_cast<int64_t>(size()), 0, "terms"); })) {
        return Outcome::kStopped;
      }
      int64_t added = -1;
      auto tryOne = [&](int32_t op, size_t l, size_t r) {
        if (!combine(op, l, r, added)) return Outcome::kTooLarge;
        return added >= 0 && found(static_cast<size_t>(added)) ? Outcome::kFound : Outcome::kComplete;
      };
      // Unary operations once per profile, with its first partner.
      if (partner_ == 0) {
        for (int32_t u = binaries; u < operations; ++u) {
          const Outcome o = tryOne(u, e, e);
          if (o != Outcome::kComplete) return o;
        }
      }
      for (int32_t op = 0; op < binaries; ++op) {
        Outcome o = tryOne(op, e, partner_);
        if (o == Outcome::kComplete && partner_ != e) o = tryOne(op, partner_, e);
        // On resuming, this pair is combined again: what it made is known then.
        if (o != Outcome::kComplete) return o;
      }
    }
  }
  return Outcome::kComplete;
}

WitnessTerm ProfileClosure::term(size_t i, std::string name) const {
  // The steps below i, in their order (children come before parents).
  std::vector<uint8_t> needed(i + 1, 0);
  needed[i] = 1;
  for (size_t k = i + 1; k-- > 0;) {
    if (!needed[k] || steps_[k].kind != WitnessStep::Kind::kOperation) continue;
    needed[static_cast<size_t>(steps_[k].left)] = 1;
    needed[static_cast<size_t>(steps_[k].right)] = 1;
  }
  std::vector<int32_t> renumbered(i + 1, -1);
  WitnessTerm t{std::move(name), arity_, {}};
  for (size_t k = 0; k <= i; ++k) {
    if (!needed[k]) continue;
    WitnessStep s = steps_[k];
    if (s.kind == WitnessStep::Kind::kOperation) {
      s.left = renumbered[static_cast<size_t>(s.left)];
      s.right = renumbered[static_cast<size_t>(s.right)];
    }
    renumbered[k] = static_cast<int32_t>(t.steps.size());
    t.steps.push_back(s);
  }
  return t;
}

}  // namespace kest
