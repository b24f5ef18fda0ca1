#include "support/return_file_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace noemie::testing {
namespace {

constexpr std::size_t kHeaderSize = 128;

std::string two_digits(int level) {
  if (level < 0 || level > 99) throw std::invalid_argument("a level has 2 digits");
  return {static_cast<char>('0' + level / 10), static_cast<char>('0' + level % 10)};
}

std::string type_of(int family, int third) {
  if (third < 0 || third > 9) throw std::invalid_argument("a type's third digit is 0 to 9");
  return two_digits(family) + static_cast<char>('0' + third);
}

}  // namespace

Record::Record(std::string_view type, int level, std::size_t length)
    : bytes_(std::max<std::size_t>(length, 5), ' ') {
  if (type.size() != 3) throw std::invalid_argument("a record type has 3 characters");
  bytes_.replace(0, 3, type);
  bytes_.replace(3, 2, two_digits(level));
}

Record Record::raw(std::string_view bytes) {
  Record r;
  r.bytes_ = std::string(bytes);
  return r;
}

void Record::reach(std::size_t end) {
  if (bytes_.size() < end) bytes_.resize(end, ' ');
}

Record& Record::text(std::size_t offset, std::string_view value) {
  reach(offset + value.size());
  bytes_.replace(offset, value.size(), value);
  return *this;
}

Record& Record::text(std::size_t offset, std::size_t width, std::string_view value) {
  std::string padded(value.substr(0, std::min(width, value.size())));
  padded.resize(width, ' ');
  return text(offset, padded);
}

Record& Record::number(std::size_t offset, std::size_t width, std::int64_t value) {
  if (value < 0) throw std::invalid_argument("a number field holds digits only");
  std::string digits = std::to_string(value);
  if (digits.size() > width) throw std::invalid_argument("number too wide for its field");
  return text(offset, std::string(width - digits.size(), '0') + digits);
}

std::string header_bytes(const Header& header) {
  // "000", the destinataire, then a filler of digits (no space, so the only run of 21
  // spaces is the one that ends the header), the ref and the devise, and 32 spaces.
  std::string h(kHeaderSize, '0');
  Record r = Record::raw(h);
  r.text(3, 22, header.destinataire);
  r.text(25, 36, "NOEMIE-RETOUR-0000000000000000000000");
  r.text(61, 3, header.ref);
  r.text(68, 2, header.devise);
  r.text(70, 26, "00000000000000000000000000");
  r.text(96, 32, "");
  return r.bytes();
}

Record comptable_07x(int third, int level, std::string_view date) {
  return Record(type_of(7, third), level, 11).text(5, 6, date);
}

Record virement_071(const Virement& v) {
  return Record("071", v.level, 85)
      .text(5, 6, v.date_comptable)
      .text(11, 32, v.ref1)
      .text(43, 32, v.ref2)
      .text(75, 10, v.ref3);
}

Record lot_08x(int third, int level, std::string_view date_lot, int num_lot) {
  return Record(type_of(8, third), level, 14).text(5, 6, date_lot).number(11, 3, num_lot);
}

Record retour_081(int level, int type_retour, std::string_view texte) {
  return Record("081", level, 21).number(5, 2, type_retour).text(7, 14, texte);
}

Record facture_10x(int third, int level, std::int64_t num_facture) {
  return Record(type_of(10, third), level, 14).number(5, 9, num_facture);
}

Record facture_102(const Facture102& f) {
  Record r("102", f.level, 39);
  r.number(5, 9, f.num_facture);
  if (f.num_lot) r.number(20, 3, *f.num_lot);
  r.text(23, 6, f.date_lot)
      .text(29, 1, std::string(1, f.type_facture))
      .text(30, 6, f.date_acte)
      .text(36, 1, std::string(1, f.traitement_amc))
      .text(37, 2, f.nature_assurance);
  return r;
}

Record identite_103(const Identite103& i) {
  return Record("103", i.level, 147)
      .text(5, 15, i.immatriculation)
      .text(20, 50, i.nom_assure)
      .text(70, 15, i.prenom_assure)
      .text(107, 25, i.nom_malade)
      .text(132, 15, i.prenom_malade);
}

Record assure_11x(const Assure11x& a) {
  return Record(type_of(11, a.third), a.level, 87)
      .text(5, 15, a.immatriculation)
      .text(21, 25, a.nom)
      .text(72, 15, a.prenom);
}

Record malade_12x(const Malade12x& m) {
  return Record(type_of(12, m.third), m.level, 56).text(12, 25, m.nom).text(37, 15, m.prenom);
}

Record zone_16x(int third, int level, std::string_view zone) {
  return Record(type_of(16, third), level, 21).text(5, 16, zone);
}

Record montant_19x(int third, int level, std::int64_t montant) {
  return Record(type_of(19, third), level, 22).number(14, 8, montant);
}

Record ligne_21x(const Ligne21x& l) {
  Record r(type_of(21, l.third), l.level, 117);
  r.text(5, 5, l.marker).text(21, 6, l.date_acte);
  if (l.taux_amo) r.number(49, 3, *l.taux_amo);
  r.number(53, 7, l.montant_amo).text(61, 5, l.acte);
  if (l.taux_amc) r.number(98, 3, *l.taux_amc);
  r.number(102, 7, l.montant_amc);
  return r;
}

Record ligne_22x(const Ligne22x& l) {
  return Record(type_of(22, l.third), l.level, 109)
      .text(15, 6, l.date_acte)
      .number(43, 3, l.taux_amo)
      .number(47, 7, l.montant_amo)
      .text(55, 5, l.acte)
      .number(98, 3, l.taux_amc)
      .number(102, 7, l.montant_amc);
}

Record message_29x(int third, int level, std::string_view texte) {
  const std::size_t at = third == 0 ? 17 : 15;
  return Record(type_of(29, third), level, at).text(at, 80, texte);
}

Record cloture_99x(const Cloture99x& c) {
  return Record(type_of(99, c.third), c.level, 42)
      .number(23, 7, c.valeur_fin)
      .number(31, 10, c.montant_total);
}

ReturnFileBuilder& ReturnFileBuilder::before_header(std::string_view bytes) {
  before_ = bytes;
  return *this;
}

ReturnFileBuilder& ReturnFileBuilder::header(const Header& header) {
  header_ = header_bytes(header);
  return *this;
}

ReturnFileBuilder& ReturnFileBuilder::raw_header(std::string_view bytes) {
  header_ = std::string(bytes);
  return *this;
}

ReturnFileBuilder& ReturnFileBuilder::separator(char separator) {
  separator_ = separator;
  return *this;
}

ReturnFileBuilder& ReturnFileBuilder::add(const Record& record) {
  body_ += record.bytes();
  body_ += separator_;
  return *this;
}

ReturnFileBuilder& ReturnFileBuilder::add_raw(std::string_view bytes) {
  body_ += bytes;
  return *this;
}

std::string ReturnFileBuilder::bytes() const {
  return before_ + (header_ ? *header_ : header_bytes(Header{})) + body_;
}

void ReturnFileBuilder::write(const std::filesystem::path& path) const {
  const std::string all = bytes();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(all.data(), static_cast<std::streamsize>(all.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace noemie::testing
