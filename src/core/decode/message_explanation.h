#pragma once
// Explanations of the messages a fund sends with a rejected or questioned entry: a small
// table of known messages, recognised by their first 10 characters, and the framed text that
// the detail box and the tooltip show.

#include <string>
#include <string_view>

namespace noemie::decode {

// What the table says about a message.
struct MessageExplanation {
  std::string_view explanation;  // constant Windows-1252 text
  bool fund_error = false;       // funds have been seen to send this message in error
};

// Explains a message (the "Détail" text; it ends at its first NUL). Only its first 10
// characters are compared, byte for byte and case-sensitively, with the first 10 of each
// known key in table order; a shorter message matches no key.
MessageExplanation traite_msg(std::string_view message);

// The composed explanation of a message: the framed explanation of traite_msg followed by
// the closing sentence its fund-error flag selects (325 characters at most).
std::string message_explanation_text(std::string_view message);

}  // namespace noemie::decode
