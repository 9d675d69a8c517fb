// The script verbs. Each one does what the matching action in the window
// does, through the same command functions.
#include <ostream>
#include <vector>

#include "commands/cell_edit.h"
#include "commands/con_sub_commands.h"
#include "commands/condition_commands.h"
#include "commands/file_commands.h"
#include "commands/info_page.h"
#include "commands/key_commands.h"
#include "commands/key_dispatch.h"
#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "core/element_names.h"
#include "core/text_routines.h"
#include "io/algebra_text.h"
#include "script/script_context.h"
#include "terms/formulas.h"
#include "terms/term_print.h"

namespace kest {

namespace {

std::vector<std::string_view> words(std::string_view s) { return scriptWords(s); }

void printLines(ScriptContext& ctx, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) ctx.out << line << '\n';
}

// Opens the panel of a mode, types the text and presses Enter.
std::string panelCommand(ScriptContext& ctx, InputMode mode, std::string_view arg, bool allowEmpty = false) {
  if (arg.empty() && !allowEmpty) return "missing argument";
  // A command the signature does not offer does nothing, as its button.
  if (!openPanel(ctx.ws, mode)) return "";
  setFieldText(ctx.ws.panel, 0, arg);
  submitPanel(ctx.ws, ctx.progress);
  return "";
}

// con [STOP [FILE]] and sub [STOP [FILE]]: the lattice of the red-marked
// algebra, as its panel with STOP typed (the preset when none is given).
// With FILE, a list it made is written there whole, line by line.
std::string latticeVerb(ScriptContext& ctx, std::string_view arg, InputMode mode) {
  const std::vector<std::string_view> w = scriptWords(arg);
  if (w.size() > 2) return "expected: STOP [FILE]";
  const std::shared_ptr<const LatticeListing> before = ctx.ws.lastLattice.listing;
  openPanel(ctx.ws, mode);
  if (!w.empty()) setFieldText(ctx.ws.panel, 0, w[0]);
  submitPanel(ctx.ws, ctx.progress);
  if (w.size() == 2 && ctx.ws.lastLattice.listing && ctx.ws.lastLattice.listing != before) {
    saveLatticeList(ctx.ws, std::string(w[1]), ctx.progress);
  }
  return "";
}

// maltsev COND [K]: a Maltsev condition on the red-marked algebra.
std::string maltsevVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = scriptWords(arg);
  const ConditionInfo* info = w.empty() ? nullptr : findCondition(std::string(w[0]));
  if (!info) {
    std::string known;
    for (const ConditionInfo& c : conditionTable()) known += std::string(known.empty() ? "" : ", ") + c.word;
    return "expected: maltsev COND [K], COND one of " + known;
  }
  int32_t bound = info ? info->defaultK : 0;
  if (w.size() > 2) return "expected: maltsev COND [K]";
  if (w.size() == 2) {
    if (info->defaultK == 0) return std::string(info->word) + " takes no K";
    if (!readCount(w[1], bound)) return "expected a number K";
  }
  if (!ctx.ws.validAlgebra(ctx.ws.redMarked)) return "no algebra is marked red";
  conditionReport(ctx.ws, ctx.ws.redMarked, info->condition, bound, ctx.progress);
  return "";
}

std::string signatureVerb(ScriptContext& ctx, std::string_view arg) {
  if (ctx.signatureGiven) return "the signature is given once, before everything that needs it";
  showSignaturePrompt(ctx.ws);
  setFieldText(ctx.ws.panel, 0, arg);
  submitPanel(ctx.ws, ctx.progress);
  ctx.signatureGiven = true;
  return "";
}

std::string markVerb(ScriptContext& ctx, std::string_view arg, int32_t& mark) {
  const std::vector<std::string_view> w = words(arg);
  int32_t k = -1;
  if (w.size() != 1 || !readAlgebraNumber(ctx.ws, w[0], k)) return "expected one algebra number";
  mark = k;
  return "";
}

// The operation of a symbol word, or -1.
int32_t operationOfWord(const Workspace& ws, std::string_view word) {
  return word.size() == 1 ? ws.sig.op(word[0]) : -1;
}

std::string tableVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = words(arg);
  int32_t k = -1;
  if (w.size() < 2 || !readAlgebraNumber(ctx.ws, w[0], k)) return "expected: table K OP ROWS";
  const int32_t op = operationOfWord(ctx.ws, w[1]);
  if (op < 0) return "'" + std::string(w[1]) + "' is no operation symbol";
  Algebra& a = ctx.ws.algebra(k);
  const int32_t n = a.card;
  const int32_t arity = ctx.ws.sig.opArity[static_cast<size_t>(op)];
  const size_t rows = arity == 2 ? static_cast<size_t>(n) : 1;
  const size_t length = arity == 0 ? 1 : static_cast<size_t>(n);
  if (w.size() - 2 != rows) return "expected " + std::to_string(rows) + " rows";
  for (size_t r = 0; r < rows; ++r) {
    if (w[2 + r].size() != length)
      return "row " + std::to_string(r + 1) + " should have " + std::to_string(length) + " entries";
  }
  const TableLayout lay = ctx.ws.layout(k);
  const int64_t start = arity == 2   ? lay.binary(op, 0, 0)
                        : arity == 1 ? lay.unary(op, 0)
                                     : lay.constant(op - ctx.ws.sig.binaryCount - ctx.ws.sig.unaryCount);
  for (size_t r = 0; r < rows; ++r) {
    for (size_t c = 0; c < length; ++c) {
      const int32_t e = elementOfName(w[2 + r][c], ctx.ws.sig.maxNamedElements);
      a.table[static_cast<size_t>(start) + r * length + c] = (e >= 0 && e < n) ? e : -1;
    }
  }
  a.discardLatticeCoordinates();
  return "";
}

bool readElement(const Workspace& ws, int32_t k, std::string_view word, int32_t& e) {
  if (word.size() != 1) return false;
  e = elementOfName(word[0], ws.sig.maxNamedElements);
  return e >= 0 && e < ws.algebra(k).card;
}

std::string cellVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = words(arg);
  int32_t k = -1;
  if (w.size() < 3 || !readAlgebraNumber(ctx.ws, w[0], k)) return "expected: cell K OP [X [Y]] V";
  const int32_t op = operationOfWord(ctx.ws, w[1]);
  if (op < 0) return "'" + std::string(w[1]) + "' is no operation symbol";
  const int32_t arity = ctx.ws.sig.opArity[static_cast<size_t>(op)];
  if (w.size() != static_cast<size_t>(3 + arity))
    return "expected " + std::to_string(arity) + " element names and a key";
  TableCell cell{op, 0, 0};
  if (arity >= 1 && !readElement(ctx.ws, k, w[2], cell.i))
    return "'" + std::string(w[2]) + "' is no element of A" + std::to_string(k);
  if (arity == 2 && !readElement(ctx.ws, k, w[3], cell.j))
    return "'" + std::string(w[3]) + "' is no element of A" + std::to_string(k);
  const std::string_view key = w.back();
  if (key.size() != 1) return "the key is one character";
  editTableEntry(ctx.ws, k, cell, static_cast<unsigned char>(key[0]));
  return "";
}

std::string keyVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = words(arg);
  int32_t k = -1;
  if (w.size() < 2 || w[0].size() != 1 || !readAlgebraNumber(ctx.ws, w[1], k)) return "expected: key C K [TEXT]";
  const int32_t key = static_cast<unsigned char>(w[0][0]);
  // The pointer goes into K's top field, and the key through the dispatch.
  const Algebra& a = ctx.ws.algebra(k);
  ctx.ws.pointerX = a.x + 2;
  ctx.ws.pointerY = a.y + 2;
  dispatchKey(ctx.ws, key, ctx.progress);
  if (ctx.ws.binarySaveRequest >= 0) {
    ctx.ws.binarySaveRequest = -1;
    return "the key b asks for a file name: use save-binary K PATH";
  }
  // A key that opened the panel takes the rest of the line, then Enter.
  const size_t textStart = arg.find(w[1]) + w[1].size();
  const std::string_view text = skipBlanks(arg.substr(textStart));
  if (ctx.ws.panel.open) {
    setFieldText(ctx.ws.panel, 0, text);
    submitPanel(ctx.ws, ctx.progress);
  }
  return "";
}

std::string deleteVerb(ScriptContext& ctx, std::string_view arg) {
  const std::vector<std::string_view> w = words(arg);
  if (w.size() == 2 && w[0] == "term" && w[1].size() == 1 && w[1][0] >= 'A' && w[1][0] <= 'Z') {
    const int32_t i = w[1][0] - 'A';
    if (i < ctx.ws.terms.namedTermCount()) deleteListedRowAt(ctx.ws, 10 + 16 * i);
    return "";
  }
  int32_t j = 0;
  if (w.size() == 2 && w[0] == "formula" && readCount(w[1], j)) {
    if (j < ctx.ws.terms.formulaListCount()) deleteListedRowAt(ctx.ws, 10 + 16 * (ctx.ws.terms.namedTermCount() + j));
    return "";
  }
  return "expected: delete term LETTER, or delete formula NUMBER";
}

std::string noArgument(std::string_view arg) { return arg.empty() ? "" : "this verb takes no argument"; }

// A verb that presses a toolbar button and takes no argument.
std::string toolbarVerb(ScriptContext& ctx, std::string_view arg, int32_t command) {
  if (!arg.empty()) return noArgument(arg);
  runToolbarCommand(ctx.ws, command, ctx.progress);
  return "";
}

const Verb kVerbs[] = {
    {"signature", false, signatureVerb},
    {"term", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kTermOrEquation, a); }},
    {"equation", true,
     [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kTermOrEquation, a); }},
    {"and", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kConjunction, a); }},
    {"or", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kDisjunction, a); }},
    {"implies", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kImplication, a); }},
    {"iff", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kEquivalence, a); }},
    {"not", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kNegation, a); }},
    {"algebra", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kNewAlgebra, a); }},
    {"subalgebra", true,
     [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kSubalgebra, a, true); }},
    {"subproduct", true,
     [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kSubproduct, a, true); }},
    {"product", true, [](ScriptContext& c, std::string_view a) { return toolbarVerb(c, a, kCommandProduct); }},
    {"open", true,
     [](ScriptContext& c, std::string_view a) {
       if (a.empty()) return std::string("expected: open PATH [NAME=SYMBOL ...]");
       // A .ua or .mace4 path may be followed by a mapping of its operations.
       const size_t blank = a.find(' ');
       const std::string path(a.substr(0, blank));
       if (blank != std::string_view::npos && isForeignPath(path)) {
         openFile(c.ws, path, std::string(a.substr(blank + 1)), c.progress);
       } else {
         openFile(c.ws, std::string(a), "", c.progress);
       }
       return std::string();
     }},
    {"save", true,
     [](ScriptContext& c, std::string_view a) {
       if (a.empty()) return std::string("expected: save PATH");
       saveFile(c.ws, std::string(a));
       return std::string();
     }},
    {"save-binary", true,
     [](ScriptContext& c, std::string_view a) {
       const std::vector<std::string_view> w = words(a);
       int32_t k = -1;
       if (w.size() < 2 || !readAlgebraNumber(c.ws, w[0], k)) return std::string("expected: save-binary K PATH");
       const std::string_view path = skipBlanks(a.substr(a.find(w[0]) + w[0].size()));
       saveBinaryFile(c.ws, k, std::string(path));
       return std::string();
     }},
    {"embed", true, [](ScriptContext& c, std::string_view a) { return toolbarVerb(c, a, kCommandEmbed); }},
    {"extend", true,
     [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kExtendMap, a, true); }},
    {"free-partial", true,
     [](ScriptContext& c, std::string_view a) {
       const std::vector<std::string_view> w = words(a);
       if (w.size() > 1) return std::string("expected: free-partial [LIMIT]");
       openPanel(c.ws, InputMode::kFreeOverPartial);
       if (w.size() == 1) setFieldText(c.ws.panel, 0, w[0]);
       submitPanel(c.ws, c.progress);
       return std::string();
     }},
    {"free-hsp", true,
     [](ScriptContext& c, std::string_view a) {
       const std::vector<std::string_view> w = words(a);
       if (w.empty() || w.size() > 3) return std::string("expected: free-hsp N [STOP [TABLES]]");
       openPanel(c.ws, InputMode::kFreeInHsp);
       for (size_t i = 0; i < w.size(); ++i) setFieldText(c.ws.panel, static_cast<int32_t>(i), w[i]);
       submitPanel(c.ws, c.progress);
       return std::string();
     }},
    {"linear", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kLinear, a); }},
    {"graph", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kGraph, a); }},
    {"order", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kOrder, a); }},
    {"meet", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kMeet, a); }},
    {"join", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kJoin, a); }},
    {"lattice", true, [](ScriptContext& c, std::string_view a) { return panelCommand(c, InputMode::kLattice, a); }},
    {"con", true,
     [](ScriptContext& c, std::string_view a) { return latticeVerb(c, a, InputMode::kCongruenceLattice); }},
    {"sub", true,
     [](ScriptContext& c, std::string_view a) { return latticeVerb(c, a, InputMode::kSubuniverseLattice); }},
    {"maltsev", true, maltsevVerb},
    {"glue", true, [](ScriptContext& c, std::string_view a) { return toolbarVerb(c, a, kCommandGlue); }},
    {"red", true, [](ScriptContext& c, std::string_view a) { return markVerb(c, a, c.ws.redMarked); }},
    {"green", true, [](ScriptContext& c, std::string_view a) { return markVerb(c, a, c.ws.greenMarked); }},
    {"table", true, tableVerb},
    {"cell", true, cellVerb},
    {"key", true, keyVerb},
    {"delete", true, deleteVerb},
    {"polish", true, [](ScriptContext& c, std::string_view a) { return toolbarVerb(c, a, kCommandNotation); }},
    {"new", true, [](ScriptContext& c, std::string_view a) { return toolbarVerb(c, a, kCommandNew); }},
    {"page", true, pageVerb},
    {"pointer", true, pointerVerb},
    {"click", true, clickVerb},
    {"drag", true, dragVerb},
    {"press", true, pressVerb},
    {"draw", true, drawVerb},
    {"messages", true,
     [](ScriptContext& c, std::string_view a) {
       printLines(c, c.ws.messages.lines());
       return noArgument(a);
     }},
    {"list", true,
     [](ScriptContext& c, std::string_view a) {
       printLines(c, listingLines(c.ws));
       return noArgument(a);
     }},
    {"info", true,
     [](ScriptContext& c, std::string_view a) {
       printLines(c, infoPageLines(c.ws));
       return noArgument(a);
     }},
    {"show", true,
     [](ScriptContext& c, std::string_view a) {
       int32_t k = -1;
       if (!readAlgebraNumber(c.ws, a, k)) return std::string("expected one algebra number");
       printLines(c, algebraTextLines(c.ws, k));
       return std::string();
     }},
    {"marks", true,
     [](ScriptContext& c, std::string_view a) {
       c.out << "red " << c.ws.redMarked << " green " << c.ws.greenMarked << '\n';
       return noArgument(a);
     }},
    {"echo", false,
     [](ScriptContext& c, std::string_view a) {
       c.out << a << '\n';
       return std::string();
     }},
};

}  // namespace

const Verb* findVerb(std::string_view name) {
  for (const Verb& v : kVerbs) {
    if (name == v.name) return &v;
  }
  return nullptr;
}

bool readCount(std::string_view word, int32_t& value) {
  if (word.empty() || word.size() > 9) return false;
  value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::vector<std::string_view> scriptWords(std::string_view s) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

bool readCoordinate(std::string_view word, int32_t& value) {
  const bool negative = !word.empty() && word.front() == '-';
  if (negative) word.remove_prefix(1);
  if (!readCount(word, value)) return false;
  if (negative) value = -value;
  return true;
}

bool readAlgebraNumber(const Workspace& ws, std::string_view word, int32_t& k) {
  if (!word.empty() && word.front() == 'A') word.remove_prefix(1);
  return readCount(word, k) && ws.validAlgebra(k);
}

}  // namespace kest
