#include "app/web_browser.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

// TWebBrowser filled by one QWebEngineView.
class WebEngineBrowser final : public TWebBrowser
{
public:
    explicit WebEngineBrowser(QWidget* parent) : TWebBrowser(parent), view_(new QWebEngineView(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
    }

    void Navigate(const QString& address) override
    {
        const NavigationTarget target = navigationTarget(address);
        if (target.isInlineHtml)
            view_->setHtml(target.html);
        else
            view_->setUrl(target.url);
    }

private:
    QWebEngineView* view_;
};

} // namespace

NavigationTarget navigationTarget(const QString& address)
{
    static const QString about = QStringLiteral("about:");
    NavigationTarget target;
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(QStringLiteral("about:blank"), Qt::CaseInsensitive) == 0) {
        target.url = QUrl(QStringLiteral("about:blank"));
    } else if (trimmed.startsWith(about, Qt::CaseInsensitive)) {
        target.isInlineHtml = true;
        target.html = trimmed.mid(about.size());
    } else {
        target.url = QUrl::fromUserInput(trimmed);
    }
    return target;
}

TWebBrowser* WebEngineBrowserFactory::create(QWidget* parent)
{
    return new WebEngineBrowser(parent);
}
