#include "downloader/progress.h"

#include <algorithm>
#include <limits>

namespace downloader {

ProgressRange progressRange(qint64 contentLength, qint64 receivedBytes)
{
    // Without an announced length there is nothing to measure against.
    if (contentLength <= 0)
        return {};
    constexpr qint64 largest = std::numeric_limits<int>::max();
    int shift = 0;
    while ((contentLength >> shift) > largest)
        ++shift;
    const qint64 received = std::clamp<qint64>(receivedBytes, 0, contentLength);
    return {int(contentLength >> shift), int(received >> shift)};
}

} // namespace downloader
