// The history splitter: words, pieces of long words, and lines that never
// exceed the width.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "host/core/text.h"
#include "reports/ledgers/DivisorTexto.h"

namespace vireo {
namespace {

using Linhas = std::vector<std::string>;

TEST(DivisorTextoTest, WordsSplitAtEveryBlankSoRunsOfBlanksGiveEmptyWords) {
  const TDivisorTexto divisor;
  EXPECT_EQ(divisor.GerarArrayPalavras("NF  123 x"), (Linhas{"NF", "", "123", "x"}));
  EXPECT_EQ(divisor.GerarArrayPalavras(" a"), (Linhas{"", "a"}));
}

TEST(DivisorTextoTest, PiecesCutByCharactersNotBytes) {
  const TDivisorTexto divisor;
  EXPECT_EQ(divisor.GerarArrayFragmentos("abcdefg", 3), (Linhas{"abc", "def", "g"}));
  EXPECT_EQ(divisor.GerarArrayFragmentos("abc", 3), (Linhas{"abc"}));
  EXPECT_EQ(divisor.GerarArrayFragmentos("", 3), Linhas{});
  EXPECT_EQ(divisor.GerarArrayFragmentos("çãçãçã", 4), (Linhas{"çãçã", "çã"}));
  EXPECT_EQ(divisor.GerarArrayFragmentos("abc", 0), (Linhas{"abc"}));
}

TEST(DivisorTextoTest, LineIsClosedWhenTheNextWordWouldReachTheWidth) {
  const TDivisorTexto divisor;
  // "aaaa bbbb" is 9 characters: below 10 it stays one line, at 9 it breaks.
  EXPECT_EQ(divisor.GerarArrayLinhas("aaaa bbbb cccc", 10), (Linhas{"aaaa bbbb", "cccc"}));
  EXPECT_EQ(divisor.GerarArrayLinhas("aaaa bbbb cccc", 9), (Linhas{"aaaa", "bbbb", "cccc"}));
  EXPECT_EQ(divisor.GerarArrayLinhas("Pagamento de fornecedor", 120),
            (Linhas{"Pagamento de fornecedor"}));
}

TEST(DivisorTextoTest, WidthCountsCharacters) {
  const TDivisorTexto divisor;
  // 9 characters but 13 bytes: one line of width 10.
  EXPECT_EQ(divisor.GerarArrayLinhas("ação ação", 10), (Linhas{"ação ação"}));
}

TEST(DivisorTextoTest, BlanksAroundAndBetweenWordsAreDropped) {
  const TDivisorTexto divisor;
  EXPECT_EQ(divisor.GerarArrayLinhas("  Pagto    NF  123  ", 120), (Linhas{"Pagto NF 123"}));
  EXPECT_EQ(divisor.GerarArrayLinhas("", 120), Linhas{});
  EXPECT_EQ(divisor.GerarArrayLinhas("     ", 120), Linhas{});
}

TEST(DivisorTextoTest, LongWordIsCutIntoFullLinesWithoutABlankLineAhead) {
  const TDivisorTexto divisor;
  EXPECT_EQ(divisor.GerarArrayLinhas("abcdefghijklmnopqrstuvwxy", 10),
            (Linhas{"abcdefghij", "klmnopqrst", "uvwxy"}));
  // Also when the long word comes after others.
  EXPECT_EQ(divisor.GerarArrayLinhas("NF abcdefghijkl fim", 10),
            (Linhas{"NF", "abcdefghij", "kl fim"}));
}

TEST(DivisorTextoTest, HistoryOf250CharactersTakesThreeLinesOfAtMost119) {
  const TDivisorTexto divisor;
  std::string texto = "palavra";
  while (texto.size() < 250) texto.append(" palavra");
  texto.resize(250);
  const Linhas linhas = divisor.GerarArrayLinhas(texto, 120);
  ASSERT_EQ(linhas.size(), 3u);
  for (const std::string& linha : linhas) EXPECT_LE(linha.size(), 119u) << linha;
}

// Whatever the text, no line is blank or wider than allowed, and the words
// come out whole and in order.
TEST(DivisorTextoTest, RandomTextsKeepEveryWordWithinTheWidth) {
  const TDivisorTexto divisor;
  std::mt19937 random(20240531u);
  const std::string letras = "abcdeçã";
  for (int caso = 0; caso < 300; ++caso) {
    const int largura = 5 + static_cast<int>(random() % 40);
    std::string texto;
    const int palavras = static_cast<int>(random() % 30);
    for (int p = 0; p < palavras; ++p) {
      texto += std::string(random() % 3, ' ');
      const int tamanho = static_cast<int>(random() % (largura + 15));
      for (int c = 0; c < tamanho; ++c) {
        texto += Utf8Substr(letras, random() % Utf8Length(letras), 1);
      }
    }
    const Linhas linhas = divisor.GerarArrayLinhas(texto, largura);
    std::string juntas, original;
    for (const std::string& linha : linhas) {
      ASSERT_FALSE(Trim(linha).empty()) << texto;
      const size_t n = Utf8Length(linha);
      const bool um_pedaco = linha.find(' ') == std::string::npos;
      ASSERT_LE(n, static_cast<size_t>(um_pedaco ? largura : largura - 1)) << texto;
      juntas += linha;
    }
    for (const std::string& palavra : divisor.GerarArrayPalavras(texto)) original += palavra;
    EXPECT_EQ(StringReplace(juntas, " ", ""), original) << texto;
  }
}

}  // namespace
}  // namespace vireo
