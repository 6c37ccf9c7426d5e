// The items of a plan tree (chart of accounts or cost centres) as the
// balance entity and the chart tree hand them to the reports: a code, its
// texts, whether it groups others, its figures and its children.  The tree's
// owner keeps every item alive; reports only read through these views.
#pragma once

#include <string>
#include <vector>

#include "host/core/export.h"

namespace vireo {

class IPlanoItem;

// Walks a list of items: MoveNext before the first GetCurrent, as the host's
// enumerators do.
class VIREO_API TnEnumeradorPlanoItem {
 public:
  explicit TnEnumeradorPlanoItem(const std::vector<IPlanoItem*>& items) : items_(&items) {}
  bool MoveNext() { return ++index_ < static_cast<long>(items_->size()); }
  IPlanoItem* GetCurrent() const { return (*items_)[static_cast<std::size_t>(index_)]; }

 private:
  const std::vector<IPlanoItem*>* items_;
  long index_ = -1;
};

// The children of an item, in the plan's order.  Holds no item: the tree
// that filled it owns them.
class VIREO_API TnListaPlanoItem {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  IPlanoItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void Add(IPlanoItem* item) { items_.push_back(item); }
  TnEnumeradorPlanoItem GetEnumerator() const { return TnEnumeradorPlanoItem(items_); }

  std::vector<IPlanoItem*>::const_iterator begin() const { return items_.begin(); }
  std::vector<IPlanoItem*>::const_iterator end() const { return items_.end(); }

 private:
  std::vector<IPlanoItem*> items_;
};

class VIREO_API IPlanoItem {
 public:
  virtual ~IPlanoItem();
  virtual const TnListaPlanoItem& Filhos() const = 0;
  virtual double Codigo() const = 0;
  virtual std::string Descricao() const = 0;
  virtual std::string Classificacao() const = 0;
  // A synthetic item groups the items below it (kind 1 of the plan tables).
  virtual bool Sintetico() const = 0;
  virtual double SaldoAnterior() const = 0;
};

// The figures of an item over the period; reach it with dynamic_cast.
class VIREO_API IPlanoItemSaldo : public virtual IPlanoItem {
 public:
  ~IPlanoItemSaldo() override;
  virtual double Debito() const = 0;
  virtual double Credito() const = 0;
  virtual double SaldoAtual() const = 0;
};

}  // namespace vireo
