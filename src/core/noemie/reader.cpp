#include "core/noemie/reader.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "core/noemie/file_loading.h"
#include "core/noemie/record_walk.h"

namespace noemie {
namespace {

// The header's `destinataire` of the funds whose 21x dates are written YYMMDD.
constexpr char kDestinataireSm[] = "SM00000005001051";
constexpr std::size_t kRunFrom = 96;  // where the run of spaces that ends the header is sought
constexpr int kRunLength = 21;

// Where the header starts, or the fault that says why it was not found.
struct StartDetection {
  bool found = false;
  std::size_t start = 0;
  int code = -1;
  std::int64_t position = 0;
};

StartDetection start_fault(int code, std::int64_t position) {
  return {false, 0, code, position};
}

// The header ends in a run of spaces: the first run of 21 spaces from position 96 on, and
// the first non-space after it, are taken to stand right after the header. The header then
// starts at its first "0" from 128 characters before that (never before the data), except
// that a "0" followed by "0" and another character is taken from the character before it
// ("1001..." starts at its "1", "0001..." at its first "0").
StartDetection detecte_debut(const unsigned char* data, std::size_t size) {
  if (size == 0) return start_fault(10, 0);
  if (size < kHeaderSize) return start_fault(9, static_cast<std::int64_t>(size));

  int count = 0;
  std::size_t i = kRunFrom;
  for (; i < size; ++i) {
    count = data[i] == ' ' ? count + 1 : 0;
    if (count == kRunLength) break;
  }
  if (count < kRunLength) return start_fault(11, count);  // the spaces that end the data

  std::size_t s = i + 1;
  while (s < size && data[s] == ' ') ++s;

  // The run may end less than 128 characters into the data: the header then starts at the
  // data's first character, and the search for its "0" goes on from there.
  std::size_t h = s >= kHeaderSize ? s - kHeaderSize : 0;
  while (h < size && data[h] != '0') ++h;
  if (size - h < kHeaderSize) return start_fault(9, static_cast<std::int64_t>(size - h));

  if (h > 0 && data[h + 1] == '0' && data[h + 2] != '0') --h;
  return {true, h, -1, 0};
}

bool is_euro_code(const char* devise) {
  static constexpr const char* kCodes[] = {"NU", " U", "0U", "N "};
  for (const char* c : kCodes) {
    if (std::memcmp(devise, c, 2) == 0) return true;
  }
  return false;
}

// Room for the entries a message of `window_size` bytes usually holds (a detail line and its
// separator take 118 bytes, and most entries take more), so that the array is allocated
// once rather than grown and copied again and again; a message that needs more still grows
// it. Reserving costs only address space until entries are written. When even that cannot
// be had, the array simply grows as it goes.
void reserve_entries(std::vector<ReturnEntry>& entries, std::size_t window_size) {
  constexpr std::size_t kBytesPerEntry = 118;
  try {
    entries.reserve(1 + window_size / kBytesPerEntry);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
}

}  // namespace

void NoemieReader::start_read(ReturnRecord& rec) {
  debut_detecte_ = -1;
  derniere_erreur_.reset();
  rec.valide = 0;
  rec.entrees.clear();
  rec.virements.clear();
  rec.der_entree = 0;
}

void NoemieReader::erreur(int code, std::int64_t position) {
  derniere_erreur_ = ParseFault{code, position};
  erreur_traitement(code, position, chemin_, debut_detecte_, reporter_);
}

void NoemieReader::lit_fichier_noemie(const std::filesystem::path& path, ReturnRecord& rec,
                                      bool abrege) {
  lit_fichier_noemie(path, nullptr, rec, abrege);
}

void NoemieReader::lit_fichier_noemie(const std::filesystem::path& path,
                                      const platform::FileStamp* listed, ReturnRecord& rec,
                                      bool abrege) {
  // Room kept for the next file: that of all but unusually long returns.
  constexpr std::size_t kKeptBufferBytes = std::size_t{4} << 20;
  chemin_ = path;
  file_time_ = 0;
  stamp_.reset();
  start_read(rec);
  std::size_t read = 0;
  try {
    const int code = load_file(path, listed, buffer_, read, file_time_, &stamp_);
    if (code >= 0) return erreur(code, 0);
  } catch (const std::bad_alloc&) {
    buffer_.trim(0);
    return erreur(1, 0);
  }
  lit_mem_noemie(buffer_.data(), read, rec, abrege);
  buffer_.trim(kKeptBufferBytes);
}

void NoemieReader::lit_mem_noemie(const unsigned char* data, std::size_t size, ReturnRecord& rec,
                                  bool abrege) {
  start_read(rec);
  const StartDetection start = detecte_debut(data, size);
  if (!start.found) return erreur(start.code, start.position);

  const std::size_t h = start.start;
  debut_detecte_ = static_cast<std::int64_t>(h);
  std::memcpy(rec.entete.data(), data + h, kHeaderSize);
  rec.euro = is_euro_code(rec.entete.data() + kDeviseOffset) ? 1 : 0;

  try {
    rec.entrees.emplace_back();
  } catch (const std::bad_alloc&) {
    return erreur(1, 0);  // not even one entry: nothing to list
  }
  reserve_entries(rec.entrees, size - h);
  const bool destinataire_sm =
      std::memcmp(rec.entete.data() + kDestinataireOffset, kDestinataireSm, 16) == 0;
  parsing::RecordWalk walk({data + h, size - h}, abrege, destinataire_sm, rec.entrees,
                           rec.virements);
  const parsing::WalkOutcome outcome = walk.run();
  rec.der_entree = static_cast<std::int32_t>(rec.entrees.size() - 1);
  rec.valide = outcome.valide;
  if (outcome.code >= 0) erreur(outcome.code, outcome.position);
}

}  // namespace noemie
