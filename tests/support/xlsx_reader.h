// Reads an XLSX workbook back for the tests, the way a spreadsheet program
// would: the ZIP container through minizip, the sheet XML through libxml2.
// It understands what the renderer writes: inline strings, numbers, the
// number formats of the styles, bold and italic, the frozen pane and the
// column widths.
#pragma once

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <minizip/unzip.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vireo::test {

struct XlsxCell {
  bool number = false;
  std::string text;  // the inline string, or the number as written
  double value = 0;
  std::string format;  // number format of its style ("" for General)
  bool bold = false, italic = false;
};

struct XlsxSheet {
  std::string name;
  std::map<int, std::map<int, XlsxCell>> rows;  // 0-based row -> column -> cell
  int frozen_rows = 0;
  std::map<int, double> widths;  // 0-based column -> width

  const XlsxCell* At(int row, int column) const {
    auto r = rows.find(row);
    if (r == rows.end()) return nullptr;
    auto c = r->second.find(column);
    return c == r->second.end() ? nullptr : &c->second;
  }
  std::string Text(int row, int column) const {
    const XlsxCell* c = At(row, column);
    return c == nullptr ? "" : c->text;
  }
  // The first row whose cells hold exactly these texts from column 0 on
  // (-1 when none).
  int FindRow(const std::string& first_text, int from = 0) const {
    for (const auto& [r, cells] : rows) {
      if (r < from) continue;
      for (const auto& [c, cell] : cells) {
        if (cell.text == first_text) return r;
      }
    }
    return -1;
  }
};

namespace xlsx_detail {

struct ZipClose {
  void operator()(void* z) const { unzClose(z); }
};
struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

inline std::string Entry(const std::string& path, const std::string& name) {
  std::unique_ptr<void, ZipClose> zip(unzOpen(path.c_str()));
  if (!zip) throw std::runtime_error("not a zip: " + path);
  if (unzLocateFile(zip.get(), name.c_str(), 0) != UNZ_OK) return "";
  if (unzOpenCurrentFile(zip.get()) != UNZ_OK) throw std::runtime_error("cannot open " + name);
  std::string out;
  char buffer[65536];
  int n;
  while ((n = unzReadCurrentFile(zip.get(), buffer, sizeof buffer)) > 0) out.append(buffer, n);
  const int closed = unzCloseCurrentFile(zip.get());
  if (n < 0 || closed != UNZ_OK) throw std::runtime_error("bad zip entry (CRC) " + name);
  return out;
}

inline Doc Parse(const std::string& xml, const std::string& name) {
  Doc doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), name.c_str(), nullptr,
                        XML_PARSE_NONET | XML_PARSE_HUGE));
  if (!doc) throw std::runtime_error("bad XML in " + name);
  return doc;
}

inline bool Is(const xmlNode* n, const char* name) {
  return n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, BAD_CAST name) == 0;
}

inline std::string Attr(const xmlNode* n, const char* name) {
  xmlChar* v = xmlGetProp(n, BAD_CAST name);
  std::string out = v != nullptr ? reinterpret_cast<const char*>(v) : "";
  xmlFree(v);
  return out;
}

inline std::string Content(const xmlNode* n) {
  xmlChar* v = xmlNodeGetContent(n);
  std::string out = v != nullptr ? reinterpret_cast<const char*>(v) : "";
  xmlFree(v);
  return out;
}

template <class F>
void Walk(const xmlNode* n, const F& f) {
  for (; n != nullptr; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    if (!f(n)) Walk(n->children, f);
  }
}

// "C12" -> column 2, row 11 (both 0-based).
inline void CellRef(const std::string& ref, int& row, int& column) {
  column = 0;
  size_t i = 0;
  for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
    column = column * 26 + (ref[i] - 'A' + 1);
  column -= 1;
  row = std::stoi(ref.substr(i)) - 1;
}

struct Style {
  std::string format;
  bool bold = false, italic = false;
};

inline std::vector<Style> Styles(const std::string& path) {
  const std::string xml = Entry(path, "xl/styles.xml");
  Doc doc = Parse(xml, "styles.xml");
  std::map<int, std::string> formats;
  std::vector<std::pair<bool, bool>> fonts;
  std::vector<Style> styles;
  Walk(xmlDocGetRootElement(doc.get()), [&](const xmlNode* n) {
    if (Is(n, "numFmt")) formats[std::stoi(Attr(n, "numFmtId"))] = Attr(n, "formatCode");
    if (Is(n, "fonts")) {
      for (const xmlNode* f = n->children; f != nullptr; f = f->next) {
        if (!Is(f, "font")) continue;
        bool bold = false, italic = false;
        for (const xmlNode* p = f->children; p != nullptr; p = p->next) {
          bold |= Is(p, "b");
          italic |= Is(p, "i");
        }
        fonts.emplace_back(bold, italic);
      }
      return true;
    }
    if (Is(n, "cellXfs")) {
      for (const xmlNode* x = n->children; x != nullptr; x = x->next) {
        if (!Is(x, "xf")) continue;
        Style s;
        const int fmt = std::stoi(Attr(x, "numFmtId"));
        if (formats.count(fmt)) s.format = formats[fmt];
        const size_t font = std::stoul(Attr(x, "fontId"));
        if (font < fonts.size()) s.bold = fonts[font].first, s.italic = fonts[font].second;
        styles.push_back(s);
      }
      return true;
    }
    return false;
  });
  return styles;
}

}  // namespace xlsx_detail

// Every sheet of the workbook, in order.
inline std::vector<XlsxSheet> ReadXlsx(const std::string& path) {
  using namespace xlsx_detail;
  const std::vector<Style> styles = Styles(path);
  std::vector<XlsxSheet> sheets;
  Doc book = Parse(Entry(path, "xl/workbook.xml"), "workbook.xml");
  Walk(xmlDocGetRootElement(book.get()), [&](const xmlNode* n) {
    if (Is(n, "sheet")) sheets.push_back(XlsxSheet{Attr(n, "name")});
    return false;
  });
  for (size_t i = 0; i < sheets.size(); ++i) {
    const std::string name = "xl/worksheets/sheet" + std::to_string(i + 1) + ".xml";
    Doc doc = Parse(Entry(path, name), name);
    XlsxSheet& sheet = sheets[i];
    Walk(xmlDocGetRootElement(doc.get()), [&](const xmlNode* n) {
      if (Is(n, "pane") && Attr(n, "state") == "frozen") {
        sheet.frozen_rows = std::stoi(Attr(n, "ySplit"));
      } else if (Is(n, "col")) {
        for (int c = std::stoi(Attr(n, "min")); c <= std::stoi(Attr(n, "max")); ++c) {
          sheet.widths[c - 1] = std::stod(Attr(n, "width"));
        }
      } else if (Is(n, "c")) {
        int row, column;
        CellRef(Attr(n, "r"), row, column);
        XlsxCell cell;
        const std::string type = Attr(n, "t");
        const std::string s = Attr(n, "s");
        if (!s.empty()) {
          const Style& style = styles.at(std::stoul(s));
          cell.format = style.format, cell.bold = style.bold, cell.italic = style.italic;
        }
        for (const xmlNode* p = n->children; p != nullptr; p = p->next) {
          if (Is(p, "v")) cell.text = Content(p);
          if (Is(p, "is")) cell.text = Content(p);
        }
        cell.number = type.empty() || type == "n";
        if (cell.number) cell.value = std::stod(cell.text);
        sheet.rows[row][column] = cell;
        return true;
      }
      return false;
    });
  }
  return sheets;
}

}  // namespace vireo::test
