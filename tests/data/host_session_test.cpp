// The host session: the environment's settings, what the program sets over
// them, and the current selection reached through the connection module.
#include "host/data/host_session.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "host/core/exception.h"
#include "host/data/sql.h"

namespace vireo {
namespace {

class HostSession : public ::testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    unsetenv("VIREO_USUARIO");
    unsetenv("VIREO_EMPRESA");
    unsetenv("VIREO_SEM_DIREITOS");
    RedefinirSessao();
  }
};

TEST_F(HostSession, DefaultsAreUserZeroNoCompanyEveryRight) {
  EXPECT_EQ(PegarUsuario(), 0);
  EXPECT_EQ(nDMConexao().CodigoUsuario(), 0);
  EXPECT_FALSE(PegarEmpresaAtual().has_value());
  EXPECT_TRUE(nDMConexao().Selecao().GetParamValue("CodigoEscrit").IsNull());
  EXPECT_TRUE(PegarDireito("actTnOrgDPUsuario", 56));
}

TEST_F(HostSession, EnvironmentIsReadAtTheFirstQuestion) {
  setenv("VIREO_USUARIO", "7", 1);
  setenv("VIREO_EMPRESA", " 3 ", 1);
  setenv("VIREO_SEM_DIREITOS", "actTnOrgDPUsuario; DireitoPodeAgendarCompromisso;", 1);
  EXPECT_EQ(PegarUsuario(), 7);
  EXPECT_EQ(nDMConexao().Selecao().GetParamValue("codigoescrit").AsInteger(), 3);
  EXPECT_FALSE(PegarDireito("ACTTNORGDPUSUARIO", 56));
  EXPECT_FALSE(PegarDireito("DireitoPodeAgendarCompromisso", 56));
  EXPECT_TRUE(PegarDireito("OutroDireito", 56));
}

TEST_F(HostSession, ProgramSettingsWinOverTheEnvironment) {
  setenv("VIREO_EMPRESA", "3", 1);
  DefinirEmpresaAtual(5);
  DefinirUsuario(2);
  NegarDireito("X");
  EXPECT_EQ(PegarEmpresaAtual(), 5);
  EXPECT_EQ(PegarUsuario(), 2);
  EXPECT_FALSE(PegarDireito("x", 56));
  DefinirEmpresaAtual(std::nullopt);
  EXPECT_FALSE(PegarEmpresaAtual().has_value());
}

TEST_F(HostSession, AnEnvironmentValueThatIsNoNumberIsAUsageError) {
  setenv("VIREO_USUARIO", "abc", 1);
  EXPECT_THROW(PegarUsuario(), EUsage);
}

}  // namespace
}  // namespace vireo
