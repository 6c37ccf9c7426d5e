// Layouts: the page, the panel and the numbered sections a report prints.
//
// A layout is a JSON file beside the report (docs/layouts.md describes the
// format).  LoadLayout reads and checks it whole before anything prints; a
// mistake is an Exception naming the file and the place, e.g.
// "rptLedger.json: sections[3].objects[2]: etiqueta sem nome".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/export.h"
#include "host/report/draw_types.h"
#include "host/report/params.h"

namespace vireo {

enum class TnObjectKind : uint8_t { Label, Line, Box, Image, Chart };

// What a label shows: fixed text, a variable or parameter, or a column of
// the layout's query (MainDataSet).
enum class TnLabelSource : uint8_t { Text, Variable, Field };

struct VIREO_API TnObjectDef {
  TnObjectKind kind = TnObjectKind::Label;
  std::string name;
  double left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  // labels
  TnLabelSource source = TnLabelSource::Variable;
  std::string text;  // the fixed text, or the variable or column name
  TnFont font;
  TnAlign align = TnAlign::Left;
  bool word_wrap = false;
  // lines and boxes
  double pen = 1;
  uint32_t color = 0x000000;
  int64_t fill = -1;  // box background, -1 for none
  // charts
  std::string title;
  std::vector<std::string> series;
  std::string value_format;
};

struct VIREO_API TnSectionDef {
  int number = 0;
  double height = 0;
  std::vector<TnObjectDef> objects;
};

struct VIREO_API TnLayout {
  std::string file;  // file name used in messages
  std::string title;
  TnPageSetup page;
  std::vector<TnParamDef> parameters;
  std::vector<std::string> variables;  // declared besides those the labels show
  std::string query;                   // empty when the layout has none
  std::vector<TnSectionDef> sections;  // ascending numbers

  // Null when the layout has no section of that number.
  const TnSectionDef* FindSection(int number) const;
};

// Reads and checks a layout file.  Raises Exception naming the file.
VIREO_API TnLayout LoadLayout(const std::string& path);
// Same from text; `file_name` is used in messages.
VIREO_API TnLayout ParseLayout(std::string_view json_text, const std::string& file_name);

}  // namespace vireo
