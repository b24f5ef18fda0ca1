#include "core/text/cp1252.h"

#include <gtest/gtest.h>

#include "core/text/c_text.h"

namespace noemie::text {
namespace {

struct Case {
  std::string cp1252;
  std::string utf8;
};

TEST(Cp1252, ConvertsBothWays) {
  const Case cases[] = {
      {"abc", "abc"},
      {"R\xE9" "f", "R\xC3\xA9" "f"},                // é
      {"12.34\x80", "12.34\xE2\x82\xAC"},            // euro sign
      {"NOEMIE 3 \x85", "NOEMIE 3 \xE2\x80\xA6"},    // ellipsis
      {"\xC9TIENNE", "\xC3\x89TIENNE"},              // É
      {"\x9F", "\xC5\xB8"},                          // Ÿ
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cp1252_to_utf8(c.cp1252), c.utf8);
    EXPECT_EQ(utf8_to_cp1252(c.utf8), c.cp1252);
    EXPECT_EQ(utf16_to_cp1252(cp1252_to_utf16(c.cp1252)), c.cp1252);
  }
  // Every byte, the five the code page leaves undefined included, survives UTF-16.
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(utf16_to_cp1252(cp1252_to_utf16(all)), all);
  EXPECT_EQ(cp1252_to_utf16("\x80\x9F"), u"\u20AC\u0178");
}

TEST(Cp1252, Utf16WithoutAWindows1252FormGivesOneReplacementPerCharacter) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"a\u2603b", "a?b"},                        // snowman
      {u"\U0001F600.RSP", "?.RSP"},                // a surrogate pair is one character
      {std::u16string(u"x") + char16_t(0xD800), "x?"},  // lone high half at the end
      {std::u16string(1, char16_t(0xDC00)) + u"y", "?y"},  // lone low half
  };
  for (const auto& [utf16, cp1252] : cases) EXPECT_EQ(utf16_to_cp1252(utf16), cp1252);
}

TEST(Cp1252, UnmappableCharacterBecomesQuestionMark) {
  EXPECT_EQ(utf8_to_cp1252("a\xE2\x98\x83" "b"), "a?b");  // snowman
  EXPECT_EQ(utf8_to_cp1252("\xF0\x9F\x98\x80"), "?");     // emoji
}

TEST(Cp1252, InvalidUtf8IsKeptByteForByte) {
  const std::string cases[] = {"caf\xE9", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80"};
  for (const auto& s : cases) {
    EXPECT_FALSE(is_valid_utf8(s));
    EXPECT_EQ(utf8_to_cp1252(s), s);
  }
}

TEST(CText, EndsAtFirstNul) {
  EXPECT_EQ(c_text(std::string_view("ab\0cd", 5)), "ab");
  EXPECT_EQ(c_text(std::string_view("abcd")), "abcd");
  std::array<char, 4> field{'x', 'y', 0, 'z'};
  EXPECT_EQ(c_text(field), "xy");
}

}  // namespace
}  // namespace noemie::text
