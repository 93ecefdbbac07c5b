// random_lines SEED COUNT: prints COUNT seeded hostile lines for tsm exec
// (commands, parameter edits, extreme numbers, clicks, keys, garbage).

#include <cstdlib>
#include <iostream>
#include <string>

#include "support/random_lines.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: random_lines SEED COUNT\n";
    return 2;
  }
  const auto seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
  const long count = std::strtol(argv[2], nullptr, 10);
  ts::testing::RandomLines lines(seed);
  for (long i = 0; i < count; ++i) std::cout << lines.hostileLine() << '\n';
  return 0;
}
