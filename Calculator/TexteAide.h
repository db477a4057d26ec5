#pragma once
// The calculator window's help text: 14 lines in seven groups, every line
// ended by a line feed and every group by one more.

#include <QString>

namespace brulvane {

QString TexteAide();

} // namespace brulvane
