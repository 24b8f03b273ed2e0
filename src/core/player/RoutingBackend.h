#pragma once

#include <memory>
#include <string>

#include "core/player/MediaBackend.h"

namespace revuro {

// One backend over two that draw in the same video area: Flash movies go to the Flash player,
// everything else to the media backend. The one that does not play is stopped, so only one
// picture shows; its late reports are dropped. Notes go to the media backend, which draws them
// over the area while the Flash player shows nothing (it hides after a failure).
class RoutingBackend : public MediaBackend {
  public:
    RoutingBackend(std::unique_ptr<MediaBackend> media, std::unique_ptr<MediaBackend> flash);
    ~RoutingBackend() override;
    RoutingBackend(const RoutingBackend&) = delete;
    RoutingBackend& operator=(const RoutingBackend&) = delete;

    MediaBackend& media() { return *media_; }
    MediaBackend& flash() { return *flash_; }

    void SetEvents(MediaBackendEvents* events) override { events_ = events; }
    void Load(const std::string& item, MediaKind kind) override;
    void Stop() override;
    void Hold(bool held) override;
    void ShowNote(const std::string& text) override;
    Outcome SetPresentation(const Presentation& presentation) override;

  private:
    // Passes on the reports of one backend while it is the one playing.
    class Reports : public MediaBackendEvents {
      public:
        Reports(RoutingBackend& router, const MediaBackend& from) : router_(router), from_(from) {}
        void Started() override;
        void Presented() override;
        void Ended() override;
        void Failed(const Error& error) override;

      private:
        MediaBackendEvents* Target() const;

        RoutingBackend& router_;
        const MediaBackend& from_;
    };

    std::unique_ptr<MediaBackend> media_;
    std::unique_ptr<MediaBackend> flash_;
    Reports mediaReports_;
    Reports flashReports_;
    MediaBackendEvents* events_ = nullptr;
    MediaBackend* playing_ = nullptr;  // the backend of the last Load, until Stop
};

}  // namespace revuro
