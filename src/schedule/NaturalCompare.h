#pragma once

#include <QString>

// Logical ("natural") text order: letter case ignored and runs of digits compared
// by their numeric value, so "clip2" sorts before "clip10" and "Clip1" equals
// "clip1". The result does not depend on the process locale.
int NaturalCompare(const QString &a, const QString &b);
