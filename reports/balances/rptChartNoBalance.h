// TrptChartNoBalance: the financial chart of accounts without amounts,
// company by company: code, synthetic mark, classification and
// description, balance nature, and the currency of a currency account or
// the bank account of a bank account.  Options narrow it to synthetic
// accounts, to chosen accounts (a chosen synthetic account brings the
// accounts below it) and to accounts that never had a balance.
#pragma once

#include <string>
#include <vector>

#include "host/data/mapper.h"
#include "host/report/base_dll.h"

namespace vireo {

class TField;
class TnClientDataSet;

struct TnMapperConta {
  TField* CODIGOCONTA{};
  TField* TIPOCONTA{};
  TField* CLASSIFCONTA{};
  TField* DESCRCONTA{};
  TField* MODALIDADECONTA{};
  TField* NATURSALDO{};
  TField* CODIGOMOEDA{};
  TField* CODIGOPESSOACONTA{};
  TField* CODIGOCONTABANC{};
  TField* CODIGOESCRITORIO{};
  VIREO_MAPPER(TnMapperConta, CODIGOCONTA, TIPOCONTA, CLASSIFCONTA, DESCRCONTA, MODALIDADECONTA,
               NATURSALDO, CODIGOMOEDA, CODIGOPESSOACONTA, CODIGOCONTABANC, CODIGOESCRITORIO)
};

struct TnMapperEscrit {
  TField* CODIGOESCRITORIO{};
  TField* NOME{};
  TField* INSCFEDERAL{};
  VIREO_MAPPER(TnMapperEscrit, CODIGOESCRITORIO, NOME, INSCFEDERAL)
};

struct TMoedaMap {
  TField* CodigoMoeda{};
  TField* NomeMoeda{};
  VIREO_MAPPER(TMoedaMap, CodigoMoeda, NomeMoeda)
};

struct TContaBancMap {
  TField* CODIGOPESSOAFIN{};
  TField* CODIGOCONTABANC{};
  TField* CODIGOBANCO{};
  TField* NOMEBANCO{};
  TField* CODIGOAGENCIABANC{};
  TField* NRCONTABANC{};
  TField* NOMEAGENCIA{};
  VIREO_MAPPER(TContaBancMap, CODIGOPESSOAFIN, CODIGOCONTABANC, CODIGOBANCO, NOMEBANCO,
               CODIGOAGENCIABANC, NRCONTABANC, NOMEAGENCIA)
};

class TrptChartNoBalance : public TnrwBaseDll {
 public:
  enum Secao : int {
    kCabecalhoPagina = 1,
    kLinhaEmBranco = 8,  // before a synthetic account, when asked for
    kFimFolha = 9,       // printed when a line and a page header no longer fit
    kConta = 11,
  };

  using TnrwBaseDll::TnrwBaseDll;
  ~TrptChartNoBalance() override;

  std::string Versao() override;
  std::vector<int> CriarListaSectionsParaZebrar() override;
  void ImprimirInterno() override;
  void DoParamChange(TObject* sender, TnpqParamItem* param) override;
  void DoParamEnter(TObject* sender, TnpqParamItem* param) override;
  void DoParamExit(TObject* sender, TnpqParamItem* param) override;
  // Before every section: closes the page with section 9 when a line and a
  // page header would no longer fit on it.
  void DoBeforeSection(TObject* sender, int section) override;

 private:
  void LerParametros();
  std::string MontarInclusao();
  void AbrirConsultas();
  void ImprimirEmpresa(int& registro, int total);
  void CabecalhoEmpresa();
  bool Sintetica() const;
  void ConfigurarFonte();
  void PreencherLinha();
  std::string TextoMoeda();
  std::string TextoContaBanc();

  TnClientDataSet* FCdsEscrit = nullptr;
  TnClientDataSet* FCdsConta = nullptr;
  TnClientDataSet* FCdsMoeda = nullptr;
  TnClientDataSet* FCdsContaBanc = nullptr;
  bool FQuebrarPaginaPorGrupo = false;
  bool FImprimirSomenteSinteticas = false;
  bool FPularLinhaCadaSintetica = false;
  bool FContaSemSaldo = false;
  std::string FCodigoEscrit;
  std::string FCodigoContaIncl;
  TnMapperConta* FMapConta = nullptr;    // the dataset's
  TnMapperEscrit* FMapEscrit = nullptr;  // the dataset's
};

}  // namespace vireo
