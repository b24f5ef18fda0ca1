#pragma once
// The program's version numbers (1, 1, 3), as the caption and the error dialog print them.
// They come from the CMake project version.

#include <QString>

namespace noemie::gui {

inline constexpr int kVersionMajor = NOEMIE_VERSION_MAJOR;
inline constexpr int kVersionMinor = NOEMIE_VERSION_MINOR;
inline constexpr int kVersionPatch = NOEMIE_VERSION_PATCH;

// The error dialog's form "V. %d.%d%d": V. 1.13.
inline QString dialog_version_text() {
  return QStringLiteral("V. %1.%2%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch);
}

}  // namespace noemie::gui
