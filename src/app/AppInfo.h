#pragma once

#include <QString>

// The program's name and version as shown to the operator.
QString ApplicationTitle();
QString ApplicationVersionText();
