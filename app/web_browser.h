#pragma once
// TWebBrowser: the embedded web view. The program uses one operation, Navigate, and reads nothing
// back. Production views are QWebEngineView; tests use RecordingBrowser, which only remembers the
// addresses it was given. Views are made by a TWebBrowserFactory passed in through Forms.

#include <QStringList>
#include <QUrl>
#include <QWidget>

class TWebBrowser : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Hands the address over unchanged; returns at once, loading continues inside the view.
    virtual void Navigate(const QString& address) = 0;
};

class TWebBrowserFactory
{
public:
    virtual ~TWebBrowserFactory() = default;
    // A new view owned by parent.
    virtual TWebBrowser* create(QWidget* parent) = 0;
};

// What a navigation shows: inline HTML for "about:" pages (other than "about:blank"), or a URL.
struct NavigationTarget
{
    bool isInlineHtml = false;
    QString html;
    QUrl url;
};
// "about:<b>text</b>" shows the HTML after "about:"; an address without a scheme is read as a web
// address the way a browser's address bar reads it; an empty address shows a blank page.
NavigationTarget navigationTarget(const QString& address);

// Production factory: views backed by QWebEngineView (the engine starts at the first navigation).
class WebEngineBrowserFactory final : public TWebBrowserFactory
{
public:
    TWebBrowser* create(QWidget* parent) override;
};
