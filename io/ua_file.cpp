#include "io/ua_file.h"

#include <pugixml.hpp>

#include <cctype>

#include "core/algebra_store.h"

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

// The comma-separated numbers of a row, appended to values.
bool readRow(std::string_view row, std::vector<int32_t>& values) {
  if (row.find_first_not_of(" \t\r\n") == std::string_view::npos) return true;  // the row of an empty algebra
  size_t start = 0;
  while (start <= row.size()) {
    const size_t comma = row.find(',', start);
    const std::string_view item = row.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const std::optional<int64_t> v = wholeNumber(item, INT32_MAX);
    if (!v) return false;
    values.push_back(static_cast<int32_t>(*v));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return true;
}

std::optional<ForeignAlgebra> readBasicAlgebra(const pugi::xml_node& algebra, std::string& why) {
  const pugi::xml_node basic = algebra.child("basicAlgebra");
  if (!basic) {
    const pugi::xml_node first = algebra.first_child();
    why = first ? std::string("a ") + first.name() + " is a derived algebra, which is not read" : "an empty <algebra>";
    return std::nullopt;
  }
  ForeignAlgebra a;
  a.name = basic.child_value("algName");
  const std::optional<int64_t> card = wholeNumber(basic.child_value("cardinality"), kMaxCardinality);
  if (!card) {
    why = "algebra " + a.name + ": the cardinality is not a number from 0 to " + std::to_string(kMaxCardinality);
    return std::nullopt;
  }
  a.card = *card;
  for (const pugi::xml_node& op : basic.child("operations").children("op")) {
    ForeignOperation f;
    f.name = op.child("opSymbol").child_value("opName");
    const std::optional<int64_t> arity = wholeNumber(op.child("opSymbol").child_value("arity"), 1000);
    if (!arity) {
      why = "operation " + f.name + ": the arity is not a number";
      return std::nullopt;
    }
    f.arity = static_cast<int32_t>(*arity);
    int32_t index = 0;
    for (const pugi::xml_node& row : op.child("opTable").child("intArray").children("row")) {
      // Rows stand in the order of their first argument, as r says.
      const pugi::xml_attribute r = row.attribute("r");
      if (r && std::string(r.value()) != "[" + std::to_string(index) + "]") {
        why = "operation " + f.name + ": row " + std::to_string(index) + " is marked " + r.value();
        return std::nullopt;
      }
      ++index;
      if (!readRow(row.child_value(), f.values)) {
        why = "operation " + f.name + ": a row holds something other than comma-separated numbers";
        return std::nullopt;
      }
    }
    a.operations.push_back(std::move(f));
  }
  return a;
}

}  // namespace

std::optional<std::vector<ForeignAlgebra>> readUaText(std::string_view text, std::string& why) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size());
  if (!parsed) {
    why = std::string("malformed XML at byte ") + std::to_string(parsed.offset) + ": " + parsed.description();
    return std::nullopt;
  }
  std::vector<pugi::xml_node> nodes;
  if (const pugi::xml_node list = doc.child("algebraList")) {
    for (const pugi::xml_node& a : list.children("algebra")) nodes.push_back(a);
  } else if (const pugi::xml_node a = doc.child("algebra")) {
    nodes.push_back(a);
  }
  if (nodes.empty()) {
    why = "no <algebra> or <algebraList> at the top";
    return std::nullopt;
  }
  std::vector<ForeignAlgebra> out;
  for (const pugi::xml_node& node : nodes) {
    std::optional<ForeignAlgebra> a = readBasicAlgebra(node, why);
    if (!a) return std::nullopt;
    out.push_back(std::move(*a));
  }
  return out;
}

std::string uaText(const Workspace& ws, int32_t k) {
  const Algebra& a = ws.algebras[static_cast<size_t>(k)];
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
