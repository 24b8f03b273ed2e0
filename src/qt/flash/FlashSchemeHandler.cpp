#include "qt/flash/FlashSchemeHandler.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace revuro {

namespace {

constexpr const char* kPagePath = "/";
constexpr const char* kPageResource = ":/revuro/flash/flash.html";
constexpr const char* kScriptPath = "/flash.js";
constexpr const char* kScriptResource = ":/revuro/flash/flash.js";
constexpr const char* kRufflePrefix = "/ruffle/";
constexpr const char* kMoviePrefix = "/movie/";
constexpr const char* kEventPrefix = "/event/";

QByteArray MimeType(const QString& name) {
    if (name.endsWith(".js") || name.endsWith(".mjs")) return "text/javascript";
    if (name.endsWith(".wasm")) return "application/wasm";
    if (name.endsWith(".html")) return "text/html";
    return "application/octet-stream";
}

// The job owns what it reads from.
void Reply(QWebEngineUrlRequestJob* job, const QByteArray& type, QIODevice* device) {
    device->setParent(job);
    job->reply(type, device);
}

void ReplyFile(QWebEngineUrlRequestJob* job, const QString& path, const QByteArray& type) {
    auto* file = new QFile(path);
    if (!file->open(QIODevice::ReadOnly)) {
        delete file;
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    Reply(job, type, file);
}

void ReplyBytes(QWebEngineUrlRequestJob* job, const QByteArray& bytes, const QByteArray& type) {
    auto* buffer = new QBuffer;
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    Reply(job, type, buffer);
}

}  // namespace

void FlashSchemeHandler::Register() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Not a local scheme: the web engine would then load nothing beside the page itself.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl FlashSchemeHandler::PageUrl() {
    QUrl url;
    url.setScheme(kScheme);
    url.setHost(kHost);
    url.setPath(kPagePath);
    return url;
}

bool FlashSchemeHandler::IsOwnUrl(const QUrl& url) {
    return url.scheme() == QLatin1String(kScheme) && url.host() == QLatin1String(kHost) &&
           url.port() == -1 && url.userInfo().isEmpty();
}

FlashSchemeHandler::FlashSchemeHandler(const QString& ruffleFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), ruffleFolder_(ruffleFolder) {
    const QDir folder(ruffleFolder);
    for (const QString& name : folder.entryList({"*.js", "*.wasm"}, QDir::Files | QDir::Readable))
        ruffleFiles_.insert(name);
}

QUrl FlashSchemeHandler::PassUrl(std::uint64_t id) {
    QUrl url = PageUrl();
    url.setPath(QString("%1%2.pass").arg(kMoviePrefix).arg(id));
    return url;
}

QUrl FlashSchemeHandler::SetMovie(std::uint64_t id, QByteArray bytes) {
    moviePath_ = QString("%1%2.swf").arg(kMoviePrefix).arg(id);
    movie_ = std::move(bytes);
    QUrl url = PageUrl();
    url.setPath(moviePath_);
    return url;
}

void FlashSchemeHandler::ClearMovie() {
    moviePath_.clear();
    movie_.clear();
}

void FlashSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    if (!IsOwnUrl(url) || job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = url.path();
    if (path == kPagePath) {
        ReplyFile(job, kPageResource, "text/html");
    } else if (path == kScriptPath) {
        ReplyFile(job, kScriptResource, "text/javascript");
    } else if (path.startsWith(kRufflePrefix) &&
               ruffleFiles_.contains(path.mid(QString(kRufflePrefix).size()))) {
        const QString name = path.mid(QString(kRufflePrefix).size());
        ReplyFile(job, ruffleFolder_ + "/" + name, MimeType(name));
    } else if (!moviePath_.isEmpty() && path == moviePath_) {
        ReplyBytes(job, movie_, "application/x-shockwave-flash");
    } else if (path.startsWith(kEventPrefix)) {
        ReplyBytes(job, {}, "text/plain");
        emit pageEvent(path.mid(QString(kEventPrefix).size()), QUrlQuery(url));
    } else {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    }
}

}  // namespace revuro
