#include "host/data/host_session.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "host/core/convert.h"
#include "host/core/exception.h"
#include "host/core/text.h"

namespace vireo {

namespace {

struct Session {
  bool loaded = false;
  int user = 0;
  std::vector<std::string> denied;
  TnSelecao selection;
};

Session& Current() {
  static Session session;
  return session;
}

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && !Trim(value).empty() ? value : nullptr;
}

int EnvNumber(const char* name, const char* value) {
  int number = 0;
  if (!TryStrToInt(value, number))
    throw EUsage(std::string(name) + " inválido: \"" + value + "\" (use um número inteiro)");
  return number;
}

// The environment fills what nobody set before the first question; a value
// that is no number fails every question, never reads as a default.
Session& Loaded() {
  Session& s = Current();
  if (s.loaded) return s;
  Session read;
  if (const char* user = Env("VIREO_USUARIO")) read.user = EnvNumber("VIREO_USUARIO", user);
  if (const char* company = Env("VIREO_EMPRESA"))
    read.selection.SetParamValue("CodigoEscrit", Variant(EnvNumber("VIREO_EMPRESA", company)));
  if (const char* denied = Env("VIREO_SEM_DIREITOS"))
    for (const std::string& right : StrToStrArray(denied, ";"))
      if (!Trim(right).empty()) read.denied.push_back(Trim(right));
  read.loaded = true;
  s = std::move(read);
  return s;
}

}  // namespace

Variant TnSelecao::GetParamValue(const std::string& name) const {
  for (const auto& [key, value] : params_)
    if (SameText(key, name)) return value;
  return Variant::Null();
}

void TnSelecao::SetParamValue(const std::string& name, const Variant& value) {
  for (auto& [key, old] : params_)
    if (SameText(key, name)) {
      old = value;
      return;
    }
  params_.emplace_back(name, value);
}

TnSelecao& SelecaoAtual() { return Loaded().selection; }

int PegarUsuario() { return Loaded().user; }

std::optional<int> PegarEmpresaAtual() {
  const Variant company = SelecaoAtual().GetParamValue("CodigoEscrit");
  if (company.IsNull()) return std::nullopt;
  return static_cast<int>(company.AsInteger());
}

bool PegarDireito(const std::string& name, int /*value*/) {
  const std::vector<std::string>& denied = Loaded().denied;
  return std::none_of(denied.begin(), denied.end(),
                      [&](const std::string& d) { return SameText(d, name); });
}

void DefinirUsuario(int user) { Loaded().user = user; }

void DefinirEmpresaAtual(std::optional<int> company) {
  TnSelecao& selection = SelecaoAtual();
  selection.SetParamValue("CodigoEscrit", company ? Variant(*company) : Variant::Null());
}

void NegarDireito(const std::string& name) {
  if (PegarDireito(name, 0)) Loaded().denied.push_back(Trim(name));
}

void RedefinirSessao() { Current() = Session(); }

}  // namespace vireo
