#include "io/ua_file.h"

#include <cctype>

#include "core/algebra_store.h"
#include "io/xml_scanner.h"

namespace kest {

namespace {

// A whole decimal number (blanks around it allowed), at most limit.
std::optional<int64_t> wholeNumber(std::string_view s, int64_t limit) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  if (s.empty() || s.size() > 18) return std::nullopt;
  int64_t v = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v <= limit ? std::optional<int64_t>(v) : std::nullopt;
}

// The comma-separated numbers of a row, appended to values: blanks may
// stand around each number, and a comma may end the row (UACalc's own
// files write "0, 1, 2, "). A blank row has no entries.
bool readRow(std::string_view row, std::vector<int32_t>& values) {
  if (row.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;
  size_t start = 0;
  while (start <= row.size()) {
    const size_t comma = row.find(',', start);
    const std::string_view item =
        row.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const bool last = comma == std::string_view::npos;
    if (last && start > 0 && item.find_first_not_of(" \t\r\n") == std::string_view::npos) break;  // a closing comma
    const std::optional<int64_t> v = wholeNumber(item, INT32_MAX);
    if (!v) return false;
    values.push_back(static_cast<int32_t>(*v));
    if (last) break;
    start = comma + 1;
  }
  return true;
}

// An operation as it is read: the rows are checked against the card as
// soon as both are known, so a wrong file is refused at its first wrong row.
struct OperationInProgress {
  ForeignOperation op;
  bool arityKnown = false;
  std::vector<int64_t> rowLengths;
};

// Walks the events of a .ua file. Every read* function is called just
// after the start of its element and returns after its end.
class UaReader {
 public:
  UaReader(std::string_view text, Progress& progress) : xml_(text), poll_(progress) {}

  std::optional<std::vector<ForeignAlgebra>> read(std::string& why) {
    std::vector<ForeignAlgebra> out;
    if (!nextStart())
      return refuse(why, xml_.error().empty() ? "no <algebra> or <algebraList> at the top" : xml_.error());
    const std::string root(xml_.name());
    if (root == "algebraList") {
      while (nextChild()) {
        if (xml_.name() != "algebra") {
          if (!skip()) return refuse(why, error_);
          continue;
        }
        if (!readAlgebra(out)) return refuse(why, error_);
      }
      if (!error_.empty()) return refuse(why, error_);
    } else if (root == "algebra") {
      if (!readAlgebra(out)) return refuse(why, error_);
    } else {
      return refuse(why, "no <algebra> or <algebraList> at the top");
    }
    XmlScanner::Event e;
    while ((e = xml_.next()) == XmlScanner::Event::kText) {
    }
    if (e != XmlScanner::Event::kDone) return refuse(why, xml_.error());
    if (out.empty()) return refuse(why, "no <algebra> or <algebraList> at the top");
    return out;
  }

 private:
  std::optional<std::vector<ForeignAlgebra>> refuse(std::string& why, const std::string& reason) {
    why = poll_.progress().stopped() ? "interrupted" : reason;
    return std::nullopt;
  }
  bool fail(const std::string& reason) {
    if (error_.empty()) error_ = reason;
    return false;
  }

  // The next start tag before the end of the element open now; false at
  // that end (consumed) or on an error (error_ set).
  bool nextChild() {
    for (;;) {
      switch (xml_.next()) {
        case XmlScanner::Event::kStart: return true;
        case XmlScanner::Event::kText: continue;
        case XmlScanner::Event::kEnd: return false;
        default: return fail(xml_.error());
      }
    }
  }
  bool nextStart() { return nextChild(); }

  // Consumes the rest of the element open now.
  bool skip() {
    const size_t depth = xml_.depth();
    while (xml_.depth() >= depth) {
      const XmlScanner::Event e = xml_.next();
      if (e == XmlScanner::Event::kError || e == XmlScanner::Event::kDone) return fail(xml_.error());
    }
    return true;
  }

  // The text of the element open now, nested elements skipped.
  std::optional<std::string> text() {
    std::string out;
    const size_t depth = xml_.depth();
    for (;;) {
      const XmlScanner::Event e = xml_.next();
      if (e == XmlScanner::Event::kText && xml_.depth() == depth)
        out += xml_.text();
      else if (e == XmlScanner::Event::kEnd && xml_.depth() < depth)
        return out;
      else if (e == XmlScanner::Event::kError || e == XmlScanner::Event::kDone)
        break;
    }
    fail(xml_.error());
    return std::nullopt;
  }

  bool readAlgebra(std::vector<ForeignAlgebra>& out) {
    std::string first;
    bool basic = false;
    while (nextChild()) {
      if (first.empty()) first = xml_.name();
      if (xml_.name() != "basicAlgebra" || basic) {
        if (!skip()) return false;
        continue;
      }
      basic = true;
      ForeignAlgebra a;
      if (!readBasic(a)) return false;
      out.push_back(std::move(a));
    }
    if (!error_.empty()) return false;
    if (!basic)
      return fail(first.empty() ? "an empty <algebra>" : "a " + first + " is a derived algebra, which is not read");
    return true;
  }

  bool readBasic(ForeignAlgebra& a) {
    card_ = -1;
    while (nextChild()) {
      const std::string_view name = xml_.name();
      if (name == "algName") {
        const std::optional<std::string> t = text();
        if (!t) return false;
        a.name = visibleName(*t);
      } else if (name == "cardinality") {
        const std::optional<std::string> t = text();
        if (!t) return false;
        const std::optional<int64_t> card = wholeNumber(*t, kMaxCardinality);
        if (!card) {
          return fail("algebra " + a.name + ": the cardinality is not a number from 0 to " +
                      std::to_string(kMaxCardinality));
        }
        a.card = card_ = *card;
        for (OperationInProgress& op : ops_) {
          if (!checkRows(op)) return false;
        }
      } else if (name == "operations") {
        if (!readOperations()) return false;
      } else if (!skip()) {
        return false;
      }
    }
    if (!error_.empty()) return false;
    if (card_ < 0)
      return fail("algebra " + a.name + ": the cardinality is not a number from 0 to " +
                  std::to_string(kMaxCardinality));
    for (OperationInProgress& op : ops_) a.operations.push_back(std::move(op.op));
    ops_.clear();
    return true;
  }

  bool readOperations() {
    while (nextChild()) {
      if (xml_.name() != "op") {
        if (!skip()) return false;
        continue;
      }
      ops_.emplace_back();
      if (!readOp(ops_.back())) return false;
    }
    return error_.empty();
  }

  bool readOp(OperationInProgress& op) {
    while (nextChild()) {
      const std::string_view name = xml_.name();
      if (name == "opSymbol") {
        while (nextChild()) {
          const std::string_view field = xml_.name();
          if (field != "opName" && field != "arity") {
            if (!skip()) return false;
            continue;
          }
          const bool isName = field == "opName";
          const std::optional<std::string> t = text();
          if (!t) return false;
          if (isName) {
            op.op.name = visibleName(*t);
            continue;
          }
          const std::optional<int64_t> arity = wholeNumber(*t, 1000);
          if (!arity) return fail("operation " + op.op.name + ": the arity is not a number");
          op.op.arity = static_cast<int32_t>(*arity);
          op.arityKnown = true;
        }
        if (!error_.empty()) return false;
      } else if (name == "opTable") {
        if (!readTable(op)) return false;
      } else if (!skip()) {
        return false;
      }
    }
    return error_.empty() && checkRows(op);
  }

  // The rows of <opTable><intArray>, each checked as it comes.
  bool readTable(OperationInProgress& op) {
    while (nextChild()) {
      if (xml_.name() != "intArray") {
        if (!skip()) return false;
        continue;
      }
      while (nextChild()) {
        if (xml_.name() != "row") {
          if (!skip()) return false;
          continue;
        }
        if (!readRowElement(op)) return false;
      }
      if (!error_.empty()) return false;
    }
    return error_.empty();
  }

  bool readRowElement(OperationInProgress& op) {
    // The rows of an operation of arity 3 or more are never used: it is
    // refused by its arity.
    const bool wanted = !op.arityKnown || op.op.arity <= 2;
    const std::optional<std::string> mark = xml_.attribute("r");
    const std::optional<std::string> t = text();
    if (!t) return false;
    if (!wanted) return true;
    const int32_t row = static_cast<int32_t>(op.rowLengths.size());
    if (op.arityKnown && op.op.arity == 2 && mark && *mark != "[" + std::to_string(row) + "]") {
      return fail("operation " + op.op.name + ": row " + std::to_string(row) + " is marked " + *mark);
    }
    const size_t before = op.op.values.size();
    if (!readRow(*t, op.op.values)) {
      return fail("operation " + op.op.name + ": a row holds something other than comma-separated numbers");
    }
    if (poll_.add(static_cast<int64_t>(t->size()) + 16)) return fail("interrupted");
    if (static_cast<int64_t>(op.op.values.size()) > kMaxTableEntries) {
      return fail("operation " + op.op.name + " has more entries than an algebra's tables may hold");
    }
    op.rowLengths.push_back(static_cast<int64_t>(op.op.values.size() - before));
    return checkRow(op, row);
  }

  // Row r against the card and the arity, when both are known: a table on
  // n elements has n rows of n (binary), one row of n (unary) or of one
  // entry (a constant).
  bool checkRow(const OperationInProgress& op, int32_t r) {
    if (card_ < 0 || !op.arityKnown || op.op.arity > 2) return true;
    const int64_t n = card_;
    const int64_t want = op.op.arity == 0 ? 1 : n;
    const int64_t rows = op.op.arity == 2 ? n : 1;
    const int64_t length = op.rowLengths[static_cast<size_t>(r)];
    if (n == 0 && length == 0) return true;  // the blank row of an empty algebra
    if (r >= rows) {
      return fail("operation " + op.op.name + " has more than " + std::to_string(rows) +
                  (rows == 1 ? " row" : " rows") + ", as its table on " + std::to_string(n) + " elements");
    }
    if (length != want) {
      return fail("operation " + op.op.name + ": row " + std::to_string(r) + " has " + std::to_string(length) +
                  " entries, a row of its table on " + std::to_string(n) + " elements " + std::to_string(want));
    }
    return true;
  }

  // Every row read so far, once the card or the arity has come.
  bool checkRows(const OperationInProgress& op) {
    for (size_t r = 0; r < op.rowLengths.size(); ++r) {
      if (!checkRow(op, static_cast<int32_t>(r))) return false;
    }
    return true;
  }

  XmlScanner xml_;
  WorkPoll poll_;
  std::string error_;
  int64_t card_ = -1;
  std::vector<OperationInProgress> ops_;
};

}  // namespace

std::optional<std::vector<ForeignAlgebra>> readUaText(std::string_view text, std::string& why, Progress& progress) {
  return UaReader(text, progress).read(why);
}

std::string uaText(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebra(k);
  const int32_t n = a.card;
  const TableLayout lay = ws.layout(k);
  std::string out = "<?xml version=\"1.0\"?>\n<algebra>\n  <basicAlgebra>\n";
  out += "    <algName>A" + std::to_string(k) + "</algName>\n";
  out += "    <cardinality>" + std::to_string(n) + "</cardinality>\n    <operations>\n";
  auto row = [&](int64_t at, int64_t count, const std::string& attribute) {
    out += "            <row" + attribute + ">";
    for (int64_t i = 0; i < count; ++i) {
      if (i > 0) out += ',';
      out += std::to_string(a.table[static_cast<size_t>(at + i)]);
    }
    out += "</row>\n";
  };
  const int32_t total = ws.sig.binaryCount + ws.sig.unaryCount + ws.sig.constantCount;
  for (int32_t op = 0; op < total; ++op) {
    const int32_t arity = op < ws.sig.binaryCount ? 2 : op < ws.sig.binaryCount + ws.sig.unaryCount ? 1 : 0;
    out += "      <op>\n        <opSymbol>\n          <opName>";
    out += ws.sig.opSymbol[static_cast<size_t>(op)];
    out += "</opName>\n          <arity>" + std::to_string(arity) + "</arity>\n        </opSymbol>\n";
    out += "        <opTable>\n          <intArray>\n";
    if (arity == 2) {
      for (int32_t x = 0; x < n; ++x) row(lay.binary(op, x, 0), n, " r=\"[" + std::to_string(x) + "]\"");
    } else if (arity == 1) {
      row(lay.unary(op, 0), n, "");
    } else {
      row(lay.constant(op - ws.sig.binaryCount - ws.sig.unaryCount), 1, "");
    }
    out += "          </intArray>\n        </opTable>\n      </op>\n";
  }
  out += "    </operations>\n  </basicAlgebra>\n</algebra>\n";
  return out;
}

}  // namespace kest
