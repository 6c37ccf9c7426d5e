// The chart tree that carries the transaction check's summary: which items
// it holds, their order, kinds and sums.
#include "host/biz/plano_contas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/data/dataset.h"
#include "host/data/sql.h"

namespace vireo::test {
namespace {

class PlanoContasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* cds = new TnClientDataSet();
    cds->AddFieldDef("CODIGOCONTA", TFieldType::Integer);
    cds->AddFieldDef("TIPOCONTA", TFieldType::Integer);
    cds->AddFieldDef("CLASSIFCONTA", TFieldType::String, 30);
    cds->AddFieldDef("DESCRCONTA", TFieldType::String, 50);
    cds->CreateDataSet();
    FCdsPlanoContas() = cds;
    Conta(1, 1, "1", "ATIVO");
    Conta(2, 1, "1.1", "DISPONÍVEL");
    Conta(11, 2, "1.1.01", "Caixa");
    Conta(12, 2, "1.1.02", "Banco");
    Conta(5, 1, "1.10", "OUTROS");
    Conta(51, 2, "1.10.01", "Outra");
    Conta(3, 1, "2", "PASSIVO");
    Conta(21, 2, "2.1", "Fornecedores");
  }
  void TearDown() override { DestruirSQL(FCdsPlanoContas()); }

  static void Conta(int codigo, int tipo, const std::string& classif, const std::string& descr) {
    TnClientDataSet& cds = *FCdsPlanoContas();
    cds.Append();
    cds.FieldByName("CODIGOCONTA")->SetAsInteger(codigo);
    cds.FieldByName("TIPOCONTA")->SetAsInteger(tipo);
    cds.FieldByName("CLASSIFCONTA")->SetAsString(classif);
    cds.FieldByName("DESCRCONTA")->SetAsString(descr);
    cds.Post();
  }
  static void Valor(IPlano& plano, int codigo, const std::string& classif, double debito,
                    double credito) {
    plano.AdicionarValor({codigo, classif, debito, credito, debito - credito});
  }

  // "classification:debit:credit:balance" of every item, depth first, with
  // two blanks per level.
  static std::vector<std::string> Arvore(const TnListaPlanoItem& itens, int nivel = 0) {
    std::vector<std::string> out;
    for (IPlanoItem* item : itens) {
      auto* saldo = dynamic_cast<IPlanoItemSaldo*>(item);
      out.push_back(std::string(2 * nivel, ' ') + item->Classificacao() +
                    (item->Sintetico() ? "S" : "") + ":" +
                    std::to_string(static_cast<int>(saldo->Debito())) + ":" +
                    std::to_string(static_cast<int>(saldo->Credito())) + ":" +
                    std::to_string(static_cast<int>(saldo->SaldoAtual())));
      for (const std::string& s : Arvore(item->Filhos(), nivel + 1)) out.push_back(s);
    }
    return out;
  }
};

TEST_F(PlanoContasTest, HoldsTheAccountsWithValuesAndEveryAccountAboveThem) {
  std::unique_ptr<IPlano> plano = TnPlanoContas::NovoPlanoConta(0);
  Valor(*plano, 21, "2.1", 0, 70);
  Valor(*plano, 11, "1.1.01", 100, 30);
  Valor(*plano, 11, "1.1.01", 5, 0);  // a second record adds
  Valor(*plano, 51, "1.10.01", 8, 0);
  EXPECT_EQ(Arvore(plano->Raizes()),
            (std::vector<std::string>{"1S:113:30:83", "  1.1S:105:30:75", "    1.1.01:105:30:75",
                                      "  1.10S:8:0:8", "    1.10.01:8:0:8", "2S:0:70:-70",
                                      "  2.1:0:70:-70"}));
  IPlanoItem* caixa = plano->Raizes().Items(0)->Filhos().Items(0)->Filhos().Items(0);
  EXPECT_EQ(caixa->Codigo(), 11);
  EXPECT_EQ(caixa->Descricao(), "Caixa");
}

TEST_F(PlanoContasTest, AnAccountTheChartLacksStandsAloneAtTheTop) {
  std::unique_ptr<IPlano> plano = TnPlanoContas::NovoPlanoConta(0);
  Valor(*plano, 99, "1.5", 10, 0);
  Valor(*plano, 12, "1.1.02", 0, 4);
  EXPECT_EQ(
      Arvore(plano->Raizes()),
      (std::vector<std::string>{"1S:0:4:-4", "  1.1S:0:4:-4", "    1.1.02:0:4:-4", "1.5:10:0:10"}));
  EXPECT_EQ(plano->Raizes().Items(1)->Descricao(), "");
}

TEST_F(PlanoContasTest, NoRecordNoItem) {
  EXPECT_EQ(TnPlanoContas::NovoPlanoConta(0)->Raizes().Count(), 0);
  DestruirSQL(FCdsPlanoContas());
  std::unique_ptr<IPlano> sem_plano = TnPlanoContas::NovoPlanoConta(0);
  Valor(*sem_plano, 11, "1.1.01", 1, 0);
  EXPECT_EQ(Arvore(sem_plano->Raizes()), (std::vector<std::string>{"1.1.01:1:0:1"}));
}

}  // namespace
}  // namespace vireo::test
