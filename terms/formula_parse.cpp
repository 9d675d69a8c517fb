#include "terms/formula_parse.h"

#include "terms/term_parse.h"

namespace kest {

namespace {

class FormulaReader {
 public:
  FormulaReader(Workspace& ws, std::string_view text) : ws_(ws), text_(text) {}

  int32_t whole() {
    const int32_t f = formula();
    return pos_ == text_.size() ? f : -1;
  }

 private:
  int32_t add(int32_t kind, int32_t a, int32_t b) {
    ws_.terms.formulaKind.push_back(kind);
    ws_.terms.formulaA.push_back(a);
    ws_.terms.formulaB.push_back(b);
    return ws_.terms.formulaPoolCount() - 1;
  }

  bool accept(std::string_view token) {
    if (text_.substr(pos_, token.size()) != token) return false;
    pos_ += token.size();
    return true;
  }

  // The connective at the reading position, or -1.
  int32_t connective() {
    if (accept(" & ")) return kConjunction;
    if (accept(" V ")) return kDisjunction;
    if (accept(" -> ")) return kImplication;
    if (accept(" <-> ")) return kEquivalence;
    return -1;
  }

  int32_t formula() {
    int32_t left = operand();
    if (left < 0) return -1;
    const int32_t kind = connective();
    if (kind < 0) return left;
    int32_t right = operand();
    if (right < 0) return -1;
    left = add(kind, left, right);
    if (kind == kImplication || kind == kEquivalence) return left;
    for (;;) {
      const size_t before = pos_;
      const int32_t more = connective();
      if (more < 0) return left;
      if (more != kind) {
        pos_ = before;
        return -1;
      }
      right = operand();
      if (right < 0) return -1;
      left = add(kind, left, right);
    }
  }

  int32_t operand() {
    if (accept("!")) {
      const int32_t f = operand();
      return f < 0 ? -1 : add(kNegation, f, 0);
    }
    if (accept("(")) {
      const int32_t f = formula();
      return (f >= 0 && accept(")")) ? f : -1;
    }
    return equation();
  }

  int32_t equation() {
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != ')') ++pos_;
    const std::string_view eq = text_.substr(start, pos_ - start);
    const size_t sign = eq.find('=');
    if (sign == std::string_view::npos) return -1;
    const int32_t l = parseTermPolish(ws_, eq.substr(0, sign));
    const int32_t r = parseTermPolish(ws_, eq.substr(sign + 1));
    return (l < 0 || r < 0) ? -1 : add(kEquation, l, r);
  }

  Workspace& ws_;
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

int32_t parseFormulaPolish(Workspace& ws, std::string_view text) { return FormulaReader(ws, text).whole(); }

}  // namespace kest
