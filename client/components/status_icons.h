#pragma once
// The seven own-status entries with their 16 x 16 icons.
#include <QIcon>
#include <QString>

namespace orvinta::components {

inline constexpr int kStatusCount = 7;

QString StatusText(int status);
QIcon StatusIcon(int status);

}  // namespace orvinta::components
