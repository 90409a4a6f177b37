# Warnings are set per target, never globally, so that third-party code (GoogleTest, Qt's
# generated sources) is compiled with its own settings.
function(zelm_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion)
  if(ZELM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
