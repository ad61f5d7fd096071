#pragma once
// The progress bar's range for a transfer. The bar counts in int while lengths are 64-bit: a file
// above 2 GiB is shown in units of a power of two so that both numbers fit and the bar still moves
// in proportion.

#include <QtGlobal>

namespace downloader {

struct ProgressRange
{
    int maximum = 0;  // the announced length (scaled); 0 when the response announced none
    int position = 0; // bytes received (scaled), never beyond maximum
    friend bool operator==(const ProgressRange&, const ProgressRange&) = default;
};

// contentLength: the response's Content-Length, 0 (or less) when it had none.
ProgressRange progressRange(qint64 contentLength, qint64 receivedBytes);

} // namespace downloader
