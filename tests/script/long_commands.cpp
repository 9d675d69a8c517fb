#include "tests/script/long_commands.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kest::testing_support {

namespace {

const std::string kZ3000 = "signature +\nalgebra 3000\nlinear + 1 1 0\n";
// Z_2999 (2999 is prime) does not embed into Z_3000, and the search
// closes the subgroup of every candidate to learn it.
const std::string kZ2999IntoZ3000 = kZ3000 + "algebra 2999\nred 1\nlinear + 1 1 0\ngreen 0\n";
const std::string kPartial3000 = "signature .\nalgebra 3000\nlinear . 1 0 0\nequation (xy)z=x(yz)\ncell 0 . a a .\n";

std::string chainLattice3000() {
  // A 62-element chain, glued on top of itself until it passes 3000.
  std::string names;
  for (char c = 'a'; c <= 'z'; ++c) names += c;
  for (char c = 'A'; c <= 'Z'; ++c) names += c;
  for (char c = '0'; c <= '9'; ++c) names += c;
  std::string s = "signature L\nalgebra 62\nlattice " + names + "\n";
  for (int k = 0; k < 49; ++k) s += "red " + std::to_string(k) + "\ngreen 0\nglue\n";
  return s + "red 49\n";
}

}  // namespace

std::string cycleFile(int n) {
  const std::string path = ::testing::TempDir() + "kest_cycle_" + std::to_string(n) + ".t";
  std::ofstream out(path, std::ios::binary);
  out << "1 0 0 1\r\n-\r\n" << n << "\r\n";
  for (int x = 0; x < n; ++x) out << ' ' << (x + 1) % n;
  out << "\r\n";
  return path;
}

std::vector<LongCommand> longCommands() {
  const std::string cycle = cycleFile(3000);
  return {
      {"key a on Z_3000", kZ3000, "key a 0"},
      {"key e, Z_2999 into Z_3000", kZ2999IntoZ3000, "key e 1"},
      {"embed, Z_2999 into Z_3000", kZ2999IntoZ3000, "embed"},
      {"key x on a 3000-element partial algebra", kPartial3000, "key x 0"},
      {"free-partial 2147483647", kPartial3000, "free-partial 2147483647"},
      {"free-partial 5000 with no entry defined", "signature .\nalgebra 3000\n", "free-partial 5000"},
      {"key i on 9,000,000 elements", "signature -\nopen " + cycle + "\nopen " + cycle + "\nred 0\ngreen 1\nproduct\n",
       "key i 2"},
  };
}

std::vector<LongCommand> shorterCommands() {
  return {
      {"key i on 2x+y+1 over Z_3000", "signature +\nalgebra 3000\nlinear + 2 1 1\n", "key i 0"},
      {"key l on a 3000-element chain", chainLattice3000(), "key l 49"},
      {"con on Z_3000", kZ3000, "con"},
      {"sub on Z_3000", kZ3000, "sub"},
      {"con on the 12-element left-zero band", "signature .\nalgebra 12\nlinear . 1 0 0\n", "con"},
      {"sub on 62 elements with no entry defined", "signature .\nalgebra 62\n", "sub"},
      {"con on the 1000-element left-zero band", "signature .\nalgebra 1000\nlinear . 1 0 0\n", "con"},
      {"key c on Z_3000 x Z_7", kZ3000 + "algebra 7\nlinear + 1 1 0\nred 0\ngreen 1\nproduct\n", "key c 2 ab"},
      // A clone so large that the search for a Maltsev term meets millions of terms.
      // Z_3000's subgroups make many one-generated subalgebras to close and search.
      {"maltsev all on Z_3000", kZ3000, "maltsev all"},
      {"maltsev on a 3-element algebra", "signature . +\nalgebra 3\ntable 0 . ccc abb cab\ntable 0 + aba bcc cbb\n",
       "maltsev maltsev"},
  };
}

}  // namespace kest::testing_support
