// SSTabMain as the main window's stored form holds it: the property bag the
// tab control is loaded from (values other than these at their defaults), and
// the form's font, the ambient font of its controls. Shared by both hosts.
#pragma once

#include "common/font.h"
#include "common/property_bag.h"

namespace tarvex {

PropertyBag MainWindowTabBag();
// SimSun 9 pt (GB2312), the window's own font.
FontDesc MainWindowFormFont();

}  // namespace tarvex
