#pragma once
// Gives every message box the application's title as its caption ("Downloader"): the shared
// message boxes carry the hotel program's caption of their own.

#include <QObject>

namespace downloader {

class MessageBoxTitle final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace downloader
