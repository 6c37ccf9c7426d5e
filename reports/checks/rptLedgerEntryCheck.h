// TrptLedgerEntryCheck: the accounting entries (FPRLCTOCTB) that the other
// modules generated when they posted their documents, listed per company and
// per originating document, so that a document whose debits and credits do
// not balance stands out.
//
// Each document ends with its debit, credit and difference; each company
// with its totals and a summary of debits and credits per account; the print
// with the same summary over all companies.  An option keeps only the
// documents that do not balance.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/datetime.h"
#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperIntegracaoContabil {
  TField* FprChaveLctoCtb{};
  TField* DataLctoCtb{};
  TField* CodigoEscrit{};
  TField* Nome{};
  TField* InscFederal{};
  TField* Tipo{};
  TField* ValorLctoCtb{};
  TField* ContaCtbDeb{};
  TField* DescrContaDeb{};
  TField* ContaCtbCred{};
  TField* DescrContaCred{};
  TField* CodigoAcerto{};
  TField* Documento{};
  TField* Identificador{};
  TField* OrigemDado{};
  TField* CodigoUsuario{};
  TField* NomeUsuario{};
  TField* Diferenca{};
  VIREO_MAPPER(TnMapperIntegracaoContabil, FprChaveLctoCtb, DataLctoCtb, CodigoEscrit, Nome,
               InscFederal, Tipo, ValorLctoCtb, ContaCtbDeb, DescrContaDeb, ContaCtbCred,
               DescrContaCred, CodigoAcerto, Documento, Identificador, OrigemDado, CodigoUsuario,
               NomeUsuario, Diferenca)
};

struct TnMapperTotalConta {
  TField* CodigoEscrit{};
  TField* CodigoContaCtb{};
  TField* DescrConta{};
  TField* ValorDeb{};
  TField* ValorCred{};
  VIREO_MAPPER(TnMapperTotalConta, CodigoEscrit, CodigoContaCtb, DescrConta, ValorDeb, ValorCred)
};

class TrptLedgerEntryCheck : public TnrwBaseDll {
 public:
  // The sections of rptLedgerEntryCheck.json.
  enum Secao : int {
    kCabecalho = 1,         // page header: company, period, column headings
    kRodape = 3,            // page footer
    kLancamento = 8,        // an entry, with its document on the first line
    kTotais = 9,            // debit, credit and difference of a document or company
    kEspaco = 10,           // sets totals apart from what follows or precedes them
    kCabecalhoResumo = 11,  // heading of an account summary
    kContaResumo = 12,      // an account of a summary
    kTotalResumo = 13,      // totals of a summary
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptLedgerEntryCheck() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  void DepoisConfigurar() override;
  void AntesConfigurar(TObject* parent) override;

 private:
  // What keys a document: kind, identifier, company and the text of the
  // column named by FFieldOrdenar.
  struct TnChaveDocumento {
    int64_t Tipo = 0;
    std::string Identificador;
    int64_t CodigoEscrit = 0;
    std::string Ordenar;
    bool operator==(const TnChaveDocumento&) const = default;
  };

  void LerParametros();
  void ConsultarLancamentos();
  // Rows in walk order, and for each the number of rows of its document.
  struct TnOrdem {
    std::vector<int> Linhas;
    std::vector<size_t> Tamanhos;
  };
  TnOrdem OrdemDocumentos() const;
  void ManterDocumentoNaPagina(size_t linhas);
  TnChaveDocumento ChaveAtual() const;
  void Percorrer();
  void PrepararTotalConta();
  void ImprimirLancamento();
  std::string TextoUsuario() const;
  void SomarTotalConta(const TField* conta, const TField* descricao, double valor, bool debito);
  void ImprimirTotalDocumento();
  void ImprimirTotalEscritorio();
  void ManterResumoNaPagina();
  void ImprimirResumoEscritorio(int64_t codigo_escrit);
  void ImprimirResumoGeral();
  void ImprimirLinhaResumo(const std::string& conta, double debito, double credito);
  void ImprimirTotalResumo(double debito, double credito);
  void DefinirTotais(const std::string& titulo, double debito, double credito);
  void DefinirSaldo(double valor);
  void MostrarTitulos(bool resumo);

  std::unique_ptr<TnClientDataSet> FCdsTotalConta;
  TnClientDataSet* FCdsLctoCtb = nullptr;
  TnMapperIntegracaoContabil* FLctoCtb = nullptr;
  std::string FDescrContaDeb;
  std::string FDescrContaCred;
  std::string FTipo;
  std::string FCodigoEscrit;
  std::string FFieldOrdenar;
  TDateTime FDataFinal = 0;
  TDateTime FDataInicial = 0;
  int FOrdenacao = 0;
  int64_t FContaContabil = 0;
  double FTotalDeb = 0;
  double FTotalCred = 0;
  double FTotalDebGeral = 0;
  double FTotalCredGeral = 0;
  bool FEhNovoLcto = true;
  bool FSohExibirDiferenca = false;
  TnMapperTotalConta* FMapTotalConta = nullptr;
};

}  // namespace vireo
