// Message texts of the host that plug-ins raise as their own errors.
#pragma once

namespace vireo {

// The agenda editor: an appointment without a destination user, and an
// invalid contact.
inline constexpr const char* nOrgSUsuarioInvalido = "Usuário de destino inválido.";
inline constexpr const char* nOrgSContatoInvalido = "Contato inválido.";

}  // namespace vireo
