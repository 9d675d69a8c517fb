// kest: with --script FILE the commands of FILE ("-" for standard input)
// run headless; without arguments the window opens (when built with it).
#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <string>

#include "core/allocator_tuning.h"
#include "script/script_runner.h"
#include "script/sigint_progress.h"

#ifdef KEST_HAVE_GUI
int runWindow(int argc, char** argv);
#endif

namespace {

constexpr const char* kUsage = "usage: kest [--script FILE]   (FILE - reads standard input)\n";

int runScriptFile(const std::string& path) {
  kest::SigintProgress progress;
  if (path == "-") return kest::runScript(std::cin, "-", std::cout, std::cerr, progress);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::cerr << "kest: " << path << " is a directory, not a script\n";
    return 2;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << "kest: cannot open " << path << '\n';
    return 2;
  }
  return kest::runScript(file, path, std::cout, std::cerr, progress);
}

}  // namespace

int main(int argc, char** argv) {
  kest::keepFreedMemoryForReuse();
  bool scriptMode = false;
  for (int i = 1; i < argc; ++i) scriptMode |= std::string(argv[i]) == "--script";
  if (scriptMode) {
    if (argc != 3 || std::string(argv[1]) != "--script") {
      std::cerr << kUsage;
      return 2;
    }
    return runScriptFile(argv[2]);
  }
#ifdef KEST_HAVE_GUI
  return runWindow(argc, argv);
#else
  if (argc == 1) {
    std::cerr << "kest: this build has no window; run kest --script FILE\n";
    return 1;
  }
  std::cerr << kUsage;
  return 2;
#endif
}
