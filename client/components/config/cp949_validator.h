#pragma once
// Refuses an edit whose text would not fit its limit in code page 949 bytes,
// or that holds a character the code page lacks.
#include <QValidator>
#include <cstddef>

namespace orvinta::config {

class Cp949Validator final : public QValidator {
 public:
  Cp949Validator(std::size_t edit, QObject* parent) : QValidator(parent), edit_(edit) {}
  State validate(QString& input, int& position) const override;

 private:
  std::size_t edit_;
};

}  // namespace orvinta::config
