#include "host/biz/plano_item.h"

namespace vireo {

// Out of line so the type information lives in KorvanFin5 alone: the
// plug-ins' dynamic_cast to IPlanoItemSaldo meets one type, not a copy each.
IPlanoItem::~IPlanoItem() = default;
IPlanoItemSaldo::~IPlanoItemSaldo() = default;

}  // namespace vireo
