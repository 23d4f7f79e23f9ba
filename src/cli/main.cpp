// wheretree: loads a WHERE clause with its table list, takes the joins out and prints them with
// the rest of the WHERE text (see --help).

#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "cli/cli_run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  wheretree::cli::Environment env;
  env.stdin_is_terminal = isatty(STDIN_FILENO) == 1;
  env.stdout_is_terminal = isatty(STDOUT_FILENO) == 1;
  env.lc_all = std::getenv("LC_ALL");
  env.lc_ctype = std::getenv("LC_CTYPE");
  env.lang = std::getenv("LANG");
  const int status = wheretree::cli::RunCli(argc, argv, std::cout, std::cerr, env);
  std::cout.flush();
  return std::cout ? status : 1;
}
