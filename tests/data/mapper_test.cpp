// Binding of mapper structs to dataset fields, and the dataset's cache.
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/dataset.h"

namespace vireo {
namespace {

struct TnMapperContas {
  TField* CodigoConta{};
  TField* DescrConta{};
  VIREO_MAPPER(TnMapperContas, CodigoConta, DescrConta)
};

struct TnMapperSoCodigo {
  TField* CODIGOCONTA{};
  VIREO_MAPPER(TnMapperSoCodigo, CODIGOCONTA)
};

class MapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_.AddFieldDef("CODIGOCONTA", TFieldType::Integer);
    ds_.AddFieldDef("DESCRCONTA", TFieldType::String);
    ds_.CreateDataSet();
    for (int i = 1; i <= 2; ++i) {
      ds_.Append();
      ds_.Fields(0)->SetAsInteger(i * 10);
      ds_.Fields(1)->SetAsString("conta " + std::to_string(i));
      ds_.Post();
    }
  }
  TnClientDataSet ds_;
};

TEST_F(MapperTest, BindsByNameWithoutRegardToCase) {
  TnMapperContas m;
  TnFieldMapper::MapearFields(&ds_, m);
  EXPECT_EQ(m.CodigoConta, ds_.Fields(0));
  EXPECT_EQ(m.DescrConta, ds_.Fields(1));
  // A bound field reads the current row.
  ds_.First();
  EXPECT_EQ(m.CodigoConta->AsInteger(), 10);
  ds_.Next();
  EXPECT_EQ(m.DescrConta->AsString(), "conta 2");
}

TEST_F(MapperTest, MissingColumnNamesMemberAndMapper) {
  TnClientDataSet other;
  other.AddFieldDef("CodigoConta", TFieldType::Integer);
  other.CreateDataSet();
  TnMapperContas m;
  try {
    TnFieldMapper::MapearFields(&other, m);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("TnMapperContas"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("'DescrConta'"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(TnFieldMapper::MapearFields(static_cast<TnClientDataSet*>(nullptr), m), Exception);
}

TEST_F(MapperTest, GetMapperCachesOnePerClass) {
  TnMapperContas* a = ds_.GetMapper<TnMapperContas>();
  TnMapperContas* b = ds_.GetMapper<TnMapperContas>();
  TnMapperSoCodigo* c = ds_.GetMapper<TnMapperSoCodigo>();
  EXPECT_EQ(a, b);
  EXPECT_NE(static_cast<void*>(a), static_cast<void*>(c));
  EXPECT_EQ(a->DescrConta, ds_.Fields(1));
  EXPECT_EQ(c->CODIGOCONTA, ds_.Fields(0));
}

TEST_F(MapperTest, FailedGetMapperCachesNothing) {
  TnClientDataSet other;
  other.AddFieldDef("X", TFieldType::Integer);
  other.CreateDataSet();
  EXPECT_THROW(other.GetMapper<TnMapperContas>(), Exception);
  EXPECT_THROW(other.GetMapper<TnMapperContas>(), Exception);
}

}  // namespace
}  // namespace vireo
