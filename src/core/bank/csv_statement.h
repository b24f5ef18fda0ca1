#pragma once
// The CSV reader of bank statements (see bank_statement.h).

#include <string_view>

#include "core/bank/bank_statement.h"

namespace noemie::bank {

// The credits of a CSV statement. The cells are separated by ";", "," or a tab (the first that
// gives a header line), quoted with '"' when they hold one; lines before the header line (the
// account, the period) are passed over. The header line names a date column ("Date",
// "Date opération"; "Date de valeur" only when there is no other), and either an amount column
// ("Montant ...", a credit above zero) or "Crédit" (and "Débit") columns; the text of a credit
// is that of its "Libellé", "Détail", "Référence" ... columns. A line without a date (a
// balance) or without an amount is passed over; a date or an amount that cannot be read stops
// the reading, naming its line.
Statement read_csv(std::string_view bytes);

}  // namespace noemie::bank
