#include "downloader/progress_bar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace downloader {

void TransferProgressBar::setTransferActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    update();
}

void TransferProgressBar::paintEvent(QPaintEvent* event)
{
    if (active_ || minimum() != 0 || maximum() != 0) {
        QProgressBar::paintEvent(event);
        return;
    }
    // Drawn as a bar of one step at its start: an empty groove.
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.maximum = 1;
    option.progress = 0;
    painter.drawControl(QStyle::CE_ProgressBar, option);
}

} // namespace downloader
