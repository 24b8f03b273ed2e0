#pragma once

#include <QWebEnginePage>

namespace revuro {

// The one page of the helper: it stays on the program's own page, opens no windows, is granted
// no device or permission, and tells its script's messages only when asked to.
class FlashPage : public QWebEnginePage {
    Q_OBJECT

  public:
    FlashPage(QWebEngineProfile* profile, bool verbose, QObject* parent = nullptr);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;

  private:
    bool verbose_;
};

}  // namespace revuro
