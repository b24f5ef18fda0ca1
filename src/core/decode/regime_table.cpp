#include "core/decode/regime_table.h"

#include <algorithm>

#include "core/decode/table_file.h"
#include "core/text/c_text.h"

namespace noemie::decode {
namespace {

// Offset of the first entry: the first bytes stay unused so that 0 means "no entry".
constexpr std::int32_t kFirstEntryOffset = 4;

// The section of the file text: after the first "[" up to the first "]" after it, or to the
// end when no "]" follows; nothing when there is no "[".
std::optional<std::string_view> find_section(std::string_view text) {
  const std::size_t open = text.find('[');
  if (open == std::string_view::npos) return std::nullopt;
  std::string_view section = text.substr(open + 1);
  const std::size_t close = section.find(']');
  if (close != std::string_view::npos) section = section.substr(0, close);
  return section;
}

}  // namespace

RegimeTable RegimeTable::from_text(std::string_view file_bytes) {
  RegimeTable table;
  table.load(file_bytes);
  return table;
}

void RegimeTable::init_liste_caisses(const std::filesystem::path& qvc_path,
                                     bool create_if_missing) {
  if (loaded()) return;
  const std::optional<std::string> bytes =
      read_table_file(qvc_path, kRegimeFileReadBytes, create_if_missing);
  load(bytes ? std::string_view(*bytes) : std::string_view());
}

void RegimeTable::load(std::string_view file_bytes) {
  liste_caisse_.assign(kFirstEntryOffset, '\0');
  liste_caisse_id_.fill(0);

  // The text read ends at its first NUL, as a zero-terminated buffer would.
  const std::optional<std::string_view> found = find_section(
      noemie::text::c_text(noemie::text::first_chars(file_bytes, kRegimeFileReadBytes)));
  if (!found) return;
  const std::string_view section = *found;
  liste_caisse_id_[0] = kFirstEntryOffset;

  std::size_t pos = 0;
  while (pos < section.size()) {
    const std::size_t equals = section.find('=', pos);
    // An entry needs its two regime characters inside the section.
    if (equals == std::string_view::npos || equals + 2 >= section.size()) break;
    // Two characters taken as digits without a check, as the file format reads them; a
    // regime outside 1 to 99 is read but never indexed.
    const int regime = (static_cast<unsigned char>(section[equals + 1]) - '0') * 10 +
                       (static_cast<unsigned char>(section[equals + 2]) - '0');
    pos = equals + 4;  // past the regime and the separator character

    const auto entry_offset = static_cast<std::int32_t>(liste_caisse_.size());
    if (regime >= 1 && regime <= 99) liste_caisse_id_[regime] = entry_offset;

    const std::size_t semicolon =
        std::min(section.find(';', std::min(pos, section.size())), section.size());
    if (pos < semicolon) liste_caisse_.append(section.substr(pos, semicolon - pos));
    liste_caisse_.push_back('\0');
    pos = semicolon + 1;

    const std::size_t carriage_return =
        std::min(section.find('\r', std::min(pos, section.size())), section.size());
    if (pos < carriage_return) liste_caisse_.append(section.substr(pos, carriage_return - pos));
    liste_caisse_.push_back('\0');
    pos = carriage_return + 1;

    liste_caisse_id_[0] = static_cast<std::int32_t>(liste_caisse_.size());
  }
}

std::optional<RegimeTable::Entry> RegimeTable::entry(int regime) const {
  if (regime < 1 || regime > 99) return std::nullopt;
  const std::int32_t offset = liste_caisse_id_[static_cast<std::size_t>(regime)];
  if (offset == 0) return std::nullopt;
  const std::string_view block(liste_caisse_);
  const std::string_view text_a = noemie::text::c_text(block.substr(offset));
  const std::string_view text_b = noemie::text::c_text(block.substr(offset + text_a.size() + 1));
  return Entry{text_a, text_b};
}

}  // namespace noemie::decode
