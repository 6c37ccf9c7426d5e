// TncxSchedulerEventEditor: the agenda's appointment editor.  The
// scheduler's base editor with the agenda's own rows: completion, the
// destination user or users, contact, person group, person, company and
// property.  The plug-in's start-up makes it the scheduler's editor for
// the whole process.
#pragma once

#include <string>

#include "host/scheduler/event_editor.h"

namespace vireo {

// Names of the added controls: the storage's custom fields they edit.
namespace ncx {
inline constexpr const char* kConcluida = "cxCheckBoxConcluida";
inline constexpr const char* kUsuarioDest = "CODIGOUSUARIODEST";
inline constexpr const char* kContato = "CODIGOCONTATO";
inline constexpr const char* kGrupoPessoa = "TIPOGRUPOPESSOA";
inline constexpr const char* kPessoa = "CODIGOPESSOAFIN";
inline constexpr const char* kEmpresa = "CodigoEscrit";
inline constexpr const char* kImovel = "CODIGOIMOVEL";
}  // namespace ncx

// The host variables the editor reads and writes.
inline constexpr const char* kVarCodigoUsuarioDest = "gCodigoUsuarioDest";
inline constexpr const char* kVarInclusionCodigoUsuarioDest = "gInclusionCodigoUsuarioDest";

class TncxSchedulerEventEditor : public TcxSchedulerEventEditor {
 public:
  using TcxSchedulerEventEditor::TcxSchedulerEventEditor;
  ~TncxSchedulerEventEditor() noexcept override;
  std::string ClassName() const override { return "TncxSchedulerEventEditor"; }

  void InitializeControls() override;
  void UpdateEventValuesFromControls() override;
  void IsValid() override;
  void FormShow() override;
  void FormDeactivate() override;
  void FormDestroy() override;
  TcxKeyAction FormKeyDown(TcxKey key, bool shift, bool ctrl) override;

  std::string Description(const std::string& name) const override;
  std::vector<TnParamChoice> Choices(const std::string& name) const override;

  // The person lookup's condition for the current person group.
  std::string FiltroPessoa(const std::string& filtro) const;
  // Height of the panel holding the added rows, and their count.
  int AlturaPainel() const { return FAlturaPainel; }
  int QtdeLinhas() const { return FQtdeLinhas; }

 private:
  void CriarLinhas();
  void CarregarValores();
  void UsuarioDestChange();
  void ImovelChange();
  void ValidarDestino();
  void ValidarContato();
  void ValidarImovel();
  std::vector<TnParamChoice> Consulta(const std::string& sql) const;

  int FQtdeLinhas = 0;
  int FAlturaPainel = 0;
  bool FDestinoObrigatorio = false;  // the destination field's setting before FormShow
};

}  // namespace vireo
