// TrptTransactionCheck: financial transactions (receipts, payments and
// movements between accounts) with the account entries each one made: per
// transaction a boxed heading, one line per entry with its debit or credit
// and the transaction's totals; then the grand totals and a summary of
// debits, credits and balance per account of the chart, as a tree.  The
// transactions come from the host's TnConferenciaTransacoes, or from a list
// the host holds and hands over by number (pObjetoTransacoes).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/biz/conferencia_transacoes.h"
#include "host/biz/plano_contas.h"
#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperTotalConta {
  TField* CodigoConta{};
  TField* TotalDebito{};
  TField* TotalCredito{};
  TField* ClassifConta{};
  VIREO_MAPPER(TnMapperTotalConta, CodigoConta, TotalDebito, TotalCredito, ClassifConta)
};

class TrptTransactionCheck : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kConta = 8,             // an entry of the transaction
    kSeparador = 11,        // between transactions, and before the grand totals
    kTransacao = 12,        // the boxed heading of a transaction
    kTotalTransacao = 14,   // the transaction's debit and credit totals
    kCabecalhoResumo = 18,  // head of the account summary
    kResumoSintetica = 19,
    kResumoAnalitica = 20,
    kTotalGeral = 21,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptTransactionCheck() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;

 private:
  void CriarTotalConta();
  void LerParametros();
  void CarregarTransacoes();
  void CarregarPlanoContas();
  void ImprimirTransacoes();
  void TrocarEmpresa(int64_t& empresa_anterior);
  void ImprimirCabecalhoTransacao();
  void ImprimirConta(const TConta& conta);
  void SomarConta(const TConta& conta);
  void ImprimirTotalGeral();
  void ImprimirResumo();
  void ImprimirItem(IPlanoItem* item, int nivel);
  void RecuarConta(int nivel);

  double FParValorMaximo = 0;
  double FParValorMinimo = 0;
  double FTotalDebitosGeral = 0;
  double FTotalCreditosGeral = 0;
  int64_t FParObjetoTransacoes = -1;
  int FParOrdenar = 0;
  TDateTime FParDataInicial = 0;
  TDateTime FParDataFinal = 0;
  std::string FParCodigoAcertoIncl;
  std::string FParTipoOperacaoIncl;
  std::string FParCodigoEscritIncl;
  // The list printed: the entity's, owned here, or the host's.
  std::unique_ptr<TListaTransacoes> FTransacoesProprias;
  const TListaTransacoes* FTransacoes = nullptr;
  const TTransacao* FTransacaoCorrente = nullptr;
  double FTotalDebitos = 0;
  double FTotalCreditos = 0;
  std::unique_ptr<TnClientDataSet> FCdsTotalConta;
  std::unique_ptr<TnClientDataSet> FCdsClone;
  TnMapperTotalConta* FTotalConta = nullptr;  // the dataset's
  std::unique_ptr<IPlano> FPlanoConta;
  double FRecuoBase = -1;  // left of R1 in the summary lines, as the layout has it
  double FLarguraBase = 0;
};

}  // namespace vireo
