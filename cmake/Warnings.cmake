# Strict warnings for the project's own targets only (not for third-party headers).
function(noemie_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
