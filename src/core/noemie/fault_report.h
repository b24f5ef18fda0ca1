#pragma once
// Faults met while reading a return file are data: the reader turns a code and a position
// into a FaultReport and hands it to a FaultReporter. The desktop viewer shows it in its
// error dialog, the export command prints one line, tests record it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace noemie {

struct FaultReport {
  int code = 0;                  // 0 to 12 (see fault_message)
  std::string description;       // the code's message and "\r\n", Windows-1252
  std::filesystem::path path;    // the file being read
  std::int64_t position = 0;     // where the fault lies (meaning depends on the code)
  std::int64_t start = -1;       // where the message starts in the file, -1 when not found
};

class FaultReporter {
 public:
  virtual ~FaultReporter() = default;
  virtual void report(const FaultReport& fault) = 0;
};

// The French message of a fault code (Windows-1252), empty outside 0 to 12.
std::string_view fault_message(int code);

// True for the codes that are never shown (9: file below 128 bytes, 10: empty file).
constexpr bool is_silent_fault(int code) { return code == 9 || code == 10; }

// Builds the report of a fault and hands it to `reporter`; silent codes are dropped.
void erreur_traitement(int code, std::int64_t position, const std::filesystem::path& path,
                       std::int64_t debut_detecte, FaultReporter& reporter);

}  // namespace noemie
