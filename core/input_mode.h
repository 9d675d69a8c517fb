// The input modes: what the command executor does with the panel's field
// texts when the user presses Enter. Each mode keeps the character that
// names it in the help text and in the executor's table (the signature is
// the blank, the subalgebra the zero character).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kest {

enum class InputMode : char {
  kSignature = ' ',
  kTermOrEquation = 'e',
  kConjunction = '&',
  kDisjunction = 'V',
  kImplication = 'I',
  kEquivalence = 'E',
  kNegation = 'N',
  kNewAlgebra = 'n',
  kLinear = 'l',
  kGraph = '>',
  kOrder = '<',
  kMeet = 'M',
  kJoin = 'J',
  kLattice = 'L',
  kSubalgebra = '\0',
  kProduct = 'p',
  kSubproduct = '2',
  kExtendMap = 'X',
  kFreeOverPartial = 'F',
  kFreeInHsp = 'G',
  kLines = 'B',
  kCongruence = 'c',
  kFactor = 'f',
  kSubuniverse = 'g',
  kCongruenceLattice = 'K',
  kSubuniverseLattice = 'U',
  kForeignMapping = 'O',
  // The Maltsev conditions that ask for K.
  kPermutableTest = 'Q',
  kDistributiveTest = 'D',
  kModularTest = 'H',
  kNearUnanimityTest = 'Y',
  kWeakNearUnanimityTest = 'W',
};

// The mode's index in a table of 256 entries.
inline constexpr size_t modeIndex(InputMode mode) { return static_cast<unsigned char>(mode); }

}  // namespace kest
