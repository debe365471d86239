#include "QsReport.h"

#include "QsGrowth.h"

#define QS_HERE(method) QsLocation("unknown module", (method), "QsReport", __LINE__, -1)

namespace {

const char* orDash(const char* text) noexcept
{
    return text != nullptr ? text : "-";
}

QsStatus formatFrame(const QsStatusFrame& frame, QsCString& out)
{
    const QsDecimal line(frame.line());
    const QsDecimal code(frame.code());
    const char* const pieces[] = {
        frame.method() != nullptr ? frame.method() : "(no location)",
        " (",
        orDash(frame.file()),
        ":",
        line.text(),
        ", code ",
        code.text(),
        "): ",
        frame.text() != nullptr ? frame.text() : "",
        "\n",
    };
    for (const char* piece : pieces) {
        QsStatus status = out.append(piece);
        if (!status.isOK()) {
            return status;
        }
    }
    return QsStatus();
}

} // namespace

QsStatus qsFormatReport(const QsStatus& report, QsCString& text)
{
    QsCString out;
    QsStatus status;
    if (!report.isOK()) {
        const QsStatusFrame* frame = report.newestFrame();
        if (frame == nullptr) {
            status = out.append("(report lost for want of memory)\n");
        }
        for (; status.isOK() && frame != nullptr; frame = frame->next()) {
            status = formatFrame(*frame, out);
        }
    }
    if (!status.isOK()) {
        status << "Couldn't format report" << QS_HERE("qsFormatReport");
        return status;
    }
    static_cast<void>(text.assign(out));
    return status;
}
