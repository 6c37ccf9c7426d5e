#include "host/core/text.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

using Lines = std::vector<std::string>;

TEST(Text, TrimRemovesBlanksAndControls) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("ação "), "ação");
}

TEST(Text, CaseMappingCoversPortugueseLetters) {
  EXPECT_EQ(UpperCase("ação é ótima, ü"), "AÇÃO É ÓTIMA, Ü");
  EXPECT_EQ(LowerCase("CONCEIÇÃO À"), "conceição à");
  EXPECT_EQ(UpperCase("a÷b×"), "A÷B×");
  EXPECT_EQ(LowerCase("a÷B×"), "a÷b×");
}

TEST(Text, StringReplace) {
  EXPECT_EQ(StringReplace("a.b.c", ".", ","), "a,b,c");
  EXPECT_EQ(StringReplace("a.b.c", ".", ",", false), "a,b.c");
  EXPECT_EQ(StringReplace("Aa", "a", "x"), "Ax");
  EXPECT_EQ(StringReplace("aaa", "aa", "a"), "aa");
  EXPECT_EQ(StringReplace("abc", "", "x"), "abc");
}

TEST(Text, Utf8CountsCharacters) {
  EXPECT_EQ(Utf8Length("ação"), 4u);
  EXPECT_EQ(Utf8Substr("ação", 1, 2), "çã");
  EXPECT_EQ(Utf8Substr("ação", 2), "ão");
  EXPECT_EQ(Utf8Substr("ação", 9), "");
}

TEST(Text, TemDadosWrapsOnlyTextThatShows) {
  EXPECT_EQ(TemDados("Matriz", " ", ""), " Matriz");
  EXPECT_EQ(TemDados("x", "(", ")"), "(x)");
  EXPECT_EQ(TemDados("", " ", "-"), "");
  EXPECT_EQ(TemDados("  ", " ", "-"), "");
}

TEST(StrToStrArray, SplitsAtEverySeparator) {
  EXPECT_EQ(StrToStrArray("a b", " "), (Lines{"a", "b"}));
  EXPECT_EQ(StrToStrArray("a  b", " "), (Lines{"a", "", "b"}));
  EXPECT_EQ(StrToStrArray(" a ", " "), (Lines{"", "a", ""}));
  EXPECT_EQ(StrToStrArray("", " "), (Lines{""}));
  EXPECT_EQ(StrToStrArray("1::2", "::"), (Lines{"1", "2"}));
  EXPECT_EQ(StrToStrArray("abc", ""), (Lines{"abc"}));
}

TEST(WordWrapString, BreaksAtBlanksCountingCharacters) {
  EXPECT_EQ(WordWrapString("ação ação ação", 9), (Lines{"ação ação", "ação"}));
  EXPECT_EQ(WordWrapString("ação ação ação", 8), (Lines{"ação", "ação", "ação"}));
  EXPECT_EQ(WordWrapString("pé", 53), (Lines{"pé"}));
  EXPECT_EQ(WordWrapString("a   b", 3), (Lines{"a b"}));
  EXPECT_EQ(WordWrapString("  a   b ", 2), (Lines{"a", "b"}));
}

TEST(WordWrapString, CutsWordsLongerThanTheWidth) {
  EXPECT_EQ(WordWrapString("abcdefghij", 4), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WordWrapString("x ééééé", 2), (Lines{"x", "éé", "éé", "é"}));
  EXPECT_EQ(WordWrapString("abcd", 4), (Lines{"abcd"}));
}

TEST(WordWrapString, KeepsLineBreaksAndAlwaysGivesALine) {
  EXPECT_EQ(WordWrapString("um\r\ndois", 10), (Lines{"um", "dois"}));
  EXPECT_EQ(WordWrapString("um\n\ndois", 10), (Lines{"um", "", "dois"}));
  EXPECT_EQ(WordWrapString("", 10), (Lines{""}));
  EXPECT_EQ(WordWrapString("abc def", 0), (Lines{"abc def"}));
}

TEST(WordWrapString, LongHistoryAtReportWidth) {
  const std::string text =
      "Pagamento referente à nota fiscal nº 123456 de serviços de manutenção "
      "preventiva e corretiva dos equipamentos de refrigeração do galpão três, "
      "conforme contrato vigente.";
  const Lines lines = WordWrapString(text, 53);
  ASSERT_GT(lines.size(), 2u);
  std::string joined;
  for (const std::string& line : lines) {
    EXPECT_LE(Utf8Length(line), 53u) << line;
    EXPECT_NE(line.front(), ' ');
    EXPECT_NE(line.back(), ' ');
    joined += (joined.empty() ? "" : " ") + line;
  }
  EXPECT_EQ(joined, text);
  // Each line was full: the next word would not have fitted.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string next_word = lines[i + 1].substr(0, lines[i + 1].find(' '));
    EXPECT_GT(Utf8Length(lines[i]) + 1 + Utf8Length(next_word), 53u);
  }
}

}  // namespace
}  // namespace vireo
