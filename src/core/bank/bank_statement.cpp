#include "core/bank/bank_statement.h"

#include "core/bank/csv_statement.h"
#include "core/bank/ofx_statement.h"
#include "core/platform/path_text.h"
#include "core/store/shared_file.h"

namespace noemie::bank {

Statement read_statement(std::string_view bytes) {
  return looks_like_ofx(bytes) ? read_ofx(bytes) : read_csv(bytes);
}

Statement read_statement_file(const std::filesystem::path& file) {
  const store::FileRead read = store::read_whole_file(file);
  if (!read.bytes) {
    Statement statement;
    statement.error =
        read.missing ? "le fichier n'existe pas" : "le fichier ne peut pas \xEAtre lu";
    return statement;
  }
  return read_statement(*read.bytes);
}

std::string statement_failure_message(const std::filesystem::path& file, std::string_view error) {
  return "Le relev\xE9 bancaire " + platform::path_to_cp1252(file) +
         " ne peut pas \xEAtre lu : " + std::string(error) + ". Rien n'a \xE9t\xE9 chang\xE9.";
}

}  // namespace noemie::bank
