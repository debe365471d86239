// Turns a failure report into readable text, newest frame first, one line per
// frame: "method (file:line, code N): text".
#ifndef VELMORA_SUPPORT_QSREPORT_H
#define VELMORA_SUPPORT_QSREPORT_H

#include "Qscstr.h"
#include "QsStatus.h"

// Success formats as empty text. On failure `text` is left as it was.
QsStatus qsFormatReport(const QsStatus& report, QsCString& text);

#endif
