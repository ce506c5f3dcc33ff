// helpgen: the help source to BANCHIRO.HLP and its HTML pages, at build time.
#include <iostream>
#include <string>
#include <vector>

#include "help/helpgen.h"

int main(int argc, char** argv) {
  return banchiro::help::RunHelpgen(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
