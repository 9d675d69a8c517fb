#include "terms/term_parse.h"

#include "core/text_routines.h"
#include "terms/term_nodes.h"

namespace kest {

namespace {

bool isVariableChar(char c) { return c >= 'a' && c <= 'z'; }

class TermParser {
 public:
  TermParser(Workspace& ws, std::string_view text) : ws_(ws), sig_(ws.sig), text_(text) {}

  bool isTermLetter(char c) const { return c >= 'A' && c < 'A' + ws_.terms.namedTermCount(); }
  bool isOperand(char c) const { return isVariableChar(c) || isTermLetter(c) || sig_.isConstant(c); }

  bool allCharsAllowed(bool parentheses) const {
    for (char c : text_) {
      if (sig_.arity(c) >= 0 || isVariableChar(c) || isTermLetter(c)) continue;
      if (parentheses && (c == '(' || c == ')')) continue;
      return false;
    }
    return true;
  }

  // The node of a one-character operand, or -1.
  int32_t atom(char c) const {
    if (isVariableChar(c)) return c - 'a';
    if (isTermLetter(c)) return ws_.terms.namedTerms[static_cast<size_t>(c - 'A')];
    if (sig_.isConstant(c)) return constantNode(sig_.op(c) - sig_.binaryCount - sig_.unaryCount);
    return -1;
  }

  // Polish: parses from pos, sets used to the characters taken.
  int32_t polish(size_t pos, size_t& used) {
    if (pos >= text_.size()) return -1;
    const char c = text_[pos];
    if (const int32_t a = atom(c); a >= 0) {
      used = 1;
      return a;
    }
    const int32_t op = sig_.op(c);
    if (op < 0) return -1;
    size_t firstLen = 0;
    const int32_t first = polish(pos + 1, firstLen);
    if (first < 0) return -1;
    if (sig_.opArity[op] == 1) {
      used = firstLen + 1;
      return makeNode(ws_, op, first, first);
    }
    size_t secondLen = 0;
    const int32_t second = polish(pos + 1 + firstLen, secondLen);
    if (second < 0) return -1;
    used = firstLen + secondLen + 1;
    return makeNode(ws_, op, first, second);
  }

  // Bracket match restricted to the piece [from, to).
  int32_t match(size_t from, size_t to, size_t at) const {
    const int32_t m = matchBracket(text_.substr(from, to - from), static_cast<int32_t>(at - from));
    return m < 0 ? -1 : m + static_cast<int32_t>(from);
  }

  // Infix: the piece [from, to) of the text.
  int32_t infix(size_t from, size_t to) {
    for (;;) {
      if (to <= from) return -1;
      if (to - from == 1) return atom(text_[from]);
      const char last = text_[to - 1];
      if (!isOperand(last) && last != ')') return -1;
      size_t operandStart = to - 1;
      if (last == ')') {
        const int32_t open = match(from, to, to - 1);
        if (open < 0) return -1;
        if (static_cast<size_t>(open) == from) {
          ++from;
          --to;
          continue;
        }
        operandStart = static_cast<size_t>(open);
      }
      return split(from, to, operandStart);
    }
  }

  // The piece [from, to) whose last operand starts at operandStart.
  int32_t split(size_t from, size_t to, size_t operandStart) {
    size_t p = operandStart;
    while (p > from && sig_.isUnary(text_[p - 1])) --p;
    if (p == from) {
      const int32_t operand = infix(from + 1, to);
      return operand < 0 ? -1 : makeNode(ws_, sig_.op(text_[from]), operand, operand);
    }
    const size_t q = p - 1;  // just left of the unary prefix
    for (size_t j = q + 1; j-- > from;) {
      const char c = text_[j];
      if (c == ')') {
        const int32_t open = match(from, to, j);
        if (open < 0) return -1;
        j = static_cast<size_t>(open);
      } else if (c == '(') {
        return -1;
      } else if (sig_.isBinary(c)) {
        const int32_t l = infix(from, j);
        if (l < 0) return -1;
        const int32_t r = infix(j + 1, to);
        return r < 0 ? -1 : makeNode(ws_, sig_.op(c), l, r);
      }
    }
    const int32_t dot = sig_.op('.');
    if (dot < 0 || sig_.opArity[dot] != 2) return -1;
    const int32_t l = infix(from, q + 1);
    if (l < 0) return -1;
    const int32_t r = infix(q + 1, to);
    return r < 0 ? -1 : makeNode(ws_, dot, l, r);
  }

 private:
  Workspace& ws_;
  const Signature& sig_;
  std::string_view text_;
};

std::string_view cString(std::string_view text) {
  const size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

int32_t parseTermPolish(Workspace& ws, std::string_view text) {
  text = cString(text);
  TermParser parser(ws, text);
  if (!parser.allCharsAllowed(false)) return -1;
  size_t used = 0;
  const int32_t t = parser.polish(0, used);
  return (t >= 0 && used == text.size()) ? t : -1;
}

int32_t parseTermInfix(Workspace& ws, std::string_view text) {
  text = cString(text);
  TermParser parser(ws, text);
  if (!parser.allCharsAllowed(true)) return -1;
  return parser.infix(0, text.size());
}

int32_t parseTerm(Workspace& ws, std::string_view text) {
  return ws.polishNotation ? parseTermPolish(ws, text) : parseTermInfix(ws, text);
}

EquationSides parseEquation(Workspace& ws, std::string_view text) {
  text = cString(text);
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return {};
  EquationSides sides;
  sides.left = parseTerm(ws, text.substr(0, eq));
  if (sides.left < 0) return {};
  sides.right = parseTerm(ws, text.substr(eq + 1));
  if (sides.right < 0) return {};
  return sides;
}

}  // namespace kest
