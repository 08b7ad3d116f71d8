# One interface target carries the warning flags (and sanitizers) for every target.
add_library(mv_warnings INTERFACE)
target_compile_options(mv_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
if(MV_WERROR)
  target_compile_options(mv_warnings INTERFACE -Werror)
endif()
if(MV_SANITIZE)
  target_compile_options(mv_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                               -fno-sanitize-recover=undefined)
  target_link_options(mv_warnings INTERFACE -fsanitize=address,undefined)
  # GCC's null checks make address comparisons non-constant, so compile-time table checks step
  # aside in these builds; the ordinary builds still make them.
  target_compile_definitions(mv_warnings INTERFACE MV_SANITIZE_BUILD)
endif()
