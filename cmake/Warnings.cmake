# Strict warnings for the project's own targets only (not for third-party headers).
function(noemie_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # g++ 12 reports -Wrestrict inside libstdc++'s own std::string assignment at -O2 and above
  # (GCC bug 105329), for code that is correct; keep it a warning there, not an error.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-error=restrict)
  endif()
endfunction()
