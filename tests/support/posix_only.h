#pragma once
// Tests of what only POSIX systems have are built there only: each sits between
//
//   #if NOEMIE_POSIX_ONLY  // <why it does not apply to Windows>
//   ...
//   #endif
//
// What they test has no counterpart on Windows, or one that other tests cover: named pipes,
// permission bits and the super-user, symbolic links (which need a privilege there), fork and
// signals. Everything else runs on both.
#ifdef _WIN32
#define NOEMIE_POSIX_ONLY 0
#else
#define NOEMIE_POSIX_ONLY 1
#endif
