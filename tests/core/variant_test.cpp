#include "host/core/variant.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/core/format.h"
#include "host/core/object.h"

namespace vireo {
namespace {

TEST(Variant, NullReadsAsZeroOrEmpty) {
  const Variant v;
  EXPECT_TRUE(v.IsNull());
  EXPECT_EQ(v.AsInteger(), 0);
  EXPECT_EQ(v.AsFloat(), 0);
  EXPECT_EQ(v.AsString(), "");
  EXPECT_EQ(v.AsDateTime(), 0);
  EXPECT_FALSE(v.AsBoolean());
}

TEST(Variant, NumbersAsText) {
  EXPECT_EQ(Variant(42).AsString(), "42");
  EXPECT_EQ(Variant(int64_t{-9000000000}).AsString(), "-9000000000");
  EXPECT_EQ(Variant(1234.5).AsString(), "1234,5");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant(false).AsString(), "False");
}

TEST(Variant, FloatTextFollowsTheCurrentSeparator) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = '.';
  EXPECT_EQ(Variant(0.5).AsString(), "0.5");
  EXPECT_EQ(Variant("2.5").AsFloat(), 2.5);
  FormatSettings = saved;
  EXPECT_EQ(Variant(0.5).AsString(), "0,5");
}

TEST(Variant, DateTimeAsText) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  EXPECT_EQ(Variant::FromDateTime(day).AsString(), "05/03/2024");
  EXPECT_EQ(Variant::FromDateTime(day + EncodeTime(9, 5, 0)).AsString(), "05/03/2024 09:05:00");
  EXPECT_EQ(Variant("05/03/2024").AsDateTime(), day);
  EXPECT_EQ(Variant::FromDateTime(day).AsFloat(), day);
}

TEST(Variant, TextAsNumbers) {
  EXPECT_EQ(Variant(" 42 ").AsInteger(), 42);
  EXPECT_EQ(Variant("12,5").AsFloat(), 12.5);
  EXPECT_EQ(Variant("12,5").AsInteger(), 12);  // half to even, as Delphi's Round
  EXPECT_EQ(Variant("13,5").AsInteger(), 14);
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);
  EXPECT_EQ(Variant(-3.7).AsInteger(), -4);
  EXPECT_EQ(Variant(true).AsInteger(), 1);
}

TEST(Variant, BadTextRaisesConvertErrorQuotingIt) {
  try {
    Variant("abc").AsFloat();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' não é um valor de ponto flutuante válido");
  }
  EXPECT_THROW(Variant("abc").AsInteger(), EConvertError);
  EXPECT_THROW(Variant("32/01/2024").AsDateTime(), EConvertError);
  EXPECT_THROW(Variant("talvez").AsBoolean(), EConvertError);
  EXPECT_THROW(Variant(1e300).AsInteger(), EConvertError);
}

TEST(Variant, Booleans) {
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant(" False ").AsBoolean());
  EXPECT_TRUE(Variant("1").AsBoolean());
  EXPECT_FALSE(Variant(0).AsBoolean());
  EXPECT_TRUE(Variant(0.1).AsBoolean());
}

TEST(Variant, BytesAndArrays) {
  const Variant bytes = Variant::FromBytes(std::string("a\0b", 3));
  EXPECT_EQ(bytes.Type(), TVarType::Bytes);
  EXPECT_EQ(bytes.AsString().size(), 3u);
  EXPECT_THROW(bytes.AsInteger(), EConvertError);

  const Variant months = Variant::FromArray({Variant(1), Variant("x")});
  ASSERT_EQ(months.AsArray().size(), 2u);
  EXPECT_EQ(months.AsArray()[1].AsString(), "x");
  EXPECT_THROW(months.AsString(), EConvertError);
  EXPECT_THROW(Variant(1).AsArray(), EConvertError);
}

TEST(Variant, Equality) {
  EXPECT_EQ(Variant(), Variant::Null());
  EXPECT_NE(Variant(), Variant(0));
  EXPECT_NE(Variant(""), Variant());
  EXPECT_EQ(Variant(1), Variant(1.0));
  EXPECT_EQ(Variant(int64_t{5}), Variant(5));
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  EXPECT_NE(Variant("a"), Variant("A"));
  EXPECT_EQ(Variant("1,5"), Variant(1.5));
  EXPECT_NE(Variant("x"), Variant(0));
  EXPECT_EQ(Variant::FromArray({Variant(1)}), Variant::FromArray({Variant(1.0)}));
  EXPECT_NE(Variant::FromArray({Variant(1)}), Variant::FromArray({}));
}

// Exceptions and the object model are what plug-ins test across library
// boundaries; check the hierarchy and run-time type tests hold.
class Animal : public TObject {};
class Dog : public Animal {};

TEST(ObjectModel, RunTimeTypeTests) {
  Dog dog;
  const TObject* obj = &dog;
  EXPECT_TRUE(Is<Animal>(obj));
  EXPECT_TRUE(obj->InheritsFrom<Dog>());
  Animal animal;
  EXPECT_FALSE(Is<Dog>(&animal));
  EXPECT_FALSE(Is<Dog>(nullptr));
}

TEST(ObjectModel, ExceptionKinds) {
  try {
    throw EnParam("pDataInicial", "Data inicial não pode ser maior que data final.");
  } catch (const Exception& e) {
    ASSERT_NE(dynamic_cast<const EnParam*>(&e), nullptr);
    EXPECT_EQ(static_cast<const EnParam&>(e).ParamName(), "pDataInicial");
    EXPECT_EQ(e.Message(), "Data inicial não pode ser maior que data final.");
  }
  EXPECT_THROW(throw EDatabaseError("x"), std::runtime_error);
}

}  // namespace
}  // namespace vireo
