// kest: with --script FILE the commands of FILE ("-" for standard input)
// run headless; without arguments the window opens (when built with it).
#include <fstream>
#include <iostream>
#include <string>

#include "script/script_runner.h"
#include "script/sigint_progress.h"

#ifdef KEST_HAVE_GUI
int runWindow(int argc, char** argv);
#endif

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--script") {
    const std::string path = argv[2];
    kest::SigintProgress progress;
    if (path == "-") return kest::runScript(std::cin, "-", std::cout, std::cerr, progress);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      std::cerr << "kest: cannot open " << path << '\n';
      return 2;
    }
    return kest::runScript(file, path, std::cout, std::cerr, progress);
  }
#ifdef KEST_HAVE_GUI
  return runWindow(argc, argv);
#else
  if (argc == 1) {
    std::cerr << "kest: this build has no window; run kest --script FILE\n";
    return 1;
  }
  std::cerr << "usage: kest [--script FILE]\n";
  return 2;
#endif
}
