// The split of a destination naming several users.
#include <gtest/gtest.h>

#include "agenda/DestinoUsuarios.h"

namespace vireo {
namespace {

void Espera(const std::string& texto, const std::string& primeiro, const std::string& restante,
            bool multipla) {
  const TnDivisaoDestino d = DividirDestino(texto);
  EXPECT_EQ(d.Primeiro, primeiro) << texto;
  EXPECT_EQ(d.Restante, restante) << texto;
  EXPECT_EQ(d.Multipla, multipla) << texto;
}

TEST(DestinoTest, WhicheverOfSemicolonAndRangeComesFirstDecides) {
  Espera("7", "7", "", false);
  Espera(" 7 ", "7", "", false);
  Espera("3;8;10", "3", "8;10", true);
  Espera("5..9", "5", "6..9", true);
  Espera("5..9;12", "5", "6..9;12", true);
  Espera("3;5..9", "3", "5..9", true);
}

TEST(DestinoTest, AUsedUpRangeIsDropped) {
  Espera("8..9", "8", "9..9", true);
  Espera("9..9;12", "9", "12", true);
  Espera("9..9", "9", "", true);
  Espera("10..9", "10", "", true);
}

TEST(DestinoTest, OneUserHasNoSemicolonNorDot) {
  EXPECT_TRUE(DestinoUnico("12"));
  EXPECT_FALSE(DestinoUnico("1;2"));
  EXPECT_FALSE(DestinoUnico("1..2"));
  EXPECT_FALSE(DestinoUnico("1.2"));
}

}  // namespace
}  // namespace vireo
