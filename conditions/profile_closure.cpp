#include "conditions/profile_closure.h"

#include <algorithm>

namespace kest {

namespace {

std::vector<std::vector<int32_t>> patternsOf(const std::vector<Instance>& instances) {
  std::vector<std::vector<int32_t>> out;
  for (const Instance& in : instances) out.push_back(in.pattern);
  return out;
}

}  // namespace

ProfileClosure::ProfileClosure(const AlgebraView& a, std::vector<TermTables*> spaces, std::vector<Instance> instances,
                               int32_t arity, int64_t maxProfiles, bool symmetric, int64_t maxProducts)
    : a_(a),
      spaces_(std::move(spaces)),
      instances_(std::move(instances)),
      arity_(arity),
      maxProfiles_(maxProfiles),
      maxProducts_(maxProducts),
      profiles_(instances_.size(), INT64_MAX),
      scratch_(instances_.size()) {
  for (const Instance& in : instances_) {
    std::vector<int32_t> row;
    for (int32_t i = 0; i < arity_; ++i)
      row.push_back(spaces_[static_cast<size_t>(in.space)]->projection(in.pattern[static_cast<size_t>(i)]));
    projections_.push_back(std::move(row));
  }
  if (symmetric) symmetry_ = ArgumentSymmetry::of(patternsOf(instances_), arity_);
  rightRow_.resize(instances_.size());
  arranged_.resize(instances_.size());
}

int64_t ProfileClosure::add(const WitnessStep& step, const uint8_t* pi) {
  for (int32_t v : scratch_) {
    if (v < 0) return -1;
  }
  if (static_cast<int64_t>(profiles_.size()) >= maxProfiles_) return -1;
  uint8_t rho[kMostSymmetricArguments];
  if (symmetry_) symmetry_->canonicalize(scratch_.data(), rho);
  const auto [at, added] = profiles_.insert(scratch_.data());
  if (!added) return static_cast<int64_t>(at);
  steps_.push_back(step);
  if (symmetry_) {
    const int32_t k = symmetry_->arity();
    for (int32_t m = 0; m < k; ++m) permutations_.push_back(pi ? pi[m] : static_cast<uint8_t>(m));
    permutations_.insert(permutations_.end(), rho, rho + k);
    elements_ += symmetry_->orbitSize(profile(at));
  } else {
    ++elements_;
  }
  return static_cast<int64_t>(at);
}

bool ProfileClosure::combine(int32_t op, size_t left, const int32_t* right, size_t rightIndex, const uint8_t* pi,
                             int64_t& added) {
  const size_t before = profiles_.size();
  for (size_t j = 0; j < instances_.size(); ++j) {
    TermTables& t = *spaces_[static_cast<size_t>(instances_[j].space)];
    scratch_[j] = t.apply(op, profile(left)[j], right[j]);
  }
  const int64_t at =
      add({WitnessStep::Kind::kOperation, op, static_cast<int32_t>(left), static_cast<int32_t>(rightIndex)}, pi);
  if (at < 0) return false;
  added = profiles_.size() > before ? at : -1;
  return true;
}

ProfileClosure::Outcome ProfileClosure::start(const std::function<bool(size_t)>& found) {
  started_ = true;
  auto generator = [&](const WitnessStep& step) {
    const size_t before = profiles_.size();
    const int64_t at = add(step, nullptr);
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

ProfileClosure::Outcome ProfileClosure::combinePair(size_t e, size_t partner, const std::function<bool(size_t)>& found,
                                                    WorkPoll& poll) {
  const int64_t cost = static_cast<int64_t>(instances_.size()) * 4 + 8;
  Outcome o = Outcome::kComplete;
  auto tryOne = [&](int32_t op, size_t l, const int32_t* r, size_t rIndex, const uint8_t* pi) {
    if (poll.add(cost, [&] { poll.progress().report(static_cast<int64_t>(size()), 0, "terms"); })) {
      o = Outcome::kStopped;
      return false;
    }
    if (products_ == maxProducts_) {
      o = Outcome::kTooLong;
      return false;
    }
    ++products_;
    int64_t added = -1;
    if (!combine(op, l, r, rIndex, pi, added)) {
      o = Outcome::kTooLarge;
      return false;
    }
    if (added >= 0 && found(static_cast<size_t>(added))) o = Outcome::kFound;
    return o == Outcome::kComplete;
  };
  // Unary operations once per profile, with its first partner.
  if (partner == 0) {
    for (int32_t u = a_.binaryCount(); u < a_.binaryCount() + a_.unaryCount(); ++u) {
      if (!tryOne(u, e, profile(e), e, nullptr)) return o;
    }
  }
  // The right operand in every rearrangement: the left one's can be undone
  // by rearranging the product.
  auto rightOf = [&](int32_t op, size_t l, size_t r) {
    if (!symmetry_) return tryOne(op, l, profile(r), r, nullptr);
    // The row is copied: a product added meanwhile may move the profiles.
    std::copy(profile(r), profile(r) + width(), rightRow_.begin());
    return symmetry_->forEachArrangement(
        rightRow_.data(), arranged_.data(), width(),
        [&](const int32_t* arranged, const uint8_t* pi) { return tryOne(op, l, arranged, r, pi); });
  };
  for (int32_t op = 0; op < a_.binaryCount(); ++op) {
    if (!rightOf(op, e, partner)) return o;
    if (partner != e && !rightOf(op, partner, e)) return o;
  }
  return o;
}

ProfileClosure::Outcome ProfileClosure::run(const std::function<bool(size_t)>& found, WorkPoll& poll) {
  if (!started_) {
    const Outcome o = start(found);
    if (o != Outcome::kComplete) return o;
  }
  for (; next_ < profiles_.size(); ++next_, partner_ = 0) {
    for (; partner_ <= next_; ++partner_) {
      // On resuming, this pair is combined again: what it made is known then.
      const Outcome o = combinePair(next_, partner_, found, poll);
      if (o != Outcome::kComplete) return o;
    }
  }
  return Outcome::kComplete;
}

WitnessTerm ProfileClosure::term(size_t i, std::string name) const {
  WitnessTerm t{std::move(name), arity_, {}};
  if (symmetry_) {
    std::map<std::string, int32_t> made;
    uint8_t identity[kMostSymmetricArguments];
    for (int32_t m = 0; m < arity_; ++m) identity[m] = static_cast<uint8_t>(m);
    termStep(i, identity, t, made);
    return t;
  }
  // The steps below i, in their order (children come before parents).
  std::vector<uint8_t> needed(i + 1, 0);
  needed[i] = 1;
  for (size_t k = i + 1; k-- > 0;) {
    if (!needed[k] || steps_[k].kind != WitnessStep::Kind::kOperation) continue;
    needed[static_cast<size_t>(steps_[k].left)] = 1;
    needed[static_cast<size_t>(steps_[k].right)] = 1;
  }
  std::vector<int32_t> renumbered(i + 1, -1);
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

int32_t ProfileClosure::termStep(size_t i, const uint8_t* alpha, WitnessTerm& t,
                                 std::map<std::string, int32_t>& made) const {
  const int32_t k = arity_;
  std::string key = std::to_string(i) + ":";
  key.append(reinterpret_cast<const char*>(alpha), static_cast<size_t>(k));
  if (const auto it = made.find(key); it != made.end()) return it->second;
  // Profile i's term is step o rho; composed with alpha, step o (alpha . rho).
  const uint8_t* pi = permutations_.data() + i * 2 * static_cast<size_t>(k);
  const uint8_t* rho = pi + k;
  uint8_t beta[kMostSymmetricArguments];
  composePermutations(alpha, rho, beta, k);
  WitnessStep s = steps_[i];
  switch (s.kind) {
    case WitnessStep::Kind::kVariable: s.index = beta[s.index]; break;
    case WitnessStep::Kind::kConstant: break;
    case WitnessStep::Kind::kOperation: {
      // f(l, r o pi) o beta = f(l o beta, r o (beta . pi)).
      const bool binary = s.index < a_.binaryCount();
      uint8_t gamma[kMostSymmetricArguments];
      composePermutations(beta, pi, gamma, k);
      const int32_t l = termStep(static_cast<size_t>(s.left), beta, t, made);
      const int32_t r = binary ? termStep(static_cast<size_t>(s.right), gamma, t, made) : -1;
      s.left = l;
      s.right = r;
      break;
    }
  }
  t.steps.push_back(s);
  return made[key] = static_cast<int32_t>(t.steps.size()) - 1;
}

}  // namespace kest
