#include "core/store/reg_format.h"

#include <gtest/gtest.h>

#include <string>

#include "core/store/registry.h"

namespace noemie::store {
namespace {

std::string bytes(int n, int first = 0) {
  std::string out;
  for (int i = 0; i < n; ++i) out += static_cast<char>((first + i) & 0xFF);
  return out;
}

std::string le32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

TEST(RegFormat, WritesTheRegistryExportLayout) {
  KeyNode root("HKEY_CURRENT_USER");
  KeyNode* key = root.child("software")->child("quillon");
  key->set_value("path", kRegSz, "C:\\Progs \"VL\"");
  key->set_value("delai", kRegDword, le32(30));
  key->set_value("noemie rsp aff", kRegBinary, "\x05\x80");
  key->set_value("vide", kRegSz, "");
  key->set_value("rien", kRegBinary, "");
  key->set_value("", kRegSz,
                 "d\xE9"
                 "faut");
  root.child("software")->child("quillon")->child("config2");

  EXPECT_EQ(to_reg_text(root),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\software]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\software\\quillon]\r\n"
            "\"path\"=\"C:\\\\Progs \\\"VL\\\"\"\r\n"
            "\"delai\"=dword:0000001e\r\n"
            "\"noemie rsp aff\"=hex:05,80\r\n"
            "\"vide\"=\"\"\r\n"
            "\"rien\"=hex:\r\n"
            "@=\"d\xE9"
            "faut\"\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\software\\quillon\\config2]\r\n"
            "\r\n");
}

TEST(RegFormat, FoldsLongHexLinesAfterTwentyFiveBytes) {
  KeyNode root("HKEY_CURRENT_USER");
  root.child("k")->set_value("b", kRegBinary, bytes(60));
  const std::string text = to_reg_text(root);
  const std::string expected_start =
      "\"b\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
      "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
      "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n";
  EXPECT_NE(text.find(expected_start), std::string::npos) << text;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    EXPECT_LE(end - start, 80u) << "a line is wider than regedit writes";
  }
}

TEST(RegFormat, EveryValueReadsBackAsWritten) {
  KeyNode root("HKEY_CURRENT_USER");
  KeyNode* key = root.child("software")->child("quillon");
  const RegValue values[] = {
      {"path", kRegSz, "C:\\Progs\\"},
      {"quote\"and\\slash", kRegSz, "\"\\\"\\\\"},
      {"empty text", kRegSz, ""},
      {"windows-1252", kRegSz, "Trait\xE9 \x80 \xFF"},
      {"line breaks", kRegSz, "a\r\nb"},              // not a plain text: written as hex(1)
      {"with nul", kRegSz, std::string("ab\0c", 4)},  // idem
      {"dword", kRegDword, le32(0xFFFFFFFE)},
      {"short dword", kRegDword, "\x01\x02"},  // not 4 bytes: written as hex(4)
      {"empty binary", kRegBinary, ""},
      {"long binary", kRegBinary, bytes(1440, 7)},
      {"multi", 7, std::string("a\0b\0\0", 5)},
      {"none", kRegNone, "\x01"},
      {"", kRegSz, "default"},
  };
  for (const auto& v : values) ASSERT_TRUE(key->set_value(v.name, v.type, v.data)) << v.name;
  key->child("empty sub-key");
  root.child("Other")->child("Deep")->child("Deeper")->set_value("x", kRegDword, le32(1));

  const RegParseResult parsed = parse_reg_text(to_reg_text(root));
  EXPECT_TRUE(parsed.ok()) << "first bad line " << parsed.first_bad_line;
  EXPECT_TRUE(parsed.current_user.same_tree(root));
}

TEST(RegFormat, ReadsWhatAPersonOrAnotherToolMayWrite) {
  const std::string text =
      "REGEDIT4\n"
      "; a comment\n"
      "\n"
      "[hkey_current_user\\Software\\Quillon]\n"
      "\"path\" = \"C:\\Progs\\VL\"\n"  // "\P" and "\V" are not escapes
      "\"delai\"=DWORD:1E\n"
      "\"widths\"=HEX:01, 2,\\\n"
      "    ff,\\\n"
      "\t10\n"
      "@=\"default\"\n"
      "\"raw\"=hex(7):61,00,00\n"
      "\n"
      "[HKEY_CURRENT_USER\\software\\quillon]\r\n"
      "\"path\"=\"replaced\"\r\n";
  const RegParseResult parsed = parse_reg_text(text);
  EXPECT_TRUE(parsed.ok()) << "first bad line " << parsed.first_bad_line;
  const KeyNode* key = parsed.current_user.find_child("software")->find_child("quillon");
  ASSERT_NE(key, nullptr);
  const RegValue expected[] = {
      {"path", kRegSz, "replaced"},
      {"delai", kRegDword, le32(30)},
      {"widths", kRegBinary, "\x01\x02\xFF\x10"},
      {"", kRegSz, "default"},
      {"raw", 7, std::string("a\0\0", 3)},
  };
  ASSERT_EQ(key->values().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(key->values()[i], expected[i]);
}

TEST(RegFormat, LinesThatCannotBeReadAreCountedAndSkipped) {
  struct Case {
    const char* what;
    std::string text;
    std::size_t bad_lines;
    std::size_t first_bad_line;
    std::size_t good_values;  // values read under [HKEY_CURRENT_USER\k]
  };
  const std::string head = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n\"good\"=dword:00000001\r\n";
  const Case cases[] = {
      {"valid", head, 0, 0, 1},
      {"no header", "[HKEY_CURRENT_USER\\k]\r\n\"good\"=\"x\"\r\n", 1, 1, 1},
      {"binary garbage", head + "\x01\x02\xFF garbage\r\n", 1, 5, 1},
      {"unterminated text", head + "\"a\"=\"abc\r\n", 1, 5, 1},
      {"text then junk", head + "\"a\"=\"abc\" junk\r\n", 1, 5, 1},
      {"bad dword", head + "\"a\"=dword:xyz\r\n", 1, 5, 1},
      {"dword too long", head + "\"a\"=dword:123456789\r\n", 1, 5, 1},
      {"bad hex byte", head + "\"a\"=hex:01,100\r\n", 1, 5, 1},
      {"deletion", head + "\"a\"=-\r\n", 1, 5, 1},
      {"no equals", head + "\"a\" dword:1\r\n", 1, 5, 1},
      {"other root, value under it", head + "[HKEY_LOCAL_MACHINE\\x]\r\n\"v\"=\"1\"\r\n", 2, 5, 1},
      {"key deletion", head + "[-HKEY_CURRENT_USER\\k]\r\n", 1, 5, 1},
      {"empty key name", head + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", 1, 5, 1},
      {"value before any key", "REGEDIT4\r\n\"v\"=\"1\"\r\n" + head.substr(10), 1, 2, 1},
      {"unclosed section", head + "[HKEY_CURRENT_USER\\k\r\n", 1, 5, 1},
  };
  for (const auto& c : cases) {
    const RegParseResult parsed = parse_reg_text(c.text);
    EXPECT_EQ(parsed.bad_lines, c.bad_lines) << c.what;
    EXPECT_EQ(parsed.first_bad_line, c.first_bad_line) << c.what;
    const KeyNode* k = parsed.current_user.find_child("k");
    EXPECT_EQ(k ? k->values().size() : 0, c.good_values) << c.what;
  }
}

}  // namespace
}  // namespace noemie::store
