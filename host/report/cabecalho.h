// TnCabecalhoRelatorio: the standard page header of the host's reports.
//
// Bound to an engine, it fills the variables the layouts' page headers show:
// pTituloRelatorio (the given title, else the layout's), pSubtituloRelatorio
// and, when asked, pFiltrosRelatorio (the panel's filled parameters as
// "Caption: value; ...").  Date and time of printing are not variables: a
// header label shows them with the tokens "{data}" and "{hora}", so traces of
// two prints compare equal.
#pragma once

#include <string>

#include "host/core/export.h"
#include "host/core/object.h"
#include "host/core/variant.h"

namespace vireo {

class TnrwReport;

struct VIREO_API TnCabecalhoOpcoes {
  bool imprimir_filtros = false;  // list the parameters in pFiltrosRelatorio
  bool paisagem = false;          // the report prints in landscape
  bool individual = false;        // one company per print
  bool imprimir_hora = false;     // the layout's header shows the time
  bool imprimir_data = true;      // the layout's header shows the date
  Variant empresa;                // company shown in the header; null: none
  int pagina_inicial = -1;        // -1: the engine's page numbers
  int margem_esquerda = 0;
  int margem_direita = 0;
  std::string titulo;  // empty: the layout's title
  std::string subtitulo;
  bool numerar_por_empresa = false;
};

class VIREO_API TnCabecalhoRelatorio : public TObject {
 public:
  // The host's argument order.
  TnCabecalhoRelatorio(TnrwReport* report, bool imprimir_filtros, bool paisagem, bool individual,
                       bool imprimir_hora, bool imprimir_data, const Variant& empresa,
                       int pagina_inicial, int margem_esquerda, int margem_direita,
                       const std::string& titulo, const std::string& subtitulo,
                       bool numerar_por_empresa);
  TnCabecalhoRelatorio(TnrwReport* report, TnCabecalhoOpcoes opcoes);
  ~TnCabecalhoRelatorio() noexcept override;

  const TnCabecalhoOpcoes& Opcoes() const { return opcoes_; }
  // Fills the header variables again (after the parameters changed).
  void Atualizar();

 private:
  TnrwReport* report_;
  TnCabecalhoOpcoes opcoes_;
};

}  // namespace vireo
