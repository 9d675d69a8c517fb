#include "terms/term_print.h"

#include "core/text_routines.h"

namespace kest {

namespace {

// Appends at most about most characters (a term with shared subterms can
// print far longer than its node count).
void appendTerm(const Workspace& ws, int32_t t, bool polish, std::string& out, size_t most = SIZE_MAX) {
  if (out.size() > most) return;
  const TermStore& ts = ws.terms;
  if (isVariableNode(t)) {
    out += static_cast<char>('a' + t);
    return;
  }
  if (t < ts.firstCompoundNode) {
    out += ws.sig.opSymbol[static_cast<size_t>(ws.sig.binaryCount + ws.sig.unaryCount + constantOfNode(t))];
    return;
  }
  const int32_t op = ts.nodeOp[static_cast<size_t>(t)];
  const char symbol = ws.sig.opSymbol[static_cast<size_t>(op)];
  const int32_t left = ts.nodeLeft[static_cast<size_t>(t)];
  const bool binary = ws.sig.opArity[static_cast<size_t>(op)] == 2;
  if (polish) {
    out += symbol;
    appendTerm(ws, left, polish, out, most);
    if (binary) appendTerm(ws, ts.nodeRight[static_cast<size_t>(t)], polish, out, most);
    return;
  }
  out += '(';
  if (binary) {
    appendTerm(ws, left, polish, out, most);
    if (symbol != '.') out += symbol;
    appendTerm(ws, ts.nodeRight[static_cast<size_t>(t)], polish, out, most);
  } else {
    out += symbol;
    appendTerm(ws, left, polish, out, most);
  }
  out += ')';
}

const char* connectiveText(int32_t kind) {
  switch (kind) {
    case kConjunction: return " & ";
    case kDisjunction: return " V ";
    case kImplication: return " -> ";
    case kEquivalence: return " <-> ";
    default: return "";
  }
}

void appendFormula(const Workspace& ws, int32_t f, bool polish, std::string& out);

void appendOperand(const Workspace& ws, int32_t parentKind, int32_t f, bool polish, std::string& out) {
  const int32_t kind = ws.terms.formulaKind[static_cast<size_t>(f)];
  const bool bare =
      kind == kEquation || (kind == parentKind && (parentKind == kConjunction || parentKind == kDisjunction));
  if (!bare) out += '(';
  appendFormula(ws, f, polish, out);
  if (!bare) out += ')';
}

void appendFormula(const Workspace& ws, int32_t f, bool polish, std::string& out) {
  const TermStore& ts = ws.terms;
  const int32_t kind = ts.formulaKind[static_cast<size_t>(f)];
  const int32_t a = ts.formulaA[static_cast<size_t>(f)];
  const int32_t b = ts.formulaB[static_cast<size_t>(f)];
  if (kind == kEquation) {
    out += printWholeTerm(ws, a, polish);
    out += '=';
    out += printWholeTerm(ws, b, polish);
  } else if (kind == kNegation) {
    out += '!';
    appendOperand(ws, kind, a, polish, out);
  } else {
    appendOperand(ws, kind, a, polish, out);
    out += connectiveText(kind);
    appendOperand(ws, kind, b, polish, out);
  }
}

}  // namespace

std::string printTermPolish(const Workspace& ws, int32_t t) {
  std::string out;
  appendTerm(ws, t, true, out);
  return out;
}

std::string printTermInfix(const Workspace& ws, int32_t t) {
  std::string out;
  appendTerm(ws, t, false, out);
  return out;
}

std::string stripOuterParentheses(std::string text) {
  if (!text.empty() && text.front() == '(' && matchBracket(text, 0) == static_cast<int32_t>(text.size()) - 1) {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

std::string printWholeTerm(const Workspace& ws, int32_t t, bool polish) {
  return stripOuterParentheses(polish ? printTermPolish(ws, t) : printTermInfix(ws, t));
}

std::string printWholeTermUpTo(const Workspace& ws, int32_t t, bool polish, size_t most) {
  std::string out;
  appendTerm(ws, t, polish, out, most);
  if (out.size() <= most) return polish ? out : stripOuterParentheses(out);
  out.resize(most);
  return out + "...";
}

std::string printFormula(const Workspace& ws, int32_t f, bool polish) {
  std::string out;
  appendFormula(ws, f, polish, out);
  return out;
}

std::vector<std::string> listingLines(const Workspace& ws) {
  std::vector<std::string> lines;
  const bool polish = ws.polishNotation != 0;
  for (int32_t i = 0; i < ws.terms.namedTermCount(); ++i) {
    lines.push_back(std::string(1, static_cast<char>('A' + i)) + "   " +
                    printWholeTerm(ws, ws.terms.namedTerms[static_cast<size_t>(i)], polish));
  }
  for (int32_t j = 0; j < ws.terms.formulaListCount(); ++j) {
    lines.push_back("E" + std::to_string(j) + "  " +
                    printFormula(ws, ws.terms.formulaList[static_cast<size_t>(j)], polish));
  }
  return lines;
}

}  // namespace kest
