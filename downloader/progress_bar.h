#pragma once
// The download window's progress bar. A maximum of 0 means the response announced no length: while
// a transfer runs the bar shows Qt's busy indicator, at any other time it is simply empty, so that
// an idle window never looks as if it were still downloading.

#include <QProgressBar>

namespace downloader {

class TransferProgressBar final : public QProgressBar
{
    Q_OBJECT

public:
    using QProgressBar::QProgressBar;

    bool transferActive() const { return active_; }
    void setTransferActive(bool active);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool active_ = false;
};

} // namespace downloader
