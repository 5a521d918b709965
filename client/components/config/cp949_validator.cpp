#include "client/components/config/cp949_validator.h"

#include "client/components/config/config_dlg_logic.h"

namespace orvinta::config {

QValidator::State Cp949Validator::validate(QString& input, int&) const {
  return FitsEdit(edit_, input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace orvinta::config
