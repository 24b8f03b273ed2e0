#include "core/player/RoutingBackend.h"

namespace revuro {

RoutingBackend::RoutingBackend(std::unique_ptr<MediaBackend> media,
                               std::unique_ptr<MediaBackend> flash)
    : media_(std::move(media)),
      flash_(std::move(flash)),
      mediaReports_(*this, *media_),
      flashReports_(*this, *flash_) {
    media_->SetEvents(&mediaReports_);
    flash_->SetEvents(&flashReports_);
}

RoutingBackend::~RoutingBackend() {
    media_->SetEvents(nullptr);
    flash_->SetEvents(nullptr);
}

void RoutingBackend::Load(const std::string& item, MediaKind kind) {
    MediaBackend& next = kind == MediaKind::Flash ? *flash_ : *media_;
    // The other one's picture must not stay behind or over the new item's.
    if (playing_ != nullptr && playing_ != &next) playing_->Stop();
    playing_ = &next;
    next.Load(item, kind);
}

void RoutingBackend::Stop() {
    playing_ = nullptr;
    media_->Stop();
    flash_->Stop();
}

void RoutingBackend::Hold(bool held) {
    media_->Hold(held);
    flash_->Hold(held);
}

void RoutingBackend::ShowNote(const std::string& text) { media_->ShowNote(text); }

Outcome RoutingBackend::SetPresentation(const Presentation& presentation) {
    Outcome media = media_->SetPresentation(presentation);
    Outcome flash = flash_->SetPresentation(presentation);
    return media.ok() ? flash : media;
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
