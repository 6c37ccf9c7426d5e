// Speed of TnClientDataSet on a million rows shaped like ledger entries:
// loading row by row, sorting, walking a range, and FindKey.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/dataset.h"

namespace vireo {
namespace {

constexpr int kRows = 1000000;
constexpr int kCompanies = 20;
constexpr int kAccounts = 500;

std::unique_ptr<TnClientDataSet> NewEntrySet() {
  auto ds = std::make_unique<TnClientDataSet>();
  ds->AddFieldDef("CODIGOESCRIT", TFieldType::Integer);
  ds->AddFieldDef("CODIGOCONTA", TFieldType::Integer);
  ds->AddFieldDef("DATACAIXA", TFieldType::DateTime);
  ds->AddFieldDef("VALOR", TFieldType::Float);
  ds->AddFieldDef("NATUREZA", TFieldType::Integer);
  ds->AddFieldDef("HISTORICO", TFieldType::String, 60);
  ds->AddFieldDef("DOCUMENTO", TFieldType::String, 12);
  ds->AddFieldDef("CONCILIADO", TFieldType::Boolean);
  ds->CreateDataSet();
  return ds;
}

// Values of the rows, made up front so that loading measures the dataset only.
struct Source {
  std::vector<int> company, account, nature;
  std::vector<double> date, amount;
  std::vector<std::string> history, document;  // an empty document is null
  std::vector<bool> reconciled;
};

const Source& Values() {
  static const Source src = [] {
    Source s;
    std::mt19937 rng(42);
    const TDateTime start = EncodeDate(2023, 1, 1);
    for (int i = 0; i < kRows; ++i) {
      s.company.push_back(1 + rng() % kCompanies);
      s.account.push_back(1 + rng() % kAccounts);
      s.date.push_back(start + rng() % 730);
      s.amount.push_back((rng() % 1000000) / 100.0);
      s.nature.push_back(rng() % 2);
      s.history.push_back("Pagamento fornecedor ref. nota " + std::to_string(rng() % 100000));
      s.document.push_back(i % 7 == 0 ? "" : std::to_string(rng() % 1000000));
      s.reconciled.push_back(rng() % 2);
    }
    return s;
  }();
  return src;
}

// The way the connection fills a dataset from a result: Append, Set*, Post.
void Load(TnClientDataSet& ds, const Source& src) {
  ds.Reserve(kRows);
  TField* f[8];
  for (int i = 0; i < 8; ++i) f[i] = ds.Fields(i);
  for (int i = 0; i < kRows; ++i) {
    ds.Append();
    f[0]->SetAsInteger(src.company[i]);
    f[1]->SetAsInteger(src.account[i]);
    f[2]->SetAsDateTime(src.date[i]);
    f[3]->SetAsFloat(src.amount[i]);
    f[4]->SetAsInteger(src.nature[i]);
    f[5]->SetAsString(src.history[i]);
    if (src.document[i].empty()) {
      f[6]->Clear();
    } else {
      f[6]->SetAsString(src.document[i]);
    }
    f[7]->SetAsBoolean(src.reconciled[i]);
    ds.Post();
  }
}

// Built once and shared by the read-only benchmarks.
TnClientDataSet& Loaded() {
  static std::unique_ptr<TnClientDataSet> ds = [] {
    auto d = NewEntrySet();
    Load(*d, Values());
    return d;
  }();
  return *ds;
}

void BM_Load(benchmark::State& state) {
  const Source& src = Values();
  for (auto _ : state) {
    auto ds = NewEntrySet();
    Load(*ds, src);
    ds->First();
    benchmark::DoNotOptimize(ds->RecordCount());
    state.PauseTiming();
    ds.reset();  // freeing a million strings is not loading
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

void Sort(benchmark::State& state, const char* index) {
  TnClientDataSet& ds = Loaded();
  for (auto _ : state) {
    state.PauseTiming();
    ds.SetIndexFieldNames("");
    ds.First();
    state.ResumeTiming();
    ds.SetIndexFieldNames(index);
    benchmark::DoNotOptimize(ds.CurrentRow());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
void BM_SortInteger(benchmark::State& state) { Sort(state, "CODIGOCONTA"); }
void BM_SortThreeFields(benchmark::State& state) {
  Sort(state, "CODIGOESCRIT;CODIGOCONTA;DATACAIXA");
}
void BM_SortText(benchmark::State& state) { Sort(state, "HISTORICO"); }
BENCHMARK(BM_SortInteger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortThreeFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond);

// One company and account at a time, as the ledgers walk their entries.
void BM_RangeAndWalk(benchmark::State& state) {
  TnClientDataSet& ds = Loaded();
  ds.SetIndexFieldNames("CODIGOESCRIT;CODIGOCONTA;DATACAIXA");
  TField* valor = ds.FieldByName("VALOR");
  std::mt19937 rng(7);
  int64_t rows = 0;
  for (auto _ : state) {
    const int company = 1 + rng() % kCompanies, account = 1 + rng() % kAccounts;
    ds.SetRange({company, account}, {company, account});
    double sum = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) sum += valor->AsFloat();
    rows += ds.RecordCount();
    benchmark::DoNotOptimize(sum);
  }
  ds.CancelRange();
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_RangeAndWalk);

void BM_WalkAll(benchmark::State& state) {
  TnClientDataSet& ds = Loaded();
  ds.SetIndexFieldNames("CODIGOESCRIT;CODIGOCONTA;DATACAIXA");
  TField* valor = ds.FieldByName("VALOR");
  TField* historico = ds.FieldByName("HISTORICO");
  for (auto _ : state) {
    double sum = 0;
    size_t chars = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
      sum += valor->AsFloat();
      chars += historico->AsString().size();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(chars);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WalkAll)->Unit(benchmark::kMillisecond);

void BM_FindKey(benchmark::State& state) {
  TnClientDataSet& ds = Loaded();
  ds.SetIndexFieldNames("CODIGOESCRIT;CODIGOCONTA;DATACAIXA");
  std::mt19937 rng(9);
  int64_t hits = 0;
  for (auto _ : state) {
    hits += ds.FindKey({Variant(static_cast<int>(1 + rng() % kCompanies)),
                        Variant(static_cast<int>(1 + rng() % kAccounts))});
  }
  benchmark::DoNotOptimize(hits);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FindKey);

}  // namespace
}  // namespace vireo

BENCHMARK_MAIN();
