# Warning flags for our own targets only, linked PRIVATE so hosts never inherit them.
add_library(wheretree_warnings INTERFACE)
target_compile_options(wheretree_warnings INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${WHERETREE_WERROR}>:-Werror>)
# g++ 12 with optimisation reports std::u16string copies and resizes inside libstdc++ as
# overlapping or endless (-Wrestrict, -Waggressive-loop-optimizations) on code that checks its
# sizes first, e.g. text.resize(text.size() - 3) after a size test; these are known compiler
# false positives, and with -Werror they would stop every Release build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(wheretree_warnings INTERFACE -Wno-restrict
                         -Wno-aggressive-loop-optimizations)
endif()
