// The command ids of the toolbar buttons and menu entries: the numbers the
// window's actions carry, the toolbar table and the script verbs use.
#pragma once

#include <cstdint>

namespace kest {

// Pages and notation.
inline constexpr int32_t kCommandHelp = 32771;
inline constexpr int32_t kCommandInfo = 32772;
inline constexpr int32_t kCommandNotation = 32774;
inline constexpr int32_t kCommandDrawLattice = 32791;
inline constexpr int32_t kCommandDrawEmbedding = 32790;

// Terms, equations and formulas.
inline constexpr int32_t kCommandTermOrEquation = 32773;
inline constexpr int32_t kCommandConjunction = 32784;
inline constexpr int32_t kCommandDisjunction = 32785;
inline constexpr int32_t kCommandImplication = 32786;
inline constexpr int32_t kCommandEquivalence = 32787;
inline constexpr int32_t kCommandNegation = 32788;

// Algebras and their operations.
inline constexpr int32_t kCommandNewAlgebra = 32775;
inline constexpr int32_t kCommandLinear = 32783;
inline constexpr int32_t kCommandGraph = 32776;
inline constexpr int32_t kCommandOrder = 32779;
inline constexpr int32_t kCommandMeet = 32780;
inline constexpr int32_t kCommandJoin = 32781;
inline constexpr int32_t kCommandLattice = 32782;
inline constexpr int32_t kCommandGlue = 32794;

// Constructions and maps.
inline constexpr int32_t kCommandSubalgebra = 32777;
inline constexpr int32_t kCommandProduct = 32778;
inline constexpr int32_t kCommandSubproduct = 32798;
inline constexpr int32_t kCommandEmbed = 32799;
inline constexpr int32_t kCommandExtendMap = 32797;
inline constexpr int32_t kCommandFreeOverPartial = 32795;
inline constexpr int32_t kCommandFreeInHsp = 32796;

// Con(A), Sub(A) and the page of the last one listed (a toggle; the
// Lattices menu also shows it, and saves the whole list to a file whose
// name the front end asks for).
inline constexpr int32_t kCommandCongruenceLattice = 32800;
inline constexpr int32_t kCommandSubuniverseLattice = 32801;
inline constexpr int32_t kCommandComputedLatticePage = 32802;
inline constexpr int32_t kCommandShowLatticeDiagram = 32803;
inline constexpr int32_t kCommandSaveLatticeList = 32804;

// The Maltsev conditions: the first of a run of ids, one per condition in
// the order of conditions/maltsev_conditions.h's table.
inline constexpr int32_t kCommandFirstCondition = 32820;

// Files and the application.
inline constexpr int32_t kCommandNew = 57600;
inline constexpr int32_t kCommandOpen = 57601;
inline constexpr int32_t kCommandSaveAs = 57603;
inline constexpr int32_t kCommandAbout = 57664;

}  // namespace kest
