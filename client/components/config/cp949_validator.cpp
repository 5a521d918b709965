#include "client/components/config/cp949_validator.h"

#include "client/components/config/config_dlg_logic.h"

namespace orvinta::config {

Cp949Validator::Cp949Validator(std::size_t edit, QLineEdit* parent)
    : QValidator(parent), edit_(edit), shown_(parent ? parent->text() : QString()) {
  // The edit holds the changed text while it asks, so the text before comes from here.
  if (parent) connect(parent, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
}

QValidator::State Cp949Validator::validate(QString& input, int&) const {
  return AcceptsEdit(edit_, shown_.toStdString(), input.toStdString()) ? Acceptable : Invalid;
}

}  // namespace orvinta::config
