// Models printed by Mace4: every interpretation( N, [...], [ function(...),
// ... ]) block is an algebra of N elements; a function's list holds its
// table row by row (function(*(_,_), [v0,...]), function(-(_), [...]),
// function(c, [v])). Relations and functions of arity 3 or more are
// refused with a reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/progress.h"
#include "io/foreign_algebra.h"

namespace kest {

// Only blocks where "interpretation(" begins a line outside a % comment are
// read: the echoed input before them may hold the word anywhere.
std::optional<std::vector<ForeignAlgebra>> readMace4Text(std::string_view text, std::string& why,
                                                         Progress& progress = noProgress());

}  // namespace kest
