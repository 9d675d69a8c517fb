// UACalc's .ua files: <algebra><basicAlgebra> with <algName>, an optional
// <desc>, <cardinality> and <operations>, each <op> an <opSymbol> (<opName>,
// <arity>) and an <opTable><intArray> of <row>s of comma-separated element
// numbers (a binary table one row per first argument, r="[i]"; a unary or
// constant one a single row); several algebras in an <algebraList>.
// Derived algebras (products, quotients, subalgebras) are not read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "core/workspace.h"
#include "io/foreign_algebra.h"

namespace kest {

// The algebras of the file, or nothing with a reason. The file is read as
// a stream of XML events, so memory beyond the text is the tables'; a
// row of the wrong length refuses it at once, naming the row.
std::optional<std::vector<ForeignAlgebra>> readUaText(std::string_view text, std::string& why,
                                                      Progress& progress = noProgress());

// Algebra k (complete) as a .ua file: algName "A" and its number, each
// operation named by its symbol, in the signature's numbering.
std::string uaText(const Workspace& ws, int32_t k);

}  // namespace kest
