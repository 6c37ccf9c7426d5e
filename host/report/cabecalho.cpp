#include "host/report/cabecalho.h"

#include "host/core/text.h"
#include "host/report/engine.h"

namespace vireo {

TnCabecalhoRelatorio::TnCabecalhoRelatorio(TnrwReport* report, bool imprimir_filtros, bool paisagem,
                                           bool individual, bool imprimir_hora, bool imprimir_data,
                                           const Variant& empresa, int pagina_inicial,
                                           int margem_esquerda, int margem_direita,
                                           const std::string& titulo, const std::string& subtitulo,
                                           bool numerar_por_empresa)
    : TnCabecalhoRelatorio(
          report, TnCabecalhoOpcoes{imprimir_filtros, paisagem, individual, imprimir_hora,
                                    imprimir_data, empresa, pagina_inicial, margem_esquerda,
                                    margem_direita, titulo, subtitulo, numerar_por_empresa}) {}

TnCabecalhoRelatorio::TnCabecalhoRelatorio(TnrwReport* report, TnCabecalhoOpcoes opcoes)
    : report_(report), opcoes_(std::move(opcoes)) {
  Atualizar();
}

TnCabecalhoRelatorio::~TnCabecalhoRelatorio() noexcept = default;

void TnCabecalhoRelatorio::Atualizar() {
  if (report_ == nullptr) return;
  report_->SetValues("pTituloRelatorio",
                     opcoes_.titulo.empty() ? report_->Layout().title : opcoes_.titulo);
  report_->SetValues("pSubtituloRelatorio", opcoes_.subtitulo);
  if (!opcoes_.imprimir_filtros) return;
  std::string filtros;
  for (TnpqParamItem* item : report_->Parametros()) {
    if (item->Hidden() || Trim(item->Value()).empty()) continue;
    if (!filtros.empty()) filtros += "; ";
    filtros += item->Caption() + ": " + item->DisplayText();
  }
  report_->SetValues("pFiltrosRelatorio", filtros);
}

}  // namespace vireo
