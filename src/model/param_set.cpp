#include "model/param_set.h"

namespace qx {

PaymentKey& ParamSet::PaymentKeyAt(int index) {
  return index == 1 ? cash_key : index == 2 ? cheque_key : card_key;
}

const PaymentKey& ParamSet::PaymentKeyAt(int index) const {
  return index == 1 ? cash_key : index == 2 ? cheque_key : card_key;
}

void ResetParamSet(ParamSet& params) { params = ParamSet{}; }

bool AnyChangeMarker(const ParamSet& params) {
  for (const DeptRecord& d : params.departments) {
    if (d.changed_status || d.changed_price || d.changed_name) return true;
  }
  for (const PluRecord& p : params.products) {
    if (p.changed_status || p.changed_price || p.changed_name || p.changed_dept) return true;
  }
  for (const OperatorRecord& o : params.operators) {
    if (o.changed) return true;
  }
  return false;
}

}  // namespace qx
