// The person lookup of the agenda editor limited to a person group: the
// persons of that group (PESSOAGRUPO), or the interested parties of
// properties (INTERESSADO) the user may see.
#pragma once

#include <string>

namespace vireo {

// The lookup filter `filtro` with the group's condition added.  `grupo` is
// the person-group row's text (not a number, or 99: no condition).  With a
// connection of kind 2 the sub-query goes into the condition; otherwise it
// runs now and its codes are listed.  A group without persons offers
// nobody.
std::string FiltroPessoaGrupo(const std::string& filtro, const std::string& grupo, int tipo_con);

// The sub-query of the group's persons.
std::string SubConsultaPessoasGrupo(int grupo);

}  // namespace vireo
