#include "core/viewer/file_order.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

#include "core/decode/cell_format.h"
#include "core/text/c_text.h"
#include "core/viewer/sort.h"

namespace noemie::viewer {

std::vector<std::size_t> fichier_order(const std::vector<std::string_view>& names,
                                       const std::function<std::int64_t(std::size_t)>& file_time) {
  const std::size_t n = names.size();
  // What a "Fichier" text holds before its date depends on the name alone.
  const auto key = [](std::string_view text) { return text::first_chars(text, kTextKeyChars); };
  std::vector<std::string> heads(n);
  for (std::size_t i = 0; i < n; ++i) {
    heads[i] = decode::nom_fic_name(names[i]);
    heads[i] += decode::kNomFicDateOpening;
  }
  std::vector<std::optional<std::string>> texts(n);
  const auto text_of = [&](std::size_t i) -> std::string_view {
    if (!texts[i]) texts[i] = decode::format_nom_fic(names[i], file_time(i));
    return key(*texts[i]);
  };
  const auto less = [&](std::size_t a, std::size_t b) {
    const std::string_view head_a = key(heads[a]);
    const std::string_view head_b = key(heads[b]);
    const std::size_t common = std::min(head_a.size(), head_b.size());
    const auto [at_a, at_b] =
        std::mismatch(head_a.begin(), head_a.begin() + common, head_b.begin());
    if (at_a != head_a.begin() + common) {
      return static_cast<unsigned char>(*at_a) < static_cast<unsigned char>(*at_b);
    }
    // Texts cut before their dates are equal as a sort sees them.
    if (head_a.size() == kTextKeyChars && head_b.size() == kTextKeyChars) return false;
    return text_of(a) < text_of(b);
  };
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), less);
  return order;
}

}  // namespace noemie::viewer
