// Helpers of the voucher tests: a database of its own per test with a
// company whose letterhead is complete (logo, address, telephone), payees,
// and prints of the two voucher plug-ins read back from the trace.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/support/jpeg_bytes.h"
#include "tests/support/report_harness.h"
#include "tests/support/settlement_fixtures.h"

namespace vireo::test {

enum SecaoRecibo {
  kCabecalho = 8,
  kEvento = 9,
  kTotal = 10,
  kFechamento = 12,
  kEspaco = 13,
  kBranco = 15,
  kInicio = 16,
  kFavorecido = 18,
};

// Contact kinds of PESSOACONTATO.
enum TipoContato { kTelefoneComercial = 2, kEmail = 6 };

class VoucherDbTest : public SettlementsDbTest {
 protected:
  void SetUp() override { OpenDatabase("vouchers", "vouchers.fdb"); }
  void TearDown() override { CloseDatabase(); }

  // Company 1 with a JPEG logo, its address in Curitiba and a business
  // telephone; payees 100 and 101.
  void Basico() {
    Empresa(1, "Empresa Um Ltda", "11.111.111/0001-11");
    Logo(1, SolidJpeg(40, 20, 0x2060A0));
    Endereco(1, 1, "Rua das Flores", "100", "Centro", "Curitiba", "PR");
    Contato(1, kTelefoneComercial, "4133334444");
    Pessoa(100, "Fornecedor Cem", "123.456.789-09", 1);
    Pessoa(101, "Fornecedor Cento e Um", "22.333.444/0001-55");
  }

  // An installment of document `cab` for `pessoa`, settled by `acerto` on
  // `dia` of March 2024, with its receipt number.
  void Parcela(Lado lado, int cab, int parcela, int pessoa, int acerto, int dia, double valor,
               const BaixaExtra& extra = {}, const TituloExtra& titulo = {}) {
    Titulo(lado, 1, cab, parcela, pessoa, Dia(2024, 2, 1), valor, titulo);
    Baixa(lado, 1, cab, parcela, acerto, Dia(2024, 3, dia), valor, extra);
    Exec(std::string("update or insert into ") +
             (lado == Lado::kPagar ? "FPRRECIBOPAGAMENTO" : "FPRRECIBORECEBIMENTO") +
             " (CODIGOESCRIT, CODIGOACERTO, CODIGOPESSOAFIN, NUMERORECIBO) values (1, ?, ?, ?) "
             "matching (CODIGOESCRIT, CODIGOACERTO, CODIGOPESSOAFIN)",
         {acerto, pessoa, 1000 + acerto});
  }

  TracePrint Imprimir(const std::string& relatorio,
                      const std::map<std::string, std::string>& params = {}) {
    Commit();
    const std::string dir = PluginDirFrom("VIREO_VOUCHERS_PLUGIN_DIR");
    TnPrintSession session(ReportPlugin::Get(dir, relatorio),
                           LoadLayout(dir + "/" + relatorio + ".json"),
                           RunVia::kConfiguredInstance);
    SetMarch2024(session.Engine());
    SetParams(session.Engine(), params);
    return PrintAndRead(session, TracePath());
  }
  TracePrint Pagamentos(const std::map<std::string, std::string>& params = {}) {
    return Imprimir("rptPaymentVoucher", params);
  }
};

// Event lines as "text = value".
inline std::vector<std::string> Eventos(const TracePrint& print) {
  std::vector<std::string> out;
  for (const json& e : print.Of(kEvento))
    out.push_back(Var(e, "pEvento") + " = " + Var(e, "pValorEvento"));
  return out;
}

}  // namespace vireo::test
