# Settings of a Windows build: wide (Unicode) Win32 calls unless a file asks for the ANSI
# ones by name, the Windows 10 API level, and no min/max macros from <windows.h>.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX
                        WIN32_LEAN_AND_MEAN)

# A cross build runs its programs here under Wine, in a private prefix inside the build
# folder, so that tests never touch the user's own Wine setup (~/.wine) or its registry.
if(CMAKE_CROSSCOMPILING)
  set(NOEMIE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH
      "Wine prefix in which the programs of a Windows cross build run")
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run
                                      ${NOEMIE_WINEPREFIX})
  endif()
endif()

# The native front end's dialogs, menu, icons and manifest are resource scripts.
enable_language(RC)
