#include "qt/flash/FlashRequestGuard.h"

#include <cstdio>

#include "qt/flash/FlashSchemeHandler.h"

namespace revuro {

void FlashRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    const QString scheme = url.scheme();
    if (FlashSchemeHandler::IsOwnUrl(url) || scheme == QLatin1String("blob") ||
        scheme == QLatin1String("data"))
        return;
    info.block(true);
    if (verbose_)
        std::fprintf(stderr, "revuro-flash: refused %s\n",
                     url.toString(QUrl::RemoveUserInfo).toUtf8().constData());
}

}  // namespace revuro
