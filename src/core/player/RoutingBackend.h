#pragma once

#include <memory>
#include <string>

#include "core/player/MediaBackend.h"

namespace revuro {

// One backend over two that draw in the same video area: items of one kind go to a player of
// their own (Flash movies to the Flash player, say), everything else to the media backend. The
// one that does not play is stopped, so only one picture shows; its late reports are dropped.
// Notes go to the media backend, which draws them over the area while the other shows nothing
// (it hides after a failure).
class RoutingBackend : public MediaBackend {
  public:
    RoutingBackend(std::unique_ptr<MediaBackend> media, std::unique_ptr<MediaBackend> routed,
                   MediaKind routedKind);
    ~RoutingBackend() override;
    RoutingBackend(const RoutingBackend&) = delete;
    RoutingBackend& operator=(const RoutingBackend&) = delete;

    MediaBackend& media() { return *media_; }
    MediaBackend& routed() { return *routed_; }

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
    std::unique_ptr<MediaBackend> routed_;
    MediaKind routedKind_;
    Reports mediaReports_;
    Reports routedReports_;
    MediaBackendEvents* events_ = nullptr;
    MediaBackend* playing_ = nullptr;  // the backend of the last Load, until Stop
};

}  // namespace revuro
