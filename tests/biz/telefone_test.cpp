// The telephone mask of letterheads and receipts.
#include "host/biz/telefone.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

TEST(SetMascaraTelefoneTest, TelephonesOfKindOneAreWrittenByTheirDigits) {
  EXPECT_EQ(SetMascaraTelefone(1, Variant("1123456789")), "(11) 2345-6789");
  EXPECT_EQ(SetMascaraTelefone(1, Variant("(11) 98765.4321")), "(11) 98765-4321");
  EXPECT_EQ(SetMascaraTelefone(1, Variant("23456789")), "2345-6789");
  EXPECT_EQ(SetMascaraTelefone(1, Variant("987654321")), "98765-4321");
  EXPECT_EQ(SetMascaraTelefone(1, Variant(1123456789)), "(11) 2345-6789");
}

TEST(SetMascaraTelefoneTest, WhatTheMaskDoesNotKnowIsKeptAndNothingGivesNothing) {
  EXPECT_EQ(SetMascaraTelefone(1, Variant(" +55 11 2345-6789 ")), "+55 11 2345-6789");
  EXPECT_EQ(SetMascaraTelefone(1, Variant("ramal 12")), "ramal 12");
  EXPECT_EQ(SetMascaraTelefone(1, Variant()), "");
  EXPECT_EQ(SetMascaraTelefone(1, Variant("   ")), "");
  EXPECT_EQ(SetMascaraTelefone(2, Variant("1123456789")), "1123456789");
}

}  // namespace
}  // namespace vireo
