#include "commands/condition_texts.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "conditions/linear_conditions.h"
#include "core/element_names.h"
#include "core/limits.h"
#include "terms/term_nodes.h"
#include "terms/term_print.h"

namespace kest {

namespace {

std::string algebra(int32_t k) { return "A" + std::to_string(k); }

// "2,097,152".
std::string grouped(int64_t v) {
  std::string digits = std::to_string(v);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), ",");
  return digits;
}

bool bounded(const ConditionReason& r) {
  if (r.kind == ConditionReason::Kind::kSubalgebra && r.inner) return bounded(*r.inner);
  return r.kind == ConditionReason::Kind::kBound;
}

std::string holdsText(const ConditionResult& r) {
  switch (r.condition) {
    case Condition::kMaltsev: return "has a Maltsev term";
    case Condition::kPermutable: return "is " + std::to_string(r.least) + "-permutable";
    case Condition::kDistributive:
      return "generates a congruence distributive variety: " + std::to_string(r.least + 1) + " Jonsson terms";
    case Condition::kModular:
      return "generates a congruence modular variety: " + std::to_string(r.least + 2) + " Gumm terms";
    case Condition::kMajority: return "has a majority term";
    case Condition::kMinority: return "has a minority term";
    case Condition::kPixley: return "has a Pixley term";
    case Condition::kNearUnanimity: return "has a " + std::to_string(r.k) + "-ary near-unanimity term";
    case Condition::kWeakNearUnanimity: return "has a " + std::to_string(r.k) + "-ary weak near-unanimity term";
    case Condition::kTaylor: return "has a Taylor term";
    case Condition::kSemilattice: return "has a semilattice term";
    case Condition::kSdMeet: return "generates a congruence meet-semidistributive variety";
    case Condition::kAll: break;
  }
  return "";
}

std::string failsText(const ConditionResult& r) {
  const std::string bound = " for n <= " + std::to_string(r.k);
  switch (r.condition) {
    case Condition::kMaltsev: return "has no Maltsev term";
    case Condition::kPermutable: return "is not n-permutable" + (bounded(r.reason) ? bound : std::string(" for any n"));
    case Condition::kDistributive:
      return "does not generate a congruence distributive variety" +
             (bounded(r.reason) ? ": no " + std::to_string(r.k + 1) + " Jonsson terms or fewer" : std::string());
    case Condition::kModular:
      return "does not generate a congruence modular variety" +
             (bounded(r.reason) ? ": no " + std::to_string(r.k) + " Gumm terms or fewer" : std::string());
    case Condition::kMajority: return "has no majority term";
    case Condition::kMinority: return "has no minority term";
    case Condition::kPixley: return "has no Pixley term";
    case Condition::kNearUnanimity: return "has no " + std::to_string(r.k) + "-ary near-unanimity term";
    case Condition::kWeakNearUnanimity: return "has no " + std::to_string(r.k) + "-ary weak near-unanimity term";
    case Condition::kTaylor: return "has no Taylor term";
    case Condition::kSemilattice: return "has no semilattice term";
    case Condition::kSdMeet: return "does not generate a congruence meet-semidistributive variety";
    case Condition::kAll: break;
  }
  return "";
}

// Variable v of a term of the given arity: x, y, z, u, v, w, then a, b, ...
char variableLetter(int32_t v) {
  static const char kFirst[] = "xyzuvw";
  return v < 6 ? kFirst[v] : static_cast<char>('a' + (v - 6));
}

std::string elements(const Workspace& ws, const std::vector<int32_t>& list, const std::vector<int32_t>* members) {
  std::string out;
  for (int32_t e : list)
    appendElementText(out, members ? (*members)[static_cast<size_t>(e)] : e, ws.sig.maxNamedElements);
  return out;
}

std::string tuple(const Workspace& ws, const std::vector<int32_t>& t, const std::vector<int32_t>* members) {
  std::string out = "(";
  for (size_t i = 0; i < t.size(); ++i) {
    if (i) out += ",";
    if (t[i] < 0)
      out += "_";
    else
      appendElementText(out, members ? (*members)[static_cast<size_t>(t[i])] : t[i], ws.sig.maxNamedElements);
  }
  return out + ")";
}

// "(a,a), (b,a), (b,b)".
std::string tuples(const Workspace& ws, const std::vector<std::vector<int32_t>>& list,
                   const std::vector<int32_t>* members) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) out += (i ? ", " : "") + tuple(ws, list[i], members);
  return out;
}

char letter(int32_t variable) { return "xyz"[variable]; }

// "F(2)^3", or "F(1) x F(2)^3" for instances in several spaces.
std::string powerText(const TermCondition& c) {
  std::string out;
  for (size_t j = 0; j < c.instances.size();) {
    size_t same = j;
    while (same < c.instances.size() && c.instances[same].space == c.instances[j].space) ++same;
    if (!out.empty()) out += " x ";
    out += "F(" + std::to_string(c.instances[j].space + 1) + ")";
    if (same - j > 1) out += "^" + std::to_string(same - j);
    j = same;
  }
  return out;
}

// The projections' profiles: "(x,x), (y,x), (y,y)".
std::string generatorsText(const TermCondition& c) {
  std::string out;
  for (int32_t i = 0; i < c.arity; ++i) {
    out += i ? ", (" : "(";
    for (size_t j = 0; j < c.instances.size(); ++j)
      out += std::string(j ? "," : "") + letter(c.instances[j].pattern[static_cast<size_t>(i)]);
    out += ")";
  }
  return out;
}

// What the condition asks a profile to be: variables where they are
// fixed, u where several must agree, _ where nothing is asked.
std::string targetText(const TermCondition& c, const std::function<std::string(size_t)>& fixed) {
  std::string out = "(";
  for (size_t j = 0; j < c.instances.size(); ++j) {
    if (j) out += ",";
    bool grouped = false;
    for (const std::vector<int32_t>& g : c.equal)
      grouped = grouped || std::find(g.begin(), g.end(), static_cast<int32_t>(j)) != g.end();
    out += c.target[j] >= 0 ? fixed(j) : grouped ? "u" : "_";
  }
  return out + ")";
}

std::string chainEnds(Condition c) {
  switch (c) {
    case Condition::kPermutable: return "from (x,x) to (y,y)";
    case Condition::kDistributive: return "from (x,x,x) to (x,y,y)";
    default: return "from (x,x,x) to a term q";
  }
}

std::string reasonText(const Workspace& ws, const ConditionResult& r, const ConditionReason& why, int32_t k,
                       const std::vector<int32_t>* members) {
  const std::optional<TermCondition> c = searchedCondition(r.condition, r.k);
  switch (why.kind) {
    case ConditionReason::Kind::kLocal: {
      const std::string target = targetText(*c, [&](size_t j) {
        std::string e;
        appendElementText(e, members ? (*members)[static_cast<size_t>(why.target[j])] : why.target[j],
                          ws.sig.maxNamedElements);
        return e;
      });
      return "the subalgebra of " + algebra(k) + "^" + std::to_string(why.power) + " generated by " +
             tuples(ws, why.tuples, members) + " has " + grouped(why.size) + " elements and holds no " + target;
    }
    case ConditionReason::Kind::kLocalChain: {
      const std::string end = r.condition == Condition::kModular ? "a term q" : tuple(ws, why.tuples[2], members);
      return "the subalgebra of " + algebra(k) + "^3 generated by " + tuples(ws, why.tuples, members) + " has " +
             grouped(why.size) + " elements and holds no chain from " + tuple(ws, why.tuples[0], members) + " to " +
             end;
    }
    case ConditionReason::Kind::kExhausted:
      if (r.condition == Condition::kSemilattice) {
        return "F(2) has " + grouped(why.size) + " elements and none of them is a semilattice operation";
      }
      if (r.condition == Condition::kSdMeet) {
        return "the 3-ary and 4-ary weak near-unanimity terms (" + grouped(why.size) +
               " profiles searched) have no w(y,x,x) = v(y,x,x,x) in common";
      }
      return "the subalgebra of " + powerText(*c) + " generated by " + generatorsText(*c) + " has " +
             grouped(why.size) + " elements and holds no " +
             targetText(*c, [&](size_t j) { return std::string(1, letter(c->target[j])); });
    case ConditionReason::Kind::kNoChain:
      return "the subalgebra of " + powerText(*c) + " generated by " + generatorsText(*c) + " has " +
             grouped(why.size) + " elements and holds no chain " + chainEnds(r.condition);
    case ConditionReason::Kind::kBound:
      return "in the subalgebra of " + powerText(*c) + " generated by " + generatorsText(*c) + " (" +
             grouped(why.size) + " elements) every chain " + chainEnds(r.condition) + " is longer";
    case ConditionReason::Kind::kAbelian:
      return "its subalgebra on " + elements(ws, why.members, members) +
             " is abelian, and a congruence meet-semidistributive variety has no abelian algebra of more than one "
             "element";
    case ConditionReason::Kind::kSubalgebra:
      return "its subalgebra on " + elements(ws, why.members, members) +
             " fails it: " + reasonText(ws, r, *why.inner, k, &why.members);
    case ConditionReason::Kind::kImplied: {
      ConditionResult weaker = r;
      weaker.condition = why.via;
      weaker.k = why.viaK;
      const std::string inner = reasonText(ws, weaker, *why.inner, k, members);
      if (why.via == Condition::kMaltsev) return "a minority term is a Maltsev term, and there is none: " + inner;
      const char* term = r.condition == Condition::kMajority ? "a majority term"
                         : r.condition == Condition::kPixley ? "a Pixley term"
                                                             : "a near-unanimity term";
      return std::string(term) + " would make the variety congruence distributive, and it is not: " + inner;
    }
    default: return "";
  }
}

}  // namespace

std::string verdictLine(const ConditionResult& r, int32_t k) {
  switch (r.verdict) {
    case Verdict::kHolds: return algebra(k) + " " + holdsText(r);
    case Verdict::kFails: return algebra(k) + " " + failsText(r);
    case Verdict::kUndecided:
      if (r.reason.kind == ConditionReason::Kind::kTooLarge) {
        return "Could not decide: the search outgrew " + grouped(r.reason.size) + " terms";
      }
      if (r.reason.kind == ConditionReason::Kind::kTooLong) {
        return "Could not decide: the search gave up after " + grouped(r.reason.products) + " products of its " +
               grouped(r.reason.size) + " terms";
      }
      return "Could not decide: the search was stopped";
  }
  return "";
}

std::string reasonLine(const Workspace& ws, const ConditionResult& r, int32_t k) {
  if (r.verdict != Verdict::kFails) return "";
  return "Why: " + reasonText(ws, r, r.reason, k, nullptr);
}

std::vector<std::string> termLines(Workspace& ws, const ConditionResult& r) {
  std::vector<std::string> lines;
  const bool polish = ws.polishNotation != 0;
  for (const WitnessTerm& t : r.terms) {
    std::vector<int32_t> node(t.steps.size());
    for (size_t i = 0; i < t.steps.size(); ++i) {
      const WitnessStep& s = t.steps[i];
      switch (s.kind) {
        case WitnessStep::Kind::kVariable: node[i] = variableLetter(s.index) - 'a'; break;
        case WitnessStep::Kind::kConstant: node[i] = constantNode(s.index); break;
        case WitnessStep::Kind::kOperation:
          node[i] = makeNode(ws, s.index, node[static_cast<size_t>(s.left)],
                             s.right < 0 ? 0 : node[static_cast<size_t>(s.right)]);
          break;
      }
    }
    std::string head = t.name + "(";
    for (int32_t v = 0; v < t.arity; ++v) head += std::string(v ? "," : "") + variableLetter(v);
    head += ") = ";
    lines.push_back(head + printWholeTermUpTo(ws, node.back(), polish, static_cast<size_t>(kMessageBufferBytes)));
  }
  return lines;
}

std::string contradictionLine(const std::vector<std::pair<Condition, Condition>>& contradictions) {
  if (contradictions.empty()) return "";
  std::string line = "The answers contradict";
  for (size_t i = 0; i < contradictions.size(); ++i) {
    line += std::string(i ? ", " : " ") + conditionInfo(contradictions[i].first).word + " => " +
            conditionInfo(contradictions[i].second).word;
  }
  return line;
}

}  // namespace kest
