#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEngineUrlSchemeHandler>

#include <cstdint>

namespace revuro {

// The program's own URL scheme, the only place the helper's page loads anything from:
//   revuro://app/            the page, and /flash.js beside it (built into the program)
//   revuro://app/ruffle/N    Ruffle's code: the .js and .wasm files of its folder, nothing else
//   revuro://app/movie/I.swf the movie of load I, while it is the current one
//   revuro://app/movie/I.pass what movie I asks for at the end of each pass; the page answers
//                            it itself and never asks here
//   revuro://app/event/K?... the page's reports (loaded, pass, failed, ...), turned into signals
// Every other request fails.
class FlashSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

  public:
    static constexpr const char* kScheme = "revuro";
    static constexpr const char* kHost = "app";

    // Makes the scheme known to the web engine; before the application object exists.
    static void Register();
    static QUrl PageUrl();
    // Whether the URL is one of ours (the web engine may then load it).
    static bool IsOwnUrl(const QUrl& url);

    explicit FlashSchemeHandler(const QString& ruffleFolder, QObject* parent = nullptr);

    // What the movie of load `id` asks for at the end of each pass.
    static QUrl PassUrl(std::uint64_t id);

    // The movie of load `id` from now on, replacing any other; its address for the page.
    QUrl SetMovie(std::uint64_t id, QByteArray bytes);
    void ClearMovie();

    void requestStarted(QWebEngineUrlRequestJob* job) override;

  signals:
    void pageEvent(const QString& kind, const QUrlQuery& fields);

  private:
    QString ruffleFolder_;
    QSet<QString> ruffleFiles_;
    QString moviePath_;
    QByteArray movie_;
};

}  // namespace revuro
