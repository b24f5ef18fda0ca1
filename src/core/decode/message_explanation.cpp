#include "core/decode/message_explanation.h"

#include <array>

#include "core/text/c_text.h"

namespace noemie::decode {
namespace {

// Number of leading characters of a message that are compared with a key.
constexpr std::size_t kComparedChars = 10;

constexpr std::string_view kUnknownMessage = "Message inconnu (pour l'instant)";

struct KnownMessage {
  std::string_view key;  // only its first kComparedChars characters count
  std::string_view explanation;
  bool fund_error;
};

constexpr std::array<KnownMessage, 6> kKnownMessages{{
    {"JUSTIF. QU", kUnknownMessage, true},
    {"INCOMP. MT", kUnknownMessage, true},
    {"LOT EN DOU",
     "Lot re\xE7u 2 fois par la caisse.\r\nIl peut s'agir d'une erreur de transmission "
     "(r\xE9\xE9mission automatique alors que la caisse avait d\xE9j\xE0 re\xE7u le lot) ou "
     "d'une erreur de manipulation.",
     false},
    {"Ayant-droi",
     "Patient inconnu de la caisse.\r\nErreur rencontr\xE9"
     "e lorsqu'un patient \xE0 "
     "chang\xE9 de caisse",
     false},
    // The keys of these two have 11 characters, of which only the first 10 are compared.
    {"MONTANT CAL", kUnknownMessage, true},
    {"Facture non", kUnknownMessage, true},
}};

constexpr std::string_view kFrameHead =
    "Signification normale\r\n____________________________\r\n\r\n";
constexpr std::string_view kFrameTail = "\n__________________________\r\n\r\n";
constexpr std::string_view kClosingFundError =
    "ou erreur de la part de la caisse (cas d\xE9j\xE0 rencontr\xE9)";
constexpr std::string_view kClosingNoError =
    "aucune erreur de la part des caisses sur ce message (\xE0 ce jour)";

}  // namespace

MessageExplanation traite_msg(std::string_view message) {
  const std::string_view text = noemie::text::c_text(message);
  if (text.size() >= kComparedChars) {
    const std::string_view head = text.substr(0, kComparedChars);
    for (const KnownMessage& known : kKnownMessages) {
      if (head == known.key.substr(0, kComparedChars)) {
        return {known.explanation, known.fund_error};
      }
    }
  }
  return {kUnknownMessage, false};
}

std::string message_explanation_text(std::string_view message) {
  const MessageExplanation found = traite_msg(message);
  std::string text;
  text.reserve(kFrameHead.size() + found.explanation.size() + kFrameTail.size() +
               kClosingNoError.size());
  text += kFrameHead;
  text += found.explanation;
  text += kFrameTail;
  text += found.fund_error ? kClosingFundError : kClosingNoError;
  return text;
}

}  // namespace noemie::decode
