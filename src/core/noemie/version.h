#pragma once
// The program's version numbers, shared by the window caption ("v1.1.3"), the error dialog
// ("V. 1.13") and the error report e-mail ("Ver.1.13").

#include <cstdio>
#include <string>

namespace noemie {

inline constexpr int kVersion = 1;      // major number
inline constexpr int kSubVersion = 1;   // minor number
inline constexpr int kSubVersion1 = 3;  // second minor digit, printed right after kSubVersion

// The viewer window's caption, "Affichage NOEMIE (ARL/ARX/RSP) v1.1.3" (Windows-1252, ASCII
// here). It is also the title of the HTML export.
inline std::string viewer_caption() {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "Affichage NOEMIE (ARL/ARX/RSP) v%d.%d.%d", kVersion,
                kSubVersion, kSubVersion1);
  return buffer;
}

}  // namespace noemie
