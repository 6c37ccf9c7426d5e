#include "host/core/display_width.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

TEST(DisplayWidth, CountsCharactersAsATerminalShowsThem) {
  EXPECT_EQ(DisplayWidth(""), 0u);
  EXPECT_EQ(DisplayWidth("Linhas"), 6u);
  EXPECT_EQ(DisplayWidth("Erro de parâmetro"), 17u);
  EXPECT_EQ(DisplayWidth("Lançamentos — Açúcar"), 20u);
  EXPECT_EQ(DisplayWidth("e\xCC\x81"), 1u);                 // e + combining acute
  EXPECT_EQ(DisplayWidth("\xE6\x97\xA5\xE6\x9C\xAC"), 4u);  // two wide ideographs
  EXPECT_EQ(DisplayWidth("\xF0\x9F\x93\x84"), 2u);          // an emoji
}

TEST(DisplayWidth, ABrokenSequenceShowsAsOneSignPerByteItSpoils) {
  EXPECT_EQ(DisplayWidth("a\xFF"
                         "b"),
            3u);
  EXPECT_EQ(DisplayWidth("\xC3"), 1u);  // cut at the end
  EXPECT_EQ(DisplayWidth("\xC3"
                         "a"),
            2u);  // lead byte without its continuation
}

TEST(PadToWidth, PadsToColumnsAndLeavesWiderTextWhole) {
  EXPECT_EQ(PadToWidth("pé", 4), "pé  ");
  EXPECT_EQ(PadToWidth("", 3), "   ");
  EXPECT_EQ(PadToWidth("ação", 2), "ação");
  EXPECT_EQ(DisplayWidth(PadToWidth("Conta contábil (0 = todas)", 32)), 32u);
}

}  // namespace
}  // namespace vireo
