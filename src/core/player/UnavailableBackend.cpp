#include "core/player/UnavailableBackend.h"

#include <chrono>

namespace revuro {

UnavailableBackend::UnavailableBackend(Error reason, OneShotTimer& timer)
    : reason_(std::move(reason)), timer_(timer) {}

UnavailableBackend::~UnavailableBackend() { timer_.Stop(); }

void UnavailableBackend::Load(const std::string& item, MediaKind) {
    Error failure = reason_;
    failure.path = item;
    timer_.Start(std::chrono::milliseconds(0), [this, failure] {
        if (events_ != nullptr) events_->Failed(failure);
    });
}

}  // namespace revuro
