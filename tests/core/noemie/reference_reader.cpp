#include "reference_reader.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace noemie::testing {
namespace {

using Entry = ReturnEntry;

// The window, with reads that say whether they lie inside it.
struct Message {
  std::string_view w;
  bool has(std::size_t pos, std::size_t len) const { return pos + len <= w.size(); }
  int code(std::size_t pos) const { return static_cast<unsigned char>(w[pos]); }
  // Each character adds (code - '0') times its power of ten.
  std::int64_t number(std::size_t pos, std::size_t len) const {
    std::int64_t total = 0;
    std::int64_t power = 1;
    for (std::size_t i = len; i-- > 0;) {
      total += (code(pos + i) - '0') * power;
      power *= 10;
    }
    return total;
  }
};

template <std::size_t N>
void put_text(std::array<char, N>& field, const Message& m, std::size_t pos, std::size_t len) {
  if (!m.has(pos, len)) return;
  for (std::size_t i = 0; i < len; ++i) field[i] = m.w[pos + i];
  field[len] = 0;
}

void put_int(std::int32_t& field, const Message& m, std::size_t pos, std::size_t len) {
  if (m.has(pos, len)) field = static_cast<std::int32_t>(m.number(pos, len) & 0xFFFFFFFF);
}

std::int32_t low32(std::int64_t v) {
  return static_cast<std::int32_t>(v & 0xFFFFFFFF);
}

std::size_t text_length(const char* s, std::size_t max) {
  std::size_t n = 0;
  while (n < max && s[n] != 0) n++;
  return n;
}

void add_act_code(Entry& e, const Message& m, std::size_t pos) {
  if (!m.has(pos, 5)) return;
  std::size_t n = text_length(e.actes.data(), 19);
  if (n > 18) n = 18;
  if (n > 0) {
    e.actes[n] = '+';
    n++;
  }
  for (std::size_t i = 0; i < 5; i++) {
    const char c = m.w[pos + i];
    if (c == ' ' || c == 0) break;
    if (n >= 19) break;
    e.actes[n] = c;
    n++;
  }
  e.actes[n] = 0;
}

struct Kind {
  enum Name { plain, line21, line22, message, closing } name = plain;
  int end = 4;
  bool fixed = false;
  int text_at = 15;
};

Kind kind_of(int f, char third) {
  const bool digit = third >= '0' && third <= '9';
  const int d = third - '0';
  if (f == 2 || f == 4) return {Kind::plain, 20, true};
  if (f == 7) return third == '1' ? Kind{Kind::plain, 85, true} : Kind{Kind::plain, 11, true};
  if (f == 8) return third == '1' ? Kind{Kind::plain, 21, false} : Kind{Kind::plain, 14, true};
  if (f == 10) {
    if (third == '2') return {Kind::plain, 39, true};
    if (third == '3') return {Kind::plain, 147, false};
    return {Kind::plain, 14, true};
  }
  if (f == 11) return {Kind::plain, 87, true};
  if (f == 12) return {Kind::plain, 56, true};
  if (f == 15) return {Kind::plain, 7, true};
  if (f == 16) return {Kind::plain, 21, true};
  if (f == 19 && (third == '8' || third == '9')) return {Kind::plain, 22, false};
  if (f == 21) return {Kind::line21, 117, true};
  if (f == 22) return {Kind::line22, 109, false};
  if (f == 29) return third == '0' ? Kind{Kind::message, 17, false, 17} : Kind{Kind::message, 15};
  if (f == 99 && digit && d <= 8) return {Kind::closing, 42, true};
  return {Kind::plain, 4, false};
}

void read_plain(int f, char third, const Message& m, std::size_t p, Entry& e) {
  if (f == 7) {
    put_text(e.date_comptable, m, p + 5, 6);
    if (third == '1') {
      put_text(e.ref_virement1, m, p + 11, 32);
      put_text(e.ref_virement2, m, p + 43, 32);
      put_text(e.ref_virement3, m, p + 75, 10);
    }
  } else if (f == 8 && third == '1') {
    put_int(e.type_retour, m, p + 5, 2);
    put_text(e.texte_retour, m, p + 7, 14);
  } else if (f == 8) {
    put_text(e.date_lot, m, p + 5, 6);
    put_int(e.num_lot, m, p + 11, 3);
  } else if (f == 10 && third == '3') {
    put_text(e.immatriculation, m, p + 5, 15);
    put_text(e.nom_assure, m, p + 20, 50);
    put_text(e.prenom_assure, m, p + 70, 15);
    put_text(e.nom_malade, m, p + 107, 25);
    put_text(e.prenom_malade, m, p + 132, 15);
  } else if (f == 10) {
    if (m.has(p + 5, 9)) {
      const std::int32_t v = low32(m.number(p + 5, 9));
      e.num_facture = v < 0 ? 0 : v;
    }
    if (third == '2') {
      if (m.has(p + 20, 3)) e.num_lot = m.w[p + 20] == ' ' ? 0 : low32(m.number(p + 20, 3));
      put_text(e.date_lot, m, p + 23, 6);
      if (m.has(p + 29, 1)) e.type_facture = m.w[p + 29];
      put_text(e.date_acte, m, p + 30, 6);
      if (m.has(p + 36, 1)) e.traitement_amc = m.w[p + 36];
      put_text(e.nature_assurance, m, p + 37, 2);
    }
  } else if (f == 11) {
    put_text(e.immatriculation, m, p + 5, 15);
    put_text(e.nom_assure, m, p + 21, 25);
    put_text(e.prenom_assure, m, p + 72, 15);
  } else if (f == 12) {
    put_text(e.nom_malade, m, p + 12, 25);
    put_text(e.prenom_malade, m, p + 37, 15);
  } else if (f == 16) {
    put_text(e.zone_16, m, p + 5, 16);
  } else if (f == 19 && third == '8') {
    put_int(e.montant_amo, m, p + 14, 8);
  } else if (f == 19 && third == '9') {
    put_int(e.montant_amc, m, p + 14, 8);
  }
}

}  // namespace

ReferenceResult reference_read(std::string_view data, bool abrege, const ReturnRecord& before) {
  ReferenceResult r;
  r.rec = before;
  r.rec.valide = 0;
  r.rec.entrees.clear();
  r.rec.virements.clear();
  r.rec.der_entree = 0;
  auto fail = [&](int code, std::int64_t pos) {
    r.fault = ReferenceFault{code, pos};
    return r;
  };

  // Start detection.
  const std::size_t size = data.size();
  if (size == 0) return fail(10, 0);
  if (size < 128) return fail(9, static_cast<std::int64_t>(size));
  int spaces = 0;
  std::size_t i = 96;
  while (i < size) {
    if (data[i] == ' ') {
      spaces++;
    } else {
      spaces = 0;
    }
    if (spaces == 21) break;
    i++;
  }
  if (spaces < 21) return fail(11, spaces);
  std::size_t s = i;
  while (s < size && data[s] == ' ') s++;
  std::int64_t h = static_cast<std::int64_t>(s) - 128;
  if (h < 0) h = 0;
  while (h < static_cast<std::int64_t>(size) && data[static_cast<std::size_t>(h)] != '0') h++;
  if (static_cast<std::int64_t>(size) - h < 128)
    return fail(9, static_cast<std::int64_t>(size) - h);
  const auto hu = static_cast<std::size_t>(h);
  if (data[hu] == '0' && data[hu + 1] == '0' && data[hu + 2] != '0' && hu >= 1) h--;
  r.debut = h;

  const Message m{data.substr(static_cast<std::size_t>(h))};
  for (std::size_t k = 0; k < 128; k++) r.rec.entete[k] = m.w[k];
  const std::string devise(m.w.substr(68, 2));
  r.rec.euro = (devise == "NU" || devise == " U" || devise == "0U" || devise == "N ") ? 1 : 0;
  const bool sm = m.w.substr(3, 16) == "SM00000005001051";

  std::vector<Entry> entries(1);
  std::vector<noemie::Virement> transfers;
  int transfer = -1;  // the current one
  // A closing record at `level` ends the current transfer unless its level is above it.
  auto end_transfer = [&](int level, std::size_t p) {
    if (transfer < 0 || level > transfers[static_cast<std::size_t>(transfer)].niveau) return;
    if (m.w.size() - (p + 4) >= 38) {
      transfers[static_cast<std::size_t>(transfer)].montant_annonce = m.number(p + 31, 10);
    }
    transfer = -1;
  };
  unsigned char levels[50] = {};
  enum { open, closed, after_line } state = open;
  bool merging = false;
  char sep = 0;  // unknown until the first record is done
  auto finish = [&](std::int8_t valide) {
    r.rec.entrees = entries;
    r.rec.virements = transfers;
    r.rec.der_entree = static_cast<std::int32_t>(entries.size()) - 1;
    r.rec.valide = valide;
    return r;
  };

  std::size_t pos = 128;
  while (pos < m.w.size()) {
    while (pos < m.w.size() && !(m.w[pos] >= '0' && m.w[pos] <= '9')) pos++;
    if (pos >= m.w.size()) break;
    const std::size_t p = pos;
    if (!m.has(p, 5)) break;
    const int f = (m.code(p) - '0') * 10 + (m.code(p + 1) - '0');
    const char third = m.w[p + 2];
    const int type = f * 10 + (m.code(p + 2) - '0');
    if (third == '9' && type != 199) break;
    int level = (m.code(p + 3) - '0') * 10 + (m.code(p + 4) - '0');
    if (level > 99 || level < 0) level = 0;
    if (level != 99 && f != 99) {
      if (level >= 50) {
        fail(3, static_cast<std::int64_t>(p) + 4);
        return finish(0);
      }
      levels[level] = static_cast<unsigned char>(f & 0xFF);
    }
    if (f != 99 && f != 25 && state != open) {
      if (state == after_line && abrege) {
        merging = true;
      } else {
        entries.emplace_back();
        entries.back().virement = transfer;
        state = open;
        merging = false;
      }
    }
    Entry& e = entries.back();
    const Kind kind = kind_of(f, third);
    bool last = false;
    if (kind.name == Kind::plain) {
      read_plain(f, third, m, p, e);
      if (f == 7) {
        noemie::Virement v;
        put_text(v.date_comptable, m, p + 5, 6);
        if (third == '1') {
          put_text(v.ref_virement1, m, p + 11, 32);
          put_text(v.ref_virement2, m, p + 43, 32);
          put_text(v.ref_virement3, m, p + 75, 10);
        }
        v.niveau = level;
        transfers.push_back(v);
        transfer = static_cast<int>(transfers.size()) - 1;
        e.virement = transfer;
      }
    } else if (kind.name == Kind::line21) {
      if (m.has(p + 21, 6)) {
        const bool marker = m.has(p + 5, 5) && m.w.substr(p + 5, 5) == "01000";
        const std::string_view d = m.w.substr(p + 21, 6);
        if (sm && (sep != '@' || marker)) {
          const char order[6] = {d[4], d[5], d[2], d[3], d[0], d[1]};
          std::memcpy(e.date_acte.data(), order, 6);
        } else {
          std::memcpy(e.date_acte.data(), d.data(), 6);
        }
        e.date_acte[6] = 0;
      }
      const bool rate_amo = m.has(p + 49, 3), amount_amo = m.has(p + 53, 7);
      const bool rate_amc = m.has(p + 98, 3), amount_amc = m.has(p + 102, 7);
      const bool rate_amc_blank = rate_amc && m.w[p + 98] == ' ';
      if (merging) {
        if (amount_amo) e.montant_amo = low32(std::int64_t{e.montant_amo} + m.number(p + 53, 7));
        if (amount_amc) e.montant_amc = low32(std::int64_t{e.montant_amc} + m.number(p + 102, 7));
        if (rate_amo && low32(m.number(p + 49, 3)) != e.taux_amo) e.taux_amo = 0;
        if (rate_amc && !rate_amc_blank && low32(m.number(p + 98, 3)) != e.taux_amc) e.taux_amc = 0;
      } else {
        if (rate_amo) e.taux_amo = low32(m.number(p + 49, 3));
        if (amount_amo) e.montant_amo = low32(m.number(p + 53, 7));
        if (rate_amc) e.taux_amc = rate_amc_blank ? 0 : low32(m.number(p + 98, 3));
        if (amount_amc) e.montant_amc = low32(m.number(p + 102, 7));
      }
      add_act_code(e, m, p + 61);
      e.ligne_detail = 1;
      state = after_line;
    } else if (kind.name == Kind::line22) {
      put_text(e.date_acte, m, p + 15, 6);
      put_int(e.taux_amo, m, p + 43, 3);
      put_int(e.montant_amo, m, p + 47, 7);
      add_act_code(e, m, p + 55);
      put_int(e.taux_amc, m, p + 98, 3);
      put_int(e.montant_amc, m, p + 102, 7);
      e.ligne_detail = 1;
      state = after_line;
    } else if (kind.name == Kind::message) {
      e.actes[3] = 0;
      e.ligne_detail = 0;
      std::size_t k = text_length(e.detail.data(), 400);
      while (k > 0 && e.detail[k - 1] == ' ') k--;
      if (k > 0 && k < 393) {
        std::memcpy(e.detail.data() + k, " ***** ", 7);
        k += 7;
      }
      std::size_t count = 400 - k < 80 ? 400 - k : 80;
      for (std::size_t c = 0; c < count; c++) {
        const std::size_t at = p + static_cast<std::size_t>(kind.text_at) + c;
        if (at >= m.w.size()) {
          count = c;
          break;
        }
        e.detail[k + c] = m.w[at];
      }
      e.detail[k + count] = 0;
    } else {  // closing record
      const bool slot = level < 50;
      if (state == closed) {
        if (slot) levels[level] = 0;
        end_transfer(level, p);
      } else if (slot && levels[level] == 0) {
        fail(4, static_cast<std::int64_t>(p) + 4);
        return finish(0);
      } else if (m.w.size() - (p + 4) < 38) {
        e.valeur_fin = 0;
        e.montant_total = 0;
        if (slot) levels[level] = 0;
        end_transfer(level, p);
        last = true;
      } else {
        e.valeur_fin = low32(m.number(p + 23, 7));
        e.montant_total = m.number(p + 31, 10);
        state = closed;
        if (slot) levels[level] = 0;
        end_transfer(level, p);
      }
    }
    if (last) break;

    const std::size_t end = p + static_cast<std::size_t>(kind.end);
    if (sep == 0) {
      if (end >= m.w.size()) break;
      if (!kind.fixed) {
        fail(8, static_cast<std::int64_t>(end));
        return finish(1);
      }
      const char c = m.w[end];
      if (c == '@' || c == ' ' || c == '\xC3') {
        sep = c;
      } else {
        fail(6, static_cast<std::int64_t>(end));
        return finish(1);
      }
    }
    if (sep == ' ' && !kind.fixed) {
      fail(7, static_cast<std::int64_t>(end));
      return finish(1);
    }
    std::size_t q = end;
    while (q < m.w.size() && m.w[q] != sep) q++;
    if (q >= m.w.size()) break;
    pos = q;
  }
  return finish(1);
}

namespace {

template <std::size_t N>
void compare_field(std::ostringstream& out, const char* name, std::size_t index,
                   const std::array<char, N>& a, const std::array<char, N>& b) {
  if (out.tellp() == 0 && a != b) {
    out << "entry " << index << " " << name << ": expected \"" << std::string(a.data(), N)
        << "\" got \"" << std::string(b.data(), N) << "\"";
  }
}

template <typename T>
void compare_field(std::ostringstream& out, const char* name, std::size_t index, T a, T b) {
  if (out.tellp() == 0 && a != b) {
    out << "entry " << index << " " << name << ": expected " << +a << " got " << +b;
  }
}

}  // namespace

std::string compare_records(const ReturnRecord& x, const ReturnRecord& y) {
  std::ostringstream out;
  if (x.valide != y.valide)
    out << "valide: expected " << +x.valide << " got " << +y.valide;
  else if (x.der_entree != y.der_entree)
    out << "der_entree: expected " << x.der_entree << " got " << y.der_entree;
  else if (x.euro != y.euro)
    out << "euro: expected " << +x.euro << " got " << +y.euro;
  else if (x.entete != y.entete)
    out << "entete differs";
  else if (x.entrees.size() != y.entrees.size())
    out << "entries: expected " << x.entrees.size() << " got " << y.entrees.size();
  for (std::size_t i = 0; i < x.entrees.size() && out.tellp() == 0; ++i) {
    const Entry& a = x.entrees[i];
    const Entry& b = y.entrees[i];
#define NOEMIE_FIELD(f) compare_field(out, #f, i, a.f, b.f)
    NOEMIE_FIELD(date_comptable);
    NOEMIE_FIELD(date_acte);
    NOEMIE_FIELD(nom_assure);
    NOEMIE_FIELD(prenom_assure);
    NOEMIE_FIELD(immatriculation);
    NOEMIE_FIELD(nom_malade);
    NOEMIE_FIELD(prenom_malade);
    NOEMIE_FIELD(zone_16);
    NOEMIE_FIELD(ref_virement1);
    NOEMIE_FIELD(ref_virement2);
    NOEMIE_FIELD(ref_virement3);
    NOEMIE_FIELD(type_retour);
    NOEMIE_FIELD(nature_assurance);
    NOEMIE_FIELD(traitement_amc);
    NOEMIE_FIELD(type_facture);
    NOEMIE_FIELD(texte_retour);
    NOEMIE_FIELD(num_facture);
    NOEMIE_FIELD(date_lot);
    NOEMIE_FIELD(num_lot);
    NOEMIE_FIELD(ligne_detail);
    NOEMIE_FIELD(actes);
    NOEMIE_FIELD(taux_amo);
    NOEMIE_FIELD(montant_amo);
    NOEMIE_FIELD(taux_amc);
    NOEMIE_FIELD(montant_amc);
    NOEMIE_FIELD(detail);
    NOEMIE_FIELD(valeur_fin);
    NOEMIE_FIELD(montant_total);
    NOEMIE_FIELD(virement);
#undef NOEMIE_FIELD
  }
  if (out.tellp() == 0 && x.virements.size() != y.virements.size()) {
    out << "transfers: expected " << x.virements.size() << " got " << y.virements.size();
  }
  for (std::size_t i = 0; i < x.virements.size() && out.tellp() == 0; ++i) {
    const noemie::Virement& a = x.virements[i];
    const noemie::Virement& b = y.virements[i];
    compare_field(out, "transfer date_comptable", i, a.date_comptable, b.date_comptable);
    compare_field(out, "transfer ref_virement1", i, a.ref_virement1, b.ref_virement1);
    compare_field(out, "transfer ref_virement2", i, a.ref_virement2, b.ref_virement2);
    compare_field(out, "transfer ref_virement3", i, a.ref_virement3, b.ref_virement3);
    compare_field(out, "transfer niveau", i, a.niveau, b.niveau);
    compare_field(out, "transfer montant_annonce", i, a.montant_annonce.value_or(-1),
                  b.montant_annonce.value_or(-1));
    compare_field(out, "transfer announced", i, a.montant_annonce.has_value(),
                  b.montant_annonce.has_value());
  }
  return out.str();
}

}  // namespace noemie::testing
