// Seeded random inputs for property tests and benchmarks: algebras with
// complete or partial tables, and terms and formulas over a signature.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "core/workspace.h"

namespace kest::oracle {

// A workspace with the signature already parsed from text.
Workspace workspaceWithSignature(const std::string& text);

// Appends an algebra of card n with random entries; each entry is
// undefined with probability undefinedShare. Honors the idempotent and
// commutative flags. Returns its index.
int32_t addRandomAlgebra(Workspace& ws, int32_t n, double undefinedShare, std::mt19937& rng);

// Z_n in the signature "+ - $" with the group laws listed.
int32_t addCyclicGroupWithLaws(Workspace& ws, int32_t n);

// A random term with about size operation symbols over the variables
// 0, stride, 2*stride, ... (variables of them; stride 2 leaves gaps).
int32_t randomTerm(Workspace& ws, int32_t variables, int32_t size, std::mt19937& rng, int32_t stride = 1);

// Parses an equation in the current notation and lists it; false when it
// does not parse.
bool addEquationText(Workspace& ws, const char* text);

// A random formula: an equation, or a connective over random formulas up
// to the given depth. Returns its pool id (it is listed too).
int32_t randomFormula(Workspace& ws, int32_t variables, int32_t depth, std::mt19937& rng);

}  // namespace kest::oracle
