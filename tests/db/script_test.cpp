#include "db/script.h"

#include <gtest/gtest.h>

#include "db/schema.h"
#include "host/core/exception.h"

namespace vireo {
namespace {

std::vector<std::string> Texts(const std::vector<SqlStatement>& statements) {
  std::vector<std::string> texts;
  for (const SqlStatement& s : statements) texts.push_back(s.text);
  return texts;
}

TEST(SplitScriptTest, CutsAtSemicolonsAndNumbersStatements) {
  auto statements = SplitScript("create table A (X integer);\n  insert into A values (1) ;\n");
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].text, "create table A (X integer)");
  EXPECT_EQ(statements[1].text, "insert into A values (1)");
  EXPECT_EQ(statements[0].number, 1);
  EXPECT_EQ(statements[1].number, 2);
  EXPECT_EQ(statements[1].line, 2);
}

TEST(SplitScriptTest, IgnoresTerminatorsInsideLiteralsAndQuotedNames) {
  auto statements = SplitScript(
      "insert into T values ('a;b', 'it''s; fine');\n"
      "select \"odd;name\" from T;");
  EXPECT_EQ(Texts(statements),
            (std::vector<std::string>{"insert into T values ('a;b', 'it''s; fine')",
                                      "select \"odd;name\" from T"}));
}

TEST(SplitScriptTest, DropsLeadingCommentsAndKeepsInnerOnes) {
  auto statements = SplitScript(
      "-- header; with a semicolon\n"
      "/* block; comment\n spanning lines */\n"
      "select 1 /* inner; */ from RDB$DATABASE; -- trailing;\n"
      "select 2 -- inner line; comment\n from RDB$DATABASE;");
  ASSERT_EQ(statements.size(), 2u);
  EXPECT_EQ(statements[0].text, "select 1 /* inner; */ from RDB$DATABASE");
  EXPECT_EQ(statements[0].line, 4);
  EXPECT_EQ(statements[1].text, "select 2 -- inner line; comment\n from RDB$DATABASE");
  EXPECT_EQ(statements[1].line, 5);
}

TEST(SplitScriptTest, SetTermSwitchesTheTerminatorForRoutineBodies) {
  auto statements = SplitScript(
      "create table A (X integer);\n"
      "SET TERM ^ ;\n"
      "create procedure P as\nbegin\n  insert into A values (1);\n  -- ^ in a comment\n"
      "  insert into A values (';^');\nend^\n"
      "set term ; ^\n"
      "select 1 from RDB$DATABASE;");
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[1].text.substr(0, 19), "create procedure P ");
  EXPECT_NE(statements[1].text.find("values (';^');\nend"), std::string::npos);
  EXPECT_EQ(statements[1].text.back(), 'd');
  EXPECT_EQ(statements[1].line, 3);
  EXPECT_EQ(statements[2].text, "select 1 from RDB$DATABASE");
}

TEST(SplitScriptTest, AcceptsLongerTerminators) {
  auto statements = SplitScript("set term !! ;\nselect 1; select 2!!select 3!!");
  EXPECT_EQ(Texts(statements), (std::vector<std::string>{"select 1; select 2", "select 3"}));
}

TEST(SplitScriptTest, SkipsEmptyStatementsAndKeepsAnUnterminatedTail) {
  auto statements = SplitScript(";;\n select 1;\n\n;select 2  \n-- last words\n");
  EXPECT_EQ(Texts(statements), (std::vector<std::string>{"select 1", "select 2"}));
  EXPECT_TRUE(SplitScript("  -- nothing but comments;\n/* ; */ ").empty());
}

TEST(SplitScriptTest, RefusesUnclosedTextsNamingSourceAndLine) {
  struct Case {
    const char* script;
    const char* expected;
  } cases[] = {{"select 1;\nselect 'open;\n", "x.sql, linha 2"},
               {"select \"open from T;", "x.sql, linha 1"},
               {"select 1;\n\n/* open ;", "x.sql, linha 3"},
               {"set term ;\nselect 1;", "x.sql, linha 1"},
               {"set term ^ ! ;", "x.sql, linha 1"}};
  for (const Case& c : cases) {
    try {
      SplitScript(c.script, "x.sql");
      ADD_FAILURE() << "accepted: " << c.script;
    } catch (const Exception& e) {
      EXPECT_NE(e.Message().find(c.expected), std::string::npos) << e.Message();
    }
  }
}

TEST(SplitScriptTest, FirstLineIsShortAndKeepsWholeCharacters) {
  SqlStatement statement;
  statement.text = "  create table X (A integer)\n  -- more";
  EXPECT_EQ(statement.FirstLine(), "create table X (A integer)");
  statement.text = std::string(78, 'a') + "ção e mais texto que passa do limite";
  EXPECT_EQ(statement.FirstLine(), std::string(78, 'a') + "ç...");
  statement.text = std::string(79, 'a') + "ção e mais texto que passa do limite";
  EXPECT_EQ(statement.FirstLine(), std::string(79, 'a') + "...");
}

TEST(SplitScriptTest, SplitsTheBuiltInSchema) {
  auto statements = SplitScript(SchemaText(), "schema.sql");
  int tables = 0, procedures = 0;
  for (const SqlStatement& s : statements) {
    EXPECT_NE(s.text.substr(0, 3), "SET") << s.text;
    if (s.text.starts_with("CREATE TABLE")) ++tables;
    if (s.text.starts_with("CREATE PROCEDURE")) {
      ++procedures;
      EXPECT_NE(s.text.find("SUSPEND;"), std::string::npos);
      EXPECT_EQ(s.text.substr(s.text.size() - 3), "END");
    }
  }
  EXPECT_GE(tables, 50);
  EXPECT_EQ(procedures, 1);
}

}  // namespace
}  // namespace vireo
