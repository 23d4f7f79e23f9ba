# Warning flags for our own targets only, linked PRIVATE so hosts never inherit them.
add_library(wheretree_warnings INTERFACE)
target_compile_options(wheretree_warnings INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${WHERETREE_WERROR}>:-Werror>)
# g++ 12 at -O2/-O3 reports overlapping copies inside libstdc++'s own std::basic_string code
# (e.g. for "\"" + std::string) that cannot happen (GCC bug 105651); the optimised builds would
# not compile with -Werror. Later g++ versions no longer report them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(wheretree_warnings INTERFACE -Wno-restrict)
endif()
