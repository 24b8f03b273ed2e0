#include "core/player/RoutingBackend.h"

namespace revuro {

RoutingBackend::RoutingBackend(std::unique_ptr<MediaBackend> media,
                               std::unique_ptr<MediaBackend> routed, MediaKind routedKind)
    : media_(std::move(media)),
      routed_(std::move(routed)),
      routedKind_(routedKind),
      mediaReports_(*this, *media_),
      routedReports_(*this, *routed_) {
    media_->SetEvents(&mediaReports_);
    routed_->SetEvents(&routedReports_);
}

RoutingBackend::~RoutingBackend() {
    media_->SetEvents(nullptr);
    routed_->SetEvents(nullptr);
}

void RoutingBackend::Load(const std::string& item, MediaKind kind) {
    MediaBackend& next = kind == routedKind_ ? *routed_ : *media_;
    // The other one's picture must not stay behind or over the new item's.
    if (playing_ != nullptr && playing_ != &next) playing_->Stop();
    playing_ = &next;
    next.Load(item, kind);
}

void RoutingBackend::Stop() {
    playing_ = nullptr;
    media_->Stop();
    routed_->Stop();
}

void RoutingBackend::Hold(bool held) {
    media_->Hold(held);
    routed_->Hold(held);
}

void RoutingBackend::ShowNote(const std::string& text) { media_->ShowNote(text); }

Outcome RoutingBackend::SetPresentation(const Presentation& presentation) {
    Outcome media = media_->SetPresentation(presentation);
    Outcome routed = routed_->SetPresentation(presentation);
    return media.ok() ? routed : media;
}

MediaBackendEvents* RoutingBackend::Reports::Target() const {
    return router_.playing_ == &from_ ? router_.events_ : nullptr;
}

void RoutingBackend::Reports::Started() {
    if (MediaBackendEvents* target = Target()) target->Started();
}

void RoutingBackend::Reports::Presented() {
    if (MediaBackendEvents* target = Target()) target->Presented();
}

void RoutingBackend::Reports::Ended() {
    if (MediaBackendEvents* target = Target()) target->Ended();
}

void RoutingBackend::Reports::Failed(const Error& error) {
    if (MediaBackendEvents* target = Target()) target->Failed(error);
}

}  // namespace revuro
