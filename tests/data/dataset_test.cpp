// Behaviour of TnClientDataSet and TField: cursor, index order, ranges,
// FindKey, filters, editing, conversions and copies.
#include "host/data/dataset.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

struct Row {
  Variant codigo, nome, valor;
};

// CODIGO integer, NOME string, VALOR float, with the rows given.
std::unique_ptr<TnClientDataSet> MakeSet(const std::vector<Row>& rows) {
  auto ds = std::make_unique<TnClientDataSet>();
  ds->AddFieldDef("CODIGO", TFieldType::Integer);
  ds->AddFieldDef("NOME", TFieldType::String, 40);
  ds->AddFieldDef("VALOR", TFieldType::Float);
  ds->CreateDataSet();
  for (const Row& r : rows) {
    ds->Append();
    ds->Fields(0)->SetValue(r.codigo);
    ds->Fields(1)->SetValue(r.nome);
    ds->Fields(2)->SetValue(r.valor);
    ds->Post();
  }
  return ds;
}

// The NOME column of the visible rows, in view order.
std::vector<std::string> Names(TnClientDataSet& ds) {
  std::vector<std::string> out;
  for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName("NOME")->AsString());
  return out;
}

using Names_ = std::vector<std::string>;

// --- structure -------------------------------------------------------------

TEST(DataSetStructure, FieldNamesIgnoreCase) {
  auto ds = MakeSet({{1, "a", 1.0}});
  EXPECT_EQ(ds->FieldByName("codigo"), ds->Fields(0));
  EXPECT_EQ(ds->FindField("Nome"), ds->Fields(1));
  EXPECT_EQ(ds->FindField("NOPE"), nullptr);
  EXPECT_EQ(ds->Fields(2)->FieldName(), "VALOR");
}

TEST(DataSetStructure, MissingFieldMessageNamesIt) {
  auto ds = MakeSet({});
  try {
    ds->FieldByName("DescrConta");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("'DescrConta'"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("CODIGO"), std::string::npos) << e.Message();
  }
  EXPECT_THROW(ds->Fields(3), Exception);
}

TEST(DataSetStructure, RefusesDuplicateOrNoFields) {
  TnClientDataSet empty;
  EXPECT_THROW(empty.CreateDataSet(), Exception);
  TnClientDataSet dup;
  dup.AddFieldDef("A", TFieldType::Integer);
  dup.AddFieldDef("a", TFieldType::String);
  EXPECT_THROW(dup.CreateDataSet(), Exception);
}

TEST(DataSetStructure, OperationsBeforeCreateRaise) {
  TnClientDataSet ds;
  EXPECT_FALSE(ds.Active());
  EXPECT_EQ(ds.RecordCount(), 0);
  EXPECT_THROW(ds.Append(), Exception);
  EXPECT_THROW(ds.First(), Exception);
}

// --- cursor ----------------------------------------------------------------

TEST(DataSetCursor, EmptySetIsBothEofAndBof) {
  auto ds = MakeSet({});
  ds->First();
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->RecNo(), 0);
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->CurrentRow(), -1);
  EXPECT_TRUE(ds->FieldByName("NOME")->IsNull());
  EXPECT_EQ(ds->FieldByName("CODIGO")->AsInteger(), 0);
  ds->Next();
  ds->Last();
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->Bof());
}

TEST(DataSetCursor, OneRowSet) {
  auto ds = MakeSet({{7, "x", 1.5}});
  ds->First();
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
  EXPECT_EQ(ds->RecNo(), 1);
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  EXPECT_FALSE(ds->Bof());
  // Past the end the cursor still rests on the last row, as in Delphi.
  EXPECT_EQ(ds->RecNo(), 1);
  EXPECT_EQ(ds->FieldByName("CODIGO")->AsInteger(), 7);
  ds->Prior();
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
}

TEST(DataSetCursor, WalksBothWaysAndByRecNo) {
  auto ds = MakeSet({{1, "a", 0.0}, {2, "b", 0.0}, {3, "c", 0.0}});
  EXPECT_EQ(Names(*ds), (Names_{"a", "b", "c"}));
  std::vector<std::string> back;
  for (ds->Last(); !ds->Bof(); ds->Prior()) back.push_back(ds->FieldByName("NOME")->AsString());
  EXPECT_EQ(back, (Names_{"c", "b", "a"}));
  ds->SetRecNo(2);
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "b");
  EXPECT_FALSE(ds->Bof());
  EXPECT_FALSE(ds->Eof());
  EXPECT_THROW(ds->SetRecNo(4), Exception);
  EXPECT_THROW(ds->SetRecNo(0), Exception);
}

// --- index -----------------------------------------------------------------

TEST(DataSetIndex, StableWithNullsFirst) {
  auto ds = MakeSet({{2, "b1", 0.0},
                     {1, "a1", 0.0},
                     {Variant(), "null", 0.0},
                     {2, "b2", 0.0},
                     {1, "a2", 0.0},
                     {-5, "neg", 0.0}});
  ds->SetIndexFieldNames("codigo");
  EXPECT_EQ(ds->IndexFieldNames(), "codigo");
  EXPECT_EQ(Names(*ds), (Names_{"null", "neg", "a1", "a2", "b1", "b2"}));
  ds->SetIndexFieldNames("");
  EXPECT_EQ(Names(*ds), (Names_{"b1", "a1", "null", "b2", "a2", "neg"}));
}

TEST(DataSetIndex, MultiFieldAndByteOrderOfTexts) {
  auto ds = MakeSet(
      {{2, "b", 3.0}, {1, "b", 2.0}, {2, "a", 1.0}, {1, "B", 4.0}, {1, "á", 5.0}, {1, "a", 6.0}});
  ds->SetIndexFieldNames("CODIGO;NOME");
  std::vector<double> valores;
  for (ds->First(); !ds->Eof(); ds->Next()) valores.push_back(ds->FieldByName("VALOR")->AsFloat());
  // Upper case before lower case, accented letters after ASCII.
  EXPECT_EQ(valores, (std::vector<double>{4, 6, 2, 5, 1, 3}));
}

TEST(DataSetIndex, TextsSharingAPrefixAndClearedValues) {
  auto ds = MakeSet({{1, "1.01.002", 0.0},
                     {2, "1.01", 0.0},
                     {3, "1.01.0010", 0.0},
                     {4, "1.01.001", 0.0},
                     {5, "1.01.002", 0.0},
                     {6, "x", 0.0}});
  // A null whose storage still holds an older, shorter text.
  ds->Last();
  ds->Edit();
  ds->FieldByName("NOME")->Clear();
  ds->Post();
  ds->SetIndexFieldNames("NOME");
  std::vector<int64_t> codes;
  for (ds->First(); !ds->Eof(); ds->Next()) codes.push_back(ds->Fields(0)->AsInteger());
  EXPECT_EQ(codes, (std::vector<int64_t>{6, 2, 4, 3, 1, 5}));
}

TEST(DataSetIndex, NumbersAcrossSignsAndExtremes) {
  auto ds = MakeSet({{INT64_MAX, "max", -0.0},
                     {-1, "m1", -1e300},
                     {0, "zero", 0.0},
                     {INT64_MIN, "min", 2.5},
                     {1, "p1", -2.5}});
  ds->SetIndexFieldNames("CODIGO");
  EXPECT_EQ(Names(*ds), (Names_{"min", "m1", "zero", "p1", "max"}));
  ds->SetIndexFieldNames("VALOR");
  // -0 and 0 are equal and keep insertion order.
  EXPECT_EQ(Names(*ds), (Names_{"m1", "p1", "max", "zero", "min"}));
}

TEST(DataSetIndex, FloatAndDateKeysOrderByValue) {
  TnClientDataSet ds;
  ds.AddFieldDef("DATA", TFieldType::DateTime);
  ds.AddFieldDef("N", TFieldType::Float);
  ds.CreateDataSet();
  for (double d : {EncodeDate(2024, 3, 1), EncodeDate(2023, 12, 31), EncodeDate(2024, 1, 15)}) {
    ds.Append();
    ds.Fields(0)->SetAsDateTime(d);
    ds.Fields(1)->SetAsFloat(-d);
    ds.Post();
  }
  ds.SetIndexFieldNames("DATA");
  ds.First();
  EXPECT_EQ(ds.Fields(0)->AsDateTime(), EncodeDate(2023, 12, 31));
  ds.SetIndexFieldNames("N");
  ds.First();
  EXPECT_EQ(ds.Fields(0)->AsDateTime(), EncodeDate(2024, 3, 1));
}

TEST(DataSetIndex, UnknownFieldKeepsPreviousIndex) {
  auto ds = MakeSet({{2, "b", 0.0}, {1, "a", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  try {
    ds->SetIndexFieldNames("CODIGO;XPTO");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("'XPTO'"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(ds->IndexFieldNames(), "CODIGO");
  EXPECT_EQ(Names(*ds), (Names_{"a", "b"}));
}

TEST(DataSetIndex, SetBeforeCreateDataSet) {
  TnClientDataSet ds;
  ds.SetIndexFieldNames("K");
  ds.AddFieldDef("K", TFieldType::Integer);
  ds.CreateDataSet();
  for (int k : {3, 1, 2}) {
    ds.Append();
    ds.Fields(0)->SetAsInteger(k);
    ds.Post();
  }
  ds.First();
  EXPECT_EQ(ds.Fields(0)->AsInteger(), 1);
}

TEST(DataSetIndex, CursorGoesToFirstRowWhenIndexChanges) {
  auto ds = MakeSet({{2, "b", 0.0}, {1, "a", 0.0}, {3, "c", 0.0}});
  ds->Last();
  ds->SetIndexFieldNames("CODIGO");
  EXPECT_EQ(ds->RecNo(), 1);
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "a");
}

// --- ranges ----------------------------------------------------------------

class DataSetRange : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_ = MakeSet({{1, "x", 10.0},
                   {2, "y", 10.0},
                   {2, "x", 20.0},
                   {3, "x", 10.0},
                   {2, "x", 10.0},
                   {4, "z", 10.0}});
    ds_->SetIndexFieldNames("CODIGO;NOME;VALOR");
  }
  std::vector<std::string> Keys() {
    std::vector<std::string> out;
    for (ds_->First(); !ds_->Eof(); ds_->Next()) {
      out.push_back(ds_->Fields(0)->AsString() + ds_->Fields(1)->AsString() +
                    ds_->Fields(2)->AsString());
    }
    return out;
  }
  std::unique_ptr<TnClientDataSet> ds_;
};

TEST_F(DataSetRange, PrefixOfTheIndexIsInclusive) {
  ds_->SetRange({2}, {3});
  EXPECT_EQ(Keys(), (Names_{"2x10", "2x20", "2y10", "3x10"}));
  EXPECT_EQ(ds_->RecordCount(), 4);
}

TEST_F(DataSetRange, TwoFieldKeyAndTextNumbers) {
  ds_->SetRange({"2", "x"}, {2, "x"});
  EXPECT_EQ(Keys(), (Names_{"2x10", "2x20"}));
  ds_->SetRange({2, "x", 15.0}, {2, "y"});
  EXPECT_EQ(Keys(), (Names_{"2x20", "2y10"}));
}

TEST_F(DataSetRange, EmptyAndCancelled) {
  ds_->SetRange({9}, {12});
  EXPECT_TRUE(ds_->IsEmpty());
  EXPECT_TRUE(ds_->Eof());
  ds_->SetRange({3}, {2});
  EXPECT_TRUE(ds_->IsEmpty());
  ds_->CancelRange();
  EXPECT_EQ(ds_->RecordCount(), 6);
  EXPECT_EQ(ds_->RecNo(), 1);
}

TEST_F(DataSetRange, FractionalKeyOnIntegerField) {
  ds_->SetRange({1.5}, {2.5});
  EXPECT_EQ(ds_->RecordCount(), 3);
}

TEST_F(DataSetRange, BadKeysRaise) {
  EXPECT_THROW(ds_->SetRange({"abc"}, {2}), EConvertError);
  EXPECT_THROW(ds_->SetRange({1, "a", 1.0, 4}, {2}), Exception);
  ds_->SetIndexFieldNames("");
  EXPECT_THROW(ds_->SetRange({1}, {2}), Exception);
}

TEST_F(DataSetRange, ChangingTheIndexDropsTheRange) {
  ds_->SetRange({2}, {2});
  ds_->SetIndexFieldNames("NOME");
  EXPECT_EQ(ds_->RecordCount(), 6);
}

// --- FindKey ---------------------------------------------------------------

TEST(DataSetFindKey, HitGoesToFirstEqualRow) {
  auto ds = MakeSet({{3, "c", 0.0}, {2, "b1", 0.0}, {1, "a", 0.0}, {2, "b2", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ASSERT_TRUE(ds->FindKey({2}));
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "b1");
  EXPECT_EQ(ds->RecNo(), 2);
  ASSERT_TRUE(ds->FindKey({"3"}));
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
}

TEST(DataSetFindKey, MissLeavesTheCursor) {
  auto ds = MakeSet({{3, "c", 0.0}, {1, "a", 0.0}, {5, "e", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->SetRecNo(2);
  EXPECT_FALSE(ds->FindKey({4}));
  EXPECT_FALSE(ds->FindKey({9}));
  EXPECT_FALSE(ds->FindKey({0}));
  EXPECT_EQ(ds->RecNo(), 2);
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
}

TEST(DataSetFindKey, SearchesInsideTheRangeOnTextAndDate) {
  TnClientDataSet ds;
  ds.AddFieldDef("Data", TFieldType::DateTime);
  ds.AddFieldDef("Pago", TFieldType::Float);
  ds.CreateDataSet();
  ds.SetIndexFieldNames("Data");
  for (int day : {5, 1, 3}) {
    ds.Append();
    ds.FieldByName("Data")->SetAsDateTime(EncodeDate(2024, 1, day));
    ds.FieldByName("Pago")->SetAsFloat(day);
    ds.Post();
  }
  ASSERT_TRUE(ds.FindKey({Variant::FromDateTime(EncodeDate(2024, 1, 3))}));
  EXPECT_EQ(ds.FieldByName("Pago")->AsFloat(), 3);
  ds.SetRange({Variant::FromDateTime(EncodeDate(2024, 1, 4))},
              {Variant::FromDateTime(EncodeDate(2024, 1, 9))});
  EXPECT_FALSE(ds.FindKey({Variant::FromDateTime(EncodeDate(2024, 1, 3))}));
}

TEST(DataSetFindKey, NeedsAnIndex) {
  auto ds = MakeSet({{1, "a", 0.0}});
  try {
    ds->FindKey({1});
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("FindKey"), std::string::npos) << e.Message();
  }
}

// --- filter ----------------------------------------------------------------

TEST(DataSetFilter, NumbersAndQuotedTexts) {
  auto ds = MakeSet({{1, "O'Brien", 2.5}, {2, "Silva", 2.5}, {1, "Silva", 3.0}, {1, "silva", 2.5}});
  ds->SetFilter("codigo = 1 AND Nome = 'Silva'");
  EXPECT_EQ(ds->RecordCount(), 4);  // not on until Filtered
  ds->SetFiltered(true);
  EXPECT_EQ(ds->RecordCount(), 1);
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 3.0);
  ds->SetFilter("NOME = 'O''Brien'");
  EXPECT_EQ(Names(*ds), (Names_{"O'Brien"}));
  ds->SetFilter("VALOR = 2.5 and CODIGO = -1");
  EXPECT_TRUE(ds->IsEmpty());
  ds->SetFilter("VALOR = 2.5");
  EXPECT_EQ(ds->RecordCount(), 3);
  ds->SetFiltered(false);
  EXPECT_EQ(ds->RecordCount(), 4);
}

TEST(DataSetFilter, QuotedNumberAgainstNumericField) {
  auto ds = MakeSet({{3, "a", 0.0}, {4, "b", 0.0}});
  ds->SetFilter("CODIGO = '3'");
  ds->SetFiltered(true);
  EXPECT_EQ(Names(*ds), (Names_{"a"}));
}

TEST(DataSetFilter, AppliesAfterIndexAndRange) {
  auto ds = MakeSet({{3, "x", 1.0}, {1, "x", 1.0}, {2, "y", 1.0}, {2, "x", 2.0}, {4, "x", 1.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->SetRange({2}, {3});
  ds->SetFilter("NOME = 'x'");
  ds->SetFiltered(true);
  std::vector<int64_t> codes;
  for (ds->First(); !ds->Eof(); ds->Next()) codes.push_back(ds->Fields(0)->AsInteger());
  EXPECT_EQ(codes, (std::vector<int64_t>{2, 3}));
  ASSERT_TRUE(ds->FindKey({3}));
  EXPECT_FALSE(ds->FindKey({1}));
}

TEST(DataSetFilter, BadTextsNameTheProblem) {
  auto ds = MakeSet({{1, "a", 0.0}});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"CODIGO = 1 or NOME = 'a'", "and"},
      {"CODIGO 1", "="},
      {"NOME = 'a", "apóstrofo"},
      {"CODIGO = ", "valor"},
      {"XPTO = 1", "'XPTO'"},
      {"CODIGO = 1 and", "campo"},
      {"CODIGO = abc", "número"}};
  for (const auto& [text, needle] : cases) {
    try {
      ds->SetFilter(text);
      ADD_FAILURE() << "accepted: " << text;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(needle), std::string::npos) << text << " -> " << e.Message();
    }
  }
  EXPECT_THROW(ds->SetFilter("CODIGO = 'abc'"), EConvertError);
  EXPECT_EQ(ds->Filter(), "");  // a refused filter leaves the old one
}

// --- editing ---------------------------------------------------------------

TEST(DataSetEditing, AppendPostKeepsIndexOrderAndLandsOnTheRow) {
  auto ds = MakeSet({{5, "e", 0.0}, {1, "a", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->Append();
  EXPECT_TRUE(ds->Editing());
  EXPECT_TRUE(ds->FieldByName("CODIGO")->IsNull());
  ds->FieldByName("CODIGO")->SetAsInteger(3);
  ds->FieldByName("NOME")->SetAsString("c");
  ds->Post();
  EXPECT_FALSE(ds->Editing());
  EXPECT_EQ(ds->RecNo(), 2);
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
  EXPECT_EQ(Names(*ds), (Names_{"a", "c", "e"}));
}

TEST(DataSetEditing, ManyPostsThenOneSortMergeInOrder) {
  TnClientDataSet ds;
  ds.AddFieldDef("K", TFieldType::Integer);
  ds.AddFieldDef("SEQ", TFieldType::Integer);
  ds.CreateDataSet();
  ds.SetIndexFieldNames("K");
  for (int i = 0; i < 200; ++i) {
    ds.Append();
    ds.Fields(0)->SetAsInteger((i * 37) % 11);
    ds.Fields(1)->SetAsInteger(i);
    ds.Post();
    if (i % 50 == 0) ds.First();  // reads between posts merge pending rows
  }
  int64_t last_k = -1, last_seq = -1;
  int n = 0;
  for (ds.First(); !ds.Eof(); ds.Next(), ++n) {
    const int64_t k = ds.Fields(0)->AsInteger(), seq = ds.Fields(1)->AsInteger();
    ASSERT_TRUE(k > last_k || (k == last_k && seq > last_seq)) << "at " << n;
    last_k = k;
    last_seq = seq;
  }
  EXPECT_EQ(n, 200);
}

TEST(DataSetEditing, EditingAnIndexFieldReSortsOnPost) {
  auto ds = MakeSet({{1, "a", 0.0}, {2, "b", 0.0}, {3, "c", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->First();
  ds->Edit();
  ds->FieldByName("CODIGO")->SetAsInteger(9);
  ds->Post();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "a");
  EXPECT_EQ(ds->RecNo(), 3);
  EXPECT_EQ(Names(*ds), (Names_{"b", "c", "a"}));
}

TEST(DataSetEditing, EditOfOtherFieldKeepsPlaceAndCancelRestores) {
  auto ds = MakeSet({{1, "a", 1.0}, {2, "b", 2.0}});
  ds->SetRecNo(2);
  ds->Edit();
  ds->FieldByName("VALOR")->SetAsFloat(ds->FieldByName("VALOR")->AsFloat() + 5);
  ds->Post();
  EXPECT_EQ(ds->RecNo(), 2);
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 7.0);
  ds->Edit();
  ds->FieldByName("NOME")->SetAsString("zz");
  ds->FieldByName("VALOR")->Clear();
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "b");
  EXPECT_EQ(ds->FieldByName("VALOR")->AsFloat(), 7.0);
  ds->Append();
  ds->Cancel();
  EXPECT_EQ(ds->RecordCount(), 2);
}

TEST(DataSetEditing, MovingPostsAWrittenRowAndDropsAnUntouchedOne) {
  auto ds = MakeSet({{1, "a", 0.0}});
  ds->Append();
  ds->First();  // nothing written: the new row is dropped
  EXPECT_EQ(ds->RecordCount(), 1);
  ds->Append();
  ds->FieldByName("NOME")->SetAsString("b");
  ds->First();
  EXPECT_EQ(ds->RecordCount(), 2);
  ds->Append();
  ds->Post();  // an explicit Post stores even an all-null row
  EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(DataSetEditing, WritingOutsideEditRaises) {
  auto ds = MakeSet({{1, "a", 0.0}});
  try {
    ds->FieldByName("NOME")->SetAsString("x");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("'NOME'"), std::string::npos) << e.Message();
  }
}

TEST(DataSetEditing, EditOnEmptySetAppends) {
  auto ds = MakeSet({});
  ds->Edit();
  ds->Fields(0)->SetAsInteger(4);
  ds->Post();
  EXPECT_EQ(ds->RecordCount(), 1);
}

TEST(DataSetEditing, PostedRowOutsideFilterLeavesTheView) {
  auto ds = MakeSet({{1, "a", 0.0}, {1, "b", 0.0}});
  ds->SetFilter("CODIGO = 1");
  ds->SetFiltered(true);
  ds->Edit();
  ds->Fields(0)->SetAsInteger(2);
  ds->Post();
  EXPECT_EQ(Names(*ds), (Names_{"b"}));
  ds->Append();
  ds->Fields(0)->SetAsInteger(1);
  ds->Fields(1)->SetAsString("c");
  ds->Post();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
  EXPECT_EQ(ds->RecordCount(), 2);
}

TEST(DataSetEditing, DeleteMovesToNextAndEofAfterTheLast) {
  auto ds = MakeSet({{1, "a", 0.0}, {2, "b", 0.0}, {3, "c", 0.0}, {4, "d", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->SetRecNo(2);
  ds->Delete();
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
  EXPECT_FALSE(ds->Eof());
  ds->Last();
  ds->Delete();
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->FieldByName("NOME")->AsString(), "c");
  EXPECT_EQ(Names(*ds), (Names_{"a", "c"}));
  // The Delphi idiom: delete some rows while walking.
  auto ds2 = MakeSet({{1, "a", 0.0}, {2, "b", 0.0}, {1, "c", 0.0}, {1, "d", 0.0}});
  for (ds2->First(); !ds2->Eof();) {
    if (ds2->Fields(0)->AsInteger() == 1) {
      ds2->Delete();
    } else {
      ds2->Next();
    }
  }
  EXPECT_EQ(Names(*ds2), (Names_{"b"}));
  ds2->First();
  ds2->Delete();
  EXPECT_TRUE(ds2->IsEmpty());
  EXPECT_THROW(ds2->Delete(), Exception);
  // Stored rows that were deleted stay gone after the order is rebuilt.
  ds->SetIndexFieldNames("NOME");
  EXPECT_EQ(Names(*ds), (Names_{"a", "c"}));
}

TEST(DataSetEditing, EmptyDataSetKeepsFieldsAndIndex) {
  auto ds = MakeSet({{2, "b", 0.0}, {1, "a", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->EmptyDataSet();
  EXPECT_TRUE(ds->IsEmpty());
  ds->Append();
  ds->Fields(0)->SetAsInteger(5);
  ds->Post();
  ds->Append();
  ds->Fields(0)->SetAsInteger(4);
  ds->Post();
  ds->First();
  EXPECT_EQ(ds->Fields(0)->AsInteger(), 4);
}

// --- conversions -----------------------------------------------------------

class FieldConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    ds_.AddFieldDef("I", TFieldType::Integer);
    ds_.AddFieldDef("F", TFieldType::Float);
    ds_.AddFieldDef("S", TFieldType::String);
    ds_.AddFieldDef("D", TFieldType::DateTime);
    ds_.AddFieldDef("B", TFieldType::Boolean);
    ds_.CreateDataSet();
    ds_.Append();
  }
  TField* F(const char* name) { return ds_.FieldByName(name); }
  TnClientDataSet ds_;
};

TEST_F(FieldConversion, NullReadsAsZeroEmptyFalse) {
  for (const char* n : {"I", "F", "S", "D", "B"}) {
    EXPECT_TRUE(F(n)->IsNull()) << n;
    EXPECT_EQ(F(n)->AsString(), "") << n;
    EXPECT_EQ(F(n)->AsInteger(), 0) << n;
    EXPECT_EQ(F(n)->AsFloat(), 0.0) << n;
    EXPECT_FALSE(F(n)->AsBoolean()) << n;
    EXPECT_TRUE(F(n)->Value().IsNull()) << n;
  }
}

TEST_F(FieldConversion, FloatToTextUsesTheDecimalComma) {
  F("F")->SetAsFloat(1234.5);
  EXPECT_EQ(F("F")->AsString(), "1234,5");
  F("I")->SetAsInteger(-42);
  EXPECT_EQ(F("I")->AsString(), "-42");
  F("S")->SetAsFloat(0.25);
  EXPECT_EQ(F("S")->AsString(), "0,25");
}

TEST_F(FieldConversion, FloatToIntegerRoundsHalfAwayFromZero) {
  for (auto [v, want] : std::vector<std::pair<double, int64_t>>{
           {2.5, 3}, {3.5, 4}, {-2.5, -3}, {2.49, 2}, {-0.4, 0}}) {
    F("F")->SetAsFloat(v);
    EXPECT_EQ(F("F")->AsInteger(), want) << v;
    F("I")->SetAsFloat(v);
    EXPECT_EQ(F("I")->AsInteger(), want) << v;
  }
}

TEST_F(FieldConversion, TextToNumbersAndDates) {
  F("S")->SetAsString("12");
  EXPECT_EQ(F("S")->AsInteger(), 12);
  F("S")->SetAsString("3,75");
  EXPECT_DOUBLE_EQ(F("S")->AsFloat(), 3.75);
  F("S")->SetAsString("15/01/2024");
  EXPECT_EQ(F("S")->AsDateTime(), EncodeDate(2024, 1, 15));
  F("D")->SetAsString("31/12/2023");
  EXPECT_EQ(F("D")->AsDateTime(), EncodeDate(2023, 12, 31));
  EXPECT_EQ(F("D")->AsString(), "31/12/2023");
  F("F")->SetAsString("2,5");
  EXPECT_EQ(F("F")->AsFloat(), 2.5);
  F("F")->SetAsString("");
  EXPECT_TRUE(F("F")->IsNull());
}

TEST_F(FieldConversion, BadTextRaisesNamingTheField) {
  F("S")->SetAsString("abc");
  try {
    F("S")->AsInteger();
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("'S'"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos) << e.what();
  }
  EXPECT_THROW(F("S")->AsFloat(), EConvertError);
  EXPECT_THROW(F("S")->AsDateTime(), EConvertError);
  EXPECT_THROW(F("I")->SetAsString("1,5"), EConvertError);
  EXPECT_THROW(F("F")->SetAsString("x"), EConvertError);
  EXPECT_THROW(F("D")->SetAsString("32/01/2024"), EConvertError);
  EXPECT_THROW(F("I")->SetValue(Variant("abc")), EConvertError);
}

TEST_F(FieldConversion, ValueKeepsTheType) {
  F("I")->SetValue(Variant(7.0));
  EXPECT_EQ(F("I")->Value().Type(), TVarType::Integer);
  F("D")->SetAsDateTime(EncodeDate(2024, 2, 29));
  EXPECT_EQ(F("D")->Value().Type(), TVarType::DateTime);
  F("B")->SetAsString("True");
  EXPECT_TRUE(F("B")->AsBoolean());
  EXPECT_EQ(F("B")->AsInteger(), 1);
  F("B")->SetAsInteger(0);
  EXPECT_EQ(F("B")->AsString(), "False");
  F("S")->SetValue(Variant());
  EXPECT_TRUE(F("S")->IsNull());
  F("S")->SetAsString("");
  EXPECT_FALSE(F("S")->IsNull());  // an empty text is a value in a text field
}

// --- copies ----------------------------------------------------------------

TEST(DataSetClone, IsIndependent) {
  auto ds = MakeSet({{2, "b", 0.0}, {1, "a", 0.0}});
  ds->SetIndexFieldNames("CODIGO");
  ds->SetRecNo(2);
  std::unique_ptr<TnClientDataSet> clone(ds->CloneCDS());
  EXPECT_EQ(clone->IndexFieldNames(), "");
  EXPECT_EQ(Names(*clone), (Names_{"b", "a"}));
  clone->SetIndexFieldNames("NOME");
  clone->First();
  clone->Edit();
  clone->FieldByName("NOME")->SetAsString("changed");
  clone->Post();
  clone->Append();
  clone->Fields(0)->SetAsInteger(3);
  clone->Post();
  EXPECT_EQ(clone->RecordCount(), 3);
  EXPECT_EQ(ds->RecordCount(), 2);
  EXPECT_EQ(ds->RecNo(), 2);
  EXPECT_EQ(Names(*ds), (Names_{"a", "b"}));
  ds->First();
  ds->Delete();
  EXPECT_EQ(clone->RecordCount(), 3);
}

TEST(DataSetClone, LeavesDeletedRowsBehind) {
  auto ds = MakeSet({{1, "a", 0.0}, {2, "b", 0.0}, {3, "c", 0.0}});
  ds->SetRecNo(2);
  ds->Delete();
  std::unique_ptr<TnClientDataSet> clone(ds->CloneCDS());
  EXPECT_EQ(Names(*clone), (Names_{"a", "c"}));
  EXPECT_EQ(clone->FieldByName("nome")->DataSet(), clone.get());
}

}  // namespace
}  // namespace vireo
