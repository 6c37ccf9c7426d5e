// Reading layouts.  Every check names the place in the file the way a report
// author finds it: the JSON path ("sections[3].objects[2]") or, for text that
// does not parse, the line and column.
#include "host/report/layout.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "host/core/exception.h"

namespace vireo {

using nlohmann::json;

namespace {

// Where in the file a value sits, for messages.
class Place {
 public:
  Place(const std::string& file, std::string path) : file_(file), path_(std::move(path)) {}
  Place Key(const std::string& key) const {
    return Place(file_, path_.empty() ? key : path_ + "." + key);
  }
  Place Index(size_t i) const { return Place(file_, path_ + "[" + std::to_string(i) + "]"); }
  [[noreturn]] void Fail(const std::string& what) const {
    throw Exception(file_ + ": " + (path_.empty() ? "" : path_ + ": ") + what);
  }
  const std::string& file() const { return file_; }

 private:
  const std::string& file_;
  std::string path_;
};

void CheckKeys(const json& obj, const Place& at, std::initializer_list<const char*> allowed) {
  if (!obj.is_object()) at.Fail("esperado um objeto { ... }");
  for (const auto& item : obj.items()) {
    bool known =
        std::any_of(allowed.begin(), allowed.end(), [&](const char* k) { return item.key() == k; });
    if (!known) at.Fail("chave desconhecida \"" + item.key() + "\"");
  }
}

double Number(const json& obj, const char* key, const Place& at, double def) {
  auto it = obj.find(key);
  if (it == obj.end()) return def;
  if (!it->is_number()) at.Key(key).Fail("esperado um número");
  return it->get<double>();
}

bool Flag(const json& obj, const char* key, const Place& at, bool def) {
  auto it = obj.find(key);
  if (it == obj.end()) return def;
  if (!it->is_boolean()) at.Key(key).Fail("esperado true ou false");
  return it->get<bool>();
}

std::string Text(const json& obj, const char* key, const Place& at, const std::string& def = "") {
  auto it = obj.find(key);
  if (it == obj.end()) return def;
  if (it->is_number_integer()) return std::to_string(it->get<int64_t>());
  if (!it->is_string()) at.Key(key).Fail("esperado um texto");
  return it->get<std::string>();
}

// A text given whole or as an array of lines joined by blanks (long SQL).
std::string LongText(const json& value, const Place& at) {
  if (value.is_string()) return value.get<std::string>();
  if (!value.is_array()) at.Fail("esperado um texto ou uma lista de textos");
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (!value[i].is_string()) at.Index(i).Fail("esperado um texto");
    if (!out.empty()) out += ' ';
    out += value[i].get<std::string>();
  }
  return out;
}

uint32_t Color(const json& obj, const char* key, const Place& at, uint32_t def) {
  std::string text = Text(obj, key, at);
  if (text.empty()) return def;
  if (text.size() != 7 || text[0] != '#' ||
      text.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos) {
    at.Key(key).Fail("cor deve ser escrita #RRGGBB, não \"" + text + "\"");
  }
  return static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

// --- page ------------------------------------------------------------------

TnPageSetup ParsePage(const json& page, const Place& at) {
  CheckKeys(page, at, {"size", "orientation", "width", "height", "margins"});
  TnPageSetup setup;
  const std::string size = Text(page, "size", at, "A4");
  if (size == "A4") {
    setup.width = 794, setup.height = 1123;
  } else if (size == "Letter") {
    setup.width = 816, setup.height = 1056;
  } else if (size == "Legal") {
    setup.width = 816, setup.height = 1344;
  } else {
    at.Key("size").Fail("tamanho de página desconhecido \"" + size + "\" (A4, Letter, Legal)");
  }
  const std::string orientation = Text(page, "orientation", at, "portrait");
  if (orientation == "landscape") {
    std::swap(setup.width, setup.height);
  } else if (orientation != "portrait") {
    at.Key("orientation").Fail("orientação deve ser portrait ou landscape");
  }
  setup.width = Number(page, "width", at, setup.width);
  setup.height = Number(page, "height", at, setup.height);
  if (auto it = page.find("margins"); it != page.end()) {
    const Place m = at.Key("margins");
    if (it->is_number()) {
      double all = it->get<double>();
      setup.margin_left = setup.margin_top = setup.margin_right = setup.margin_bottom = all;
    } else {
      CheckKeys(*it, m, {"left", "top", "right", "bottom"});
      setup.margin_left = Number(*it, "left", m, setup.margin_left);
      setup.margin_top = Number(*it, "top", m, setup.margin_top);
      setup.margin_right = Number(*it, "right", m, setup.margin_right);
      setup.margin_bottom = Number(*it, "bottom", m, setup.margin_bottom);
    }
  }
  if (setup.width <= setup.margin_left + setup.margin_right ||
      setup.height <= setup.margin_top + setup.margin_bottom) {
    at.Fail("as margens não deixam espaço na página");
  }
  return setup;
}

// --- parameters ------------------------------------------------------------

TnParamKind ParamKind(const std::string& text, const Place& at) {
  static const std::map<std::string, TnParamKind> kinds = {
      {"text", TnParamKind::Text},       {"date", TnParamKind::Date},
      {"integer", TnParamKind::Integer}, {"selection", TnParamKind::Selection},
      {"yesno", TnParamKind::YesNo},     {"choice", TnParamKind::Choice},
      {"decimal", TnParamKind::Decimal}};
  auto it = kinds.find(text);
  if (it == kinds.end()) {
    at.Fail("tipo de parâmetro desconhecido \"" + text +
            "\" (text, date, integer, decimal, selection, yesno, choice)");
  }
  return it->second;
}

std::vector<TnParamChoice> ParseChoices(const json& items, const Place& at) {
  if (!items.is_array()) at.Fail("esperada uma lista de opções");
  std::vector<TnParamChoice> out;
  for (size_t i = 0; i < items.size(); ++i) {
    const Place p = at.Index(i);
    if (items[i].is_string()) {
      out.push_back({items[i].get<std::string>(), items[i].get<std::string>()});
      continue;
    }
    CheckKeys(items[i], p, {"value", "text"});
    TnParamChoice choice{Text(items[i], "value", p), ""};
    choice.text = Text(items[i], "text", p, choice.value);
    out.push_back(std::move(choice));
  }
  return out;
}

TnParamDef ParseParameter(const json& obj, const Place& at) {
  CheckKeys(
      obj, at,
      {"name", "caption", "kind", "default", "hidden", "required", "enabled", "items", "lookup"});
  TnParamDef def;
  def.name = Text(obj, "name", at);
  if (def.name.empty()) at.Fail("parâmetro sem nome");
  def.caption = Text(obj, "caption", at, def.name);
  def.kind = ParamKind(Text(obj, "kind", at, "text"), at.Key("kind"));
  def.default_value = Text(obj, "default", at);
  def.hidden = Flag(obj, "hidden", at, false);
  def.required = Flag(obj, "required", at, false);
  def.enabled = Flag(obj, "enabled", at, true);
  if (auto it = obj.find("items"); it != obj.end()) def.items = ParseChoices(*it, at.Key("items"));
  if (def.kind == TnParamKind::Choice && def.items.empty()) at.Fail("lista de opções sem opções");
  if (auto it = obj.find("lookup"); it != obj.end()) def.lookup = LongText(*it, at.Key("lookup"));
  try {
    TnpqParamItem check(nullptr, def);  // the default must be a value of the kind
  } catch (const Exception& e) {
    at.Key("default").Fail(e.Message());
  }
  return def;
}

// --- objects ---------------------------------------------------------------

TnObjectKind ObjectKind(const std::string& text, const Place& at) {
  static const std::map<std::string, TnObjectKind> kinds = {{"label", TnObjectKind::Label},
                                                            {"line", TnObjectKind::Line},
                                                            {"box", TnObjectKind::Box},
                                                            {"image", TnObjectKind::Image},
                                                            {"chart", TnObjectKind::Chart}};
  auto it = kinds.find(text);
  if (it == kinds.end()) {
    at.Fail("tipo de objeto desconhecido \"" + text + "\" (label, line, box, image, chart)");
  }
  return it->second;
}

TnFont ParseFont(const json& obj, const Place& at) {
  CheckKeys(obj, at, {"family", "size", "style", "color"});
  TnFont font;
  font.family = Text(obj, "family", at, font.family);
  font.size = Number(obj, "size", at, font.size);
  if (font.size <= 0) at.Key("size").Fail("tamanho de fonte deve ser maior que zero");
  font.color = Color(obj, "color", at, font.color);
  if (auto it = obj.find("style"); it != obj.end()) {
    const Place p = at.Key("style");
    if (!it->is_array()) p.Fail("esperada uma lista: bold, italic, underline, strikeout");
    for (const json& s : *it) {
      const std::string style = s.is_string() ? s.get<std::string>() : "";
      if (style == "bold")
        font.bold = true;
      else if (style == "italic")
        font.italic = true;
      else if (style == "underline")
        font.underline = true;
      else if (style == "strikeout")
        font.strikeout = true;
      else
        p.Fail("estilo de fonte desconhecido " + s.dump());
    }
  }
  return font;
}

void ParseLabel(const json& obj, const Place& at, TnObjectDef& def) {
  int sources = obj.contains("text") + obj.contains("variable") + obj.contains("field");
  if (sources > 1) at.Fail("etiqueta " + def.name + ": use só um de text, variable e field");
  if (obj.contains("text")) {
    def.source = TnLabelSource::Text;
    def.text = Text(obj, "text", at);
  } else if (obj.contains("field")) {
    def.source = TnLabelSource::Field;
    def.text = Text(obj, "field", at);
  } else {
    def.source = TnLabelSource::Variable;  // by default a label shows its namesake
    def.text = Text(obj, "variable", at, def.name);
  }
  if (def.source != TnLabelSource::Text && def.text.empty()) {
    at.Fail("etiqueta " + def.name + ": nome de variável ou campo vazio");
  }
  if (auto it = obj.find("font"); it != obj.end()) def.font = ParseFont(*it, at.Key("font"));
  const std::string align = Text(obj, "align", at, "left");
  if (align == "left")
    def.align = TnAlign::Left;
  else if (align == "center")
    def.align = TnAlign::Center;
  else if (align == "right")
    def.align = TnAlign::Right;
  else
    at.Key("align").Fail("alinhamento deve ser left, center ou right");
  def.word_wrap = Flag(obj, "wordwrap", at, false);
}

TnObjectDef ParseObject(const json& obj, const Place& at) {
  CheckKeys(
      obj, at,
      {"kind", "name", "text", "variable", "field", "left", "top", "width", "height", "visible",
       "font", "align", "wordwrap", "pen", "color", "fill", "title", "series", "valueFormat"});
  TnObjectDef def;
  def.kind = ObjectKind(Text(obj, "kind", at, "label"), at.Key("kind"));
  def.name = Text(obj, "name", at);
  def.left = Number(obj, "left", at, 0);
  def.top = Number(obj, "top", at, 0);
  def.width = Number(obj, "width", at, 0);
  def.height = Number(obj, "height", at, 0);
  def.visible = Flag(obj, "visible", at, true);
  if (def.width < 0 || def.height < 0) at.Fail("largura e altura não podem ser negativas");
  switch (def.kind) {
    case TnObjectKind::Label:
      if (def.name.empty()) at.Fail("etiqueta sem nome");
      ParseLabel(obj, at, def);
      break;
    case TnObjectKind::Line:
    case TnObjectKind::Box:
      def.pen = Number(obj, "pen", at, 1);
      def.color = Color(obj, "color", at, 0x000000);
      if (obj.contains("fill")) def.fill = Color(obj, "fill", at, 0xFFFFFF);
      break;
    case TnObjectKind::Image:
      if (def.name.empty()) at.Fail("imagem sem nome");
      break;
    case TnObjectKind::Chart:
      if (def.name.empty()) at.Fail("gráfico sem nome");
      def.title = Text(obj, "title", at);
      def.value_format = Text(obj, "valueFormat", at);
      if (auto it = obj.find("series"); it != obj.end()) {
        if (!it->is_array()) at.Key("series").Fail("esperada uma lista de nomes de séries");
        for (const json& s : *it) def.series.push_back(s.is_string() ? s.get<std::string>() : "");
      }
      break;
  }
  if (def.kind != TnObjectKind::Label &&
      (obj.contains("text") || obj.contains("variable") || obj.contains("field"))) {
    at.Fail("só etiquetas (label) mostram texto, variável ou campo");
  }
  return def;
}

TnSectionDef ParseSection(const json& obj, const Place& at) {
  CheckKeys(obj, at, {"number", "height", "objects", "description"});
  TnSectionDef section;
  auto it = obj.find("number");
  if (it == obj.end() || !it->is_number_integer()) at.Fail("seção sem número inteiro (number)");
  section.number = it->get<int>();
  if (section.number < 1) at.Key("number").Fail("o número da seção deve ser 1 ou mais");
  section.height = Number(obj, "height", at, 0);
  if (section.height <= 0) {
    at.Key("height").Fail("a seção " + std::to_string(section.number) +
                          " precisa de altura maior que zero");
  }
  if (auto objs = obj.find("objects"); objs != obj.end()) {
    const Place p = at.Key("objects");
    if (!objs->is_array()) p.Fail("esperada uma lista de objetos");
    for (size_t i = 0; i < objs->size(); ++i) {
      section.objects.push_back(ParseObject((*objs)[i], p.Index(i)));
    }
  }
  return section;
}

// Names must be unique: LabelByName, ImageByName and GraficoByName find one
// object, and the trace keys labels by name.
void CheckUniqueNames(const TnLayout& layout) {
  std::map<std::string, int> seen;  // name -> section
  for (const TnSectionDef& section : layout.sections) {
    for (const TnObjectDef& obj : section.objects) {
      if (obj.name.empty()) continue;
      auto [it, fresh] = seen.emplace(obj.name, section.number);
      if (!fresh) {
        throw Exception(layout.file + ": o objeto " + obj.name + " aparece duas vezes (seções " +
                        std::to_string(it->second) + " e " + std::to_string(section.number) + ")");
      }
    }
  }
}

std::string ParseErrorPlace(std::string_view text, size_t byte) {
  size_t line = 1, column = 1;
  for (size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return "linha " + std::to_string(line) + ", coluna " + std::to_string(column);
}

json ParseJson(std::string_view text, const std::string& file) {
  try {
    return json::parse(text.begin(), text.end());
  } catch (const json::parse_error& e) {
    std::string detail = e.what();
    // Keep nlohmann's explanation, drop its own prefix and position.
    if (size_t p = detail.find(": "); p != std::string::npos) detail = detail.substr(p + 2);
    throw Exception(file + ": " + ParseErrorPlace(text, e.byte) + ": JSON inválido (" + detail +
                    ")");
  } catch (const json::exception& e) {
    // A number too large for any value ("1E99999") is refused the same way.
    std::string detail = e.what();
    if (size_t p = detail.find("] "); p != std::string::npos) detail = detail.substr(p + 2);
    throw Exception(file + ": JSON inválido (" + detail + ")");
  }
}

}  // namespace

const TnSectionDef* TnLayout::FindSection(int number) const {
  auto it = std::lower_bound(sections.begin(), sections.end(), number,
                             [](const TnSectionDef& s, int n) { return s.number < n; });
  return it != sections.end() && it->number == number ? &*it : nullptr;
}

TnLayout ParseLayout(std::string_view json_text, const std::string& file_name) {
  const json root = ParseJson(json_text, file_name);
  TnLayout layout;
  layout.file = file_name;
  const Place top(layout.file, "");
  CheckKeys(root, top, {"title", "page", "parameters", "variables", "query", "sections"});
  layout.title = Text(root, "title", top);
  if (auto it = root.find("page"); it != root.end()) layout.page = ParsePage(*it, top.Key("page"));
  if (auto it = root.find("parameters"); it != root.end()) {
    const Place p = top.Key("parameters");
    if (!it->is_array()) p.Fail("esperada uma lista de parâmetros");
    for (size_t i = 0; i < it->size(); ++i) {
      layout.parameters.push_back(ParseParameter((*it)[i], p.Index(i)));
    }
  }
  if (auto it = root.find("variables"); it != root.end()) {
    const Place p = top.Key("variables");
    if (!it->is_array()) p.Fail("esperada uma lista de nomes");
    for (size_t i = 0; i < it->size(); ++i) {
      if (!(*it)[i].is_string()) p.Index(i).Fail("esperado um nome");
      layout.variables.push_back((*it)[i].get<std::string>());
    }
  }
  if (auto it = root.find("query"); it != root.end())
    layout.query = LongText(*it, top.Key("query"));
  auto sections = root.find("sections");
  if (sections == root.end() || !sections->is_array())
    top.Fail("falta a lista de seções (sections)");
  for (size_t i = 0; i < sections->size(); ++i) {
    TnSectionDef section = ParseSection((*sections)[i], top.Key("sections").Index(i));
    if (layout.FindSection(section.number) != nullptr) {
      top.Fail("seção " + std::to_string(section.number) + " aparece duas vezes");
    }
    auto pos = std::upper_bound(layout.sections.begin(), layout.sections.end(), section.number,
                                [](int n, const TnSectionDef& s) { return n < s.number; });
    layout.sections.insert(pos, std::move(section));
  }
  CheckUniqueNames(layout);
  return layout;
}

TnLayout LoadLayout(const std::string& path) {
  const std::string file = path.substr(path.find_last_of('/') + 1);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Exception(file + ": não foi possível abrir o layout " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return ParseLayout(text.str(), file);
}

}  // namespace vireo
