// Commands that run far longer than a test waits (from several seconds to
// hours), each after a setup of a few script lines, for the tests of
// stopping: Ctrl+C to a real process, and the gaps between polls.
#pragma once

#include <string>
#include <vector>

namespace kest::testing_support {

struct LongCommand {
  std::string name;
  std::string setup;    // script lines, each ending in a line break
  std::string command;  // one script line
};

// Each runs at least ten seconds on a fast machine.
std::vector<LongCommand> longCommands();

// Commands that may end within a second or two: stopping them must be as
// quick as stopping the long ones, and they must poll just as often.
std::vector<LongCommand> shorterCommands();

// A .t file of an n-element algebra in the signature "-": the cycle
// x -> x+1. Written once into the test's temporary folder.
std::string cycleFile(int n);

}  // namespace kest::testing_support
