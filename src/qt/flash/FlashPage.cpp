#include "qt/flash/FlashPage.h"

#include <QColor>
#include <QWebEngineSettings>

#include <cstdio>

#include "qt/flash/FlashSchemeHandler.h"

namespace revuro {

FlashPage::FlashPage(QWebEngineProfile* profile, bool verbose, QObject* parent)
    : QWebEnginePage(profile, parent), verbose_(verbose) {
    setBackgroundColor(Qt::black);
    QWebEngineSettings* s = settings();
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    s->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    // The view must never take the keyboard: every key belongs to the saver.
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // A screen saver's movie plays its sound without anybody clicking first.
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
}

bool FlashPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    return isMainFrame && url == FlashSchemeHandler::PageUrl();
}

QWebEnginePage* FlashPage::createWindow(WebWindowType) { return nullptr; }

void FlashPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                         int line, const QString& source) {
    if (verbose_)
        std::fprintf(stderr, "revuro-flash: page: %s (%s:%d)\n", message.toUtf8().constData(),
                     source.toUtf8().constData(), line);
}

}  // namespace revuro
