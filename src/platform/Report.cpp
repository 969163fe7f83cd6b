#include "Report.h"
#include <QPrinter>

void Report::preparePrinter(QPrinter &) const {}
void Report::print(QPrinter &) {}
