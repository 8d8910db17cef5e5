// A flag that is set for as long as a scope runs and cleared however the
// scope ends, a thrown error included: "a level up is running", "the voice
// is speaking".
#pragma once

namespace earshot {

class RaisedFlag {
public:
    explicit RaisedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RaisedFlag() { flag_ = false; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace earshot
