// The demo's generated accounting entries: documents of every origin kind
// with their base rows, the planted faults (exactly those, in proportion to
// the scale, the same on every run), and the entry check finding exactly
// the planted unbalanced documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/demo.h"
#include "host/biz/origens_contabilizacao.h"
#include "host/biz/produto.h"
#include "host/data/dataset.h"
#include "reports/checks/rptLedgerEntryCheck.h"
#include "tests/checks/checks_test_support.h"

namespace vireo::test {
namespace {

using Documento = std::tuple<int, int, std::string>;  // company, origin, document

std::filesystem::path NovoDiretorio() {
  char pattern[] = "/tmp/vireo-checks-demo-XXXXXX";
  if (mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::unique_ptr<TnConnection> Demo(const std::filesystem::path& dir, const std::string& name,
                                   const DemoOptions& options, DemoSummary* summary) {
  std::unique_ptr<TnConnection> db = CreateDatabaseFromTemplate((dir / name).string());
  *summary = GenerateDemo(*db, options);
  return db;
}

int64_t Contar(TnConnection& db, const std::string& sql) {
  std::unique_ptr<TnClientDataSet> rows(db.Query(sql));
  return rows->Fields(0)->AsInteger();
}

std::vector<DemoAccountingFault> DoTipo(const std::vector<DemoAccountingFault>& faults,
                                        DemoAccountingFault::Kind kind) {
  std::vector<DemoAccountingFault> out;
  for (const DemoAccountingFault& f : faults) {
    if (f.kind == kind) out.push_back(f);
  }
  return out;
}

int CodigoDaOrigem(const std::string& abreviada) {
  for (int tipo = 0; tipo <= 8; ++tipo) {
    if (TFprListDescricao::DescricaoGerarContabilizacaoAbrev(tipo) == abreviada) return tipo;
  }
  return -1;
}

// The scale-1 demo, generated once for the tests that only read it.
class DemoContabilTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::filesystem::path(NovoDiretorio());
    summary_ = new DemoSummary;
    db_ = Demo(*dir_, "demo.fdb", DemoOptions{}, summary_).release();
  }
  static void TearDownTestSuite() {
    delete db_;
    delete summary_;
    std::error_code ignored;
    std::filesystem::remove_all(*dir_, ignored);
    delete dir_;
  }
  void SetUp() override { SetCurrentConnection(db_); }
  void TearDown() override {
    SetCurrentConnection(nullptr);
    RedefinirProduto();
  }

  // The documents the entry check lists with the difference-only option,
  // over the whole demo period.
  std::set<Documento> DocumentosComDiferenca() {
    const ChecksPrint print = ImprimirCheck(
        "rptLedgerEntryCheck",
        {{"pDataInicial", "01/01/2024"}, {"pDataFinal", "31/12/2026"}, {"pSomenteDiferenca", "1"}},
        *dir_ / "trace.jsonl");
    std::set<Documento> listados;
    int escrit = 0;
    for (const json& e : print.trace) {
      if (e["event"] != "section") continue;
      if (e["section"].get<int>() != TrptLedgerEntryCheck::kLancamento) continue;
      escrit = std::stoi(Var(e, "pEscritorioDesc"));
      if (Var(e, "pTipoDesc").empty()) continue;  // a further line of the document
      const int origem = CodigoDaOrigem(Var(e, "pTipoDesc"));
      // Settlements are known by their code; their DOCUMENTO names titles.
      const std::string documento =
          origem >= 2 && origem <= 4 ? Var(e, "pCodigoAcerto") : Var(e, "pDocumento");
      EXPECT_TRUE(listados.emplace(escrit, origem, documento).second)
          << "listed twice: " << escrit << "/" << origem << "/" << documento;
    }
    return listados;
  }

  std::set<Documento> Plantados(int produto) const {
    std::set<Documento> out;
    for (const DemoAccountingFault& f :
         DoTipo(summary_->accounting_faults, DemoAccountingFault::kUnbalancedDocument)) {
      if (f.SeenByProduct(produto)) out.emplace(f.company, f.origin, f.document);
    }
    return out;
  }

  static std::filesystem::path* dir_;
  static TnConnection* db_;
  static DemoSummary* summary_;
};

std::filesystem::path* DemoContabilTest::dir_ = nullptr;
TnConnection* DemoContabilTest::db_ = nullptr;
DemoSummary* DemoContabilTest::summary_ = nullptr;

TEST_F(DemoContabilTest, EntryCheckFindsExactlyThePlantedUnbalancedDocuments) {
  const std::set<Documento> plantados = Plantados(0);
  ASSERT_EQ(plantados.size(), 9u);  // the tenth lives in the other receivables table
  EXPECT_EQ(DocumentosComDiferenca(), plantados);
}

TEST_F(DemoContabilTest, ProductKindTwoSeesTheFinancialReceivablesFault) {
  DefinirProduto(2);
  const std::set<Documento> plantados = Plantados(2);
  ASSERT_EQ(plantados.size(), 9u);
  EXPECT_EQ(DocumentosComDiferenca(), plantados);
}

TEST_F(DemoContabilTest, PlantsEveryKindOfFaultOnEveryKindOfDocument) {
  const auto& faults = summary_->accounting_faults;
  const auto desequilibrados = DoTipo(faults, DemoAccountingFault::kUnbalancedDocument);
  std::set<std::pair<int, int>> variantes;
  std::set<int> empresas;
  for (const DemoAccountingFault& f : desequilibrados) {
    variantes.emplace(f.origin, f.product);
    empresas.insert(f.company);
    EXPECT_EQ(f.entry, 0);
  }
  EXPECT_EQ(desequilibrados.size(), 10u);
  EXPECT_EQ(variantes.size(), 10u);  // nine origins, receivables in both tables
  EXPECT_EQ(empresas, (std::set<int>{1, 2, 3}));
  EXPECT_EQ(DoTipo(faults, DemoAccountingFault::kAllocationMismatch).size(), 3u);
  EXPECT_EQ(DoTipo(faults, DemoAccountingFault::kMissingAllocation).size(), 3u);
}

// Every revenue or expense entry is allocated to cost centres to the cent,
// except the planted ones: those add up to less, or have no allocation.
TEST_F(DemoContabilTest, AllocationsAddUpExceptWhereFaultsWerePlanted) {
  std::unique_ptr<TnClientDataSet> rows(db_->Query(
      "select LC.CODIGOESCRIT, LC.FPRCHAVELCTOCTB, LC.VALORLCTOCTB, "
      "(select sum(LG.VALORLCTOGER) from FPRLCTOGER LG where LG.CODIGOESCRIT = LC.CODIGOESCRIT "
      "and LG.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB) TOTAL from FPRLCTOCTB LC "
      "where LC.CONTACTBDEB >= 31 or LC.CONTACTBCRED >= 31"));
  std::set<std::pair<int, int>> sem_rateio, diferentes;
  for (rows->First(); !rows->Eof(); rows->Next()) {
    const std::pair<int, int> chave(static_cast<int>(rows->Fields(0)->AsInteger()),
                                    static_cast<int>(rows->Fields(1)->AsInteger()));
    if (rows->Fields(3)->IsNull()) {
      sem_rateio.insert(chave);
    } else if (std::llround(rows->Fields(3)->AsFloat() * 10000) !=
               std::llround(rows->Fields(2)->AsFloat() * 10000)) {
      EXPECT_LT(rows->Fields(3)->AsFloat(), rows->Fields(2)->AsFloat());
      diferentes.insert(chave);
    }
  }
  std::set<std::pair<int, int>> plantados_sem, plantados_dif;
  for (const DemoAccountingFault& f : summary_->accounting_faults) {
    if (f.kind == DemoAccountingFault::kMissingAllocation)
      plantados_sem.emplace(f.company, f.entry);
    if (f.kind == DemoAccountingFault::kAllocationMismatch)
      plantados_dif.emplace(f.company, f.entry);
  }
  EXPECT_EQ(sem_rateio, plantados_sem);
  EXPECT_EQ(diferentes, plantados_dif);
  // Balance-sheet entries carry no allocation.
  EXPECT_EQ(Contar(*db_,
                   "select count(*) from FPRLCTOGER LG join FPRLCTOCTB LC on LC.CODIGOESCRIT = "
                   "LG.CODIGOESCRIT and LC.FPRCHAVELCTOCTB = LG.FPRCHAVELCTOCTB where "
                   "coalesce(LC.CONTACTBDEB, 0) < 31 and coalesce(LC.CONTACTBCRED, 0) < 31"),
            0);
}

// Each origin kind has documents in every company, each linked entry finds
// its document's base row, and every entry belongs to exactly one document.
TEST_F(DemoContabilTest, EveryOriginKindHasDocumentsWithTheirBaseRows) {
  struct Origem {
    const char* ligacao;
    const char* base;
    const char* juncao;
  };
  const Origem origens[] = {
      {"CONTARECEBERCTB", "CONTARECEBER", "B.NUMERODCTOCR = L.NUMERODCTOCR"},
      {"FPRCONTARECEBERCABCTB", "FPRCONTARECEBERCAB", "B.CODIGORECEBERCAB = L.CODIGORECEBERCAB"},
      {"FPRCONTAPAGARCABCTB", "FPRCONTAPAGARCAB", "B.CODIGOPAGARCAB = L.CODIGOPAGARCAB"},
      {"FPRACERTOCTB", "FPRACERTO", "B.CODIGOACERTO = L.CODIGOACERTO"},
      {"SERVICONOTACTB", "SERVICONOTA", "B.SERIENS = L.SERIENS and B.NUMERONS = L.NUMERONS"},
      {"VENDACTB", "VENDA", "B.CODIGOVENDA = L.CODIGOVENDA"},
      {"OBRAORCAMENTOCTB", "OBRAORCAMENTO",
       "B.CODIGOOBRA = L.CODIGOOBRA and B.DATAORCAMENTO = L.DATAORCAMENTO"},
      {"NOTAENTRADACTB", "NOTAENTRADA", "B.CODIGONOTAENT = L.CODIGONOTAENT"}};
  int64_t ligadas = 0;
  for (const Origem& o : origens) {
    const std::string de = std::string(" from ") + o.ligacao + " L left join " + o.base +
                           " B on B.CODIGOESCRIT = L.CODIGOESCRIT and " + o.juncao;
    EXPECT_EQ(Contar(*db_, "select count(*)" + de + " where B.CODIGOESCRIT is null"), 0) << o.base;
    EXPECT_EQ(Contar(*db_, "select count(distinct L.CODIGOESCRIT)" + de), 3) << o.base;
    ligadas += Contar(*db_, std::string("select count(*) from ") + o.ligacao);
  }
  EXPECT_EQ(ligadas, Contar(*db_, "select count(*) from FPRLCTOCTB"));
  for (int finalidade = 1; finalidade <= 3; ++finalidade) {
    EXPECT_GT(Contar(*db_,
                     "select count(*) from FPRACERTOCTB L join FPRACERTO A on "
                     "A.CODIGOESCRIT = L.CODIGOESCRIT and A.CODIGOACERTO = L.CODIGOACERTO "
                     "where A.FINALIDADEACERTO = " +
                         std::to_string(finalidade)),
              0);
  }
}

// Receipts and payments to a person settled a title, which the settlement's
// documents name.
TEST_F(DemoContabilTest, SettlementsWithAPersonNameTheTitlesTheySettled) {
  const std::string com_entradas =
      "from FPRACERTO A where A.FINALIDADEACERTO in (1, 2) and A.CODIGOPESSOAFIN is not null "
      "and exists (select 1 from FPRACERTOCTB L where L.CODIGOESCRIT = A.CODIGOESCRIT and "
      "L.CODIGOACERTO = A.CODIGOACERTO)";
  EXPECT_GT(Contar(*db_, "select count(*) " + com_entradas), 0);
  EXPECT_EQ(Contar(*db_, "select count(*) " + com_entradas +
                             " and (select Documentos from DocumentoAcerto(A.CODIGOESCRIT, "
                             "A.CODIGOACERTO)) not starting with 'NF '"),
            0);
}

TEST(DemoContabil, SameOptionsPlantTheSameFaultsAndScaleMultipliesThem) {
  const std::filesystem::path dir = NovoDiretorio();
  DemoSummary um, outro, dobro;
  {
    auto a = Demo(dir, "a.fdb", DemoOptions{1, 77}, &um);
    auto b = Demo(dir, "b.fdb", DemoOptions{1, 77}, &outro);
    auto c = Demo(dir, "c.fdb", DemoOptions{2, 77}, &dobro);
    EXPECT_EQ(Contar(*a, "select count(*) from FPRLCTOCTB"),
              Contar(*b, "select count(*) from FPRLCTOCTB"));
    EXPECT_GT(Contar(*c, "select count(*) from FPRLCTOCTB"),
              Contar(*a, "select count(*) from FPRLCTOCTB") * 3 / 2);
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);

  ASSERT_EQ(um.accounting_faults.size(), outro.accounting_faults.size());
  for (size_t i = 0; i < um.accounting_faults.size(); ++i) {
    const DemoAccountingFault& x = um.accounting_faults[i];
    const DemoAccountingFault& y = outro.accounting_faults[i];
    EXPECT_EQ(std::tie(x.kind, x.company, x.origin, x.product, x.document, x.entry, x.date),
              std::tie(y.kind, y.company, y.origin, y.product, y.document, y.entry, y.date));
  }
  EXPECT_EQ(DoTipo(dobro.accounting_faults, DemoAccountingFault::kUnbalancedDocument).size(), 20u);
  EXPECT_EQ(DoTipo(dobro.accounting_faults, DemoAccountingFault::kAllocationMismatch).size(), 6u);
  EXPECT_EQ(DoTipo(dobro.accounting_faults, DemoAccountingFault::kMissingAllocation).size(), 6u);
}

}  // namespace
}  // namespace vireo::test
