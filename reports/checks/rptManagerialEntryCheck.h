// TrptManagerialEntryCheck: the check of the managerial (cost-centre)
// allocations of the accounting entries the modules generated in a period.
//
// Every entry is printed once, with its allocations to cost centres under
// it, and each side of the entry (debit, credit) closes with the total of
// its allocations.  The print ends with two summaries side by side: the
// entries' values per account and the allocated values per cost centre.
// pLancamentos keeps only the entry sides whose allocations add up to the
// entry's value (0), only those that do not (1), or all of them (2).
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;
struct TnFiltroLctoGerencial;

// An amount with four decimal places, added without rounding drift: many
// small allocations sum to exactly what they were meant to.
class TnValor4 {
 public:
  TnValor4() = default;
  static TnValor4 DeDouble(double valor) {
    TnValor4 v;
    v.decimos_milesimos_ = std::llround(valor * 10000.0);
    return v;
  }
  double AsDouble() const { return static_cast<double>(decimos_milesimos_) / 10000.0; }
  TnValor4& operator+=(TnValor4 outro) {
    decimos_milesimos_ += outro.decimos_milesimos_;
    return *this;
  }
  bool operator==(const TnValor4& outro) const = default;
  bool Positivo() const { return decimos_milesimos_ > 0; }

 private:
  int64_t decimos_milesimos_ = 0;
};

struct TnMapperEscritorio {
  TField* NOME{};
  TField* INSCFEDERAL{};
  VIREO_MAPPER(TnMapperEscritorio, NOME, INSCFEDERAL)
};

struct TnMapperLancamento {
  TField* FPRCHAVELCTOCTB{};
  TField* CODIGOESCRIT{};
  TField* DATALCTOCTB{};
  TField* NOME{};
  TField* TIPO{};
  TField* VALORLCTOCTB{};
  TField* CONTACTBDEB{};
  TField* DESCRCONTADEB{};
  TField* CONTACTBCRED{};
  TField* DESCRCONTACRED{};
  TField* CODIGOCENTROCUSTO{};
  TField* DESCRCENTROCUSTO{};
  TField* VALORLCTOGER{};
  TField* VALORLCTOGERTOTAL{};
  TField* NATURLCTOCTB{};
  TField* CODIGOACERTO{};
  TField* DOCUMENTO{};
  TField* VALORLCTOGERLADO{};
  VIREO_MAPPER(TnMapperLancamento, FPRCHAVELCTOCTB, CODIGOESCRIT, DATALCTOCTB, NOME, TIPO,
               VALORLCTOCTB, CONTACTBDEB, DESCRCONTADEB, CONTACTBCRED, DESCRCONTACRED,
               CODIGOCENTROCUSTO, DESCRCENTROCUSTO, VALORLCTOGER, VALORLCTOGERTOTAL, NATURLCTOCTB,
               CODIGOACERTO, DOCUMENTO, VALORLCTOGERLADO)
};

class TrptManagerialEntryCheck : public TnrwBaseDll {
 public:
  // The sections of rptManagerialEntryCheck.json.
  enum Secao : int {
    kCabecalho = 1,          // page header: company, period, column headings
    kRodape = 3,             // page footer
    kQuebraGrupo = 8,        // before an entry of another company or origin kind
    kRateio = 9,             // one allocation, with the entry on its first line
    kTotalDebito = 10,       // allocations of the debit side
    kTotalCredito = 11,      // allocations of the credit side
    kFimLado = 12,           // closes an entry side
    kCabecalhoResumos = 13,  // heading of the two summaries
    kLinhaResumos = 14,      // an account beside a cost centre
    kTotalResumos = 15,      // totals of both summaries
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptManagerialEntryCheck() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;
  void AntesConfigurar(TObject* parent) override;

 private:
  // Where the walk stands: the entry and side being printed.
  struct TnPosicao {
    bool tem_chave = false;
    int64_t chave = 0;
    int64_t escritorio = 0;
    int64_t tipo = 0;
    int64_t natureza = 0;
    bool primeira_linha = false;
    bool primeira_impressa = false;
  };

  void LerParametros();
  // The queries' choices: the parameters read and the host's kinds.
  TnFiltroLctoGerencial Filtro() const;
  void CarregarEscritorio();
  void CarregarLancamentos();
  void ImprimirLancamentos();
  bool LinhaSelecionada() const;
  bool MesmoLado(const TnPosicao& posicao) const;
  void AbrirLancamento(TnPosicao& posicao);
  void ImprimirRateio(TnPosicao& posicao, TnClientDataSet& contas, TnClientDataSet& centros);
  void FecharLado();
  void TrocarTitulosParaResumos();
  void ImprimirResumos(TnClientDataSet& contas, TnClientDataSet& centros);

  TnClientDataSet* FCdsEscritorio = nullptr;
  TnClientDataSet* FCdsLancamentos = nullptr;
  TnMapperEscritorio* FMapperEscritorio = nullptr;  // the dataset's
  TnMapperLancamento* FMapperLancamento = nullptr;  // the dataset's
  int FContaContabil = 0;
  int FOrdenacao = 0;
  int FLancamentos = 0;
  TDateTime FDataInicial = 0;
  TDateTime FDataFinal = 0;
  std::string FDescrContaDeb;
  std::string FDescrContaCred;
  std::string FTipo;
  std::string FCodigoEscritorio;
  std::string FCentroCustos;
  TnValor4 FTotalDebito;
  TnValor4 FTotalCredito;
};

}  // namespace vireo
