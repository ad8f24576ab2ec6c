#pragma once

#include <QString>

// Where the user guide of a language is: beside the installed program
// (<prefix>/share/doc/miravel/guide/<language>/index.html), else in the
// build tree the program was built in. Empty when neither has it.
namespace UserGuide {

QString Page(const QString& language);

} // namespace UserGuide
