// What the host offers the agenda's editor about persons: the kinds of
// person group, and the access filter on the interested parties of
// properties.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"
#include "host/report/params.h"

namespace vireo {

// The person group any person belongs to: no group filter.
inline constexpr int kGrupoPessoaTodos = 99;
// Interested parties of properties (INTERESSADO), not PESSOAGRUPO rows.
inline constexpr int kGrupoPessoaInteressado = 3;

// The kinds of person group, value and caption ("99" for all persons).
VIREO_API std::vector<TnParamChoice> GetNomesValoresTipoPessoa();

// The condition (over INTERESSADO) limiting the interested parties the
// logged-in user may see; empty when the user sees all of them.  A host may
// set it (SetFiltroAcessoInteressadoImobiliario).
VIREO_API std::string FiltroAcessoInteressadoImobiliario();
VIREO_API void SetFiltroAcessoInteressadoImobiliario(const std::string& filtro);

}  // namespace vireo
