#include "runtime/output_announcer.h"

#include <exception>
#include <utility>

#include "game/raised_flag.h"

namespace earshot {

class OutputAnnouncer::Voice final : public SpVoice {
public:
    explicit Voice(OutputAnnouncer& announcer) : announcer_(announcer) {}

    void Speak(const std::string& text, std::int32_t flags) override {
        {
            const RaisedFlag speaking(announcer_.speaking_);
            announcer_.voice_->Speak(text, flags);
        }
        announcer_.sayWaiting();
    }

private:
    OutputAnnouncer& announcer_;
};

void OutputAnnouncer::notice(const OutputNotice& notice) {
    announce(notice.text.c_str(), notice.detail);
}

void OutputAnnouncer::announce(const char* english, const std::string& detail) {
    const std::string text = translate_(english);
    runtime_.writeCaption(text);
    runtime_.writeError(detail.empty() ? text : text + " (" + detail + ")");
    waiting_.push_back(text);
    sayWaiting();
}

std::shared_ptr<SpVoice> OutputAnnouncer::speakingThrough(std::shared_ptr<SpVoice> voice) {
    voice_ = std::move(voice);
    sayWaiting();
    return std::make_shared<Voice>(*this);
}

void OutputAnnouncer::sayWaiting() {
    while (voice_ && !speaking_ && !waiting_.empty()) {
        const std::string text = std::move(waiting_.front());
        waiting_.pop_front();
        const RaisedFlag speaking(speaking_);
        try {
            voice_->Speak(text, SVSFDefault);
        } catch (const std::exception&) {
            // Its caption and its line on standard error have said it.
        }
    }
}

}  // namespace earshot
