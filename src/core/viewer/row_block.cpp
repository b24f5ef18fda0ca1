#include "core/viewer/row_block.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "core/text/c_text.h"

namespace noemie::viewer {

using text::c_text;

namespace {

// True when `text` holds a NUL byte.
bool contains_nul(std::string_view text) {
  return text::first_nul(text.data(), text.size()) != text.size();
}

}  // namespace

EntryDetails details_of(const ReturnEntry& entry) {
  EntryDetails d;
  d.ref_virement1 = c_text(entry.ref_virement1);
  d.ref_virement2 = c_text(entry.ref_virement2);
  d.ref_virement3 = c_text(entry.ref_virement3);
  d.texte_retour = c_text(entry.texte_retour);
  d.date_lot = c_text(entry.date_lot);
  d.nature_assurance = c_text(entry.nature_assurance);
  d.type_retour = entry.type_retour;
  d.traitement_amc = entry.traitement_amc;
  d.type_facture = entry.type_facture;
  return d;
}

void RowBlock::share_cell(int column, std::string_view text) {
  if (column <= 0 || column >= kColumnCount) return;
  const std::string_view cell = c_text(text);
  const auto c = static_cast<std::size_t>(column);
  shared_begin_[c] = static_cast<std::uint32_t>(shared_text_.size());
  shared_size_[c] = static_cast<std::uint32_t>(cell.size());
  shared_text_ += cell;
  shared_mask_ |= 1u << column;
}

std::size_t RowBlock::add_row(const Cells& cells, const EntryDetails& details) {
  TextArray texts;
  for (int c = 1; c < kColumnCount; ++c) {
    const std::size_t slot = static_cast<std::size_t>(c - 1);
    texts[slot] = (shared_mask_ >> c) & 1u ? std::string_view()
                                           : std::string_view(cells[static_cast<std::size_t>(c)]);
  }
  constexpr std::size_t kDetails = kColumnCount - 1;
  texts[kDetails + 0] = details.ref_virement1;
  texts[kDetails + 1] = details.ref_virement2;
  texts[kDetails + 2] = details.ref_virement3;
  texts[kDetails + 3] = details.texte_retour;
  texts[kDetails + 4] = details.date_lot;
  texts[kDetails + 5] = details.nature_assurance;
  return append(texts, {details.type_retour, details.traitement_amc, details.type_facture});
}

std::size_t RowBlock::add_changed_row(const RowBlock& other, std::size_t row, int column,
                                      std::string_view text) {
  TextArray texts;
  for (std::size_t slot = 0; slot < kTexts; ++slot) {
    const int c = static_cast<int>(slot) + 1;
    // A shared cell of the other block becomes an ordinary cell here.
    texts[slot] = c < kColumnCount ? other.cell(row, c) : other.text(row, slot);
  }
  texts[static_cast<std::size_t>(column - 1)] = text;
  // The texts may lie in this very block's buffer, which appending can move: copy them first.
  std::string copy;
  for (const std::string_view t : texts) copy += t;
  std::size_t at = 0;
  for (std::string_view& t : texts) {
    const std::size_t size = t.size();
    t = std::string_view(copy).substr(at, size);
    at += size;
  }
  Codes codes = other.codes_[row];
  if (const BlockTransfer* transfer = other.transfer(row)) {
    transfers_.push_back(*transfer);
    codes.transfer = static_cast<std::int32_t>(transfers_.size() - 1);
  }
  return append(texts, codes);
}

std::size_t RowBlock::append(const TextArray& texts, const Codes& codes) {
  std::size_t total = 0;
  for (const std::string_view t : texts) total += t.size();
  RowWriter row(*this, total);
  for (const std::string_view t : texts) row.put(t);
  return row.end_row(codes.type_retour, codes.traitement_amc, codes.type_facture, codes.transfer);
}

void RowBlock::grow(std::size_t more) {
  if (more > std::numeric_limits<std::uint32_t>::max() - size_) {
    throw std::length_error("a block of rows holds at most 4 GB of text");
  }
  const std::size_t capacity = std::max(size_ + more, capacity_ + capacity_ / 2 + 64);
  auto texts = std::make_unique_for_overwrite<char[]>(capacity);
  if (size_ > 0) std::memcpy(texts.get(), texts_.get(), size_);
  texts_ = std::move(texts);
  capacity_ = capacity;
}

RowBlock::RowWriter::RowWriter(RowBlock& block, std::size_t max_bytes)
    : block_(block), max_bytes_(max_bytes) {
  if (block.capacity_ - block.size_ < max_bytes || !block.texts_) block.grow(max_bytes);
  start_ = end_ = block.texts_.get() + block.size_;
}

std::size_t RowBlock::RowWriter::end_row(std::int32_t type_retour, char traitement_amc,
                                         char type_facture, std::int32_t transfer) {
  const auto size = static_cast<std::size_t>(end_ - start_);
  if (count_ != kTexts || size > max_bytes_) {
    throw std::logic_error("a row has 22 texts within the room it took");
  }
  const Codes codes{type_retour, traitement_amc, type_facture, transfer};
  const std::string_view written(start_, size);
  const std::size_t start = block_.size_;
  if (!contains_nul(written)) {
    block_.size_ = start + size;
    try {
      return block_.record_row(start, ends_, codes);
    } catch (...) {
      block_.size_ = start;
      throw;
    }
  }
  // Rarely, a text holds a NUL: the row is made again from the texts cut there.
  const std::string copy(written);
  TextArray texts;
  std::uint32_t begin = 0;
  for (std::size_t slot = 0; slot < kTexts; ++slot) {
    texts[slot] = c_text(std::string_view(copy).substr(begin, ends_[slot] - begin));
    begin = ends_[slot];
  }
  return block_.append(texts, codes);
}

namespace {

// Calls `work` with a value of the unsigned type that ends of `width` bytes are stored as.
template <typename Work>
void with_end_type(std::uint8_t width, Work&& work) {
  switch (width) {
    case 1:
      work(std::uint8_t{});
      break;
    case 2:
      work(std::uint16_t{});
      break;
    default:
      work(std::uint32_t{});
  }
}

// Writes `ends` at `out`, each as an End. The pointers and the count are the function's own:
// stores through a byte pointer could change anything held in memory, a lambda's captures
// included, which would then be read again at every byte.
template <typename End>
void put_ends_as(std::uint8_t* out, const std::uint32_t* ends, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const auto end = static_cast<End>(ends[i]);
    std::memcpy(out + i * sizeof end, &end, sizeof end);
  }
}

// Writes `ends` at `out`, `width` bytes each.
void put_ends(std::uint8_t* out, const std::uint32_t* ends, std::size_t count, std::uint8_t width) {
  with_end_type(width, [=](auto type) { put_ends_as<decltype(type)>(out, ends, count); });
}

// Cells 1 to 16 of a row whose texts start at `base` and end as `ends` (each an End) say.
template <typename End>
void cut_cells(const char* base, const std::uint8_t* ends,
               std::array<std::string_view, kColumnCount>& out) {
  std::uint32_t begin = 0;
  for (std::size_t slot = 0; slot + 1 < kColumnCount; ++slot) {
    End end;
    std::memcpy(&end, ends + slot * sizeof end, sizeof end);
    out[slot + 1] = {base + begin, static_cast<std::size_t>(end - begin)};
    begin = end;
  }
}

}  // namespace

std::size_t RowBlock::record_row(std::size_t start, const Ends& ends, const Codes& codes) {
  const std::size_t total = size_ - start;
  const std::uint8_t width = total <= std::numeric_limits<std::uint8_t>::max()    ? 1
                             : total <= std::numeric_limits<std::uint16_t>::max() ? 2
                                                                                  : 4;
  if (width > end_width_) widen(width);
  const std::size_t row = starts_.size();
  try {
    const std::size_t at = ends_.size();
    ends_.resize(at + kTexts * end_width_);
    put_ends(&ends_[at], ends.data(), kTexts, end_width_);
    starts_.push_back(static_cast<std::uint32_t>(start));
    codes_.push_back(codes);
  } catch (...) {
    // A block that could not grow keeps the rows it had.
    ends_.resize(row * kTexts * end_width_);
    starts_.resize(row);
    codes_.resize(row);
    throw;
  }
  return row;
}

void RowBlock::widen(std::uint8_t width) {
  const std::size_t count = starts_.size() * kTexts;
  std::vector<std::uint32_t> ends(count);
  for (std::size_t at = 0; at < count; ++at) ends[at] = end_at(at);
  std::vector<std::uint8_t> wider(count * width);
  if (count > 0) put_ends(wider.data(), ends.data(), count, width);
  ends_ = std::move(wider);
  end_width_ = width;
}

RowBlock::RowBlock(const RowBlock& other)
    : size_(other.size_),
      capacity_(other.size_),
      starts_(other.starts_),
      ends_(other.ends_),
      end_width_(other.end_width_),
      codes_(other.codes_),
      shared_text_(other.shared_text_),
      transfers_(other.transfers_),
      shared_begin_(other.shared_begin_),
      shared_size_(other.shared_size_),
      shared_mask_(other.shared_mask_) {
  if (size_ > 0) {
    texts_ = std::make_unique_for_overwrite<char[]>(size_);
    std::memcpy(texts_.get(), other.texts_.get(), size_);
  }
}

void RowBlock::clear() {
  size_ = 0;
  starts_.clear();
  ends_.clear();
  end_width_ = 1;
  codes_.clear();
  shared_text_.clear();
  transfers_.clear();
  shared_mask_ = 0;
}

void RowBlock::cells(std::size_t row, std::array<std::string_view, kColumnCount>& out) const {
  const char* base = texts_.get() + starts_[row];
  out[0] = {};
  const std::uint8_t* ends = &ends_[row * kTexts * end_width_];
  with_end_type(end_width_, [&](auto type) { cut_cells<decltype(type)>(base, ends, out); });
  for (std::uint32_t mask = shared_mask_; mask != 0; mask &= mask - 1) {
    const int column = std::countr_zero(mask);
    out[static_cast<std::size_t>(column)] = shared(column);
  }
}

EntryDetails RowBlock::details(std::size_t row) const {
  constexpr std::size_t kDetails = kColumnCount - 1;
  EntryDetails d;
  d.ref_virement1 = text(row, kDetails + 0);
  d.ref_virement2 = text(row, kDetails + 1);
  d.ref_virement3 = text(row, kDetails + 2);
  d.texte_retour = text(row, kDetails + 3);
  d.date_lot = text(row, kDetails + 4);
  d.nature_assurance = text(row, kDetails + 5);
  const Codes& codes = codes_[row];
  d.type_retour = codes.type_retour;
  d.traitement_amc = codes.traitement_amc;
  d.type_facture = codes.type_facture;
  return d;
}

std::size_t RowBlock::memory_bytes() const {
  std::size_t bytes = sizeof(RowBlock) + capacity_ + starts_.capacity() * sizeof(std::uint32_t) +
                      ends_.capacity() + codes_.capacity() * sizeof(Codes);
  if (shared_text_.capacity() > 15) bytes += shared_text_.capacity() + 1;
  bytes += transfers_.capacity() * sizeof(BlockTransfer);
  for (const BlockTransfer& t : transfers_) {
    for (const std::string* text : {&t.file_name, &t.date, &t.reference}) {
      if (text->capacity() > 15) bytes += text->capacity() + 1;
    }
  }
  return bytes;
}

}  // namespace noemie::viewer
