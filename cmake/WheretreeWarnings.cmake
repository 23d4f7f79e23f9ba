# Warning flags for our own targets only, linked PRIVATE so hosts never inherit them.
add_library(wheretree_warnings INTERFACE)
target_compile_options(wheretree_warnings INTERFACE -Wall -Wextra -Wpedantic
                       $<$<BOOL:${WHERETREE_WERROR}>:-Werror>)
