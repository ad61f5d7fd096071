#pragma once
// Recording double of the embedded web view.

#include "app/web_browser.h"

#include <QStringList>

// A blank widget that records every address it is asked to show.
class RecordingBrowser final : public TWebBrowser
{
public:
    using TWebBrowser::TWebBrowser;
    void Navigate(const QString& address) override { navigations << address; }

    QStringList navigations;
};

class RecordingBrowserFactory final : public TWebBrowserFactory
{
public:
    TWebBrowser* create(QWidget* parent) override { return new RecordingBrowser(parent); }
};
