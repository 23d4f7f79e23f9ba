// Loads the longest generated WHERE text with its table list and writes it back, N times (the
// argument, 1 by default): the road LoadAndWrite times, as a plain program for instruction
// counting under callgrind (scripts/count-instructions), which timing noise does not disturb.
#include <cstdlib>
#include <iostream>
#include <string>

#include "control/where_tree_view_control.h"
#include "where_text_generator.h"

int main(int argc, char** argv) {
  const long rounds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1;
  if (rounds < 0) {
    std::cerr << "usage: wheretree_load_write_loop [ROUNDS >= 0]\n";
    return 2;
  }
  const wheretree::bench::GeneratedWhere input =
      wheretree::bench::GenerateWhere(wheretree::bench::LargestFitting());
  wheretree::WhereTreeViewControl control;
  std::size_t written = 0;
  for (long i = 0; i < rounds; ++i) {
    std::u16string where = input.where;
    written += control.LoadWhereString(where, input.tables).size();
    written += control.CreateWhereString(2).size();
  }
  std::cout << rounds << " rounds, " << written << " characters written\n";
  return 0;
}
