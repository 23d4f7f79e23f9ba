#pragma once

// Generated inputs of a realistic shape and a chosen size, for the benchmarks and the
// resource-limit tests: a WHERE text of N conditions with the AML table list it refers to.
//
//   GeneratedWhere w = GenerateWhere(10);
//   w.where  -> u"t0.REF_ID = t1.ID(+) And t1.AMOUNT > 3 And ..."
//   w.tables -> u"<T>TABLE_0<AA>t0<AA><PP>ID,REF_ID,NAME,AMOUNT<PP><T>..."

#include <cstddef>
#include <cstdint>
#include <string>

namespace wheretree::bench {

struct GeneratedWhere {
  std::u16string where;   ///< the WHERE text, without the word WHERE
  std::u16string tables;  ///< the AML table list of the tables the text names
  std::size_t joins = 0;  ///< conditions that compare fields of two declared tables
};

/// A WHERE text of `conditions` conditions over about conditions / 5 tables: joins between
/// neighbouring tables with "(+)" on either side or none, comparisons with constants, IN, LIKE,
/// BETWEEN and bracketed OR groups, joined by " And ". The same count always gives the same text.
GeneratedWhere GenerateWhere(std::size_t conditions);

/// The most conditions GenerateWhere can take while its WHERE text stays within `limit`
/// characters (32767 by default, the longest text a load accepts).
std::size_t LargestFitting(std::size_t limit = 32767);

}  // namespace wheretree::bench
