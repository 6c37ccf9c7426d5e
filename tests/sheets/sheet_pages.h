// Test pages drawn on a canvas the way the page spool replays them: page
// header with a company, column headings, lines, footer.
#pragma once

#include <string>

#include "host/report/render/canvas.h"

namespace vireo {

// Draws pages the way the page spool replays them.
class Pages {
 public:
  explicit Pages(TnCanvas& c) : canvas_(c) { canvas_.BeginDocument(TnPageSetup{}, 0); }
  void Page(const std::string& company, bool forced) {
    canvas_.BeginPage(++page_);
    TnSectionMark header;
    header.number = 1;
    header.role = TnSectionRole::kPageHeader;
    header.forced_page = forced;
    header.values = {company};
    canvas_.BeginSection(header);
    Text(0, 0, "Balancete");
    Text(0, 20, company);
    Section(12, TnSectionRole::kHeading);
    Text(0, 40, "Conta");
    Text(100, 40, "Saldo");
  }
  void Section(int number, TnSectionRole role) {
    TnSectionMark mark;
    mark.number = number;
    mark.role = role;
    canvas_.BeginSection(mark);
  }
  void Line(double top, const std::string& conta, const std::string& saldo) {
    Section(8, TnSectionRole::kBody);
    Text(0, top, conta);
    Text(100, top, saldo);
  }
  void Footer() {
    Section(3, TnSectionRole::kFooter);
    Text(0, 1000, "Página 1 de 2");
    canvas_.EndPage();
  }
  void Text(double left, double top, const std::string& text, bool bold = false) {
    TnFont font;
    font.bold = bold;
    canvas_.Text(TnRect{left, top, 50, 12}, text, font, TnAlign::Left, false);
  }
  void End() { canvas_.EndDocument(); }

 private:
  TnCanvas& canvas_;
  int page_ = 0;
};

}  // namespace vireo
