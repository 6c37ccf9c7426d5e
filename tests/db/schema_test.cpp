#include "db/schema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "db_test_support.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

using testing::Count;
using testing::Rows;
using testing::Scalar;
using testing::TempDir;

// One database with the schema for the whole suite: creating one takes a
// while, and these tests only read it or add rows of their own keys.
class SchemaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    db_ = CreateDatabase(dir_->File("schema.fdb"), false).release();
  }
  static void TearDownTestSuite() {
    delete db_;
    delete dir_;
  }
  static TnConnection& Db() { return *db_; }

  static void Exec(const std::string& sql) {
    auto transaction = Db().StartWrite();
    transaction->Execute(sql);
    transaction->Commit();
  }

  static std::string Documents(int company, int settlement) {
    auto rows = testing::Select(Db(), "select Documentos from DocumentoAcerto(?, ?)",
                                {company, settlement});
    EXPECT_EQ(rows->RecordCount(), 1);
    return rows->FieldByName("DOCUMENTOS")->AsString();
  }

  static TempDir* dir_;
  static TnConnection* db_;
};

TempDir* SchemaTest::dir_ = nullptr;
TnConnection* SchemaTest::db_ = nullptr;

TEST_F(SchemaTest, HoldsEveryTableTheReportsRead) {
  const char* const kTables[] = {"FPRLCTOCTB",
                                 "FPRLCTOGER",
                                 "FPRCONTA",
                                 "FPRCFGCONTA",
                                 "PLANOESPEC",
                                 "FPRCENTROCUSTO",
                                 "FPRCFGCENTROCUSTO",
                                 "FPRCONTASALDO",
                                 "FPRMOEDA",
                                 "FPRCAIXA",
                                 "FPRCAIXACUSTO",
                                 "FPRACERTOCX",
                                 "FPRACERTOCP",
                                 "FPRHISTORICO",
                                 "FPRCONTAPAGAR",
                                 "FPRCONTAPAGARCAB",
                                 "FPRCONTAPAGARBAIXA",
                                 "FPRCONTARECEBER",
                                 "FPRCONTARECEBERBAIXA",
                                 "FPRRECIBOPAGAMENTO",
                                 "FPRRECIBORECEBIMENTO",
                                 "BOLETO",
                                 "EMPRESACFGBOLETO",
                                 "FPRCONTAPAGARCABCTB",
                                 "FPRCONTARECEBERCABCTB",
                                 "CONTARECEBERCTB",
                                 "FPRACERTOCTB",
                                 "FPRACERTO",
                                 "SERVICONOTACTB",
                                 "VENDACTB",
                                 "OBRAORCAMENTOCTB",
                                 "NOTAENTRADACTB",
                                 "FPRCONTARECEBERCAB",
                                 "CONTARECEBER",
                                 "SERVICONOTA",
                                 "VENDA",
                                 "OBRAORCAMENTO",
                                 "NOTAENTRADA",
                                 "FPRCHEQUE",
                                 "CHEQUEDETALHE",
                                 "PESSOAFINANCEIRO",
                                 "ESCRITORIO",
                                 "PESSOAENDERECO",
                                 "VENDERECO",
                                 "PESSOACONTATO",
                                 "PESSOACONTABANC",
                                 "AGENCIABANC",
                                 "BANCO",
                                 "USUARIO",
                                 "AGENDAUSUARIO",
                                 "PESSOAGRUPO",
                                 "INTERESSADO"};
  std::set<std::string> present;
  for (const std::string& name :
       Rows(Db(), "select trim(RDB$RELATION_NAME) from RDB$RELATIONS where RDB$SYSTEM_FLAG = 0")) {
    present.insert(name);
  }
  for (const char* table : kTables) EXPECT_TRUE(present.count(table)) << table;
  EXPECT_EQ(Count(Db(),
                  "select count(*) from RDB$PROCEDURES "
                  "where RDB$PROCEDURE_NAME = 'DOCUMENTOACERTO'"),
            1);
}

TEST_F(SchemaTest, HasTheColumnsTheHostEntitiesShare) {
  const std::pair<const char*, const char*> kColumns[] = {{"FPRCENTROCUSTO", "CLASSIFCENTROCUSTO"},
                                                          {"FPRCENTROCUSTO", "TIPOCENTROCUSTO"},
                                                          {"FPRCONTA", "LIMITECREDITO"},
                                                          {"FPRACERTO", "DATAACERTO"},
                                                          {"FPRCAIXA", "CODIGOPESSOAFIN"},
                                                          {"EMPRESACFGBOLETO", "PERCJUROMES"},
                                                          {"EMPRESACFGBOLETO", "PERCMULTA"},
                                                          {"EMPRESACFGBOLETO", "DIASCARENCIA"},
                                                          {"FPRACERTOCX", "CODIGOCONTA"},
                                                          {"OBRAORCAMENTOCTB", "DATAORCAMENTO"}};
  for (const auto& [table, column] : kColumns) {
    EXPECT_EQ(Count(Db(), std::string("select count(*) from RDB$RELATION_FIELDS where "
                                      "RDB$RELATION_NAME = '") +
                              table + "' and RDB$FIELD_NAME = '" + column + "'"),
              1)
        << table << "." << column;
  }
}

// Fixtures insert rows naming only the columns a report reads, so nothing
// but a primary-key column may insist on a value.
TEST_F(SchemaTest, OnlyKeyColumnsRequireAValue) {
  auto required = Rows(Db(),
                       "select trim(F.RDB$RELATION_NAME) || '.' || trim(F.RDB$FIELD_NAME) "
                       "from RDB$RELATION_FIELDS F "
                       "join RDB$RELATIONS R on R.RDB$RELATION_NAME = F.RDB$RELATION_NAME "
                       "where R.RDB$SYSTEM_FLAG = 0 and F.RDB$NULL_FLAG = 1 "
                       "and F.RDB$DEFAULT_SOURCE is null and not exists ("
                       " select 1 from RDB$RELATION_CONSTRAINTS C "
                       " join RDB$INDEX_SEGMENTS S on S.RDB$INDEX_NAME = C.RDB$INDEX_NAME "
                       " where C.RDB$RELATION_NAME = F.RDB$RELATION_NAME "
                       " and C.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' "
                       " and S.RDB$FIELD_NAME = F.RDB$FIELD_NAME)");
  EXPECT_TRUE(required.empty()) << required.front();
  // Identity keys fill themselves: a payment names only what reports read.
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, VALORBAIXA) "
      "values (9, 1, 1, 10)");
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, VALORBAIXA) "
      "values (9, 1, 1, 15)");
  EXPECT_EQ(Scalar(Db(), "select sum(VALORBAIXA) from FPRCONTAPAGARBAIXA where CODIGOESCRIT = 9"),
            "25");
}

// The reports' statements that lean hardest on the schema: a settlement
// piece with its document routine and difference, a union of integer and
// text documents, the ledger's counterpart join, the receivables' grouped
// telephone subquery, and the voucher's address and telephone joins.
TEST_F(SchemaTest, RunsTheReportsQueries) {
  const char* const kQueries[] = {
      "SELECT LC.FPRCHAVELCTOCTB, A.CODIGOACERTO, (select Documentos from "
      "DocumentoAcerto(LC.CODIGOESCRIT, A.CODIGOACERTO)) DOCUMENTO, "
      "cast(coalesce(US.NomeUsuario, US.NomeUsuarioCompl) as varchar(50)) NomeUsuario, "
      "(select sum(case when LC2.CONTACTBCRED is not null then LC2.VALORLCTOCTB else 0 end) - "
      "sum(case when LC2.CONTACTBDEB is not null then LC2.VALORLCTOCTB else 0 end) from "
      "FPRLCTOCTB LC2 join FPRACERTOCTB AC2 on AC2.CODIGOESCRIT = LC2.CODIGOESCRIT and "
      "AC2.FPRCHAVELCTOCTB = LC2.FPRCHAVELCTOCTB where LC2.CODIGOESCRIT = LC.CODIGOESCRIT and "
      "AC2.CODIGOACERTO = AC.CODIGOACERTO) Diferenca, LC.OrigemDado "
      "FROM FPRLCTOCTB LC join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = LC.CODIGOESCRIT "
      "join FPRACERTOCTB AC on AC.CODIGOESCRIT = LC.CODIGOESCRIT and "
      "AC.FPRCHAVELCTOCTB = LC.FPRCHAVELCTOCTB JOIN FPRACERTO A ON (A.CODIGOESCRIT = "
      "LC.CODIGOESCRIT AND A.CODIGOACERTO = AC.CODIGOACERTO) left join Usuario US on "
      "US.CodigoUsuario = LC.CodigoUsuario WHERE LC.DATALCTOCTB BETWEEN ? AND ? "
      "and A.FINALIDADEACERTO = 1",
      "SELECT cast('' as varchar(8)) as CODIGOACERTO, CP.CODIGOPAGARCAB AS DOCUMENTO "
      "FROM FPRCONTAPAGARCABCTB CP UNION ALL SELECT A.CODIGOACERTO, (select Documentos from "
      "DocumentoAcerto(A.CODIGOESCRIT, A.CODIGOACERTO)) FROM FPRACERTO A UNION ALL "
      "SELECT '', SN.SERIENS || SN.NUMERONS FROM SERVICONOTACTB SN",
      "select C.CODIGOCAIXA, H.DESCRHISTCTB, T.NATURSALDO, AC.CODIGOACERTO, axc.codigoconta "
      "CONTRAPARTIDA from FPRCAIXA C left join FPRACERTOCX AC ON AC.CODIGOESCRIT = "
      "C.CODIGOESCRIT AND AC.CODIGOCAIXA = C.CODIGOCAIXA LEFT JOIN FPRACERTOCX AXC ON "
      "AXC.CODIGOESCRIT=AC.CODIGOESCRIT AND AXC.CODIGOACERTO=AC.CODIGOACERTO AND "
      "((AC.ORIGEMCAIXA=1 AND AXC.CODIGOCAIXA=(SELECT MIN(CODIGOCAIXA) FROM FPRACERTOCX AXC_AUX "
      "WHERE AXC_AUX.CODIGOESCRIT=AXC.CODIGOESCRIT AND AXC_AUX.CODIGOACERTO=AXC.CODIGOACERTO AND "
      "AXC_AUX.ORIGEMCAIXA=2))) join FPRHISTORICO H on H.CODIGOHISTCTB = C.CODIGOHISTCTB join "
      "FPRCONTA T on T.CODIGOCONTA = C.CODIGOCONTA where DATACAIXA between DATE '2024-01-01' "
      "and DATE '2024-01-31' and T.MODALIDADECONTA <> 0 order by TIPOMOVCAIXA desc, DATACAIXA",
      "SELECT PE.CODIGOPESSOAFIN CAMPOQUEBRA, ( SELECT FIRST 1 CO.VALOR FROM PESSOACONTATO CO "
      "WHERE CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN AND CO.VALOR IS NOT NULL AND "
      "CO.TIPOCONTATO IN (1,2,3,5,0,4) ) AS FONE, CASE WHEN CR.CODIGOBOLETO IS NULL THEN "
      "'CARTEIRA' ELSE COALESCE(BC.NOMEBANCO,'') END AS COBRADOR, SUM(COALESCE(CASE WHEN "
      "BX.DATALANCAMENTOBAIXA > DATE '2024-01-31' THEN BX.VALORBAIXA ELSE 0 END,0)) "
      "FROM FPRCONTARECEBER CR LEFT JOIN FPRCONTARECEBERBAIXA BX ON (BX.CODIGOESCRIT = "
      "CR.CODIGOESCRIT AND BX.CODIGORECEBERCAB = CR.CODIGORECEBERCAB AND BX.CODIGORECEBER = "
      "CR.CODIGORECEBER) LEFT join PessoaFinanceiro PE ON (PE.CODIGOPESSOAFIN = "
      "CR.CODIGOPESSOAFIN) LEFT JOIN BOLETO BO ON (BO.CODIGOESCRIT = CR.CODIGOESCRIT AND "
      "BO.CODIGOBOLETO = CR.CODIGOBOLETO) LEFT JOIN EMPRESACFGBOLETO EB ON (EB.CODIGOESCRIT = "
      "BO.CODIGOESCRIT AND EB.CODIGOEMPRESACFGBOLETO = BO.CODIGOEMPRESACFGBOLETO) LEFT JOIN "
      "PESSOACONTABANC PB ON (PB.CODIGOPESSOAFIN = EB.CODIGOESCRIT AND PB.CODIGOCONTABANC = "
      "EB.CODIGOCONTABANC) LEFT JOIN AGENCIABANC AG ON (AG.CODIGOAGENCIABANC = "
      "PB.CODIGOAGENCIABANC) LEFT JOIN BANCO BC ON (BC.CODIGOBANCO = AG.CODIGOBANCO) "
      "GROUP BY PE.CODIGOPESSOAFIN, ( SELECT FIRST 1 CO.VALOR FROM PESSOACONTATO CO WHERE "
      "CO.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN AND CO.VALOR IS NOT NULL AND CO.TIPOCONTATO IN "
      "(1,2,3,5,0,4) ), CASE WHEN CR.CODIGOBOLETO IS NULL THEN 'CARTEIRA' ELSE "
      "COALESCE(BC.NOMEBANCO,'') END",
      "SELECT E.LOGO, PC.TELEFONE, CASE WHEN PEE.CODIGOENDERECO IS NOT NULL THEN "
      "(COALESCE(EE.ENDERECO1, '')||', '|| COALESCE(PEE.NRENDERECO, '')||' '|| "
      "COALESCE(EE.COMPLEMENTO, '')||' '||COALESCE(PEE.COMPLEMENTO,'')||' - '|| "
      "COALESCE(EE.ENDERECO2, '')) ELSE '' END ENDERECO, EE.NOMEMUNICIPIO, EE.SIGLAESTADO, "
      "PP.TIPOINSCFEDERAL, CP.PARCELAPAG, R.NUMERORECIBO FROM FPRCONTAPAGARBAIXA CPB JOIN "
      "FPRCONTAPAGAR CP ON CP.CODIGOESCRIT = CPB.CODIGOESCRIT AND CP.CODIGOPAGARCAB = "
      "CPB.CODIGOPAGARCAB AND CP.CODIGOPAGAR = CPB.CODIGOPAGAR JOIN ESCRITORIO E ON "
      "E.CODIGOESCRIT=CPB.CODIGOESCRIT JOIN PESSOAFINANCEIRO PE ON PE.CODIGOPESSOAFIN="
      "E.CODIGOESCRIT JOIN PESSOAENDERECO PEE ON PEE.CODIGOPESSOAFIN=PE.CODIGOPESSOAFIN AND "
      "PEE.PADRAO=1 JOIN VENDERECO EE ON EE.CODIGOENDERECO=PEE.CODIGOENDERECO LEFT JOIN (SELECT "
      "PC.CODIGOPESSOAFIN, PC.VALOR TELEFONE FROM PESSOACONTATO PC WHERE PC.CODIGOPESSOAFIN = 1 "
      "AND PC.TIPOCONTATO IN (0,1,2,3,4) AND PC.CODIGOPESSOACONTATO = (SELECT "
      "MAX(CODIGOPESSOACONTATO) FROM PESSOACONTATO WHERE PESSOACONTATO.CODIGOPESSOAFIN = "
      "PC.CODIGOPESSOAFIN)) PC ON PC.CODIGOPESSOAFIN = PE.CODIGOPESSOAFIN JOIN PESSOAFINANCEIRO "
      "PP ON PP.CODIGOPESSOAFIN=CP.CODIGOPESSOAFIN JOIN FPRRECIBOPAGAMENTO R ON "
      "R.CODIGOESCRIT=CPB.CODIGOESCRIT AND R.CODIGOACERTO=CPB.CODIGOACERTO AND "
      "R.CODIGOPESSOAFIN=PP.CODIGOPESSOAFIN"};
  for (const char* sql : kQueries) {
    std::vector<Variant> params;
    if (std::string(sql).find('?') != std::string::npos) {
      params = {Variant::FromDateTime(45292), Variant::FromDateTime(45322)};
    }
    EXPECT_NO_THROW(testing::Select(Db(), sql, params)) << sql;
  }
}

TEST_F(SchemaTest, DocumentoAcertoJoinsTheTitlesASettlementSettled) {
  Exec(
      "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, DOCUMENTOPAG, "
      "PARCELAPAG) values (1, 5, 1, 'NF 123', 1)");
  Exec(
      "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, DOCUMENTOPAG, "
      "PARCELAPAG) values (1, 6, 2, '  ', 2)");
  Exec(
      "insert into FPRCONTARECEBER (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
      "DOCUMENTOREC, PARCELAREC) values (1, 9, 1, 'NF 456', 2)");
  Exec(
      "insert into FPRCONTARECEBER (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
      "DOCUMENTOREC) values (1, 3, 1, 'Recibo 77')");
  // Two partial payments of the same installment, one link through
  // FPRACERTOCP only, receipts, and a same-numbered settlement of company 2.
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, "
      "CODIGOACERTO) values (1, 5, 1, 7)");
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, "
      "CODIGOACERTO) values (1, 5, 1, 7)");
  Exec(
      "insert into FPRACERTOCP (CODIGOESCRIT, CODIGOACERTO, CODIGOPAGARCAB, CODIGOPAGAR) "
      "values (1, 7, 6, 2)");
  Exec(
      "insert into FPRCONTARECEBERBAIXA (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
      "CODIGOACERTO) values (1, 9, 1, 7)");
  Exec(
      "insert into FPRCONTARECEBERBAIXA (CODIGOESCRIT, CODIGORECEBERCAB, CODIGORECEBER, "
      "CODIGOACERTO) values (1, 3, 1, 7)");
  Exec(
      "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, DOCUMENTOPAG) "
      "values (2, 5, 1, 'Outra empresa')");
  Exec(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, "
      "CODIGOACERTO) values (2, 5, 1, 7)");

  EXPECT_EQ(Documents(1, 7), "NF 123/1, 6/2, Recibo 77, NF 456/2");
  EXPECT_EQ(Documents(2, 7), "Outra empresa");
  EXPECT_EQ(Documents(1, 8), "");  // a movement between accounts settles no title

  // The reports call it inside their select lists, one row per settlement.
  Exec("insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO) values (1, 7)");
  Exec("insert into FPRACERTO (CODIGOESCRIT, CODIGOACERTO) values (1, 8)");
  EXPECT_EQ(Rows(Db(),
                 "select A.CODIGOACERTO, (select Documentos from "
                 "DocumentoAcerto(A.CODIGOESCRIT, A.CODIGOACERTO)) from FPRACERTO A "
                 "where A.CODIGOESCRIT = 1 order by 1"),
            (std::vector<std::string>{"7|NF 123/1, 6/2, Recibo 77, NF 456/2", "8|"}));
}

TEST_F(SchemaTest, DocumentoAcertoCutsAVeryLongListShort) {
  auto transaction = Db().StartWrite();
  auto title = transaction->Prepare(
      "insert into FPRCONTAPAGAR (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, DOCUMENTOPAG, "
      "PARCELAPAG) values (3, ?, 1, ?, 1)");
  auto payment = transaction->Prepare(
      "insert into FPRCONTAPAGARBAIXA (CODIGOESCRIT, CODIGOPAGARCAB, CODIGOPAGAR, CODIGOACERTO) "
      "values (3, ?, 1, 1)");
  for (int i = 100; i < 300; ++i) {
    title->Execute({i, "Duplicata " + std::to_string(i)});
    payment->Execute({i});
  }
  transaction->Commit();
  std::string documents = Documents(3, 1);
  EXPECT_LE(documents.size(), 1000u);
  EXPECT_TRUE(documents.starts_with("Duplicata 100/1, Duplicata 101/1, "));
  EXPECT_TRUE(documents.ends_with(", ...")) << documents;
}

TEST(RunScriptTest, NamesTheFailingStatementAndKeepsTheOnesBefore) {
  TempDir dir;
  TnConnectionParams params;
  params.database = dir.File("script.fdb");
  auto db = TnConnection::Create(params);
  try {
    RunScript(*db,
              "create table A (X integer);\n\n"
              "create tabel B (Y integer);\n"
              "create table C (Z integer);",
              "teste.sql");
    FAIL() << "the script ran";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("teste.sql, instrução 2 (linha 3: create tabel B (Y integer))"),
              std::string::npos)
        << e.Message();
  }
  EXPECT_EQ(Count(*db, "select count(*) from RDB$RELATIONS where RDB$RELATION_NAME in ('A', 'C')"),
            1);
}

TEST(CreateDatabaseTest, RefusesAnExistingFileUnlessForced) {
  TempDir dir;
  std::string path = dir.File("existing.fdb");
  std::ofstream(path) << "not a database";
  try {
    CreateDatabase(path, false);
    FAIL() << "an existing file was replaced";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
  }
  EXPECT_EQ(std::filesystem::file_size(path), 14u);

  auto db = CreateDatabase(path, true);
  EXPECT_EQ(Count(*db, "select count(*) from ESCRITORIO"), 0);
}

TEST(CreateDatabaseTest, FailsCleanlyWhereNoFileCanBeMade) {
  TempDir dir;
  std::string path = dir.File("missing/dir/new.fdb");
  EXPECT_THROW(CreateDatabase(path, false), EDatabaseError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(CreateDatabaseTest, TemplateCopiesAreIndependentDatabasesWithTheSchema) {
  TempDir dir;
  auto first = CreateDatabaseFromTemplate(dir.File("one.fdb"));
  auto second = CreateDatabaseFromTemplate(dir.File("two.fdb"));
  auto transaction = first->StartWrite();
  transaction->Execute("insert into BANCO (CODIGOBANCO, NOMEBANCO) values (1, 'Banco')");
  transaction->Commit();
  EXPECT_EQ(Count(*first, "select count(*) from BANCO"), 1);
  EXPECT_EQ(Count(*second, "select count(*) from BANCO"), 0);
  EXPECT_EQ(Count(*second,
                  "select count(*) from RDB$PROCEDURES where "
                  "RDB$PROCEDURE_NAME = 'DOCUMENTOACERTO'"),
            1);
  EXPECT_THROW(CreateDatabaseFromTemplate(dir.File("one.fdb")), EDatabaseError);
}

}  // namespace
}  // namespace vireo
