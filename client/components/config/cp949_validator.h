#pragma once
// Refuses an edit whose text would grow past its limit in code page 949
// bytes, or that holds a character the code page lacks. Its parent is the edit.
#include <QLineEdit>
#include <QValidator>
#include <cstddef>

namespace orvinta::config {

class Cp949Validator final : public QValidator {
 public:
  Cp949Validator(std::size_t edit, QLineEdit* parent);
  State validate(QString& input, int& position) const override;

 private:
  std::size_t edit_;
  QString shown_;  // the edit's text before the change being validated
};

}  // namespace orvinta::config
