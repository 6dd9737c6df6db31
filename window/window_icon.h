#pragma once

#include <QIcon>

namespace kestrune {

// Teal stripes above and below a dark-blue band with short white lettering, drawn at each size
// rather than scaled, so that it stays crisp; nothing is read from files.
QIcon kestruneIcon();

}  // namespace kestrune
