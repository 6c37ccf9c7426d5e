#include "reports/payables/rptReceipts.h"

#include "frame/nrwBaseDllReg.h"
#include "host/core/format.h"
#include "host/core/text.h"
#include "host/data/dataset.h"
#include "host/data/sql.h"
#include "host/report/engine.h"
#include "reports/payables/TitulosUtil.h"
#include "reports/payables/rptReceiptsSQL.h"

namespace vireo {

TrptReceipts::~TrptReceipts() = default;

std::string TrptReceipts::Versao() { return "[versao: 1.1.89.0]"; }

std::vector<int> TrptReceipts::CriarListaSectionsParaZebrar() {
  TnrwBaseDll::CriarListaSectionsParaZebrar();  // fetched and dropped
  return {kLinhaCliente, kLinhaData, kReservada, kCabecalhoCliente, kCabecalhoData, kTotalGrupo};
}

void TrptReceipts::DoParamChange(TObject*, TnpqParamItem*) {}
void TrptReceipts::DoParamEnter(TObject*, TnpqParamItem*) {}
void TrptReceipts::DoParamExit(TObject*, TnpqParamItem*) {}

void TrptReceipts::DepoisConfigurar() {
  TnrwBaseDll::DepoisConfigurar();
  FReport->OnSectionPrint = [this](TObject* sender, int section) {
    DepoisImprimir(sender, section);
  };
}

void TrptReceipts::DepoisImprimir(TObject*, int Section) {
  if (Section != kCabecalhoPagina) return;
  if (FParTipoQuebra == tqPessoa) {
    FReport->RepPrintSection(kTitulosColunasCliente);
  } else if (FParTipoQuebra == tqData) {
    FReport->RepPrintSection(kTitulosColunasData);
  }
}

void TrptReceipts::LerParametros() {
  FParCodigoEscrit = Trim(FReport->RepParam("pCodigoEscrit"));
  FParDataInicial = LerParamData(*FReport, "pDataInicial");
  FParDataFinal = LerParamData(*FReport, "pDataFinal");
  FParCodigoCliente = Trim(FReport->RepParam("pCodigoCliente"));
  FParTipoQuebra = LerParamInteiro(*FReport, "pOrdenar");
  ValidarTipoQuebra(FParTipoQuebra);
}

void TrptReceipts::ImprimirInterno() {
  LerParametros();
  ValidarPeriodo(FParDataInicial, FParDataFinal);

  TnFiltroRecebimentos filtro;
  filtro.DataInicial = FParDataInicial;
  filtro.DataFinal = FParDataFinal;
  filtro.TipoQuebra = FParTipoQuebra;
  filtro.CodigoCliente = FParCodigoCliente;
  filtro.CodigoEscrit = FParCodigoEscrit;
  TnSQLGuard guarda(FCdsRecebimentos);
  FCdsRecebimentos =
      ExecutarSQL(SelectRecebimentos(filtro), {}, true, false, -1, "", nullptr, true);
  if (FCdsRecebimentos->IsEmpty()) return;
  FMapperRecebimentos = FCdsRecebimentos->GetMapper<TMapperRecebimentos>();

  FCdsRecebimentos->First();
  FReport->SetValues("pTitulo", "Recebimentos entre " + DateToStr(FParDataInicial) + " e " +
                                    DateToStr(FParDataFinal));
  PreencherEmpresa(*FReport, FParCodigoEscrit, FMapperRecebimentos->NOMEEMPRESA,
                   FMapperRecebimentos->INSCRFEDERALEMPRESA);
  ZerarTotaisGrupo();
  FTotalPeriodoRecebido = FTotalPeriodoMultaJuro = FTotalPeriodoDesconto = 0;
  FTotalPeriodoTarifa = FTotalPeriodoTotal = 0;
  ImprimirCabecalhoGrupo();
  std::string grupo = FMapperRecebimentos->CAMPOQUEBRA->AsString();
  const long long total = FCdsRecebimentos->RecordCount();
  long long posicao = 0;

  for (; !FCdsRecebimentos->Eof(); FCdsRecebimentos->Next()) {
    if (FMapperRecebimentos->CAMPOQUEBRA->AsString() != grupo) {
      ImprimirTotais(FTotalRecebido, FTotalMultaJuro, FTotalDesconto, FTotalTarifa, FTotalTotal,
                     kTotalGrupo);
      ZerarTotaisGrupo();
      ImprimirCabecalhoGrupo();
      grupo = FMapperRecebimentos->CAMPOQUEBRA->AsString();
    }
    ImprimirLinha();
    Somar();
    FReport->CSLShowProgress(++posicao, total);
  }
  ImprimirTotais(FTotalRecebido, FTotalMultaJuro, FTotalDesconto, FTotalTarifa, FTotalTotal,
                 kTotalGrupo);
  ImprimirTotais(FTotalPeriodoRecebido, FTotalPeriodoMultaJuro, FTotalPeriodoDesconto,
                 FTotalPeriodoTarifa, FTotalPeriodoTotal, kTotalGeral);
}

void TrptReceipts::ZerarTotaisGrupo() {
  FTotalRecebido = FTotalMultaJuro = FTotalDesconto = FTotalTarifa = FTotalTotal = 0;
}

void TrptReceipts::ImprimirCabecalhoGrupo() {
  const TMapperRecebimentos& m = *FMapperRecebimentos;
  if (FParTipoQuebra == tqPessoa) {
    FReport->SetValues("pCodigoClienteExibir", m.CODIGOCLIENTE->AsString());
    FReport->SetValues("pDescCliente", m.NOMECLIENTE->AsString());
    FReport->RepPrintSection(kCabecalhoCliente);
  } else {
    FReport->SetValues("pRecebimento", FormatarDataTitulo(m.DATARECEBIMENTO));
    FReport->RepPrintSection(kCabecalhoData);
  }
}

void TrptReceipts::ImprimirLinha() {
  const TMapperRecebimentos& m = *FMapperRecebimentos;
  FReport->SetValues("R1", FParTipoQuebra == tqPessoa
                               ? FormatarDataTitulo(m.DATARECEBIMENTO)
                               : m.CODIGOCLIENTE->AsString() + " - " + m.NOMECLIENTE->AsString());
  FReport->SetValues("R2", m.DOCUMENTO->AsString());
  FReport->SetValues("R3", FormatarDataTitulo(m.DATAVENCIMENTO));
  FReport->SetValues("R4", FormatarValorTitulo(m.RECEBER->AsFloat()));
  const double recebido = m.RECEBIDO->AsFloat();
  const double multa_juro = m.JURO->AsFloat() + m.MULTA->AsFloat();
  const double desconto = m.DESCONTO->AsFloat();
  FReport->SetValues("R5", FormatarValorTitulo(recebido));
  FReport->SetValues("R6", FormatarValorTitulo(multa_juro));
  FReport->SetValues("R7", FormatarValorTitulo(desconto));
  FReport->SetValues("R8", FormatarValorTitulo(m.TARIFA->AsFloat()));
  FReport->SetValues("R9", FormatarValorTitulo(recebido + multa_juro - desconto));
  FReport->RepPrintSection(FParTipoQuebra == tqPessoa ? kLinhaCliente : kLinhaData);
}

void TrptReceipts::Somar() {
  const TMapperRecebimentos& m = *FMapperRecebimentos;
  const double recebido = m.RECEBIDO->AsFloat();
  const double multa_juro = m.JURO->AsFloat() + m.MULTA->AsFloat();
  const double desconto = m.DESCONTO->AsFloat();
  const double tarifa = m.TARIFA->AsFloat();
  const double liquido = recebido + multa_juro - desconto;
  FTotalRecebido += recebido;
  FTotalMultaJuro += multa_juro;
  FTotalDesconto += desconto;
  FTotalTarifa += tarifa;
  FTotalTotal += liquido;
  FTotalPeriodoRecebido += recebido;
  FTotalPeriodoMultaJuro += multa_juro;
  FTotalPeriodoDesconto += desconto;
  FTotalPeriodoTarifa += tarifa;
  FTotalPeriodoTotal += liquido;
}

void TrptReceipts::ImprimirTotais(double recebido, double multa_juro, double desconto,
                                  double tarifa, double total, int secao) {
  FReport->SetValues("R5", FormatarValorTitulo(recebido));
  FReport->SetValues("R6", FormatarValorTitulo(multa_juro));
  FReport->SetValues("R7", FormatarValorTitulo(desconto));
  FReport->SetValues("R8", FormatarValorTitulo(tarifa));
  FReport->SetValues("R9", FormatarValorTitulo(total));
  FReport->RepPrintSection(secao);
}

VIREO_REGISTER_REPORT(TrptReceipts)

}  // namespace vireo
