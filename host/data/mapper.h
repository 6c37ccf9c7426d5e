// Mappers: plain structs whose TField* members are named like the columns of
// a result, bound to a dataset by name.
//
//   struct TnMapperContas {
//     TField* CodigoConta{};
//     TField* DescrConta{};
//     VIREO_MAPPER(TnMapperContas, CodigoConta, DescrConta)
//   };
//
// TnFieldMapper::MapearFields(dataset, mapper) binds every listed member to
// the field of the same name (compared without regard to case); a member with
// no such column is an error naming both the member and the mapper.
#pragma once

#include <string>

#include "host/core/export.h"

namespace vireo {

class TnClientDataSet;
class TField;

// Receives the members of a mapper, one by one, and binds them.
class VIREO_API TnMapperBinder {
 public:
  TnMapperBinder(const TnClientDataSet* dataset, const char* mapper_name)
      : dataset_(dataset), mapper_name_(mapper_name) {}
  void Bind(const char* member, TField*& slot);
  // Binds to the field at a position (0 the first): for mappers of results
  // whose column names are the producer's business, read in a fixed order.
  void BindAt(int position, TField*& slot);

 private:
  const TnClientDataSet* dataset_;
  const char* mapper_name_;
};

class VIREO_API TnFieldMapper {
 public:
  template <class M>
  static void MapearFields(const TnClientDataSet* dataset, M& mapper) {
    TnMapperBinder binder(dataset, M::MapperName());
    mapper.MapperBind(binder);
  }
};

}  // namespace vireo

// Preprocessor for-each over up to 256 arguments (C++20 __VA_OPT__).
#define VIREO_PARENS ()
#define VIREO_EXPAND(...) VIREO_EXPAND4(VIREO_EXPAND4(VIREO_EXPAND4(VIREO_EXPAND4(__VA_ARGS__))))
#define VIREO_EXPAND4(...) VIREO_EXPAND3(VIREO_EXPAND3(VIREO_EXPAND3(VIREO_EXPAND3(__VA_ARGS__))))
#define VIREO_EXPAND3(...) VIREO_EXPAND2(VIREO_EXPAND2(VIREO_EXPAND2(VIREO_EXPAND2(__VA_ARGS__))))
#define VIREO_EXPAND2(...) VIREO_EXPAND1(VIREO_EXPAND1(VIREO_EXPAND1(VIREO_EXPAND1(__VA_ARGS__))))
#define VIREO_EXPAND1(...) __VA_ARGS__
#define VIREO_FOR_EACH(macro, ...) \
  __VA_OPT__(VIREO_EXPAND(VIREO_FOR_EACH_HELPER(macro, __VA_ARGS__)))
#define VIREO_FOR_EACH_HELPER(macro, a1, ...) \
  macro(a1) __VA_OPT__(VIREO_FOR_EACH_AGAIN VIREO_PARENS(macro, __VA_ARGS__))
#define VIREO_FOR_EACH_AGAIN() VIREO_FOR_EACH_HELPER

#define VIREO_MAPPER_SLOT(member) binder.Bind(#member, member);
#define VIREO_MAPPER(Class, ...)                     \
  static const char* MapperName() { return #Class; } \
  void MapperBind(::vireo::TnMapperBinder& binder) { \
    VIREO_FOR_EACH(VIREO_MAPPER_SLOT, __VA_ARGS__)   \
  }
