#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace revuro {

// Lets the page load only from the program's own scheme (and the page's in-memory blob: and
// data: objects): a movie that asks for the network or another file gets nothing, and no
// connection is made.
class FlashRequestGuard : public QWebEngineUrlRequestInterceptor {
  public:
    explicit FlashRequestGuard(bool verbose, QObject* parent = nullptr)
        : QWebEngineUrlRequestInterceptor(parent), verbose_(verbose) {}

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

  private:
    bool verbose_;
};

}  // namespace revuro
