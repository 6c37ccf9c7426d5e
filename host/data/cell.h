// Cell: one value of a dataset row held outside its column.
//
// Key values of SetRange/FindKey, filter constants and the saved copy of a
// row being edited are converted once into the storage kind of the column
// they belong to, so comparing them with stored rows costs no conversion.
#pragma once

#include <cstdint>
#include <string>

namespace vireo {

struct Cell {
  bool null = true;
  bool real = false;  // an integer column compared with a fractional value (in d)
  int64_t i = 0;      // Integer and Boolean columns
  double d = 0;       // Float and DateTime columns
  std::string s;      // String and Blob columns
};

}  // namespace vireo
