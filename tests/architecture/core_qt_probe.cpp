// Compiled with a core library's settings only: the Qt include must not be found.
#include <QString>

#include "view/ViewGeometry.h"

QString Probe() { return QString(); }
