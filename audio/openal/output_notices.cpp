#include "audio/openal/output_notices.h"

#include <iostream>
#include <utility>

namespace earshot {

namespace {

std::function<void(const OutputNotice&)>& installedHook() {
    static std::function<void(const OutputNotice&)> hook;
    return hook;
}

}  // namespace

std::string outputNoticeText(OutputNoticeKind kind) {
    switch (kind) {
    case OutputNoticeKind::Lost:
        return "The sound output was lost. The game goes on, and its sound comes back when the "
               "output does.";
    case OutputNoticeKind::Back: return "The sound is back.";
    case OutputNoticeKind::No3D:
        return "3D sound is off, so front and back will sound alike. The game plays on.";
    }
    return {};
}

void setOutputNoticeHook(std::function<void(const OutputNotice&)> hook) {
    installedHook() = std::move(hook);
}

void tellOutputNotice(OutputNoticeKind kind, const std::string& detail) {
    const OutputNotice notice{kind, outputNoticeText(kind), detail};
    if (const auto& hook = installedHook()) {
        hook(notice);
        return;
    }
    std::cerr << notice.text;
    if (!notice.detail.empty()) {
        std::cerr << " (" << notice.detail << ")";
    }
    std::cerr << std::endl;
}

}  // namespace earshot
